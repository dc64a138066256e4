// State texts and progress bars of the rows, driven by the conversion thread's signals.
#include "mainwindow/cquillmora.h"

#include "engine/copiedstreams.h"
#include "mainwindow/jobtable.h"

#include <QLabel>
#include <QStatusBar>

void CQuillmora::updateJobState(int row, int state)
{
    if (!queue.isRow(row))
        return;
    jobTable->setState(row, state);
    if (state == UpToDate)
        listClock.skipped(row);
    else if (state == Succeeded || state == Failed)
        listClock.finished(row);
    if (jobIsDone(state) || state == Failed)
        showListTimeLeft();
}

void CQuillmora::showFailureReason(int row, const QString &reason)
{
    jobTable->setStateTip(row, reason);
}

void CQuillmora::showWrittenName(int row)
{
    jobTable->refreshRow(row); // the run wrote the name into the row's job
}

void CQuillmora::showCopiedStreams(int row, const QString &streams)
{
    jobTable->setStateTip(row, copiedStreamsText(streams));
}

void CQuillmora::showQualityCheck(int row, const QString &text)
{
    jobTable->addStateTipLine(row, text);
}

void CQuillmora::insertProgressBar(int row)
{
    if (!queue.isRow(row))
        return;
    barClocks[row].restart();
    jobTable->startProgress(row);
}

void CQuillmora::removeProgressBar(int row)
{
    barClocks.remove(row);
    jobTable->endProgress(row);
}

void CQuillmora::setProcValue(int row, int value)
{
    if (!jobTable->progressBar(row))
        return;
    const int secondsLeft = barClocks[row].secondsLeft(value);
    jobTable->setProgress(row, value,
                          secondsLeft < 0 ? QStringLiteral("%p%")
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
