#include "engine/jobqueue.h"

#include <QMutexLocker>

#include <algorithm>

int JobQueue::count() const
{
    QMutexLocker lock(&mutex);
    return jobs.size();
}

bool JobQueue::isRow(int row) const
{
    QMutexLocker lock(&mutex);
    return isRowLocked(row);
}

ConvertJob JobQueue::at(int row) const
{
    QMutexLocker lock(&mutex);
    return isRowLocked(row) ? jobs.at(row) : ConvertJob();
}

QList<ConvertJob> JobQueue::all() const
{
    QMutexLocker lock(&mutex);
    return jobs;
}

bool JobQueue::replace(int row, const ConvertJob &job)
{
    QMutexLocker lock(&mutex);
    if (!isRowLocked(row))
        return false;
    jobs[row] = job;
    noteChangedLocked(row);
    return true;
}

bool JobQueue::setState(int row, int state)
{
    QMutexLocker lock(&mutex);
    if (!isRowLocked(row))
        return false;
    jobs[row].state = state;
    noteChangedLocked(row);
    return true;
}

bool JobQueue::setProgressBar(int row, QProgressBar *bar)
{
    QMutexLocker lock(&mutex);
    if (!isRowLocked(row))
        return false;
    jobs[row].progressBar = bar;
    return true;
}

bool JobQueue::setOutputPath(int row, const QString &path)
{
    QMutexLocker lock(&mutex);
    if (!isRowLocked(row))
        return false;
    jobs[row].outputPath = path;
    noteChangedLocked(row);
    return true;
}

int JobQueue::state(int row) const
{
    QMutexLocker lock(&mutex);
    return isRowLocked(row) ? jobs.at(row).state : -1;
}

void JobQueue::append(const ConvertJob &job)
{
    {
        QMutexLocker lock(&mutex);
        jobs.append(job);
        appendIdsLocked(1);
    }
    tellAppended();
}

void JobQueue::append(QList<ConvertJob> &&more)
{
    {
        QMutexLocker lock(&mutex);
        const qsizetype count = more.size();
        if (jobs.isEmpty())
            jobs = std::move(more);
        else
            jobs.append(std::move(more));
        appendIdsLocked(count);
    }
    tellAppended();
}

void JobQueue::setAppendedHook(std::function<void()> hook)
{
    QMutexLocker lock(&hookMutex);
    appended = std::move(hook);
}

void JobQueue::tellAppended()
{
    QMutexLocker lock(&hookMutex);
    if (appended)
        appended();
}

bool JobQueue::removeAt(int row)
{
    QMutexLocker lock(&mutex);
    if (!isRowLocked(row))
        return false;
    jobs.removeAt(row);
    const qint64 id = ids.takeAt(row);
    if (!isNewLocked(id)) {
        changed.remove(id);
        removed << id;
    }
    return true;
}

void JobQueue::clear()
{
    QMutexLocker lock(&mutex);
    jobs.clear();
    ids.clear();
    cleared = true;
    firstNewId = 0;
    changed.clear();
    removed.clear();
}

void JobQueue::assign(const QList<ConvertJob> &newJobs)
{
    clear();
    QMutexLocker lock(&mutex);
    jobs = newJobs;
    appendIdsLocked(jobs.size());
}

JobListChanges JobQueue::takeChanges()
{
    QMutexLocker lock(&mutex);
    JobListChanges changes;
    changes.cleared = cleared;
    changes.removed = std::move(removed);
    const auto rowOf = [this](qint64 id) {
        return std::lower_bound(ids.cbegin(), ids.cend(), id) - ids.cbegin();
    };
    const qsizetype firstNewRow = firstNewId != 0 ? rowOf(firstNewId) : ids.size();
    // The rows that joined are the list's tail: shared with the list, not copied, when alone.
    changes.ids = ids.mid(firstNewRow);
    changes.jobs = jobs.mid(firstNewRow);
    for (const qint64 id : std::as_const(changed)) {
        changes.ids << id;
        changes.jobs << jobs.at(rowOf(id));
    }
    cleared = false;
    firstNewId = 0;
    changed.clear();
    removed.clear();
    return changes;
}

void JobQueue::appendIdsLocked(qsizetype count)
{
    if (count > 0 && firstNewId == 0)
        firstNewId = nextId;
    for (qsizetype i = 0; i < count; ++i)
        ids << nextId++;
}

void JobQueue::noteChangedLocked(int row)
{
    const qint64 id = ids.at(row);
    if (!isNewLocked(id))
        changed.insert(id);
}
