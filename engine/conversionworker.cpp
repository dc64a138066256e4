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

ConversionWorker::ConversionWorker(JobQueue &jobs, const RunSettings &settings, QObject *answerContext,
                                   OverwriteQuestion askOverwrite, RunEnd onRunEnd)
    : context(answerContext)
    , overwriteQuestion(std::move(askOverwrite))
    , runEnd(std::move(onRunEnd))
    , conversion(jobs, *this, settings)
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

void ConversionWorker::passStarted(int row)
{
    emit insertProgressBar(row);
}

void ConversionWorker::progress(int row, int percent)
{
    emit setProcValue(row, percent);
}

void ConversionWorker::stateChanged(int row, int state)
{
    emit updateState(row, state);
}

void ConversionWorker::failureReason(int row, const QString &reason)
{
    emit rowFailed(row, reason);
}

void ConversionWorker::passEnded(int row)
{
    emit removeProgressBar(row);
}

void ConversionWorker::streamsCopied(int row, const QString &streams)
{
    emit rowCopiedStreams(row, streams);
}

bool ConversionWorker::confirmOverwrite(int row, const QString &outputPath)
{
    const OverwriteQuestion question = overwriteQuestion;
    return callOnContext([question, row, outputPath] { return question && question(row, outputPath); });
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
