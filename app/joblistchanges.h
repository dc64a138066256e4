#pragma once

#include "app/convertjob.h"

#include <QList>

// What changed in a job list since it was last written, row by row, so that
// a write touches only those rows. Rows are named by ids that the list gives
// them when they join it and that they keep for their life (JobQueue).
struct JobListChanges {
    bool cleared = false;  // every row written before is gone (before the rest applies)
    QList<qint64> removed; // rows that left the list
    QList<qint64> ids;     // rows added or changed, as they are now: ids[i] holds jobs[i]
    QList<ConvertJob> jobs;

    bool isEmpty() const { return !cleared && removed.isEmpty() && ids.isEmpty(); }
};
