#include "app/unfinishedjobs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString listPrefix = QStringLiteral("unfinished-jobs");

QByteArray encoded(const QString &path)
{
    return QFile::encodeName(path);
}

// Opens a file and takes its lock without waiting; -1 when it is not there or
// somebody holds it.
int openLocked(const QString &path)
{
    const int fd = ::open(encoded(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

// The name still leads to the file that fd has open: nobody removed and made it again meanwhile.
bool stillNames(const QString &path, int fd)
{
    struct stat byName {};
    struct stat held {};
    return ::stat(encoded(path).constData(), &byName) == 0 && fstat(fd, &held) == 0
           && byName.st_dev == held.st_dev && byName.st_ino == held.st_ino;
}

void removeHeld(const QString &path, int fd)
{
    if (stillNames(path, fd))
        ::unlink(encoded(path).constData());
}

bool isListOfAWindow(const QString &name)
{
    static const QRegularExpression form(QStringLiteral(R"(^unfinished-jobs(-[0-9]+-[0-9]+)?\.json$)"));
    return form.match(name).hasMatch();
}

QString lockOf(const QString &list)
{
    return list.chopped(int(qstrlen(".json"))) + QStringLiteral(".lock");
}

} // namespace

QString unfinishedJobsFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
           + QStringLiteral("/quillmora");
}

OldJobLists::OldJobLists(const QString &folder)
{
    const QDir dir(folder);
    const QStringList names = dir.entryList({listPrefix + QStringLiteral("*")}, QDir::Files, QDir::Name);
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        if (name.endsWith(QStringLiteral(".lock"))) {
            // The lock of a window that ended with nothing left to do.
            const QString list = path.chopped(int(qstrlen(".lock"))) + QStringLiteral(".json");
            const int fd = QFileInfo::exists(list) ? -1 : openLocked(path);
            if (fd >= 0) {
                if (!QFileInfo::exists(list))
                    removeHeld(path, fd);
                ::close(fd);
            }
            continue;
        }
        if (!isListOfAWindow(name))
            continue;
        // A window that closed removed its lock file; an older version never had one.
        QString lock = lockOf(path);
        if (name == listPrefix + QStringLiteral(".json") || !QFileInfo::exists(lock))
            lock = path;
        const int fd = openLocked(lock);
        if (fd < 0)
            continue;
        if (!stillNames(lock, fd) || !QFileInfo::exists(path)) {
            ::close(fd);
            continue;
        }
        claimed << Claim{path, lock, fd};
    }
}

OldJobLists::~OldJobLists()
{
    for (const Claim &claim : std::as_const(claimed))
        ::close(claim.fd);
}

QStringList OldJobLists::files() const
{
    QStringList lists;
    for (const Claim &claim : claimed)
        lists << claim.list;
    return lists;
}

const OldJobLists::Claim *OldJobLists::claimOf(const QString &file) const
{
    for (const Claim &claim : claimed) {
        if (claim.list == file)
            return &claim;
    }
    return nullptr;
}

void OldJobLists::remove(const QString &file)
{
    const Claim *claim = claimOf(file);
    if (!claim)
        return;
    if (claim->lock == claim->list) {
        removeHeld(claim->list, claim->fd);
    } else {
        ::unlink(encoded(claim->list).constData());
        removeHeld(claim->lock, claim->fd);
    }
}

QString OldJobLists::setAside(const QString &file)
{
    const Claim *claim = claimOf(file);
    if (!claim)
        return {};
    const QString base = file.chopped(int(qstrlen(".json"))) + QStringLiteral("-unreadable");
    QString aside = base + QStringLiteral(".json");
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = base + QLatin1Char('-') + QString::number(n) + QStringLiteral(".json");
    if (::rename(encoded(file).constData(), encoded(aside).constData()) != 0)
        return {};
    if (claim->lock != claim->list)
        removeHeld(claim->lock, claim->fd);
    return aside;
}
