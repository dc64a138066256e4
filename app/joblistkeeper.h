#pragma once

#include "app/joblistchanges.h"
#include "app/keptjobstore.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QThread>
#include <QTimer>

#include <functional>
#include <memory>

// Keeps a window's unfinished jobs on disk without holding the window up.
// Every change asks for a write; the changes since the last write are taken
// at most every IntervalMs and written in one transaction on a thread of the
// keeper's own (the database's), so that each change is on disk within a
// second and a crash loses at most the last second of changes.
class JobListKeeper : public QObject
{
    Q_OBJECT

public:
    // The list's changes since the last call, taken on the keeper's thread.
    using TakeChanges = std::function<JobListChanges()>;

    // Short enough that a change and the write that takes it fit in a second.
    static constexpr int IntervalMs = 800;

    // Opens the store of the folder on the database's thread.
    JobListKeeper(TakeChanges takeChanges, const QString &folder, QObject *parent = nullptr);
    // Stops, unless stop() was called.
    ~JobListKeeper() override;

    // The list changed.
    void requestWrite();
    // Rows of claimed lists that go in the same transaction as the next write
    // (which requestWrite() or writeNow() starts): the jobs were restored into
    // this list, or refused.
    void dropWithNextWrite(const QList<KeptJobStore::Row> &rows);
    // Writes what is waiting and returns once it is on disk (after a write
    // under way); false when it is not.
    bool writeNow();
    // Writes what is waiting and lets the lists go for the next start, then
    // writes nothing more: the disk keeps the list as it is now.
    void stop();

    // Nothing waits to be written and nothing is being written.
    bool isIdle() const { return !dirty && !writing; }

    // Claims the lists of ended windows (and tells once what was wrong with
    // the database or older versions' lists); waits for the store to open.
    KeptJobStore::Left claimLeftLists();
    // This window's jobs as they are on disk (also once stopped).
    QList<ConvertJob> storedJobs();

signals:
    void written(bool ok);

private:
    void schedule();
    void startWrite();
    // Runs the call on the database's thread and waits for it.
    void onStoreThread(const std::function<void()> &call);

    TakeChanges take;
    QThread thread;
    std::unique_ptr<QObject> storeContext; // lives on thread
    std::unique_ptr<KeptJobStore> store;   // made, used and destroyed on thread
    QList<KeptJobStore::Row> drops;
    QTimer delay;
    QElapsedTimer sinceLastWrite;
    bool dirty = false;
    bool writing = false;
    bool stopped = false;
};
