#pragma once

#include "app/convertjob.h"

#include <QMutex>
#include <QWaitCondition>

#include <vector>

// How many jobs a run converts at once: jobsAtOnce, or with 0 ("Automatic")
// one for each core.
int runSlotCount(int jobsAtOnce, int cores);

// How many of the run's slots a job takes: one; under "Automatic" a video
// job (a video, a video join, a GIF) takes them all, since its encoder keeps
// every core busy by itself, while audio and picture encoders use one each.
int slotsTakenBy(const ConvertJob &job, int jobsAtOnce, int slotCount);

// The places of a run's jobs. Each running job holds some slots and one
// place index of its own (its progress block); every call but the
// constructor may come from any thread.
class JobSlots
{
public:
    explicit JobSlots(int count);

    int count() const { return int(places.size()); }

    // Waits until that many slots are free and takes them; the lowest free
    // place index, or -1 once stopped.
    int acquire(int taken);
    void release(int taken, int place);

    // What a run at the end of its list waits for: a job giving its slots
    // back, or a row added to the list (wake()). changes() counts them; read
    // it before looking at the list, so that a row added meanwhile is not missed.
    int changes();
    void wake();
    // Waits until there were more changes than seen; false when no job runs
    // and nothing changed (or once stopped).
    bool waitForChange(int seen);
    // Waits until no job runs.
    void waitForAll();

    // Every wait ends; acquire() takes nothing from now on.
    void stop();

private:
    QMutex mutex;
    QWaitCondition released;
    std::vector<bool> places; // taken
    int free;
    int changeCount = 0;
    bool stopped = false;
};
