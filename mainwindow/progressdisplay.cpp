// State texts and progress bars of the rows, driven by the conversion thread's signals.
#include "mainwindow/cquillmora.h"

#include "engine/copiedstreams.h"
#include "mainwindow/jobtable.h"

void CQuillmora::updateJobState(int row, int state)
{
    jobTable->setState(row, state);
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

void CQuillmora::insertProgressBar(int row)
{
    if (!queue.isRow(row))
        return;
    barClock.restart();
    jobTable->startProgress(row);
}

void CQuillmora::removeProgressBar(int row)
{
    jobTable->endProgress(row);
}

void CQuillmora::setProcValue(int row, int value)
{
    if (!jobTable->progressBar(row))
        return;
    const int secondsLeft = barClock.secondsLeft(value);
    jobTable->setProgress(row, value,
                          secondsLeft < 0 ? QStringLiteral("%p%")
                                          : tr("%p% · %1 left").arg(clockText(secondsLeft)));
}
