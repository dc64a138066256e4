#pragma once

#include "app/convertjob.h"
#include "app/joblistchanges.h"

#include <QList>
#include <QMutex>
#include <QSet>

#include <functional>

// The job list: one ConvertJob per row of the job table, in the same order.
// The window writes it on the GUI thread while a conversion run reads rows on
// its own thread; every operation takes the one lock, and rows leave and
// enter as whole copies.
//
// Each row has an id, given when it joins the list and kept for its life;
// rows join only at the end, so ids grow with the rows' order. The list
// notes which rows changed, so that its keeper writes those alone.
class JobQueue
{
public:
    int count() const;
    bool isRow(int row) const;

    // A copy of the row; a default job when the row does not exist.
    ConvertJob at(int row) const;
    QList<ConvertJob> all() const;

    // Whole-record writes; a row that does not exist is left alone (false).
    bool replace(int row, const ConvertJob &job);
    bool setState(int row, int state);
    bool setProgressBar(int row, QProgressBar *bar);
    bool setOutputPath(int row, const QString &path);

    // The state of the row, or -1 when there is no such row.
    int state(int row) const;

    void append(const ConvertJob &job);
    void append(QList<ConvertJob> &&more);
    bool removeAt(int row);
    void clear();
    void assign(const QList<ConvertJob> &jobs);

    // Called on the appending thread after each append, so that a run waiting
    // at the end of the list looks again; empty: none. Once this returns, an
    // earlier hook is no longer running.
    void setAppendedHook(std::function<void()> hook);

    // The rows added, changed and removed since the last call (the first
    // call: every row), and the changed rows as they are now. Costs the
    // changes, not the list.
    JobListChanges takeChanges();

private:
    void tellAppended();

    bool isRowLocked(int row) const { return row >= 0 && row < jobs.size(); }
    void appendIdsLocked(qsizetype count);
    void noteChangedLocked(int row);
    // Whether the row joined since the last takeChanges().
    bool isNewLocked(qint64 id) const { return firstNewId != 0 && id >= firstNewId; }

    mutable QMutex mutex;
    QList<ConvertJob> jobs;
    QMutex hookMutex; // guards appended, apart, so that the hook may read the list
    std::function<void()> appended;
    QList<qint64> ids; // of jobs, row by row: ascending
    qint64 nextId = 1;

    // Since the last takeChanges():
    bool cleared = false;
    qint64 firstNewId = 0; // rows from this id on joined meanwhile; 0: none did
    QSet<qint64> changed;  // older rows that changed
    QList<qint64> removed; // older rows that left
};
