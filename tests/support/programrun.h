#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// The tests' one way of running a helper program (ffmpeg, ffprobe) to its end
// and collecting all it printed. The application's own tools are started
// through ToolProcess, as the application starts them. A test that acts on a
// live process (a signal, progress read while it runs) starts its own QProcess.
namespace testsupport {

struct Finished {
    int exitCode = -1; // -1: it did not start, crashed, was killed or did not end in time
    QByteArray output; // standard output
    QString errors;    // standard error
};

constexpr int defaultTimeoutMs = 600000;

// An empty working directory is the test's own. A program still running after
// the time-out is killed.
Finished runProgram(const QString &program, const QStringList &arguments,
                    const QString &workingDirectory = QString(),
                    const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment(),
                    int timeoutMs = defaultTimeoutMs);

} // namespace testsupport
