#include "tools/common/childprocess.h"

#include "tools/common/stopsignals.h"

#include <QDeadlineTimer>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <vector>

#include <fcntl.h>
#include <poll.h>
#include <sched.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int MaxErrorOutput = 16 * 1024;
constexpr int MaxErrorTail = 4 * 1024;

// How long a child that was asked to stop may take to clean up.
constexpr int StopGraceMs = 5000;

struct Pipe {
    int readEnd = -1;
    int writeEnd = -1;
    bool open() {
        int ends[2];
        if (pipe2(ends, O_CLOEXEC) != 0)
            return false;
        readEnd = ends[0];
        writeEnd = ends[1];
        return true;
    }
    ~Pipe() { closeRead(); closeWrite(); }
    void closeRead() { if (readEnd >= 0) ::close(readEnd); readEnd = -1; }
    void closeWrite() { if (writeEnd >= 0) ::close(writeEnd); writeEnd = -1; }
};

sigset_t stopSignalSet()
{
    sigset_t set;
    sigemptyset(&set);
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP})
        sigaddset(&set, signalNumber);
    return set;
}

// What the child needs, made before it starts: it shares the tool's memory
// until exec and must not allocate.
struct ChildStart {
    const char *program;
    char *const *argv;
    pid_t parent;
    int outputEnd;
    int errorEnd;
    int execError; // written by the child when exec failed
};

// Runs in the child on its own stack, with the stop signals blocked: only
// async-signal-safe calls.
int execChild(void *data)
{
    auto *start = static_cast<ChildStart *>(data);
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP, SIGPIPE})
        signal(signalNumber, SIG_DFL);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);

    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != start->parent) // the tool died before the line above took effect
        _exit(127);

    const int devNull = ::open("/dev/null", O_RDONLY | O_CLOEXEC); // only its copy on stdin stays open
    if (devNull >= 0 && dup2(devNull, STDIN_FILENO) >= 0 && dup2(start->outputEnd, STDOUT_FILENO) >= 0
        && dup2(start->errorEnd, STDERR_FILENO) >= 0)
        execv(start->program, start->argv);
    start->execError = errno;
    _exit(127);
}

// Starts the child as posix_spawn does (a vfork on a stack of its own): fork()
// would copy the page tables of a tool that maps libavcodec and its many
// libraries, a few milliseconds per start.
pid_t spawnChild(ChildStart *start)
{
    constexpr size_t stackSize = 64 * 1024;
    void *stack = mmap(nullptr, stackSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS | MAP_STACK, -1, 0);
    if (stack == MAP_FAILED)
        return -1;
    // The tool waits here until the child has called exec or exited.
    const pid_t pid = clone(execChild, static_cast<char *>(stack) + stackSize, CLONE_VM | CLONE_VFORK | SIGCHLD, start);
    const int error = errno;
    munmap(stack, stackSize);
    errno = error;
    return pid;
}

// Reads both output pipes until the child closes them. After a stop signal
// the child gets StopGraceMs to end before it is killed.
void drainOutput(pid_t pid, Pipe &out, Pipe &err, const OutputLineHandler &onOutputLine, QByteArray *errorOutput,
                 QByteArray *errorTail)
{
    QByteArray pendingLine;
    char buffer[8192];
    QDeadlineTimer grace(QDeadlineTimer::Forever);
    while (out.readEnd >= 0 || err.readEnd >= 0) {
        pollfd fds[2] = {{out.readEnd, POLLIN, 0}, {err.readEnd, POLLIN, 0}};
        const bool stopping = stopsignals::requested() && stopsignals::childSignal() != SIGKILL;
        if (stopping && grace.isForever())
            grace.setRemainingTime(StopGraceMs);
        if (stopping && grace.hasExpired())
            kill(pid, SIGKILL);
        const int ready = poll(fds, 2, stopping ? 100 : -1);
        if (ready < 0) {
            if (errno == EINTR)
                continue; // a stop signal: the handler has passed it on, EOF follows
            break;
        }
        if (fds[0].revents) {
            const ssize_t got = read(out.readEnd, buffer, sizeof buffer);
            if (got <= 0) {
                if (!(got < 0 && errno == EINTR))
                    out.closeRead();
            } else {
                pendingLine.append(buffer, int(got));
                int end;
                while ((end = pendingLine.indexOf('\n')) >= 0) {
                    if (onOutputLine)
                        onOutputLine(pendingLine.left(end));
                    pendingLine.remove(0, end + 1);
                }
            }
        }
        if (fds[1].revents) {
            const ssize_t got = read(err.readEnd, buffer, sizeof buffer);
            if (got <= 0) {
                if (!(got < 0 && errno == EINTR))
                    err.closeRead();
            } else {
                if (errorOutput->size() < MaxErrorOutput)
                    errorOutput->append(buffer, int(qMin<ssize_t>(got, MaxErrorOutput - errorOutput->size())));
                errorTail->append(buffer, int(got));
                if (errorTail->size() > MaxErrorTail)
                    errorTail->remove(0, errorTail->size() - MaxErrorTail);
            }
        }
    }
    if (!pendingLine.isEmpty() && onOutputLine)
        onOutputLine(pendingLine);
}

} // namespace

