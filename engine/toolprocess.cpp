#include "engine/toolprocess.h"

#include <QElapsedTimer>
#include <QProcess>

#include <csignal>
#include <sys/prctl.h>
#include <sys/types.h>
#include <unistd.h>

namespace {

constexpr int pollMs = 50;
constexpr int errorTailBytes = 4096;
constexpr int outputLimitBytes = 65536;

QString lastLines(const QByteArray &errors)
{
    const QByteArray tail = errors.size() > errorTailBytes ? errors.right(errorTailBytes) : errors;
    return QString::fromUtf8(tail).trimmed();
}

QHash<QString, QString> reportsIn(const QByteArray &output)
{
    static const QByteArray prefix = "quillmora:";
    QHash<QString, QString> reports;
    for (const QByteArray &line : output.split('\n')) {
        const int equals = line.indexOf('=');
        if (line.startsWith(prefix) && equals > prefix.size())
            reports.insert(QString::fromUtf8(line.mid(prefix.size(), equals - prefix.size())),
                           QString::fromUtf8(line.mid(equals + 1)).trimmed());
    }
    return reports;
}

} // namespace

ToolProcess::ToolProcess()
    : process(std::make_unique<QProcess>())
{
    process->setProcessChannelMode(QProcess::SeparateChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    const pid_t application = getpid();
    process->setChildProcessModifier([application] {
        // Bound to the thread that starts the tool, which waits for it to the end.
        prctl(PR_SET_PDEATHSIG, SIGKILL);
        if (getppid() != application) // the application died before the line above
            _exit(127);
    });
}

ToolProcess::~ToolProcess()
{
    if (process->state() != QProcess::NotRunning) {
        process->kill();
        process->waitForFinished();
    }
}

void ToolProcess::setWorkingDirectory(const QString &folder)
{
    process->setWorkingDirectory(folder);
}

void ToolProcess::setEnvironment(const QProcessEnvironment &environment)
{
    process->setProcessEnvironment(environment);
}

bool ToolProcess::start(const QString &program, const QStringList &arguments)
{
    process->start(program, arguments);
    startFailed = !process->waitForStarted(-1);
    if (startFailed)
        return false;
    pid = process->processId();
    // A stop that came while the program was starting must reach it too.
    if (stopFlag.load())
        ::kill(static_cast<pid_t>(pid.load()), SIGTERM);
    return true;
}

ToolExit ToolProcess::waitForExit()
{
    ToolExit exit;
    QByteArray errors;
    QByteArray output;
    // A tool says little on standard output; more is not read, so it cannot fill the memory.
    auto readOutput = [&] {
        const QByteArray read = process->readAllStandardOutput();
        if (output.size() < outputLimitBytes)
            output += read;
    };
    if (startFailed || process->state() == QProcess::NotRunning) {
        exit.errorText = process->errorString();
        return exit;
    }
    exit.started = true;
    QElapsedTimer sinceStop;
    while (!process->waitForFinished(pollMs)) {
        errors += process->readAllStandardError();
        readOutput();
        if (errors.size() > 4 * errorTailBytes)
            errors = errors.right(errorTailBytes);
        if (!stopFlag.load())
            continue;
        if (!sinceStop.isValid()) {
            sinceStop.start();
            process->terminate();
        } else if (sinceStop.elapsed() >= graceMs) {
            process->kill();
        }
    }
    errors += process->readAllStandardError();
    readOutput();
    pid = 0;
    exit.normalExit = process->exitStatus() == QProcess::NormalExit;
    exit.exitCode = exit.normalExit ? process->exitCode() : -1;
    exit.stopped = stopFlag.load();
    exit.errorText = lastLines(errors);
    exit.reports = reportsIn(output);
    return exit;
}

void ToolProcess::requestStop()
{
    stopFlag = true;
    // The run's thread notices the flag within one poll; a signal now saves that wait.
    if (const qint64 running = pid.load())
        ::kill(static_cast<pid_t>(running), SIGTERM);
}
