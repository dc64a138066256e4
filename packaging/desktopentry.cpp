// SPDX-License-Identifier: GPL-3.0-or-later
#include "packaging/desktopentry.h"

#include "app/formats.h"

#include <QMimeDatabase>

namespace {

bool isMediaType(const QString &name)
{
    static const QStringList containers = {"application/vnd.rn-realmedia", "application/vnd.ms-asf"};
    return name.startsWith(QLatin1String("video/")) || name.startsWith(QLatin1String("audio/"))
           || name.startsWith(QLatin1String("image/")) || containers.contains(name);
}

} // namespace

QStringList desktopMimeTypes()
{
    const QMimeDatabase database;
    QStringList types;
    for (const QString &suffix : videoSuffixes() + audioSuffixes() + imageSuffixes()) {
        const QList<QMimeType> matches = database.mimeTypesForFileName(QStringLiteral("x.") + suffix);
        for (const QMimeType &type : matches) {
            if (isMediaType(type.name()))
                types << type.name();
        }
    }
    // A folder is opened too: every file under it that its kind takes.
    types << QStringLiteral("inode/directory");
    types.sort();
    types.removeDuplicates();
    return types;
}

QString desktopEntryText(const QString &iconName)
{
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Quillmora\n"
                          "GenericName=Media Converter\n"
                          "Comment=Convert video, audio and picture files to other formats\n"
                          "Exec=quillmora %F\n"
                          "TryExec=quillmora\n"
                          "Icon=%1\n"
                          "Terminal=false\n"
                          "StartupNotify=true\n"
                          "Categories=AudioVideo;Video;AudioVideoEditing;\n"
                          "Keywords=convert;converter;video;audio;music;picture;join;mp4;mp3;\n"
                          "MimeType=%2;\n")
        .arg(iconName, desktopMimeTypes().join(QLatin1Char(';')));
}
