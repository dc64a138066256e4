// Jobs that come from outside the window's own buttons: the command line,
// "Open With", and the unfinished jobs of the last session.
#include "mainwindow/cquillmora.h"

#include "app/apptitle.h"
#include "app/mediafiles.h"
#include "app/unfinishedjobs.h"
#include "platform/userprompts.h"

#include <QFileInfo>

void CQuillmora::openFiles(const QStringList &paths)
{
    for (const QString &path : paths)
        addDroppedFile(path);
}

void CQuillmora::saveJobList()
{
    if (!jobListSaving)
        return;
    saveUnfinishedJobs(queue.all(), unfinishedJobsFile());
}

int CQuillmora::offerUnfinishedJobs()
{
    const QList<ConvertJob> unfinished = loadUnfinishedJobs(unfinishedJobsFile());
    if (unfinished.isEmpty() || !jobTable)
        return 0;
    const QString question = unfinished.size() == 1
                                 ? tr("Restore the unfinished job?")
                                 : tr("Restore the %1 unfinished jobs?").arg(unfinished.size());
    if (!userPrompts().question(this, appTitle(), question)) {
        saveJobList(); // No: this session starts afresh, and so will the next
        return 0;
    }
    for (const ConvertJob &job : unfinished) {
        if (job.inputFiles.size() >= 2)
            appendRow(job, QString::number(job.inputFiles.size()) + QStringLiteral("Files"), tr(" "));
        else
            appendRow(job, job.inputPath,
                      tr("%1 KB").arg(kilobytesOf(QFileInfo(job.inputPath).size())));
        appendJob(job);
    }
    applyJobAddedState();
    return int(unfinished.size());
}
