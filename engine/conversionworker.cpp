#include "engine/conversionworker.h"

#include "platform/systemshutdown.h"

#include <QMetaObject>
#include <QMutexLocker>
#include <QWaitCondition>

// A call handed to the context's thread. Shared, so that a call that runs
// after the worker gave it up finds it answered and does nothing.
struct ConversionWorker::PendingCall {
    QMutex mutex;
    QWaitCondition answered;
    bool done = false;
    bool result = false;
};

// What the run tells, sent on as the worker's signals from the run's thread.
class ConversionWorker::Relay : public RunObserver
{
public:
    explicit Relay(ConversionWorker &owner) : worker(owner) {}

    void passStarted(int row) override { emit worker.passStarted(row); }
    void progress(int row, int percent) override { emit worker.progress(row, percent); }
    void stateChanged(int row, int state) override { emit worker.stateChanged(row, state); }
    void failureReason(int row, const QString &reason) override { emit worker.failureReason(row, reason); }
    void outputRenamed(int row, const QString &path) override { emit worker.outputRenamed(row, path); }
    void passEnded(int row) override { emit worker.passEnded(row); }
    void streamsCopied(int row, const QString &streams) override { emit worker.streamsCopied(row, streams); }
    void qualityChecked(int row, const QString &text) override { emit worker.qualityChecked(row, text); }
    bool confirmOverwrite(int row, const QString &outputPath) override
    {
        const OverwriteQuestion question = worker.overwriteQuestion;
        return worker.callOnContext([question, row, outputPath] { return question && question(row, outputPath); });
    }

private:
    ConversionWorker &worker;
};

ConversionWorker::ConversionWorker(JobQueue &jobs, const RunSettings &settings, QObject *answerContext,
                                   OverwriteQuestion askOverwrite, RunEnd onRunEnd)
    : context(answerContext)
    , overwriteQuestion(std::move(askOverwrite))
    , runEnd(std::move(onRunEnd))
    , relay(std::make_unique<Relay>(*this))
    , conversion(jobs, *relay, settings)
{
}

ConversionWorker::~ConversionWorker()
{
    stopAndWait();
}

void ConversionWorker::stop()
{
    conversion.stop();
}

void ConversionWorker::stopAndWait()
{
    conversion.stop();
    abandonCalls();
    wait();
}

void ConversionWorker::run()
{
    conversion.run();
    emit runFinished();
    const RunEnd end = runEnd;
    const bool shutDown = callOnContext([end] { return end && end(); });
    if (shutDown)
        requestSystemShutdown();
}

bool ConversionWorker::callOnContext(std::function<bool()> call)
{
    auto shared = std::make_shared<PendingCall>();
    {
        QMutexLocker lock(&callMutex);
        if (abandoned || !context)
            return false;
        pending = shared;
    }
    QMetaObject::invokeMethod(
        context.data(),
        [shared, call] {
            {
                QMutexLocker lock(&shared->mutex);
                if (shared->done) // given up meanwhile
                    return;
            }
            const bool result = call();
            QMutexLocker lock(&shared->mutex);
            if (!shared->done) {
                shared->result = result;
                shared->done = true;
                shared->answered.wakeAll();
            }
        },
        Qt::QueuedConnection);

    QMutexLocker lock(&shared->mutex);
    while (!shared->done)
        shared->answered.wait(&shared->mutex);
    return shared->result;
}

void ConversionWorker::abandonCalls()
{
    std::shared_ptr<PendingCall> waiting;
    {
        QMutexLocker lock(&callMutex);
        abandoned = true;
        waiting = pending;
    }
    if (!waiting)
        return;
    QMutexLocker lock(&waiting->mutex);
    if (!waiting->done) {
        waiting->result = false;
        waiting->done = true;
        waiting->answered.wakeAll();
    }
}
