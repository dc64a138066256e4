#pragma once

#include <QSet>
#include <QString>

#include <functional>
#include <utility>

// True when something is at the path, a dangling symbolic link included (the
// tool would write through it).
bool outputPathTaken(const QString &path);

// Existing files known by their inode, so that a path of another spelling, a
// symbolic or a hard link to one of them is recognised.
class FileSet
{
public:
    // A path where nothing is adds nothing.
    void add(const QString &path);
    bool contains(const QString &path) const;

private:
    QSet<std::pair<quint64, quint64>> files; // device, inode
};

// The first "<folder>/<base>_<n>.<suffix>" for n = 1, 2, ..., where base is
// everything before the last dot, that the predicate accepts. The folder is
// made absolute.
QString firstNumberedPath(const QString &path,
                          const std::function<bool(const QString &candidate)> &accepted);

// The first free variant of an output path (see firstNumberedPath) that is
// neither on disk nor among the names already given out; an empty path gives
// an empty result.
QString uniqueOutputPath(const QString &path, const QSet<QString> &givenOut = {});
