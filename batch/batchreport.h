#pragma once

#include "app/convertjob.h"
#include "engine/conversionrun.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <QMutex>
#include <QString>

#include <cstdio>

// What a --convert run prints: one line per job as it ends, in the order the
// jobs end (several may run at once), with the streams copied and the
// quality check's figures after a job that succeeded; on a terminal, below them, a line that
// shows the percentage and time left of the job started last. Failures go to
// standard error with the tool's reason. Also answers the run's question
// about existing outputs.
class BatchReport : public RunObserver
{
    Q_DECLARE_TR_FUNCTIONS(BatchReport)

public:
    BatchReport(const QList<ConvertJob> &jobs, bool overwrite, std::FILE *out, std::FILE *err,
                bool terminal);

    void passStarted(int row) override;
    void progress(int row, int percent) override;
    void stateChanged(int row, int state) override;
    void failureReason(int row, const QString &reason) override;
    void outputRenamed(int row, const QString &writtenPath) override;
    void passEnded(int row) override;
    void streamsCopied(int row, const QString &streams) override;
    void qualityChecked(int row, const QString &text) override;
    bool confirmOverwrite(int row, const QString &outputPath) override;

    // Clears the progress line; call after the run.
    void finish();
    // A line of its own between the jobs' lines (a refused input, a stop).
    void message(const QString &text, bool error);

    int succeeded() const; // up-to-date jobs included
    int upToDate() const;
    int failed() const; // also the stopped and the never started jobs

    // "42%  0:37 left"; the time only once there is something to go on.
    static QString progressText(int percent, qint64 elapsedMs);

private:
    struct Row {
        ConvertJob job;
        int state = Ready;
        QString reason;
        QString writtenPath; // when not the job's own output name
        QString copiedStreams;
        QString quality; // what the quality check found
    };

    QString prefix(int row) const;
    int succeededLocked() const;
    void drawProgress(int row, int percent);
    void clearProgress();
    void endLine(int row);
    void write(std::FILE *stream, const QString &text);

    QList<Row> rows;
    bool overwrite;
    std::FILE *out;
    std::FILE *err;
    bool terminal;
    QList<int> runningRows;  // in the order their passes started
    QHash<int, QElapsedTimer> passClocks;
    bool lineDrawn = false;  // a progress line is on the terminal
    QString drawnLine;
    mutable QMutex mutex;
};
