#include "tools/transcoder/fontenvironment.h"

#include <QDir>
#include <QFileInfo>
#include <QtGlobal>

void useApplicationFontConfiguration()
{
    const QString folder = qEnvironmentVariable("FC_CONFIG_DIR");
    const QString file = qEnvironmentVariable("FC_CONFIG_FILE");
    if (folder.isEmpty() || file.isEmpty())
        return;
    const QString configuration = QDir(folder).absoluteFilePath(file);
    if (!QFileInfo(configuration).isFile())
        return; // fontconfig's own defaults are better than a missing file
    qputenv("FONTCONFIG_PATH", QDir(folder).absolutePath().toLocal8Bit());
    qputenv("FONTCONFIG_FILE", configuration.toLocal8Bit());
}
