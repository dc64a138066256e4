#include "tests/support/programrun.h"

#include <QProcess>

namespace testsupport {

Finished runProgram(const QString &program, const QStringList &arguments, const QString &workingDirectory,
                    const QProcessEnvironment &environment, int timeoutMs)
{
    QProcess process;
    process.setWorkingDirectory(workingDirectory);
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    // False also when the program never started: that must not read as exit code 0.
    const bool ended = process.waitForFinished(timeoutMs);
    if (!ended) {
        process.kill();
        process.waitForFinished();
    }
    Finished finished;
    if (ended && process.exitStatus() == QProcess::NormalExit)
        finished.exitCode = process.exitCode();
    finished.output = process.readAllStandardOutput();
    finished.errors = QString::fromLocal8Bit(process.readAllStandardError());
    return finished;
}

} // namespace testsupport
