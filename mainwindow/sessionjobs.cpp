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

void CQuillmora::openFiles(const QStringList &paths)
{
    addFiles(FileBatch::opened(paths, outputFolder()));
}

void CQuillmora::openOwnJobList()
{
    ownJobList = std::make_unique<OwnJobList>();
    keeper = std::make_unique<JobListKeeper>([this] { return queue.all(); }, ownJobList->path(), this);
    connect(jobTable, &JobTable::jobsChanged, keeper.get(), &JobListKeeper::requestWrite);
}

void CQuillmora::keepJobListForNextStart()
{
    takePendingFiles(true); // what was dropped is kept too
    keeper->stop();
}

int CQuillmora::offerUnfinishedJobs()
{
    LeftJobLists left;
    QList<ConvertJob> unfinished = left.jobs();
    if (left.count() == 0)
        return 0;
    if (unfinished.isEmpty()) { // lists of jobs whose files have all gone
        left.remove();
        return 0;
    }
    const int count = int(unfinished.size());
    const QString question = count == 1 ? tr("Restore the unfinished job?")
                                        : tr("Restore the %1 unfinished jobs?").arg(count);
    if (!userPrompts().question(this, appTitle(), question)) {
        left.remove(); // No: these start afresh; live windows' lists are not among them
        return 0;
    }
    jobTable->appendJobs(std::move(unfinished));
    // The jobs are in this window's list on disk before the lists they came from go.
    if (keeper->writeNow())
        left.remove();
    applyJobAddedState();
    return count;
}
