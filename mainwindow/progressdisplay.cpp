// State texts and progress bars of the rows, driven by the conversion thread's signals.
#include "mainwindow/cquillmora.h"

#include "app/formats.h"
#include "engine/copiedstreams.h"

#include <QProgressBar>
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
        if (state != Failed)
            item->setToolTip(QString());
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
    barClock.restart();
    jobTable->setCellWidget(row, ProfileColumn, bar); // deletes a bar already there
    queue.setProgressBar(row, bar);
}

void CQuillmora::removeProgressBar(int row)
{
    if (!queue.isRow(row))
        return;
    jobTable->removeCellWidget(row, ProfileColumn);
    queue.setProgressBar(row, nullptr);
}

void CQuillmora::setProcValue(int row, int value)
{
    QProgressBar *bar = queue.at(row).progressBar;
    // The job's pointer is only trusted while the table still shows that very bar.
    if (!bar || jobTable->cellWidget(row, ProfileColumn) != bar)
        return;
    bar->setValue(value);
    const int secondsLeft = barClock.secondsLeft(value);
    bar->setFormat(secondsLeft < 0 ? QStringLiteral("%p%")
                                   : tr("%p% · %1 left").arg(clockText(secondsLeft)));
}
