#pragma once

#include "app/convertjob.h"
#include "platform/progressshare.h"

#include <QMutex>
#include <QProcessEnvironment>
#include <QString>

#include <atomic>
#include <memory>

class JobQueue;
class ToolProcess;
struct ConversionPass;

// What a run reports and asks. The calls come from the run's thread, and
// progress() also from the pass's poller thread, but never two at once and in
// the order described; a client with widgets hands them to its GUI thread
// (queued), and answers the question there while the run waits.
class RunObserver
{
public:
    virtual ~RunObserver() = default;

    // A pass of the row begins: its bar appears, then the row is Converting.
    virtual void passStarted(int row) = 0;
    // The pass's percentage, cut at 100; after the pass's final 100 nothing more comes.
    virtual void progress(int row, int percent) = 0;
    // A JobState of the row: Converting at the start of each pass, then once
    // the row's end, Failed or Succeeded, at the end of its last pass. The
    // parts of a join leave it Converting; the join is Succeeded only when its
    // join pass wrote the file, and a Stop before that pass ends it Failed,
    // after its last pass.
    virtual void stateChanged(int row, int state) = 0;
    // Why the row failed, in the tool's own words (its last error lines);
    // comes just before the row's Failed.
    virtual void failureReason(int row, const QString &reason) = 0;
    // The row's file was written under another name than the one the row
    // shows (the user kept the old file, the name was taken meanwhile, or it
    // was the job's own input); comes before the row's Succeeded.
    virtual void outputRenamed(int row, const QString &writtenPath) = 0;
    // The pass is over and its bar goes.
    virtual void passEnded(int row) = 0;
    // After Succeeded: the tool copied these streams ("video", "audio" or
    // "video,audio") instead of encoding them again.
    virtual void streamsCopied(int row, const QString &streams) = 0;

    // The output exists: true to overwrite it, false to write a "_1", "_2", ... name.
    // Not asked when the output is the job's own input: that is never replaced.
    virtual bool confirmOverwrite(int row, const QString &outputPath) = 0;
};

// Where the tools are and what they inherit.
struct RunSettings {
    QString toolsFolder;                  // holds "transcoder" and "imageconvert/convert"
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString progressBlock;                // the tools' progress block (QUILLMORA_PROGRESS_BLOCK);
                                          // empty: the per-user one
    QString convertBlock;                 // the image converter's block, only cleared; empty: per-user
    int pollIntervalMs = 100;
    int passPauseMs = 100;                // the two pauses at the end of a pass
    int stopGraceMs = 2000;               // a stopped tool is killed after this
    bool keepSourceDates = false;         // each output takes its source's modification
                                          // time (a join's: its first part's)
};

// How many rows of a run ended in each way.
struct RunTotals {
    int succeeded = 0;
    int failed = 0;   // stopped rows included
};

// One run over the job list, row after row, re-reading the row count after
// every row so that jobs added meanwhile are reached. Knows no widget.
// Besides telling the observer, the run writes each state it reports, and a
// name it wrote instead of the row's, into the row's record, so that a
// finished row is skipped by the next run.
class ConversionRun
{
public:
    ConversionRun(JobQueue &jobs, RunObserver &observer, RunSettings settings);
    ~ConversionRun();

    // The whole run, on the calling thread; returns after the last row.
    void run();

    // From any thread: no further pass starts, the running tool is asked to
    // end and killed after the grace time.
    void stop();
    bool isStopped() const;

    // The rows this run finished so far.
    RunTotals totals() const;

private:
    struct PassOutcome;

    void runRow(int row);
    PassOutcome runJoin(int row, const ConvertJob &job, bool replaceExisting);
    PassOutcome runPass(int row, const ConvertJob &job, const ConversionPass &pass,
                        const QString &setupError = QString(), const QString &earlierFailure = QString(),
                        const QString &partsCopied = QString());
    // The row's job is over: the name it wrote, or why it failed, then its state.
    void reportEnd(int row, const PassOutcome &outcome);
    PassOutcome runTool(const ConvertJob &job, const ConversionPass &pass);
    void reportState(int row, int state);
    void pause() const;

    JobQueue &jobs;
    RunObserver &observer;
    const RunSettings settings;
    QProcessEnvironment toolEnvironment;

    std::atomic<bool> stopped{false};
    QMutex processLock;               // guards currentProcess
    ToolProcess *currentProcess = nullptr;
    QMutex observerLock;              // one observer call at a time
    ProgressShare progressBlock;
    ProgressShare convertBlock;
    std::atomic<int> succeededRows{0};
    std::atomic<int> failedRows{0};
};
