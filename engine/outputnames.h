#pragma once

#include <QSet>
#include <QString>

#include <functional>

// True when something is at the path, a dangling symbolic link included (the
// tool would write through it).
bool outputPathTaken(const QString &path);

// True when both paths name one existing file (the same inode: a hard or a
// symbolic link to it counts).
bool isSameFile(const QString &first, const QString &second);

// The first "<folder>/<base>_<n>.<suffix>" for n = 1, 2, ..., where base is
// everything before the last dot, that the predicate accepts. The folder is
// made absolute.
QString firstNumberedPath(const QString &path,
                          const std::function<bool(const QString &candidate)> &accepted);

// The first free variant of an output path: "<folder>/<base>_<n>.<suffix>"
// for n = 1, 2, ..., where base is everything before the last dot, that is
// neither on disk nor among the names already given out. The folder is made
// absolute; an empty path gives an empty result.
QString uniqueOutputPath(const QString &path, const QSet<QString> &givenOut = {});
