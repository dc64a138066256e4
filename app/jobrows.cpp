#include "app/jobrows.h"

#include "app/formats.h"
#include "app/outputprofile.h"

#include <QCoreApplication>
#include <QStringList>

QString mediaFileFilter(int category)
{
    QStringList suffixes;
    switch (category) {
    case Video:
    case VideoMerge:
        suffixes = videoSuffixes();
        break;
    case Audio:
        suffixes = videoSuffixes() + audioSuffixes();
        break;
    case Image:
        suffixes = imageSuffixes();
        break;
    case AudioMerge:
        suffixes = audioSuffixes();
        break;
    default:
        return QString();
    }
    QString filter = QCoreApplication::translate("CQuillmora", "All Media Files (");
    for (const QString &suffix : std::as_const(suffixes))
        filter += QStringLiteral(" *.") + suffix;
    return filter + QStringLiteral(" )");
}

qint64 kilobytesOf(qint64 bytes)
{
    return (bytes + 1023) / 1024;
}

QString joinOutputPath(const QString &folder, int category)
{
    return folder
           + (category == AudioMerge ? QStringLiteral("/MergedAudio.mp3")
                                     : QStringLiteral("/MergedVideo.mp4"));
}
