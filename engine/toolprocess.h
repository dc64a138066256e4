#pragma once

#include <QHash>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>

class QProcess;

// How a tool run ended.
struct ToolExit {
    bool started = false;    // the program could be started at all
    bool normalExit = false; // it ended by itself (not killed, not crashed)
    int exitCode = -1;
    bool stopped = false;    // requestStop() was called before its end was seen
    QString errorText;       // what it wrote on standard error, the last lines only
    // Its "quillmora:<key>=<value>" lines on standard output: "output", the
    // name it really wrote; "copied", the streams it copied.
    QHash<QString, QString> reports;

    // Exit code 0: the tool wrote its file, also when a stop came too late to end it.
    bool succeeded() const { return started && normalExit && exitCode == 0; }
};

// The one place where the application starts an external program. Start and
// wait happen on one thread (the run's); requestStop() may come from any
// thread: the tool is asked to end (SIGTERM), so that it can remove its
// temporary files, and is killed when it has not ended within the grace time.
// The tool dies with the application (a parent-death signal), so a killed
// application leaves no conversion running on.
class ToolProcess
{
public:
    static constexpr int defaultGraceMs = 2000;

    ToolProcess();
    ~ToolProcess();
    ToolProcess(const ToolProcess &) = delete;
    ToolProcess &operator=(const ToolProcess &) = delete;

    void setWorkingDirectory(const QString &folder);
    void setEnvironment(const QProcessEnvironment &environment);
    void setGraceMs(int ms) { graceMs = ms; }

    // Starts the program; false when it could not be started.
    bool start(const QString &program, const QStringList &arguments);

    // Blocks until the program has ended; no time limit of its own.
    ToolExit waitForExit();

    // Thread-safe; also before start() (the tool then ends at once) and after its end.
    void requestStop();

private:
    std::unique_ptr<QProcess> process;
    std::atomic<bool> stopFlag{false};
    std::atomic<qint64> pid{0};
    int graceMs = defaultGraceMs;
    bool startFailed = false;
};
