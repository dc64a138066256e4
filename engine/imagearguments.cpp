#include "engine/imagearguments.h"

#include <QFileInfo>

QStringList buildImageArguments(const ConversionPass &pass)
{
    const QFileInfo input(pass.inputPath);
    const bool layered = input.isFile() && input.suffix().compare(u"psd", Qt::CaseInsensitive) == 0;
    return {layered ? pass.inputPath + QStringLiteral("[0]") : pass.inputPath, pass.outputPath};
}
