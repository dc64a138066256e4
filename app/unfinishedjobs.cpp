#include "app/unfinishedjobs.h"

#include "app/jobrecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

QString unfinishedJobsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/quillmora/unfinished-jobs.json");
}

QList<ConvertJob> unfinishedOf(const QList<ConvertJob> &jobs)
{
    QList<ConvertJob> unfinished;
    for (ConvertJob job : jobs) {
        if (job.state == Succeeded)
            continue;
        job.state = Ready;
        job.progressBar = nullptr;
        unfinished << job;
    }
    return unfinished;
}

bool saveUnfinishedJobs(const QList<ConvertJob> &jobs, const QString &file)
{
    const QList<ConvertJob> unfinished = unfinishedOf(jobs);
    if (unfinished.isEmpty())
        return !QFileInfo::exists(file) || QFile::remove(file);
    if (!QDir().mkpath(QFileInfo(file).path()))
        return false;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    out.write(jobListToJson(unfinished));
    return out.commit();
}

QList<ConvertJob> loadUnfinishedJobs(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QList<ConvertJob> runnable;
    const QList<ConvertJob> stored = jobListFromJson(in.readAll());
    for (const ConvertJob &job : stored) {
        bool inputsThere = true;
        for (const QString &input : job.inputFiles)
            inputsThere = inputsThere && QFileInfo(input).isFile();
        if (inputsThere)
            runnable << job;
    }
    return unfinishedOf(runnable);
}
