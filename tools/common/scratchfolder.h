#pragma once

#include <QString>

// A private hidden folder for a child's scratch files (ImageMagick's pixel
// cache of a large picture runs to hundreds of megabytes), removed with all
// it holds when the object goes; if the tool is killed outright, by a later
// run (see leftovers.h).
class ScratchFolder
{
public:
    ScratchFolder() = default;
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder &) = delete;
    ScratchFolder &operator=(const ScratchFolder &) = delete;

    // Makes the folder (mode 0700) inside parent; false with a message.
    bool create(const QString &parent, QString *error);
    const QString &path() const { return folderPath; }

private:
    QString folderPath;
    int fd = -1;
};
