#pragma once

#include "engine/joinparts.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

// The working files of one join job: a hidden, uniquely named folder inside the
// job's output folder (so the parts lie on the output's disk) holding the list
// file "file.txt" and the parts "subvideo<j>.mp4" or "subaudio<j>.mp3". Files
// of the same names that the user keeps in the output folder are never
// touched. The folder and everything in it go with the object, however the
// row ends.
//
// The folder's name carries the owner's process id and its file "owner" names
// the machine and the boot, so that a folder left by a process that died can
// be told from one in use: each new workspace removes those of the output
// folder whose owner ran on this machine and is gone.
class JoinWorkspace
{
public:
    JoinWorkspace(const QString &outputFolder, JoinKind kind);
    ~JoinWorkspace();

    JoinWorkspace(const JoinWorkspace &) = delete;
    JoinWorkspace &operator=(const JoinWorkspace &) = delete;

    // False when the folder or the list file could not be made, or a line
    // could not be written; errorString() then says why.
    bool isValid() const { return error.isEmpty(); }
    QString errorString() const { return error; }

    QString folderPath() const;
    QString listFilePath() const;
    QString partPath(int part) const;

    // Appends the list line of the part's file and flushes it, so the list is
    // complete before the part is converted.
    bool appendPart(int part);

    // Closes the list and removes the folder with everything in it.
    void remove();

    // Removes the folders in outputFolder that dead processes of this machine
    // left; returns how many went.
    static int removeStale(const QString &outputFolder);

private:
    JoinKind kind;
    QTemporaryDir folder;
    QFile list;
    QString error;
};
