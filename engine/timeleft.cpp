#include "engine/timeleft.h"

#include <algorithm>
#include <cmath>

int estimateSecondsLeft(const ProgressSample &first, const ProgressSample &latest)
{
    const qint64 watchedMs = latest.ms - first.ms;
    const int gained = latest.percent - first.percent;
    if (watchedMs < TimeLeftSettleMs || gained <= 0 || latest.percent >= 100)
        return -1;
    const double msPerPercent = double(watchedMs) / gained;
    return int(std::lround(msPerPercent * (100 - latest.percent) / 1000.0));
}

QString clockText(int seconds)
{
    const int hours = seconds / 3600;
    const int minutes = seconds / 60 % 60;
    const QString secondsText = QStringLiteral("%1").arg(seconds % 60, 2, 10, QLatin1Char('0'));
    if (hours > 0)
        return QStringLiteral("%1:%2:%3").arg(hours).arg(minutes, 2, 10, QLatin1Char('0')).arg(secondsText);
    return QStringLiteral("%1:%2").arg(minutes).arg(secondsText);
}

void TimeLeftClock::restart()
{
    timer.start();
    first = {0, -1};
}

int TimeLeftClock::secondsLeft(int percent)
{
    if (!timer.isValid())
        timer.start();
    const ProgressSample latest{timer.elapsed(), percent};
    if (percent <= 0)
        return -1;
    if (first.percent < 0 || percent < first.percent) {
        first = latest;
        return -1;
    }
    return estimateSecondsLeft(first, latest);
}

void ListTimeLeft::start(int jobCount)
{
    timer.start();
    jobs = jobCount;
    finishedRows.clear();
    running.clear();
}

void ListTimeLeft::progress(int row, int percent)
{
    if (!finishedRows.contains(row))
        running.insert(row, std::clamp(percent, 0, 100));
}

void ListTimeLeft::finished(int row)
{
    running.remove(row);
    finishedRows.insert(row);
}

void ListTimeLeft::skipped(int row)
{
    running.remove(row);
    --jobs;
}

int ListTimeLeft::secondsLeft() const
{
    double done = finishedRows.size();
    for (int percent : running)
        done += percent / 100.0;
    const double share = jobs > 0 ? done / jobs : 1;
    const qint64 elapsedMs = timer.isValid() ? timer.elapsed() : 0;
    if (elapsedMs < TimeLeftSettleMs || share <= 0 || share >= 1)
        return -1;
    return int(std::lround(elapsedMs * (1 - share) / share / 1000.0));
}
