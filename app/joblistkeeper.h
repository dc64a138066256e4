#pragma once

#include "app/convertjob.h"

#include <QElapsedTimer>
#include <QList>
#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

#include <functional>

// Keeps a window's unfinished jobs on disk without holding the window up.
// Every change asks for a write; writes are made at most once a second, each
// of a snapshot of the list, on a thread of their own, so that a crash loses
// at most the last second of changes.
class JobListKeeper : public QObject
{
    Q_OBJECT

public:
    // The list as it is now, taken on the keeper's thread; cheap, as an
    // implicitly shared copy is.
    using Snapshot = std::function<QList<ConvertJob>()>;

    static constexpr int IntervalMs = 1000;

    JobListKeeper(Snapshot snapshot, const QString &file, QObject *parent = nullptr);
    // Waits for a write under way and writes what is still waiting.
    ~JobListKeeper() override;

    QString file() const { return path; }

    // The list changed.
    void requestWrite();
    // Waits for a write under way, then writes at once if anything changed
    // since; false when that write failed.
    bool writeNow();
    // Writes what is waiting, then nothing more: the file keeps the list as it is now.
    void stop();

    // Nothing waits to be written and nothing is being written.
    bool isIdle() const { return !dirty && !writing; }

signals:
    void written(bool ok);

private:
    void schedule();
    void startWrite();

    Snapshot snapshot;
    QString path;
    QThreadPool writer;
    QTimer delay;
    QElapsedTimer sinceLastWrite;
    bool dirty = false;
    bool writing = false;
    bool stopped = false;
};
