#pragma once

#include "engine/conversionrun.h"

#include <QMutex>
#include <QPointer>
#include <QThread>

#include <functional>
#include <memory>

// One conversion run on a thread of its own. It reports through signals sent
// from that thread, named as the RunObserver calls they stand for, and
// whatever needs the user (the overwrite question, the end of the run) is
// done by hooks on the thread of the given context object, the GUI's, while
// the run waits. stopAndWait() never leaves it waiting there, so the GUI
// thread can always end it.
class ConversionWorker : public QThread
{
    Q_OBJECT

public:
    // Asked on the context's thread: true to overwrite the existing output.
    using OverwriteQuestion = std::function<bool(int row, const QString &outputPath)>;
    // Run on the context's thread once all rows are done: shows the result and
    // tells whether the computer is to be shut down.
    using RunEnd = std::function<bool()>;

    ConversionWorker(JobQueue &jobs, const RunSettings &settings, QObject *context,
                     OverwriteQuestion overwriteQuestion, RunEnd runEnd);
    ~ConversionWorker() override;

    // From any thread: no further pass starts, the running tool is asked to
    // end and killed after the grace time. The run still ends as usual.
    void stop();

    // On the context's thread: stops, gives up any question or result still
    // waiting for it (no shutdown follows), and returns once the thread has ended.
    void stopAndWait();

signals:
    // In the order of a pass, as it happens: bar in, Converting,
    // percentages, Failed or Succeeded (with the reason of a failure), 100,
    // bar out. See RunObserver; a window paces its bars with PassRhythm.
    void passStarted(int row);
    void progress(int row, int percent);
    void stateChanged(int row, int state);
    void failureReason(int row, const QString &reason);
    void outputRenamed(int row, const QString &writtenPath);
    void passEnded(int row);
    void streamsCopied(int row, const QString &streams);
    void qualityChecked(int row, const QString &text);
    // After the last pass of the run has ended, before the run's end hook.
    void runFinished();

protected:
    void run() override;

private:
    class Relay;
    struct PendingCall;

    // Runs the call on the context's thread and waits for its answer; false
    // when the calls were given up.
    bool callOnContext(std::function<bool()> call);
    void abandonCalls();

    QPointer<QObject> context;
    OverwriteQuestion overwriteQuestion;
    RunEnd runEnd;
    std::unique_ptr<Relay> relay;
    ConversionRun conversion;

    QMutex callMutex;
    bool abandoned = false;
    std::shared_ptr<PendingCall> pending;
};
