#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>

#include <atomic>
#include <functional>

// A file found under a folder that was given: its path, and the folder it
// lies in relative to the one given ("" for the given folder itself,
// "Artist/Album" further down), which its output mirrors.
struct FoundFile {
    QString path;
    QString subfolder;
};

struct FolderWalk {
    QList<FoundFile> files;
    QStringList unreadable; // folders that could not be read, given one included
};

// Every file under root whose name `takes` accepts, the way both the window
// and the batch mode see a folder: the entries of each folder in name order
// (compareNames), a folder's files before those of the next entry; names
// starting with "." left out, files and folders alike; links followed, each
// folder walked once whatever the links to it (known by device and inode), so
// no link makes a loop. The output folder is never walked, should it lie
// inside the tree: what a run writes is no input of the next one (given as
// the root itself, the outputs go beside their sources and the tree is
// walked). Gives up with what it found so far once *stop is set.
FolderWalk walkFolder(const QString &root, const std::function<bool(const QString &name)> &takes,
                      const QString &outputFolder = QString(),
                      const std::atomic<bool> *stop = nullptr);

// Name order as people count: digits compared as numbers ("2" before "10"),
// letters without regard to case; names that tie that way by code point.
// Negative, 0 or positive.
int compareNames(QStringView a, QStringView b);

// True when the path names a folder (or a link to one).
bool isFolder(const QString &path);
