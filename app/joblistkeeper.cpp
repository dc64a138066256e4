#include "app/joblistkeeper.h"

#include "app/unfinishedjobs.h"

JobListKeeper::JobListKeeper(Snapshot listNow, const QString &file, QObject *parent)
    : QObject(parent)
    , snapshot(std::move(listNow))
    , path(file)
{
    writer.setMaxThreadCount(1);
    delay.setSingleShot(true);
    connect(&delay, &QTimer::timeout, this, &JobListKeeper::startWrite);
}

JobListKeeper::~JobListKeeper()
{
    writeNow();
}

void JobListKeeper::requestWrite()
{
    if (stopped)
        return;
    dirty = true;
    schedule();
}

void JobListKeeper::schedule()
{
    if (!dirty || writing || delay.isActive() || stopped)
        return;
    const qint64 since = sinceLastWrite.isValid() ? sinceLastWrite.elapsed() : IntervalMs;
    if (since >= IntervalMs)
        startWrite();
    else
        delay.start(int(IntervalMs - since));
}

void JobListKeeper::startWrite()
{
    if (stopped)
        return;
    dirty = false;
    writing = true;
    sinceLastWrite.restart();
    writer.start([this, jobs = snapshot(), file = path] {
        const bool ok = saveUnfinishedJobs(jobs, file);
        // Dropped unread if the keeper is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, ok] {
                writing = false;
                emit written(ok);
                schedule();
            },
            Qt::QueuedConnection);
    });
}

bool JobListKeeper::writeNow()
{
    delay.stop();
    writer.waitForDone();
    writing = false;
    if (!dirty || stopped)
        return true;
    dirty = false;
    sinceLastWrite.restart();
    const bool ok = saveUnfinishedJobs(snapshot(), path);
    emit written(ok);
    return ok;
}

void JobListKeeper::stop()
{
    writeNow();
    stopped = true;
}
