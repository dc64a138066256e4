#include "app/unfinishedjobs.h"

#include "app/jobrecord.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>
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

QList<ConvertJob> unfinishedOf(const QList<ConvertJob> &jobs)
{
    QList<ConvertJob> unfinished;
    for (ConvertJob job : jobs) {
        if (jobIsDone(job.state))
            continue;
        job.state = Ready;
        job.progressBar = nullptr;
        unfinished << job;
    }
    return unfinished;
}

bool saveUnfinishedJobs(const QList<ConvertJob> &jobs, const QString &file)
{
    const bool anyLeft = std::any_of(jobs.cbegin(), jobs.cend(),
                                     [](const ConvertJob &job) { return !jobIsDone(job.state); });
    if (!anyLeft)
        return !QFileInfo::exists(file) || QFile::remove(file);
    if (file.isEmpty() || !QDir().mkpath(QFileInfo(file).path()))
        return false;
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    JobListWriter writer(out);
    for (const ConvertJob &job : jobs) {
        if (jobIsDone(job.state))
            continue;
        ConvertJob kept = job;
        kept.state = Ready;
        writer.add(kept);
    }
    return writer.finish() && out.commit();
}

QList<ConvertJob> loadUnfinishedJobs(const QString &file)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    QList<ConvertJob> runnable;
    const QList<ConvertJob> stored = jobListFromJson(in.readAll());
    for (const ConvertJob &job : stored) {
        bool inputsThere = true;
        for (const QString &input : job.inputFiles)
            inputsThere = inputsThere && QFileInfo(input).isFile();
        if (inputsThere)
            runnable << job;
    }
    return unfinishedOf(runnable);
}

OwnJobList::OwnJobList(const QString &folder)
{
    if (!QDir().mkpath(folder))
        return;
    // The lock is taken on a file of a private name, which is then linked to
    // the list's: no other window ever sees the name unlocked.
    const QString pid = QString::number(getpid());
    const QString taking = folder + QStringLiteral("/.") + listPrefix + QLatin1Char('-') + pid + QStringLiteral(".taking");
    ::unlink(encoded(taking).constData());
    const int fd = ::open(encoded(taking).constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0)
        return;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        return;
    }
    for (int n = 1; n < 10000; ++n) {
        const QString base = folder + QLatin1Char('/') + listPrefix + QLatin1Char('-') + pid + QLatin1Char('-')
                             + QString::number(n);
        if (QFileInfo::exists(base + QStringLiteral(".json")))
            continue; // a list that an ended process of the same pid left
        if (::link(encoded(taking).constData(), encoded(base + QStringLiteral(".lock")).constData()) == 0) {
            listPath = base + QStringLiteral(".json");
            lockPath = base + QStringLiteral(".lock");
            break;
        }
    }
    ::unlink(encoded(taking).constData());
    if (listPath.isEmpty())
        ::close(fd);
    else
        lockFd = fd;
}

OwnJobList::~OwnJobList()
{
    if (lockFd < 0)
        return;
    removeHeld(lockPath, lockFd);
    ::close(lockFd);
}

LeftJobLists::LeftJobLists(const QString &folder)
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

LeftJobLists::~LeftJobLists()
{
    for (const Claim &claim : std::as_const(claimed))
        ::close(claim.fd);
}

QList<ConvertJob> LeftJobLists::jobs() const
{
    QList<ConvertJob> all;
    for (const Claim &claim : claimed)
        all += loadUnfinishedJobs(claim.list);
    return all;
}

void LeftJobLists::remove()
{
    for (const Claim &claim : std::as_const(claimed)) {
        if (claim.lock == claim.list) {
            removeHeld(claim.list, claim.fd);
        } else {
            ::unlink(encoded(claim.list).constData());
            removeHeld(claim.lock, claim.fd);
        }
    }
}
