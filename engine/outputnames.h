#pragma once

#include <QString>

// True when something is at the path, a dangling symbolic link included (the
// tool would write through it).
bool outputPathTaken(const QString &path);

// The first free variant of an output path: "<folder>/<base>_<n>.<suffix>"
// for n = 1, 2, ..., where base is everything before the last dot. The folder
// is made absolute; an empty path gives an empty result.
QString uniqueOutputPath(const QString &path);
