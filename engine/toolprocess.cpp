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
constexpr int longestToolLine = 64 * 1024;

QString lastLines(const QByteArray &errors)
{
    const QByteArray tail = errors.size() > errorTailBytes ? errors.right(errorTailBytes) : errors;
    return QString::fromUtf8(tail).trimmed();
}

// The complete lines of what came so far go to told; an unfinished one waits
// in pending for the rest (a line longer than any the tools write is dropped).
void takeLines(QByteArray *pending, QHash<QString, QString> *told)
{
    const int end = pending->lastIndexOf('\n');
    if (end >= 0) {
        readToolLines(pending->left(end), told);
        pending->remove(0, end + 1);
    }
    if (pending->size() > longestToolLine)
        pending->clear();
}

} // namespace

void readToolLines(const QByteArray &lines, QHash<QString, QString> *told)
{
    static const QByteArray prefix = "quillmora:";
    for (const QByteArray &line : lines.split('\n')) {
        const int equals = line.indexOf('=');
        if (!line.startsWith(prefix) || equals < 0)
            continue;
        const QByteArray value = line.mid(equals + 1);
        told->insert(QString::fromUtf8(line.mid(prefix.size(), equals - prefix.size())),
                     QString::fromUtf8(value.endsWith('\r') ? value.chopped(1) : value));
    }
}

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
    if (startFailed || process->state() == QProcess::NotRunning) {
        exit.errorText = process->errorString();
        return exit;
    }
    exit.started = true;
    QElapsedTimer sinceStop;
    while (!process->waitForFinished(pollMs)) {
        errors += process->readAllStandardError();
        if (errors.size() > 4 * errorTailBytes)
            errors = errors.right(errorTailBytes);
        output += process->readAllStandardOutput();
        takeLines(&output, &exit.told);
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
    output += process->readAllStandardOutput() + '\n';
    takeLines(&output, &exit.told);
    pid = 0;
    exit.normalExit = process->exitStatus() == QProcess::NormalExit;
    exit.exitCode = exit.normalExit ? process->exitCode() : -1;
    exit.stopped = stopFlag.load();
    exit.errorText = lastLines(errors);
    return exit;
}

void ToolProcess::requestStop()
{
    stopFlag = true;
    // The run's thread notices the flag within one poll; a signal now saves that wait.
    if (const qint64 running = pid.load())
        ::kill(static_cast<pid_t>(running), SIGTERM);
}
