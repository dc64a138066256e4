// Jobs entering and leaving the list: file dialog, joiners, drops, removal.
#include "mainwindow/cquillmora.h"

#include "app/apptitle.h"
#include "app/formats.h"
#include "app/mediafiles.h"
#include "app/outputfolder.h"
#include "platform/userprompts.h"

#include <QDebug>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QItemSelectionModel>
#include <QMimeData>
#include <QTableWidget>
#include <QUrl>

#include <algorithm>

namespace {

constexpr int RowHeight = 18;

QTableWidgetItem *readOnlyItem(const QString &text, Qt::Alignment alignment)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setTextAlignment(alignment);
    return item;
}

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
        if (addJoinRow(paths, job))
            appendJob(job);
        else
            userPrompts().warning(this, appTitle(), tr("Unsupported format in merge"));
    } else {
        for (const QString &path : paths)
            addSingleFileJob(path);
    }
    applyJobAddedState();
}

void CQuillmora::addSingleFileJob(const QString &path)
{
    ConvertJob job = makeJob(currentFormatId, currentProfile);
    job.inputFiles << path;
    if (addFileRow(path, job))
        appendJob(job);
    else
        userPrompts().warning(this, appTitle(), tr("Unsupported format : ") + path);
}

bool CQuillmora::addFileRow(const QString &path, ConvertJob &job)
{
    if (!jobTable || !formatInfo(job.formatId))
        return false;
    job.state = Ready;
    job.inputPath = path;
    job.outputPath = outputPathFor(outputFolder(), path, job.formatId);
    appendRow(job, path, tr("%1 KB").arg(kilobytesOf(QFileInfo(path).size())));
    return true;
}

bool CQuillmora::addJoinRow(const QStringList &paths, ConvertJob &job)
{
    if (!jobTable || !formatInfo(job.formatId))
        return false;
    job.state = Ready;
    job.outputPath = joinOutputPath(outputFolder(), job.profile.category);
    job.inputPath.clear();
    job.inputFiles = paths;
    const QString countText = QString::number(paths.size()) + QStringLiteral("Files");
    qDebug().noquote() << QStringLiteral("file path : ") + countText;
    appendRow(job, countText, tr(" "));
    return true;
}

void CQuillmora::appendRow(const ConvertJob &job, const QString &nameText, const QString &sizeText)
{
    const int row = jobTable->rowCount();
    jobTable->insertRow(row);
    jobTable->setRowHeight(row, RowHeight);
    jobTable->setItem(row, 0, readOnlyItem(nameText, Qt::AlignLeft | Qt::AlignVCenter));
    jobTable->setItem(row, 1, readOnlyItem(sizeText, Qt::AlignRight | Qt::AlignVCenter));
    jobTable->setItem(row, 2, readOnlyItem(profileColumnText(job.formatId, job.state, runControl->isRunning()),
                                           Qt::AlignCenter));
    jobTable->setItem(row, 3, readOnlyItem(job.outputPath, Qt::AlignLeft | Qt::AlignVCenter));
}

void CQuillmora::appendJob(const ConvertJob &job)
{
    queue.append(job);
    saveJobList();
    if (runControl && runControl->isBusy())
        listClock.jobAdded(); // the run reaches it too
}

void CQuillmora::dragEnterEvent(QDragEnterEvent *event)
{
    event->acceptProposedAction();
}

void CQuillmora::dropEvent(QDropEvent *event)
{
    const QList<QUrl> urls = event->mimeData()->urls();
    for (const QUrl &url : urls) {
        const QString path = url.toLocalFile();
        if (!path.isEmpty())
            addDroppedFile(path);
    }
}

bool CQuillmora::addDroppedFile(const QString &path)
{
    switch (classifyFile(path)) {
    case VideoFile:
        currentCategory = Video;
        currentFormatId = FormatMP4;
        break;
    case AudioFile:
        currentCategory = Audio;
        currentFormatId = FormatMP3;
        break;
    case ImageFile:
        currentCategory = Image;
        currentFormatId = FormatPNG;
        break;
    default:
        userPrompts().warning(this, tr("Failed to import Files"), path);
        return false;
    }
    selectProfileRow();
    addSingleFileJob(path);
    applyJobAddedState();
    return true;
}

void CQuillmora::onRemove()
{
    if (!jobTable)
        return;
    QList<int> rows;
    const QModelIndexList selected = jobTable->selectionModel()->selectedIndexes();
    for (const QModelIndex &index : selected) {
        if (!rows.contains(index.row()))
            rows << index.row();
    }
    std::sort(rows.begin(), rows.end(), std::greater<int>());
    for (int row : std::as_const(rows))
        removeRow(row);
    // While a table row goes, the current row moves under an index of the old
    // table; Edit and Setting are judged again from the row current now.
    updateEditActions();
    if (queue.count() == 0)
        applyListEmptiedState();
}

void CQuillmora::removeRow(int row)
{
    queue.removeAt(row);
    jobTable->removeRow(row);
    saveJobList();
}

void CQuillmora::onClearList()
{
    queue.clear();
    if (jobTable) {
        for (int row = jobTable->rowCount() - 1; row >= 0; --row) {
            jobTable->removeCellWidget(row, 2);
            jobTable->removeRow(row);
        }
    }
    saveJobList();
    applyListEmptiedState();
}

void CQuillmora::onSelectItem(int, int)
{
    updateEditActions();
}

void CQuillmora::onSelectTableWidget(int, int)
{
    onSettings();
}
