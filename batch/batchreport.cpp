#include "batch/batchreport.h"

#include "batch/batchplan.h"
#include "engine/copiedstreams.h"
#include "engine/timeleft.h"

#include <QMutexLocker>

#include <algorithm>

BatchReport::BatchReport(const QList<ConvertJob> &jobs, bool overwriteOutputs, std::FILE *output,
                         std::FILE *errors, bool onTerminal)
    : overwrite(overwriteOutputs), out(output), err(errors), terminal(onTerminal)
{
    for (const ConvertJob &job : jobs)
        rows.append({job, Ready, QString(), QString()});
}

QString BatchReport::progressText(int percent, qint64 elapsedMs)
{
    const QString done = QStringLiteral("%1%").arg(percent, 3);
    const int secondsLeft = estimateSecondsLeft({0, 0}, {elapsedMs, percent});
    if (secondsLeft < 0)
        return done;
    return done + QStringLiteral("  ") + tr("%1 left").arg(clockText(secondsLeft));
}

QString BatchReport::prefix(int row) const
{
    return QStringLiteral("[%1/%2] %3").arg(row + 1).arg(rows.size()).arg(batchJobName(rows[row].job));
}

void BatchReport::write(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

void BatchReport::passStarted(int row)
{
    QMutexLocker lock(&mutex);
    if (row < 0 || row >= rows.size())
        return;
    runningRows.removeOne(row);
    runningRows.append(row);
    passClocks[row].start();
    if (terminal)
        drawProgress(row, 0);
}

void BatchReport::drawProgress(int row, int percent)
{
    const QString line = prefix(row) + QStringLiteral("  ") + progressText(percent, passClocks[row].elapsed());
    if (lineDrawn && line == drawnLine)
        return; // the poller reports ten times a second; the terminal needs no more than changes
    write(out, QStringLiteral("\r\033[K") + line);
    drawnLine = line;
    lineDrawn = true;
}

void BatchReport::clearProgress()
{
    if (lineDrawn)
        write(out, QStringLiteral("\r\033[K"));
    lineDrawn = false;
}

void BatchReport::progress(int row, int percent)
{
    QMutexLocker lock(&mutex);
    if (terminal && !runningRows.isEmpty() && row == runningRows.last())
        drawProgress(row, percent);
}

void BatchReport::stateChanged(int row, int state)
{
    QMutexLocker lock(&mutex);
    if (row < 0 || row >= rows.size())
        return;
    rows[row].state = state;
    // A join's parts leave it Converting; any other state is the job's last
    // word, an up-to-date job's its only one.
    if ((state != Converting && runningRows.removeOne(row)) || state == UpToDate)
        endLine(row);
}

void BatchReport::failureReason(int row, const QString &reason)
{
    QMutexLocker lock(&mutex);
    if (row >= 0 && row < rows.size())
        rows[row].reason = reason.trimmed();
}

void BatchReport::outputRenamed(int row, const QString &writtenPath)
{
    QMutexLocker lock(&mutex);
    if (row >= 0 && row < rows.size())
        rows[row].writtenPath = writtenPath;
}

void BatchReport::passEnded(int)
{
}

void BatchReport::streamsCopied(int row, const QString &streams)
{
    QMutexLocker lock(&mutex);
    if (row >= 0 && row < rows.size())
        rows[row].copiedStreams = streams;
}

void BatchReport::qualityChecked(int row, const QString &text)
{
    QMutexLocker lock(&mutex);
    if (row >= 0 && row < rows.size())
        rows[row].quality = text;
}

bool BatchReport::confirmOverwrite(int, const QString &)
{
    // The run never asks about a name that one of its own jobs writes.
    return overwrite;
}

void BatchReport::endLine(int row)
{
    clearProgress();
    const Row &entry = rows[row];
    if (entry.state == UpToDate) {
        write(out, prefix(row) + QStringLiteral(": ") + tr("up to date") + QLatin1Char('\n'));
        return;
    }
    if (entry.state == Succeeded) {
        QStringList notes{copiedStreamsText(entry.copiedStreams), entry.quality};
        notes.removeAll(QString());
        QString done = entry.writtenPath.isEmpty() ? tr("done") : tr("done as %1").arg(entry.writtenPath);
        if (!notes.isEmpty())
            done += QStringLiteral(" (") + notes.join(QStringLiteral("; ")) + u')';
        write(out, prefix(row) + QStringLiteral(": ") + done + QLatin1Char('\n'));
        return;
    }
    QString text = prefix(row) + QStringLiteral(": ")
                   + (entry.state == Failed ? tr("failed") : tr("stopped"));
    if (!entry.reason.isEmpty())
        text += QStringLiteral(": ") + QString(entry.reason).replace('\n', QStringLiteral("\n    "));
    write(err, text + QLatin1Char('\n'));
}

void BatchReport::finish()
{
    QMutexLocker lock(&mutex);
    clearProgress();
}

void BatchReport::message(const QString &text, bool error)
{
    QMutexLocker lock(&mutex);
    clearProgress();
    write(error ? err : out, text + QLatin1Char('\n'));
}

int BatchReport::succeededLocked() const
{
    int count = 0;
    for (const Row &row : rows)
        count += jobIsDone(row.state);
    return count;
}

int BatchReport::succeeded() const
{
    QMutexLocker lock(&mutex);
    return succeededLocked();
}

int BatchReport::upToDate() const
{
    QMutexLocker lock(&mutex);
    return int(std::count_if(rows.cbegin(), rows.cend(), [](const Row &row) { return row.state == UpToDate; }));
}

int BatchReport::failed() const
{
    QMutexLocker lock(&mutex);
    return int(rows.size()) - succeededLocked();
}
