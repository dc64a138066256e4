#pragma once

#include <QMutex>
#include <QWaitCondition>

#include <functional>
#include <memory>

class ProgressShare;
class QThread;

// The percentage a bar is given for a value read from the progress block: the
// tool's own figure cut at 100. There is no lower bound.
int reportedPercent(int blockValue);

// Reads the percentage of one pass from the progress block on its own thread:
// the first value at once, then one every interval, each handed to report
// while keepGoing() holds. stop() (or the destructor) ends and joins the
// thread; no value is reported after it returns.
class ProgressPoller
{
public:
    using Report = std::function<void(int percent)>;

    ProgressPoller(const ProgressShare &block, int intervalMs, std::function<bool()> keepGoing,
                   Report report);
    ~ProgressPoller();
    ProgressPoller(const ProgressPoller &) = delete;
    ProgressPoller &operator=(const ProgressPoller &) = delete;

    void stop();

private:
    void poll();

    const ProgressShare &block;
    const int intervalMs;
    const std::function<bool()> keepGoing;
    const Report report;

    QMutex mutex;
    QWaitCondition wake;
    bool ended = false;
    std::unique_ptr<QThread> thread;
};
