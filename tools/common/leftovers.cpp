#include "tools/common/leftovers.h"

#include <QDir>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace leftovers {

namespace {

const QString prefix = QStringLiteral(".quillmora-");

QString randomTag()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString tag;
    for (int i = 0; i < 10; ++i)
        tag += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
    return tag;
}

// The pid in a name of this scheme, or 0.
qint64 ownerOf(const QString &name)
{
    static const QRegularExpression form(QStringLiteral(R"(^\.quillmora-([1-9][0-9]{0,9})-[a-z0-9]{10}(\..*)?$)"));
    const QRegularExpressionMatch match = form.match(name);
    return match.hasMatch() ? match.captured(1).toLongLong() : 0;
}

bool hasEnded(qint64 pid)
{
    return pid != getpid() && kill(pid_t(pid), 0) != 0 && errno == ESRCH;
}

void removeIfNobodyHolds(const QString &path)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat info {};
    if (lstat(name.constData(), &info) != 0 || !(S_ISREG(info.st_mode) || S_ISDIR(info.st_mode)))
        return; // a link or anything else is not ours
    const int fd = ::open(name.constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0)
        return;
    // Another process in another pid namespace may look ended: its lock says otherwise.
    if (flock(fd, LOCK_EX | LOCK_NB) == 0) {
        if (S_ISDIR(info.st_mode))
            QDir(path).removeRecursively();
        else
            ::unlink(name.constData());
    }
    ::close(fd);
}

} // namespace

QString hiddenName(const QString &folder, const QString &suffix)
{
    for (;;) {
        const QString candidate = folder + u'/' + prefix + QString::number(getpid()) + u'-' + randomTag() + suffix;
        if (!QFileInfo::exists(candidate))
            return candidate;
    }
}

bool own(int fd)
{
    return flock(fd, LOCK_EX | LOCK_NB) == 0;
}

void removeFrom(const QString &folder)
{
    const QStringList names = QDir(folder).entryList({prefix + u'*'},
        QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QString &name : names) {
        const qint64 pid = ownerOf(name);
        if (pid > 0 && hasEnded(pid))
            removeIfNobodyHolds(folder + u'/' + name);
    }
}

} // namespace leftovers
