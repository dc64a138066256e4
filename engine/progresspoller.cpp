#include "engine/progresspoller.h"

#include "platform/progressshare.h"

#include <QDeadlineTimer>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>

int reportedPercent(int blockValue)
{
    return std::min(blockValue, 100);
}

ProgressPoller::ProgressPoller(const ProgressShare &progressBlock, int pollIntervalMs,
                               std::function<bool()> whileTrue, Report reportTo)
    : block(progressBlock), intervalMs(std::max(pollIntervalMs, 1)), keepGoing(std::move(whileTrue)),
      report(std::move(reportTo)), thread(QThread::create([this] { poll(); }))
{
    thread->start();
}

ProgressPoller::~ProgressPoller()
{
    stop();
}

void ProgressPoller::stop()
{
    {
        QMutexLocker lock(&mutex);
        ended = true;
        wake.wakeAll();
    }
    thread->wait();
}

void ProgressPoller::poll()
{
    QMutexLocker lock(&mutex);
    while (!ended && keepGoing()) {
        // Reported under the lock, so stop() cannot return while a value is on its way.
        report(reportedPercent(block.percent()));
        const QDeadlineTimer next(intervalMs);
        while (!ended && !next.hasExpired())
            wake.wait(&mutex, next);
    }
}
