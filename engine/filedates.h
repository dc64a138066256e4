#pragma once

#include <QString>

// Gives the file at target the modification time of the file at source, to
// the nanosecond, so that a converted photo, song or clip sorts by when it
// was made rather than when it was converted. Its access time is left as it
// is. False when either file cannot be reached.
bool copyModificationTime(const QString &source, const QString &target);
