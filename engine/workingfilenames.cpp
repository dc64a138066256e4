#include "engine/workingfilenames.h"

#include "app/convertjob.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

bool isPlainName(const QString &name)
{
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9._-]*$"));
    return plain.match(name).hasMatch();
}

// "." + the suffix's letters and digits, or nothing when none are left.
QString plainSuffix(const QFileInfo &file)
{
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9]"));
    const QString suffix = file.suffix().remove(unsafe);
    return suffix.isEmpty() ? QString() : u'.' + suffix;
}

QString plainName(const QString &path, const QString &fallbackStem)
{
    if (path.isEmpty())
        return {};
    const QFileInfo file(path);
    const QString name = file.fileName();
    return isPlainName(name) ? name : fallbackStem + plainSuffix(file);
}

bool sameName(const QString &a, const QString &b)
{
    // Case-insensitive so that a case-folding file system cannot merge them either.
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

WorkingFileNames workingFileNames(const EditOptions &edit)
{
    WorkingFileNames names;
    names.watermark = plainName(edit.watermark.imagePath, QStringLiteral("watermark"));
    names.subtitles = plainName(edit.subtitlePath, QStringLiteral("subtitles"));
    if (!names.subtitles.isEmpty() && sameName(names.subtitles, names.watermark)) {
        const QString suffix = plainSuffix(QFileInfo(edit.subtitlePath));
        names.subtitles = QStringLiteral("subtitles") + suffix;
        if (sameName(names.subtitles, names.watermark))
            names.subtitles = QStringLiteral("subtitles-2") + suffix;
    }
    return names;
}
