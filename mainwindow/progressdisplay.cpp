// State texts and progress bars of the rows, driven by the conversion thread's signals.
#include "mainwindow/cquillmora.h"

#include "app/formats.h"

#include <QMutexLocker>
#include <QProgressBar>
#include <QTableWidget>

namespace {

constexpr int ProfileColumn = 2;

} // namespace

void CQuillmora::updateJobState(int row, int state)
{
    if (!isJobRow(row))
        return;
    int formatId = 0;
    {
        QMutexLocker lock(&jobsMutex);
        jobs[row].state = state;
        formatId = jobs[row].formatId;
    }
    saveJobList();
    if (QTableWidgetItem *item = jobTable->item(row, ProfileColumn))
        item->setText(profileColumnText(formatId, state, running));
}

void CQuillmora::insertProgressBar(int row)
{
    if (!isJobRow(row))
        return;
    auto *bar = new QProgressBar(jobTable);
    bar->setTextVisible(true);
    bar->setRange(0, 100);
    bar->setValue(0);
    jobTable->setCellWidget(row, ProfileColumn, bar); // deletes a bar already there
    QMutexLocker lock(&jobsMutex);
    jobs[row].progressBar = bar;
}

void CQuillmora::removeProgressBar(int row)
{
    if (!isJobRow(row))
        return;
    jobTable->removeCellWidget(row, ProfileColumn);
    QMutexLocker lock(&jobsMutex);
    jobs[row].progressBar = nullptr;
}

void CQuillmora::setProcValue(int row, int value)
{
    if (!isJobRow(row) || !jobs.at(row).progressBar)
        return;
    // The job's pointer is only trusted while the table still shows that very bar.
    if (jobTable->cellWidget(row, ProfileColumn) == jobs.at(row).progressBar)
        jobs.at(row).progressBar->setValue(value);
}
