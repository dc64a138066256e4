#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The jobs that were not converted yet, kept on disk while a window lives so
// that the next start can offer them back, also after a crash. They are kept
// in a database in this folder (KeptJobStore); older versions kept one JSON
// list per window, "unfinished-jobs-<pid>-<n>.json", beside a lock file of the
// same name ending in ".lock" that the window held (flock) for its life, or a
// plain "unfinished-jobs.json". Those are read here, once, into the database.

// <XDG data home>/quillmora
QString unfinishedJobsFolder();

// The JSON lists that windows of an older version left when they ended,
// claimed (locked) by this object so that no other window takes them too
// (a list whose lock a window of that version holds is still its own). The
// claims end with the object.
class OldJobLists
{
public:
    explicit OldJobLists(const QString &folder);
    ~OldJobLists();
    OldJobLists(const OldJobLists &) = delete;
    OldJobLists &operator=(const OldJobLists &) = delete;

    // The claimed lists' paths.
    QStringList files() const;
    // Removes the claimed list (and its lock file).
    void remove(const QString &file);
    // Moves a list that cannot be read to "<name>-unreadable.json" (or the
    // next free name) and returns where it is now; empty when it could not be moved.
    QString setAside(const QString &file);

private:
    struct Claim {
        QString list;
        QString lock; // the file held: the lock file, or the list itself when it has none
        int fd = -1;
    };
    const Claim *claimOf(const QString &file) const;

    QList<Claim> claimed;
};