QString ChildResult::firstErrorLine() const
{
    if (!startError.isEmpty())
        return startError;
    for (const QByteArray &line : errorOutput.split('\n')) {
        const QString text = QString::fromLocal8Bit(line).trimmed();
        if (!text.isEmpty())
            return text;
    }
    return QString();
}

QString ChildResult::signalName() const
{
    return QStringLiteral("%1, signal %2")
        .arg(QString::fromLocal8Bit(strsignal(signalNumber)))
        .arg(signalNumber);
}

ChildResult runChild(const QString &program, const QStringList &arguments, const OutputLineHandler &onOutputLine)
{
    ChildResult result;

    const QByteArray programPath = program.toLocal8Bit();
    std::vector<QByteArray> encoded;
    encoded.reserve(arguments.size() + 1);
    encoded.push_back(programPath);
    for (const QString &argument : arguments)
        encoded.push_back(argument.toLocal8Bit());
    std::vector<char *> argv;
    for (QByteArray &argument : encoded)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    Pipe out, err;
    if (!out.open() || !err.open()) {
        result.startError = QStringLiteral("cannot start %1: %2").arg(program, QString::fromLocal8Bit(strerror(errno)));
        return result;
    }

    // With the stop signals blocked, the child's pid is known to the handler
    // before any stop signal can be handled.
    const sigset_t stopSet = stopSignalSet();
    sigset_t previous;
    sigprocmask(SIG_BLOCK, &stopSet, &previous);
    if (stopsignals::requested()) {
        sigprocmask(SIG_SETMASK, &previous, nullptr);
        result.stopped = true;
        return result;
    }
    ChildStart start{programPath.constData(), argv.data(), getpid(), out.writeEnd, err.writeEnd, 0};
    const pid_t pid = spawnChild(&start);
    const int spawnError = errno;
    if (pid > 0)
        stopsignals::setChild(pid);
    sigprocmask(SIG_SETMASK, &previous, nullptr);
    if (pid < 0) {
        result.startError = QStringLiteral("cannot start %1: %2").arg(program, QString::fromLocal8Bit(strerror(spawnError)));
        return result;
    }
    out.closeWrite();
    err.closeWrite();

    result.started = start.execError == 0;
    if (!result.started)
        result.startError = QStringLiteral("cannot start %1: %2").arg(program, QString::fromLocal8Bit(strerror(start.execError)));

    drainOutput(pid, out, err, onOutputLine, &result.errorOutput, &result.errorTail);

    // Wait without reaping first: the pid stays taken while the handler may
    // still aim at it, and is forgotten before it can be reused.
    siginfo_t info {};
    while (waitid(P_PID, id_t(pid), &info, WEXITED | WNOWAIT) < 0 && errno == EINTR) {
    }
    stopsignals::setChild(0);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }

    result.stopped = stopsignals::requested() != 0;
    result.exitedNormally = WIFEXITED(status);
    result.exitCode = result.exitedNormally ? WEXITSTATUS(status) : -1;
    result.signalNumber = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
    return result;
}
