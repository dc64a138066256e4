#include "engine/jobslots.h"

#include <QMutexLocker>

#include <algorithm>

int runSlotCount(int jobsAtOnce, int cores)
{
    return std::max(1, jobsAtOnce > 0 ? jobsAtOnce : cores);
}

int slotsTakenBy(const ConvertJob &job, int jobsAtOnce, int slotCount)
{
    const int category = job.profile.category;
    const bool video = category == Video || category == VideoMerge || category == GifMerge;
    return jobsAtOnce == 0 && video ? slotCount : 1;
}

JobSlots::JobSlots(int count)
    : places(std::max(count, 1), false), free(int(places.size()))
{
}

int JobSlots::acquire(int taken)
{
    taken = std::clamp(taken, 1, count());
    QMutexLocker lock(&mutex);
    while (!stopped && free < taken)
        released.wait(&mutex);
    if (stopped)
        return -1;
    free -= taken;
    const auto place = std::find(places.begin(), places.end(), false);
    *place = true;
    return int(place - places.begin());
}

void JobSlots::release(int taken, int place)
{
    QMutexLocker lock(&mutex);
    free += std::clamp(taken, 1, count());
    places[place] = false;
    ++changeCount;
    released.wakeAll();
}

int JobSlots::changes()
{
    QMutexLocker lock(&mutex);
    return changeCount;
}

void JobSlots::wake()
{
    QMutexLocker lock(&mutex);
    ++changeCount;
    released.wakeAll();
}

bool JobSlots::waitForChange(int seen)
{
    QMutexLocker lock(&mutex);
    while (!stopped && free < count() && changeCount == seen)
        released.wait(&mutex);
    return !stopped && changeCount != seen;
}

void JobSlots::waitForAll()
{
    QMutexLocker lock(&mutex);
    while (free < count())
        released.wait(&mutex);
}

void JobSlots::stop()
{
    QMutexLocker lock(&mutex);
    stopped = true;
    released.wakeAll();
}
