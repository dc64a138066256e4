#include "engine/copiedstreams.h"

#include <QCoreApplication>

QString copiedStreamsText(const QString &streams)
{
    if (streams == QLatin1String("video,audio"))
        return QCoreApplication::translate("CopiedStreams", "Video and audio copied without re-encoding");
    if (streams == QLatin1String("video"))
        return QCoreApplication::translate("CopiedStreams", "Video copied without re-encoding");
    if (streams == QLatin1String("audio"))
        return QCoreApplication::translate("CopiedStreams", "Audio copied without re-encoding");
    return QString();
}
