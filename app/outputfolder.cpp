#include "app/outputfolder.h"

#include "app/formats.h"
#include "app/outputprofile.h"

#include <QDir>
#include <QTemporaryFile>

namespace {

QString &folderStore()
{
    static QString folder = defaultOutputFolder();
    return folder;
}

} // namespace

QString defaultOutputFolder()
{
    return QDir::homePath() + QStringLiteral("/OutFolder");
}

QString outputFolder()
{
    return folderStore();
}

void setOutputFolder(const QString &folder)
{
    folderStore() = folder;
}

bool makeWritableFolder(const QString &folder)
{
    if (folder.isEmpty() || !QDir().mkpath(folder))
        return false;
    // A real file, as access() says yes to root even on a read-only mount.
    QTemporaryFile probe(folder + QStringLiteral("/.quillmora-XXXXXX"));
    return probe.open();
}

QString outputPathFor(const QString &folder, const QString &inputPath, int formatId,
                      const QString &subfolder)
{
    // The name without its last suffix, as QFileInfo::completeBaseName() has
    // it, cut from the path without a QFileInfo: thousands are made at a time.
    QStringView name = QStringView(inputPath).mid(inputPath.lastIndexOf(u'/') + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name = name.left(dot);
    const FormatInfo *format = formatInfo(formatId);
    const QLatin1String extension(format ? format->extension : "");
    QString path;
    path.reserve(folder.size() + subfolder.size() + 2 + name.size() + extension.size());
    path.append(folder).append(u'/');
    if (!subfolder.isEmpty())
        path.append(subfolder).append(u'/');
    return path.append(name).append(extension);
}

QString joinOutputPath(const QString &folder, int category)
{
    return folder
           + (category == AudioMerge ? QStringLiteral("/MergedAudio.mp3")
                                     : QStringLiteral("/MergedVideo.mp4"));
}
