#include "app/outputfolder.h"

#include "app/formats.h"
#include "app/outputprofile.h"

#include <QDir>
#include <QFileInfo>
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

QString outputPathFor(const QString &folder, const QString &inputPath, int formatId)
{
    return folder + QLatin1Char('/') + QFileInfo(inputPath).completeBaseName() + formatExtension(formatId);
}

QString joinOutputPath(const QString &folder, int category)
{
    return folder
           + (category == AudioMerge ? QStringLiteral("/MergedAudio.mp3")
                                     : QStringLiteral("/MergedVideo.mp4"));
}
