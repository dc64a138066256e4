#pragma once

#include "app/convertjob.h"
#include "app/joblistchanges.h"

#include <QList>
#include <QSqlDatabase>
#include <QString>
#include <QStringList>

// The kept job lists of every window, in one SQLite database,
// "unfinished-jobs.db" in the folder (WAL mode, so that one window writes
// while others read). One row per job, holding its JSON (jobToJson); one row
// per list, holding the window that owns it: its process id and start time
// and the boot they belong to. A list whose owner is no longer running, or
// that a closing window let go, was left by a window that has ended.
//
// A window's store is used on one thread only (a Qt SQL connection's rule).
class KeptJobStore
{
public:
    static constexpr int SchemaVersion =
        1; // PRAGMA user_version of the database this version writes

    // Where a job of a list is kept.
    struct Row {
        qint64 list = 0;
        qint64 id = 0;
    };

    // What the lists of ended windows hold, claimed for this window.
    struct Left {
        QList<ConvertJob> jobs; // that can run now (every input there), set back to Ready, in order
        QList<Row> rows;        // where each of them is kept
        int keptBack =
            0; // kept for a later start: an input is not there, or this version cannot read the job
        // What was found wrong on the way; told by the first claim only.
        QString damagedSetAside; // the database could not be read: moved there, and a new one begun
        QString newerDatabase;   // a newer version's database: left untouched, nothing is kept
        QStringList
            listsSetAside; // older versions' lists that could not be read, where they are now
    };

    explicit KeptJobStore(const QString &folder);
    ~KeptJobStore();
    KeptJobStore(const KeptJobStore &) = delete;
    KeptJobStore &operator=(const KeptJobStore &) = delete;

    // Opens the database (made when there is none; set aside when it cannot
    // be read), brings in the lists that older versions left, and begins this
    // window's list. False when nothing can be kept.
    bool open();
    bool isOpen() const { return ownList != 0; }

    // Claims the lists of ended windows for this window, so that no other
    // window offers them too; they stay on disk until write() drops their rows.
    Left claimLeft();

    // In one transaction: this window's changes (succeeded jobs leave the
    // list), then the rows dropped from claimed lists (a claimed list left
    // empty goes). What fails stays queued and goes first in the next write:
    // true once everything queued is on disk.
    bool write(const JobListChanges &changes, const QList<Row> &dropped = {});

    // This window's jobs as they are on disk, in order.
    QList<ConvertJob> ownJobs();

    // Lets this window's lists go (an empty one is removed), for the next
    // start; nothing is written after, ownJobs() still reads.
    void release();

private:
    enum class Opened { Ready, Damaged, Newer, Failed };
    struct Write {
        JobListChanges changes;
        QList<Row> dropped;
    };

    Opened openDatabase();
    void close();
    QString setAside();
    void bringInOldLists();
    bool beginOwnList();
    bool apply(const Write &write, QList<qint64> &touched);
    bool exec(const QString &sql);
    bool commitOrRollBack(bool ok);

    QString folder;
    QString path;
    QString connection;
    QSqlDatabase db;
    qint64 ownList = 0;
    bool released = false;
    QList<qint64> claimed;
    QList<Write> unwritten;
    Left notices;
};
