#pragma once

#include "app/convertjob.h"

#include <QList>
#include <QString>

#include <memory>

// The jobs that were not converted yet, kept on disk while a window lives so
// that the next start can offer them back, also after a crash. Each window
// keeps its own list, "unfinished-jobs-<pid>-<n>.json", beside a lock file of
// the same name ending in ".lock" that the window holds (flock) for its life:
// a list whose lock nobody holds was left by a window that has ended. A plain
// "unfinished-jobs.json" was written by an older version and counts as left.

// <XDG data home>/quillmora
QString unfinishedJobsFolder();

// The jobs that still have to be converted (every state but Succeeded and UpToDate),
// set back to Ready and without their progress bars.
QList<ConvertJob> unfinishedOf(const QList<ConvertJob> &jobs);

// Writes the unfinished jobs of the list atomically (the file is replaced
// whole or not at all), one job at a time; with none, removes the file.
// False on a write error.
bool saveUnfinishedJobs(const QList<ConvertJob> &jobs, const QString &file);

// The jobs of the file that can still run (every input file still there);
// empty when there is no file or it cannot be read.
QList<ConvertJob> loadUnfinishedJobs(const QString &file);

// A window's own list: a free name in the folder, locked from the moment it
// is taken. The lock goes with the object (or the process); the list stays
// for the next start.
class OwnJobList
{
public:
    explicit OwnJobList(const QString &folder = unfinishedJobsFolder());
    ~OwnJobList();
    OwnJobList(const OwnJobList &) = delete;
    OwnJobList &operator=(const OwnJobList &) = delete;

    // Empty when the folder cannot be written.
    QString path() const { return listPath; }

private:
    QString listPath;
    QString lockPath;
    int lockFd = -1;
};

// The lists left by windows that have ended, claimed (locked) by this object
// so that no other window offers them too; the claims end with it.
class LeftJobLists
{
public:
    explicit LeftJobLists(const QString &folder = unfinishedJobsFolder());
    ~LeftJobLists();
    LeftJobLists(const LeftJobLists &) = delete;
    LeftJobLists &operator=(const LeftJobLists &) = delete;

    int count() const { return int(claimed.size()); }
    // The jobs of all claimed lists that can still run, list after list.
    QList<ConvertJob> jobs() const;
    // Removes the claimed lists (and their lock files).
    void remove();

private:
    struct Claim {
        QString list;
        QString lock; // the file held: the lock file, or the list itself when it has none
        int fd = -1;
    };
    QList<Claim> claimed;
};
