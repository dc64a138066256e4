#include "app/outputfolder.h"

#include "app/formats.h"
#include "app/outputprofile.h"

#include <QDir>
#include <QFileInfo>

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
