#include "engine/filedates.h"

#include <QFile>

#include <fcntl.h>
#include <sys/stat.h>

bool copyModificationTime(const QString &source, const QString &target)
{
    struct stat info {};
    if (::stat(QFile::encodeName(source).constData(), &info) != 0)
        return false;
    const struct timespec times[2] = {{0, UTIME_OMIT}, info.st_mtim};
    return ::utimensat(AT_FDCWD, QFile::encodeName(target).constData(), times, 0) == 0;
}
