#pragma once

#include <QProcessEnvironment>
#include <QString>

#include <atomic>
#include <memory>

class JobQueue;
class ToolProcess;

// What a run reports and asks. All calls come from the run's own thread; a
// client with widgets hands them to its GUI thread (queued), and answers the
// question there while the run waits.
class RunObserver
{
public:
    virtual ~RunObserver() = default;

    // A pass of the row begins: its bar appears, then the row is Converting.
    virtual void passStarted(int row) = 0;
    // The pass's percentage, cut at 100; after the pass's final 100 nothing more comes.
    virtual void progress(int row, int percent) = 0;
    // A JobState of the row: Converting at the start of a pass, Failed or Succeeded at its end.
    virtual void stateChanged(int row, int state) = 0;
    // Why the row's last pass failed, in the tool's own words (its last error lines).
    virtual void failureReason(int row, const QString &reason) = 0;
    // The pass is over and its bar goes.
    virtual void passEnded(int row) = 0;

    // The output exists: true to overwrite it, false to write a "_1", "_2", ... name.
    virtual bool confirmOverwrite(int row, const QString &outputPath) = 0;
};

// Where the tools are and what they inherit.
struct RunSettings {
    QString toolsFolder;                  // holds "transcoder" and "imageconvert/convert"
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    QString progressBlock;                // the tools' progress block; empty: the per-user one
    int pollIntervalMs = 100;
    int passPauseMs = 100;                // the two pauses at the end of a pass
    int stopGraceMs = 2000;               // a stopped tool is killed after this
};

// One run over the job list, row after row, re-reading the row count after
// every row so that jobs added meanwhile are reached. Knows no widget.
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
};
