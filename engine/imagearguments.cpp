#include "engine/imagearguments.h"

#include <QFileInfo>

QStringList buildImageArguments(const ConversionPass &pass)
{
    const QFileInfo input(pass.inputPath);
    const bool layered = input.isFile() && input.suffix().compare(u"psd", Qt::CaseInsensitive) == 0;
    QStringList arguments;
    if (pass.replaceExisting)
        arguments << QStringLiteral("-y");
    return arguments << (layered ? pass.inputPath + QStringLiteral("[0]") : pass.inputPath) << pass.outputPath;
}
