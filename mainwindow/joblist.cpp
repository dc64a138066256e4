// Jobs entering and leaving the list: file dialog, folders, joiners, drops, removal.
#include "mainwindow/cquillmora.h"

#include "app/apptitle.h"
#include "app/formats.h"
#include "app/mediafiles.h"
#include "app/outputfolder.h"
#include "mainwindow/jobtable.h"
#include "platform/userprompts.h"

#include <QDebug>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>

namespace {

// The longest the window spends on files before it answers again.
constexpr int AddSliceMs = 20;
// How many refused files one box names; the rest are counted.
constexpr int RefusedNamed = 10;

} // namespace

void CQuillmora::onOpen()
{
    const QString filter = mediaFileFilter(currentCategory);
    if (filter.isEmpty())
        return;
    const QStringList paths =
        userPrompts().openFiles(this, tr("Open the media files"), openFolder, filter);
    if (paths.isEmpty())
        return;
    openFolder = QFileInfo(paths.first()).absolutePath();

    if (currentCategory == VideoMerge || currentCategory == AudioMerge) {
        ConvertJob job = makeJob(currentFormatId, currentProfile);
        if (!addJoinRow(paths, job))
            userPrompts().warning(this, appTitle(), tr("Unsupported format in merge"));
        applyJobAddedState();
        return;
    }
    addFiles(FileBatch::chosen(paths, currentFormatId, currentProfile, outputFolder()));
}

void CQuillmora::onAddFolder()
{
    if (mediaFileFilter(currentCategory).isEmpty())
        return; // the GIF maker takes one clip of its own choosing
    const QString folder =
        userPrompts().chooseFolder(this, tr("Add the media files of a folder"), openFolder);
    if (folder.isEmpty())
        return;
    openFolder = folder;
    addFiles(FileBatch::folder(folder, currentFormatId, currentProfile, outputFolder()));
}

bool CQuillmora::addFileRow(const QString &path, ConvertJob &job)
{
    if (!formatInfo(job.formatId))
        return false;
    job.state = Ready;
    job.inputPath = path;
    job.outputPath = outputPathFor(outputFolder(), path, job.formatId);
    jobTable->appendJobs({job});
    return true;
}

bool CQuillmora::addJoinRow(const QStringList &paths, ConvertJob &job)
{
    if (!formatInfo(job.formatId))
        return false;
    job.state = Ready;
    job.outputPath = joinOutputPath(outputFolder(), job.profile.category);
    job.inputPath.clear();
    job.inputFiles = paths;
    qDebug().noquote() << QStringLiteral("file path : ") + joinerName(paths.size());
    jobTable->appendJobs({job});
    return true;
}

void CQuillmora::dragEnterEvent(QDragEnterEvent *event)
{
    event->acceptProposedAction();
}

void CQuillmora::dropEvent(QDropEvent *event)
{
    addFiles(FileBatch::dropped(event->mimeData()->urls(), outputFolder()));
}

void CQuillmora::sliceFileAdding()
{
    // A timer rather than a posted call, so that input, paint and other
    // timers come in between two slices.
    nextFileSlice.setSingleShot(true);
    nextFileSlice.setInterval(0);
    connect(&nextFileSlice, &QTimer::timeout, this, [this] { takePendingFiles(false); });
}

void CQuillmora::addFiles(FileBatch &&batch)
{
    batch.setKeepTree(keepFolderStructure);
    // From the walking thread: the batch goes on once the events before have had their turn.
    batch.setWalkEnded([this] {
        QMetaObject::invokeMethod(this, [this] { takePendingFiles(false); }, Qt::QueuedConnection);
    });
    pendingFiles.push_back(std::move(batch));
    if (pendingFiles.size() == 1)
        takePendingFiles(false);
}

void CQuillmora::takePendingFiles(bool toTheEnd)
{
    const QDeadlineTimer slice = toTheEnd ? QDeadlineTimer(QDeadlineTimer::Forever) : QDeadlineTimer(AddSliceMs);
    while (!pendingFiles.empty()) {
        pendingFiles.front().take(slice);
        if (!pendingFiles.front().isDone())
            break;
        FileBatch done = std::move(pendingFiles.front());
        pendingFiles.pop_front();
        finishAdding(done); // its box lets other events in
        if (slice.hasExpired())
            break;
    }
    if (!pendingFiles.empty() && !pendingFiles.front().isWaiting())
        nextFileSlice.start();
}

void CQuillmora::finishAdding(FileBatch &batch)
{
    if (batch.lastFormatId() >= 0) { // a drop chooses the format of its last file
        currentFormatId = batch.lastFormatId();
        currentCategory = defaultProfile(currentFormatId).category;
        selectProfileRow();
    }
    jobTable->appendJobs(std::move(batch.jobs()));
    const QStringList &refused = batch.refused();
    if (!refused.isEmpty()) {
        QString names = refused.mid(0, RefusedNamed).join(QLatin1Char('\n'));
        if (refused.size() > RefusedNamed)
            names += QLatin1Char('\n') + tr("and %n more", nullptr, int(refused.size()) - RefusedNamed);
        userPrompts().warning(this, tr("Failed to import Files"), names);
    }
    applyJobAddedState();
}

void CQuillmora::onRemove()
{
    const QList<int> rows = jobTable->selectedJobRows();
    for (auto row = rows.crbegin(); row != rows.crend(); ++row)
        jobTable->removeJob(*row);
    // While a row goes, the current row moves under an index of the old
    // table; Edit and Setting are judged again from the row current now.
    updateEditActions();
    if (queue.count() == 0)
        applyListEmptiedState();
}

void CQuillmora::onClearList()
{
    pendingFiles.clear();
    jobTable->clearJobs();
    applyListEmptiedState();
}

void CQuillmora::onSelectItem(int, int)
{
    updateEditActions();
}

void CQuillmora::onSelectTableWidget(int, int)
{
    // Never during a run, when the Setting action is disabled for every row:
    // the run would keep converting with the settings the row had. Otherwise
    // it opens what Setting opens, and the settings of an audio job too.
    if (!runControl->isBusy())
        onSettings();
}
