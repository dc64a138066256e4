#include "tests/engine/runrecorder.h"

#include "tests/support/processes.h"

#include <QMutexLocker>

void RunRecorder::passStarted(int row)
{
    add(QStringLiteral("start %1").arg(row));
}

void RunRecorder::progress(int row, int percent)
{
    add(QStringLiteral("progress %1 %2").arg(row).arg(percent));
}

void RunRecorder::stateChanged(int row, int state)
{
    add(QStringLiteral("state %1 %2").arg(row).arg(state));
}

void RunRecorder::failureReason(int row, const QString &reason)
{
    {
        QMutexLocker lock(&mutex);
        reasons[row] = reason;
    }
    add(QStringLiteral("reason %1").arg(row));
}

void RunRecorder::outputRenamed(int row, const QString &writtenPath)
{
    add(QStringLiteral("renamed %1 %2").arg(row).arg(writtenPath));
}

void RunRecorder::passEnded(int row)
{
    add(QStringLiteral("end %1").arg(row));
}

void RunRecorder::streamsCopied(int row, const QString &streams)
{
    add(QStringLiteral("copied %1 %2").arg(row).arg(streams));
}

bool RunRecorder::confirmOverwrite(int row, const QString &outputPath)
{
    bool yes = false;
    {
        QMutexLocker lock(&mutex);
        asked << outputPath;
        yes = !answers.isEmpty() && answers.takeFirst();
    }
    add(QStringLiteral("ask %1").arg(row));
    return yes;
}

QStringList RunRecorder::events() const
{
    QMutexLocker lock(&mutex);
    return lines;
}

QStringList RunRecorder::eventsOf(int row) const
{
    QStringList own;
    for (const QString &line : events()) {
        if (line.section(u' ', 1, 1).toInt() == row)
            own << line;
    }
    return own;
}

QString RunRecorder::reason(int row) const
{
    QMutexLocker lock(&mutex);
    return reasons.value(row);
}

QStringList RunRecorder::askedPaths() const
{
    QMutexLocker lock(&mutex);
    return asked;
}

QString RunRecorder::bracketingFault() const
{
    // The rows of several jobs at once interleave; each row's own lines must form passes.
    QHash<int, QString> lastInPass; // of the rows with a pass open
    for (const QString &line : events()) {
        const QString kind = line.section(u' ', 0, 0);
        const int row = line.section(u' ', 1, 1).toInt();
        const bool open = lastInPass.contains(row);
        if (kind == QLatin1String("start")) {
            if (open)
                return QStringLiteral("a pass starts inside another: ") + line;
            lastInPass.insert(row, QString());
        } else if (kind == QLatin1String("end")) {
            if (!open)
                return QStringLiteral("an end without its start: ") + line;
            if (lastInPass.value(row) != QStringLiteral("progress %1 100").arg(row))
                return QStringLiteral("a pass ends after \"%1\", not its 100").arg(lastInPass.value(row));
            lastInPass.remove(row);
        } else if (!open && (line == QStringLiteral("state %1 2").arg(row) || kind == QLatin1String("reason"))) {
            // A Stop between the passes of a join ends its row here.
        } else if (kind != QLatin1String("ask")) {
            if (!open)
                return QStringLiteral("outside a pass: ") + line;
            lastInPass[row] = line;
        }
    }
    return lastInPass.isEmpty() ? QString() : QStringLiteral("a pass never ends");
}

void RunRecorder::add(const QString &event)
{
    {
        QMutexLocker lock(&mutex);
        lines << event;
    }
    if (onEvent)
        onEvent(event);
}

ConvertJob jobFor(int formatId, const QStringList &inputs, const QString &output)
{
    ConvertJob job = makeJob(formatId, defaultProfile(formatId));
    if (inputs.size() == 1)
        job.inputPath = inputs.first();
    job.inputFiles = inputs;
    job.outputPath = output;
    return job;
}

QStringList processesUsing(const QString &block)
{
    // The run's other blocks are named after its first: "<block>-1", ...
    const QByteArray marker = "QUILLMORA_PROGRESS_BLOCK=" + block.toUtf8();
    return testsupport::processesWhere([&](const QByteArray &environment) {
        return environment.contains(marker + '\0') || environment.contains(marker + '-');
    });
}
