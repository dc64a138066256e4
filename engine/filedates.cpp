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

bool isOutputUpToDate(const QString &output, const QStringList &inputs)
{
    struct stat made {};
    if (::stat(QFile::encodeName(output).constData(), &made) != 0 || !S_ISREG(made.st_mode)
        || made.st_size == 0)
        return false;
    for (const QString &input : inputs) {
        struct stat source {};
        if (::stat(QFile::encodeName(input).constData(), &source) != 0)
            return false;
        const timespec &a = made.st_mtim;
        const timespec &b = source.st_mtim;
        if (a.tv_sec < b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec < b.tv_nsec))
            return false;
    }
    return !inputs.isEmpty();
}
