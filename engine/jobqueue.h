#pragma once

#include "app/convertjob.h"

#include <QList>
#include <QMutex>

#include <functional>

// The job list: one ConvertJob per row of the job table, in the same order.
// The window writes it on the GUI thread while a conversion run reads rows on
// its own thread; every operation takes the one lock, and rows leave and
// enter as whole copies.
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

private:
    void tellAppended();

    bool isRowLocked(int row) const { return row >= 0 && row < jobs.size(); }

    mutable QMutex mutex;
    QList<ConvertJob> jobs;
    QMutex hookMutex; // guards appended, apart, so that the hook may read the list
    std::function<void()> appended;
};
