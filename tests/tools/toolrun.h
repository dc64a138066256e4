#pragma once

#include <QList>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <functional>

#include <sys/types.h>

// Runs the built tools as the application does, and looks at what they
// leave behind: processes in /proc and files in the output folder.
namespace toolrun {

QString transcoder();      // build/transcoder
QString imageConverter();  // build/imageconvert/convert

// A progress block of this test process alone, and the environment that
// makes the transcoder write there instead of the application's block, so
// the tests neither disturb nor are disturbed by other conversions.
QString privateProgressBlock();
QProcessEnvironment privateEnvironment();
void removePrivateProgressBlock();

struct Outcome {
    bool exitedNormally = false;
    int exitCode = -1;
    QString errors;
};

Outcome run(const QString &program, const QStringList &arguments,
            const QProcessEnvironment &environment = privateEnvironment());

// Children of a process, from /proc.
QList<pid_t> childrenOf(pid_t parent);

// A process that has ended: no /proc entry, or a zombie nobody reaped yet.
bool hasEnded(pid_t pid);

// Waits up to timeoutMs for a condition, polling every 10 ms.
bool waitFor(const std::function<bool()> &condition, int timeoutMs);

// The hidden temporary files the tools write into a folder.
QStringList temporaryFilesIn(const QString &folder);

QByteArray readAll(const QString &path);
void writeFile(const QString &path, const QByteArray &content);

} // namespace toolrun
