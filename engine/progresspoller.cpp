#include "engine/progresspoller.h"

#include "platform/progressshare.h"

#include <algorithm>
#include <chrono>

int reportedPercent(int blockValue)
{
    return std::min(blockValue, 100);
}

ProgressPoller::ProgressPoller(const ProgressShare &progressBlock, int pollIntervalMs,
                               std::function<bool()> whileTrue, Report reportTo)
    : block(progressBlock), intervalMs(std::max(pollIntervalMs, 1)), keepGoing(std::move(whileTrue)),
      report(std::move(reportTo)), thread([this] { poll(); })
{
}

ProgressPoller::~ProgressPoller()
{
    stop();
}

void ProgressPoller::stop()
{
    {
        std::lock_guard<std::mutex> lock(mutex);
        ended = true;
    }
    wake.notify_all();
    if (thread.joinable())
        thread.join();
}

void ProgressPoller::poll()
{
    std::unique_lock<std::mutex> lock(mutex);
    while (!ended && keepGoing()) {
        // Reported under the lock, so stop() cannot return while a value is on its way.
        report(reportedPercent(block.percent()));
        wake.wait_for(lock, std::chrono::milliseconds(intervalMs), [this] { return ended; });
    }
}
