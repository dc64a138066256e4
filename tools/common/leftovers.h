#pragma once

#include <QString>

// The hidden files and folders a tool keeps in an output's folder while it
// works are named ".quillmora-<pid>-<ten letters or digits>[suffix]" and
// locked (flock) by their owner for as long as it lives. A tool killed
// outright (SIGKILL, power loss) cannot remove them; the next tool that works
// in the folder does.
namespace leftovers {

// A name in folder, not yet taken, for a hidden file or folder of this
// process; suffix with its dot, or empty.
QString hiddenName(const QString &folder, const QString &suffix);

// Marks the open file or folder as this process's for as long as it lives.
bool own(int fd);

// Removes from folder the hidden files and folders whose process has ended
// and that nobody holds. Nothing else is touched.
void removeFrom(const QString &folder);

} // namespace leftovers
