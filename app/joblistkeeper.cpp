#include "app/joblistkeeper.h"

JobListKeeper::JobListKeeper(TakeChanges takeChanges, const QString &folder, QObject *parent)
    : QObject(parent)
    , take(std::move(takeChanges))
    , storeContext(std::make_unique<QObject>())
{
    delay.setSingleShot(true);
    connect(&delay, &QTimer::timeout, this, &JobListKeeper::startWrite);
    thread.setObjectName(QStringLiteral("kept jobs"));
    storeContext->moveToThread(&thread);
    thread.start();
    QMetaObject::invokeMethod(storeContext.get(), [this, folder] {
        store = std::make_unique<KeptJobStore>(folder);
        store->open();
    });
}

JobListKeeper::~JobListKeeper()
{
    stop();
    onStoreThread([this] { store.reset(); });
    thread.quit();
    thread.wait();
}

void JobListKeeper::onStoreThread(const std::function<void()> &call)
{
    QMetaObject::invokeMethod(storeContext.get(), call, Qt::BlockingQueuedConnection);
}

void JobListKeeper::requestWrite()
{
    if (stopped)
        return;
    dirty = true;
    schedule();
}

void JobListKeeper::dropWithNextWrite(const QList<KeptJobStore::Row> &rows)
{
    if (!stopped)
        drops += rows;
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
    QMetaObject::invokeMethod(storeContext.get(), [this, changes = take(),
                                                   rows = std::exchange(drops, {})] {
        const bool ok = store->write(changes, rows);
        const bool retry = !ok && store->isOpen(); // what failed stays queued in the store
        // Dropped unread if the keeper is gone by then.
        QMetaObject::invokeMethod(
            this,
            [this, ok, retry] {
                writing = false;
                dirty = dirty || retry;
                emit written(ok);
                schedule();
            },
            Qt::QueuedConnection);
    });
}

bool JobListKeeper::writeNow()
{
    if (stopped)
        return false;
    delay.stop();
    dirty = false;
    sinceLastWrite.restart();
    bool ok = false;
    onStoreThread([this, &ok, changes = take(), rows = std::exchange(drops, {})] {
        ok = store->write(changes, rows);
    });
    emit written(ok);
    return ok;
}

void JobListKeeper::stop()
{
    if (stopped)
        return;
    writeNow();
    stopped = true;
    onStoreThread([this] { store->release(); });
}

KeptJobStore::Left JobListKeeper::claimLeftLists()
{
    KeptJobStore::Left left;
    if (!stopped)
        onStoreThread([this, &left] { left = store->claimLeft(); });
    return left;
}

QList<ConvertJob> JobListKeeper::storedJobs()
{
    QList<ConvertJob> jobs;
    onStoreThread([this, &jobs] { jobs = store->ownJobs(); });
    return jobs;
}
