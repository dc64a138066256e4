// Jobs that come from outside the window's own buttons: the command line,
// "Open With", and the unfinished jobs that closed or dead windows left; and
// this window's own kept list.
#include "mainwindow/cquillmora.h"

#include "app/apptitle.h"
#include "app/joblistkeeper.h"
#include "app/outputfolder.h"
#include "app/unfinishedjobs.h"
#include "mainwindow/jobtable.h"
#include "platform/userprompts.h"

#include <QTimer>

void CQuillmora::openFiles(const QStringList &paths)
{
    addFiles(FileBatch::opened(paths, outputFolder()));
}

void CQuillmora::startSession(const QStringList &files)
{
    QTimer::singleShot(0, this, [this, files] {
        offerUnfinishedJobs();
        if (!sessionEnded)
            openFiles(files);
    });
}

void CQuillmora::openOwnJobList()
{
    keeper = std::make_unique<JobListKeeper>([this] { return queue.takeChanges(); },
                                             unfinishedJobsFolder(), this);
    connect(jobTable, &JobTable::jobsChanged, keeper.get(), &JobListKeeper::requestWrite);
}

void CQuillmora::keepJobListForNextStart()
{
    takePendingFiles(true); // what was dropped is kept too
    keeper->stop();
}

void CQuillmora::tellAboutKeptLists(const KeptJobStore::Left &left)
{
    QStringList told;
    if (!left.damagedSetAside.isEmpty())
        told
            << tr("The kept lists of unfinished jobs could not be read. They were set aside as %1, "
                  "and the window starts with an empty list.")
                   .arg(left.damagedSetAside);
    if (!left.newerDatabase.isEmpty())
        told << tr("The kept lists of unfinished jobs in %1 were written by a newer version of "
                   "Quillmora and are left as they are. This window starts with an empty list, and "
                   "its jobs are not kept for the next start.")
                    .arg(left.newerDatabase);
    for (const QString &list : left.listsSetAside)
        told << tr("A kept list of unfinished jobs could not be read. It was set aside as %1.")
                    .arg(list);
    if (!told.isEmpty())
        userPrompts().warning(this, appTitle(), told.join(QStringLiteral("\n\n")));
}

int CQuillmora::offerUnfinishedJobs()
{
    KeptJobStore::Left left = keeper->claimLeftLists();
    tellAboutKeptLists(left);
    if (left.jobs.isEmpty() || sessionEnded)
        return 0; // jobs kept back stay for a later start
    const int count = int(left.jobs.size());
    QString question = count == 1 ? tr("Restore the unfinished job?")
                                  : tr("Restore the %1 unfinished jobs?").arg(count);
    if (left.keptBack == 1)
        question += QStringLiteral("\n\n")
                    + tr("One more job stays kept for a later start: a file of it is "
                         "not there now, or this version cannot read it.");
    else if (left.keptBack > 1)
        question += QStringLiteral("\n\n")
                    + tr("%1 more jobs stay kept for a later start: files of them are "
                         "not there now, or this version cannot read them.")
                          .arg(left.keptBack);
    const bool restore = userPrompts().question(this, appTitle(), question);
    if (sessionEnded)
        return 0; // a signal ended the session while the question was up: no answer was given
    // The rows they were kept in go with the write that keeps them in this
    // window's list (Yes), or start afresh (No); live windows' lists are not among them.
    keeper->dropWithNextWrite(left.rows);
    if (!restore) {
        keeper->requestWrite();
        return 0;
    }
    jobTable->appendJobs(std::move(left.jobs));
    applyJobAddedState();
    return count;
}
