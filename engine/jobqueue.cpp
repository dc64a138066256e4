#include "engine/jobqueue.h"

#include <QMutexLocker>

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
    return true;
}

bool JobQueue::setState(int row, int state)
{
    QMutexLocker lock(&mutex);
    if (!isRowLocked(row))
        return false;
    jobs[row].state = state;
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
    }
    tellAppended();
}

void JobQueue::append(QList<ConvertJob> &&more)
{
    {
        QMutexLocker lock(&mutex);
        if (jobs.isEmpty())
            jobs = std::move(more);
        else
            jobs.append(std::move(more));
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
    return true;
}

void JobQueue::clear()
{
    QMutexLocker lock(&mutex);
    jobs.clear();
}

void JobQueue::assign(const QList<ConvertJob> &newJobs)
{
    QMutexLocker lock(&mutex);
    jobs = newJobs;
}
