#include "engine/outputnames.h"

#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

bool outputPathTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

bool isSameFile(const QString &first, const QString &second)
{
    struct stat a {};
    struct stat b {};
    return !first.isEmpty() && !second.isEmpty() && ::stat(QFile::encodeName(first).constData(), &a) == 0
           && ::stat(QFile::encodeName(second).constData(), &b) == 0 && a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

QString firstNumberedPath(const QString &path,
                          const std::function<bool(const QString &candidate)> &accepted)
{
    const QFileInfo info(path);
    const QString stem = info.absolutePath() + u'/' + info.completeBaseName() + u'_';
    const QString suffix = info.suffix().isEmpty() ? QString() : u'.' + info.suffix();
    for (int n = 1;; ++n) {
        const QString candidate = stem + QString::number(n) + suffix;
        if (accepted(candidate))
            return candidate;
    }
}

QString uniqueOutputPath(const QString &path, const QSet<QString> &givenOut)
{
    if (path.isEmpty())
        return QString();
    return firstNumberedPath(path, [&](const QString &candidate) {
        return !givenOut.contains(candidate) && !outputPathTaken(candidate);
    });
}
