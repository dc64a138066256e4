#pragma once

#include <QString>
#include <QStringList>

// Gives the file at target the modification time of the file at source, to
// the nanosecond, so that a converted photo, song or clip sorts by when it
// was made rather than when it was converted. Its access time is left as it
// is. False when either file cannot be reached.
bool copyModificationTime(const QString &source, const QString &target);

// True when the output is there, is not empty, and is not older than any of
// the inputs (a join's: than its newest part), to the nanosecond; an input
// that cannot be reached makes it false, so that the job runs and says why.
bool isOutputUpToDate(const QString &output, const QStringList &inputs);
