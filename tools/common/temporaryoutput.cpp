#include "tools/common/temporaryoutput.h"

#include "tools/common/leftovers.h"

#include "engine/outputnames.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString systemError(int error)
{
    return QString::fromLocal8Bit(strerror(error));
}

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// rename() that fails with EEXIST instead of replacing. File systems without
// RENAME_NOREPLACE (FAT, some network ones) get a hard link where they have
// those, and a look before the rename where they have neither.
int renameWithoutReplacing(const QByteArray &from, const QByteArray &to)
{
    if (::renameat2(AT_FDCWD, from.constData(), AT_FDCWD, to.constData(), RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS)
        return -1;
    if (::link(from.constData(), to.constData()) == 0)
        return ::unlink(from.constData()), 0;
    if (errno == EEXIST)
        return -1;
    struct stat taken {};
    if (::lstat(to.constData(), &taken) == 0) {
        errno = EEXIST;
        return -1;
    }
    return ::rename(from.constData(), to.constData());
}

// O_TMPFILE fails so where the file system or the kernel lacks it.
bool lacksUnnamedFiles(int error)
{
    return error == EOPNOTSUPP || error == EISDIR || error == EINVAL;
}

} // namespace

TemporaryOutput::TemporaryOutput(const QString &finalPath, Existing whenTaken)
    : outputPath(finalPath), existing(whenTaken)
{
}

TemporaryOutput::~TemporaryOutput()
{
    if (named && !committed)
        ::unlink(encoded(temporaryPath).constData());
    if (fd >= 0)
        ::close(fd); // an unnamed file goes with its last descriptor
}

bool TemporaryOutput::create(QString *error)
{
    const QFileInfo output(outputPath);
    if (output.isDir()) {
        *error = QStringLiteral("the output %1 is a folder").arg(outputPath);
        return false;
    }
    const QString folder = output.absolutePath();
    leftovers::removeFrom(folder);

    fd = ::open(encoded(folder).constData(), O_TMPFILE | O_RDWR | O_CLOEXEC, 0666);
    if (fd >= 0) {
        leftovers::own(fd); // its name during commit is a hidden one of this process
        temporaryPath = QStringLiteral("/proc/%1/fd/%2").arg(getpid()).arg(fd);
        return true;
    }
    const int openError = errno;
    if (lacksUnnamedFiles(openError))
        return createNamed(folder, output.suffix().isEmpty() ? QString() : u'.' + output.suffix(), error);
    *error = QStringLiteral("cannot write in the folder %1: %2").arg(folder, systemError(openError));
    return false;
}

bool TemporaryOutput::createNamed(const QString &folder, const QString &suffix, QString *error)
{
    int lastError = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = leftovers::hiddenName(folder, suffix);
        fd = ::open(encoded(candidate).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            leftovers::own(fd);
            temporaryPath = candidate;
            named = true;
            return true;
        }
        lastError = errno;
        if (lastError != EEXIST)
            break;
    }
    *error = QStringLiteral("cannot write in the folder %1: %2").arg(folder, systemError(lastError));
    return false;
}

int TemporaryOutput::inheritableDescriptor()
{
    if (named || fcntl(fd, F_SETFD, 0) != 0)
        return -1;
    return fd;
}

qint64 TemporaryOutput::size() const
{
    struct stat info {};
    return fd >= 0 && fstat(fd, &info) == 0 ? qint64(info.st_size) : 0;
}

bool TemporaryOutput::commit(QString *error)
{
    if (existing == Existing::Keep) {
        const QByteArray from = encoded(temporaryPath);
        committed = placeBesideTaken(
            [&](const QByteArray &target) {
                return named ? renameWithoutReplacing(from, target)
                             : ::linkat(AT_FDCWD, from.constData(), AT_FDCWD, target.constData(), AT_SYMLINK_FOLLOW);
            },
            error);
        return committed;
    }
    placedPath = outputPath;
    if (!named && !linkUnderName(error))
        return false;
    if (named && ::rename(encoded(temporaryPath).constData(), encoded(outputPath).constData()) != 0) {
        *error = QStringLiteral("cannot write %1: %2").arg(outputPath, systemError(errno));
        return false;
    }
    committed = true;
    return true;
}

// Gives the unnamed file the output's name at once when that is free; else a
// hidden name first, which the rename then puts over the output.
bool TemporaryOutput::linkUnderName(QString *error)
{
    const QByteArray unnamed = encoded(temporaryPath);
    if (::linkat(AT_FDCWD, unnamed.constData(), AT_FDCWD, encoded(outputPath).constData(), AT_SYMLINK_FOLLOW) == 0) {
        committed = true;
        return true;
    }
    for (int attempt = 0; errno == EEXIST && attempt < 100; ++attempt) {
        const QString candidate = leftovers::hiddenName(QFileInfo(outputPath).absolutePath(), QString());
        if (::linkat(AT_FDCWD, unnamed.constData(), AT_FDCWD, encoded(candidate).constData(), AT_SYMLINK_FOLLOW) == 0) {
            temporaryPath = candidate;
            named = true;
            return true;
        }
    }
    *error = QStringLiteral("cannot write %1: %2").arg(outputPath, systemError(errno));
    return false;
}

// Under the output's name, or the first free "_N" name when it is taken; a
// name that another process takes between the look and the link is passed over.
bool TemporaryOutput::placeBesideTaken(const std::function<int(const QByteArray &target)> &place, QString *error)
{
    QString target = outputPath;
    int lastError = 0;
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (place(encoded(target)) == 0) {
            placedPath = target;
            return true;
        }
        lastError = errno;
        if (lastError != EEXIST)
            break;
        target = uniqueOutputPath(outputPath);
    }
    *error = QStringLiteral("cannot write %1: %2").arg(target, systemError(lastError));
    return false;
}
