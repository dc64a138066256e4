#include "engine/outputnames.h"

#include <QFile>
#include <QFileInfo>

#include <optional>

#include <sys/stat.h>

namespace {

std::optional<std::pair<quint64, quint64>> identityOf(const QString &path)
{
    struct stat info {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &info) != 0)
        return std::nullopt;
    return std::pair<quint64, quint64>(quint64(info.st_dev), quint64(info.st_ino));
}

} // namespace

bool outputPathTaken(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() || info.isSymLink();
}

void FileSet::add(const QString &path)
{
    if (const auto identity = identityOf(path))
        files.insert(*identity);
}

bool FileSet::contains(const QString &path) const
{
    const auto identity = identityOf(path);
    return identity && files.contains(*identity);
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
