#pragma once

#include "engine/conversionrun.h"

#include <QMutex>
#include <QPointer>
#include <QThread>

#include <functional>
#include <memory>

// One conversion run on a thread of its own. It reports through signals sent
// from that thread, and whatever needs the user (the overwrite question, the
// end of the run) is done by hooks on the thread of the given context object,
// the GUI's, while the run waits. stopAndWait() never leaves it waiting
// there, so the GUI thread can always end it.
class ConversionWorker : public QThread, private RunObserver
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
    // In the order of a pass: bar in, Converting, percentages, Failed or
    // Succeeded (with the reason of a failure), 100, bar out.
    void insertProgressBar(int row);
    void setProcValue(int row, int percent);
    void updateState(int row, int state);
    void rowFailed(int row, const QString &reason);
    // After Succeeded: the streams the tool copied ("video", "audio", "video,audio").
    void rowCopiedStreams(int row, const QString &streams);
    void removeProgressBar(int row);
    // After the last row, before the run's end hook.
    void runFinished();

protected:
    void run() override;

private:
    struct PendingCall;

    // RunObserver, called on the run's thread.
    void passStarted(int row) override;
    void progress(int row, int percent) override;
    void stateChanged(int row, int state) override;
    void failureReason(int row, const QString &reason) override;
    void passEnded(int row) override;
    void streamsCopied(int row, const QString &streams) override;
    bool confirmOverwrite(int row, const QString &outputPath) override;

    // Runs the call on the context's thread and waits for its answer; false
    // when the calls were given up.
    bool callOnContext(std::function<bool()> call);
    void abandonCalls();

    QPointer<QObject> context;
    OverwriteQuestion overwriteQuestion;
    RunEnd runEnd;
    ConversionRun conversion;

    QMutex callMutex;
    bool abandoned = false;
    std::shared_ptr<PendingCall> pending;
};
