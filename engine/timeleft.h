#pragma once

#include <QElapsedTimer>
#include <QHash>
#include <QSet>
#include <QString>
#include <QtGlobal>

// One reading of a pass's percentage, at a time in milliseconds on one clock.
struct ProgressSample {
    qint64 ms = 0;
    int percent = 0;
};

// How long the progress must have been watched before its pace is trusted.
constexpr qint64 TimeLeftSettleMs = 2000;

// Seconds until 100, at the average pace from first to latest; -1 while that
// pace is not yet known (too short a watch, no progress, already at 100, or
// the percentage went back).
int estimateSecondsLeft(const ProgressSample &first, const ProgressSample &latest);

// "0:07", "12:05", "1:02:03".
QString clockText(int seconds);

// Follows the percentages of one pass as they arrive and tells the time left.
class TimeLeftClock
{
public:
    // A new pass begins.
    void restart();
    // The latest percentage; the seconds left, -1 while unknown. The pace is
    // taken from the first percentage above 0, so the tool's start-up does not count.
    int secondsLeft(int percent);

private:
    QElapsedTimer timer;
    ProgressSample first{0, -1};
};

// The time left for a run's whole list, its jobs one after another or
// several at once: the share of the list done (the jobs finished, and what
// the running ones show of theirs) at the average pace since the run began.
class ListTimeLeft
{
public:
    // The run begins with that many jobs to convert.
    void start(int jobCount);
    // A job added while the run goes on.
    void jobAdded() { ++jobs; }
    // A running row's percentage; a finished row's (its pass's last 100) counts no more.
    void progress(int row, int percent);
    void finished(int row);
    // A job left unconverted as up to date: it took no time, so it counts in neither share.
    void skipped(int row);
    // -1 while the pace is not yet known or nothing is left.
    int secondsLeft() const;

private:
    QElapsedTimer timer;
    int jobs = 0;
    QSet<int> finishedRows;
    QHash<int, int> running; // row: its percentage
};
