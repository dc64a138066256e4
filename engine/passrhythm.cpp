#include "engine/passrhythm.h"

#include <QList>

#include <algorithm>
#include <utility>

PassRhythm::PassRhythm(QObject *parent)
    : QObject(parent)
{
    clock.start();
    timer.setSingleShot(true);
    timer.setTimerType(Qt::PreciseTimer); // a coarse one may fire a little early
    connect(&timer, &QTimer::timeout, this, &PassRhythm::release);
}

void PassRhythm::passStarted(int row)
{
    take(row, {Kind::Started, 0});
}

void PassRhythm::progress(int row, int percent)
{
    take(row, {Kind::Progress, percent});
}

void PassRhythm::passEnded(int row)
{
    take(row, {Kind::Ended, 0});
}

void PassRhythm::whenIdle(std::function<void()> then)
{
    onIdle = std::move(then);
    release();
}

void PassRhythm::clear()
{
    rows.clear();
    timer.stop();
    onIdle = {};
}

void PassRhythm::take(int row, Call call)
{
    rows[row].held.push_back(call);
    release();
}

qint64 PassRhythm::dueAt(const Row &entry) const
{
    switch (entry.held.front().kind) {
    case Kind::Ended:
        return entry.fullAtMs < 0 ? 0 : entry.fullAtMs + pauseMs;
    case Kind::Started:
        return entry.endedAtMs < 0 ? 0 : entry.endedAtMs + pauseMs;
    case Kind::Progress:
        break;
    }
    return 0;
}

bool PassRhythm::isIdle() const
{
    return std::all_of(rows.cbegin(), rows.cend(),
                       [](const Row &entry) { return entry.held.empty(); });
}

void PassRhythm::release()
{
    const qint64 now = clock.elapsed();
    QList<std::pair<int, Call>> due;
    qint64 next = -1;
    for (auto it = rows.begin(); it != rows.end();) {
        Row &entry = it.value();
        while (!entry.held.empty() && dueAt(entry) <= now) {
            const Call call = entry.held.front();
            entry.held.pop_front();
            if (call.kind == Kind::Progress && call.percent >= 100)
                entry.fullAtMs = now;
            if (call.kind == Kind::Ended)
                entry.endedAtMs = now;
            due.append({it.key(), call});
        }
        if (!entry.held.empty()) {
            next = next < 0 ? dueAt(entry) : std::min(next, dueAt(entry));
            ++it;
        } else if (std::max(entry.fullAtMs, entry.endedAtMs) + pauseMs <= now) {
            it = rows.erase(it); // its times no longer hold anything back
        } else {
            ++it;
        }
    }
    if (next >= 0)
        timer.start(int(std::max<qint64>(0, next - now)));
    // Sent once the table is consistent, in case a receiver tells something new.
    for (const auto &[row, call] : std::as_const(due)) {
        if (call.kind == Kind::Started)
            emit started(row);
        else if (call.kind == Kind::Progress)
            emit progressed(row, call.percent);
        else
            emit ended(row);
    }
    if (onIdle && isIdle())
        std::exchange(onIdle, {})();
}
