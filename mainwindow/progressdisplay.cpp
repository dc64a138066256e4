// State texts and progress bars of the rows, driven by the conversion thread's signals.
#include "mainwindow/cquillmora.h"

#include "app/formats.h"
#include "engine/copiedstreams.h"

#include <QLabel>
#include <QProgressBar>
#include <QStatusBar>
#include <QTableWidget>

namespace {

constexpr int ProfileColumn = 2;
constexpr int OutputColumn = 3;

} // namespace

void CQuillmora::updateJobState(int row, int state)
{
    if (!queue.setState(row, state))
        return;
    saveJobList();
    if (QTableWidgetItem *item = jobTable->item(row, ProfileColumn)) {
        item->setText(profileColumnText(queue.at(row).formatId, state, runControl->isRunning()));
        if (state == Converting) // a new attempt: the last one's words go
            item->setToolTip(QString());
    }
    if (state == Succeeded || state == Failed) {
        listClock.finished(row);
        showListTimeLeft();
    }
}

void CQuillmora::showFailureReason(int row, const QString &reason)
{
    if (!queue.isRow(row))
        return;
    if (QTableWidgetItem *item = jobTable->item(row, ProfileColumn))
        item->setToolTip(reason);
}

void CQuillmora::showWrittenName(int row, const QString &path)
{
    if (!queue.isRow(row))
        return;
    if (QTableWidgetItem *item = jobTable->item(row, OutputColumn))
        item->setText(path);
}

void CQuillmora::showCopiedStreams(int row, const QString &streams)
{
    showFailureReason(row, copiedStreamsText(streams)); // the same place: the state's tooltip
}

void CQuillmora::insertProgressBar(int row)
{
    if (!queue.isRow(row))
        return;
    auto *bar = new QProgressBar(jobTable);
    bar->setTextVisible(true);
    bar->setRange(0, 100);
    bar->setValue(0);
    barClocks[row].restart();
    jobTable->setCellWidget(row, ProfileColumn, bar); // deletes a bar already there
    queue.setProgressBar(row, bar);
}

void CQuillmora::removeProgressBar(int row)
{
    if (!queue.isRow(row))
        return;
    jobTable->removeCellWidget(row, ProfileColumn);
    barClocks.remove(row);
    queue.setProgressBar(row, nullptr);
}

void CQuillmora::setProcValue(int row, int value)
{
    QProgressBar *bar = queue.at(row).progressBar;
    // The job's pointer is only trusted while the table still shows that very bar.
    if (!bar || jobTable->cellWidget(row, ProfileColumn) != bar)
        return;
    bar->setValue(value);
    const int secondsLeft = barClocks[row].secondsLeft(value);
    bar->setFormat(secondsLeft < 0 ? QStringLiteral("%p%")
                                   : tr("%p% · %1 left").arg(clockText(secondsLeft)));
    listClock.progress(row, value);
    showListTimeLeft();
}

void CQuillmora::createListTimeLeft()
{
    listTimeLeft = new QLabel(this);
    listTimeLeft->setObjectName(QStringLiteral("listTimeLeft"));
    statusBar()->addPermanentWidget(listTimeLeft);
}

void CQuillmora::showListTimeLeft()
{
    const int secondsLeft = listClock.secondsLeft();
    listTimeLeft->setText(secondsLeft < 0 ? QString() : tr("All jobs: %1 left").arg(clockText(secondsLeft)));
}
