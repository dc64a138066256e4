#pragma once

#include "app/convertjob.h"
#include "engine/jobslots.h"
#include "engine/outputnames.h"
#include "platform/progressshare.h"

#include <QMutex>
#include <QProcessEnvironment>
#include <QSet>
#include <QString>
#include <QStringList>

#include <atomic>
#include <memory>
#include <vector>

class JobQueue;
class ToolProcess;
struct ConversionPass;

// What a run reports and asks. The calls about a row come from the thread
// that converts it and from its pass's poller, one at a time and in the order
// described; with several jobs at once the rows' calls interleave, but never
// two calls at once. confirmOverwrite() alone comes from the thread that
// called run(), outside that order: jobs already running go on meanwhile. A
// client with widgets hands the calls to its GUI thread (queued), and
// answers the question there while the run waits.
class RunObserver
{
public:
    virtual ~RunObserver() = default;

    // A pass of the row begins: its bar appears, then the row is Converting.
    virtual void passStarted(int row) = 0;
    // The pass's percentage, cut at 100; after the pass's final 100 nothing
    // more comes but its end. On the row's last pass that 100 comes after
    // the row's end state.
    virtual void progress(int row, int percent) = 0;
    // A JobState of the row: Converting at the start of each pass, then once
    // the row's end, Failed or Succeeded, at the end of its last pass; or
    // UpToDate alone, with no pass, for a row skipped as up to date. The
    // parts of a join leave it Converting; the join is Succeeded only when its
    // join pass wrote the file, and a Stop before that pass ends it Failed,
    // after its last pass.
    virtual void stateChanged(int row, int state) = 0;
    // Why the row failed, in the tool's own words (its last error lines);
    // comes just before the row's Failed.
    virtual void failureReason(int row, const QString &reason) = 0;
    // The row's file was written under another name than the one the row
    // shows (the user kept the old file, an earlier job of the run took the
    // name, the name was taken meanwhile, or it is a file that a job of the
    // list reads); comes before the row's Succeeded.
    virtual void outputRenamed(int row, const QString &writtenPath) = 0;
    // The pass is over and its bar goes. Comes as soon as the tool has ended,
    // and the row's next pass (a join's) may start right after it: a window
    // gives its bars their rhythm itself (PassRhythm).
    virtual void passEnded(int row) = 0;
    // The tool copied these streams ("video", "audio" or "video,audio")
    // instead of encoding them again; comes before the row's Succeeded.
    virtual void streamsCopied(int row, const QString &streams) = 0;
    // What the quality check of a video job found ("SSIM 0.987, PSNR 41.2 dB")
    // or why it measured nothing, in words; with RunSettings::checkQuality
    // only, before the row's Succeeded.
    virtual void qualityChecked(int row, const QString &text) = 0;

    // The output exists: true to overwrite it, false to write the first free
    // "_1", "_2", ... name. Asked in the jobs' order, about each name on its
    // own: a job whose name an earlier job of the run took is asked about the
    // first numbered name that no earlier job took. Never asked about a file
    // that a job of the list reads (its own input, another's, a join's part,
    // under any spelling): that is never replaced.
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
    int stopGraceMs = 2000;               // a stopped tool is killed after this
    int jobsAtOnce = 1;                   // 0: "Automatic" (see jobslots.h)
    int cores = 0;                        // what "Automatic" counts with; 0: this machine's
    bool keepSourceDates = false;         // each output takes its source's modification
                                          // time (a join's: its first part's)
    bool skipUpToDate = false;            // a job whose output is up to date ends UpToDate
                                          // without a tool (isOutputUpToDate)
    bool checkQuality = false;            // each video job's picture is compared with its
                                          // source after the encode (SSIM and PSNR)
};

// How many rows of a run ended in each way.
struct RunTotals {
    int succeeded = 0; // up-to-date rows included
    int failed = 0;   // stopped rows included
};

// One run over the job list, row after row, re-reading the row count after
// every row so that jobs added meanwhile are reached; with several jobs at
// once each row runs on a thread of its own as soon as it has its slots, and
// the rows' passes stay in order. Knows no widget.
//
// No two jobs of a run write one name: the run reserves each job's output
// name as the job starts, in the jobs' order, and a later job of the same
// name takes the first numbered name that no earlier job took: without a
// question when it is free, with one when a file is there (so that a run
// repeated with Yes leaves the same files). No job ever replaces a file that
// a job of the list reads; it takes the next free name, unasked. The tools
// keep the names apart between runs. A row added meanwhile starts as soon as
// a slot is free.
// Besides telling the observer, the run writes each state it reports, and a
// name it wrote instead of the row's, into the row's record, so that a
// finished row is skipped by the next run.
class ConversionRun
{
public:
    ConversionRun(JobQueue &jobs, RunObserver &observer, RunSettings settings);
    ~ConversionRun();

    // The whole run, on the calling thread; returns after the last job ended.
    void run();

    // From any thread: no further pass starts, every running tool is asked
    // to end and killed after the grace time.
    void stop();
    bool isStopped() const;

    // The rows this run finished so far.
    RunTotals totals() const;

private:
    struct PassOutcome;

    // With skipUpToDate, a row whose output is up to date ends UpToDate here:
    // true, and no tool starts. Its output is the name chooseOutput gives it,
    // numbered where the plain one is an input of the list or an earlier job's output.
    bool skipWhenUpToDate(int row, const ConvertJob &job);
    // The row's output name and whether it replaces what is there; false when stopped.
    bool chooseOutput(int row, ConvertJob *job, bool *replace);
    void runRow(int row, ConvertJob job, bool replace, int place);
    PassOutcome runJoin(int row, const ConvertJob &job, bool replaceExisting, int place);
    PassOutcome runPass(int row, const ConvertJob &job, const ConversionPass &pass, int place,
                        const QString &setupError = QString(), const QString &earlierFailure = QString(),
                        const QString &partsCopied = QString());
    // The row's job is over: the name it wrote and what it copied, or why it
    // failed, then its state, which is the last word about the row.
    void reportEnd(int row, const PassOutcome &outcome);
    PassOutcome runTool(const ConvertJob &job, const ConversionPass &pass, int place);
    void reportState(int row, int state);
    // Whether a job of the list reads the file (under namesLock).
    bool isAnInputOfTheList(const QString &path);

    JobQueue &jobs;
    RunObserver &observer;
    const RunSettings settings;
    JobSlots jobSlots;

    std::atomic<bool> stopped{false};
    QMutex processLock;               // guards runningTools
    QSet<ToolProcess *> runningTools;
    QMutex observerLock;              // one observer call at a time
    QMutex namesLock;                 // guards reservedNames
    QSet<QString> reservedNames;      // the outputs of this run's jobs
    FileSet listInputs;               // the inputs of the list's first inputsSeen rows
    int inputsSeen = 0;
    // One progress block for each place of a job; the first is the caller's.
    std::vector<std::unique_ptr<ProgressShare>> progressBlocks;
    QStringList progressBlockNames;
    ProgressShare convertBlock;
    std::atomic<int> succeededRows{0};
    std::atomic<int> failedRows{0};
};
