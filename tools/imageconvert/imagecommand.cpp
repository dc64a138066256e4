#include "tools/imageconvert/imagecommand.h"

#include <QFileInfo>
#include <QRegularExpression>

namespace {

struct SuffixTarget {
    const char *suffix;
    ImageTarget target;
};

// JPEG, BMP and PCX cannot hold transparency, nor AVIF as ImageMagick 6
// writes it (the transparent part would come out black); ICO cannot hold
// more than 256x256.
const SuffixTarget targets[] = {
    {"jpg", {"JPEG", true, false}},  {"jpeg", {"JPEG", true, false}}, {"jpe", {"JPEG", true, false}},
    {"png", {"PNG", false, false}},  {"bmp", {"BMP", true, false}},   {"gif", {"GIF", false, false}},
    {"pcx", {"PCX", true, false}},   {"tga", {"TGA", false, false}},  {"ico", {"ICO", false, true}},
    {"tif", {"TIFF", false, false}}, {"tiff", {"TIFF", false, false}},
    {"webp", {"WEBP", false, false}}, {"avif", {"AVIF", true, false}},
};

bool isGif(const QString &path)
{
    return QFileInfo(path).suffix().compare(QLatin1String("gif"), Qt::CaseInsensitive) == 0;
}

// ImageMagick reads "%d", "%o", "%x" and "%[...]" in the name it writes, and
// in a name it reads with a frame selector, as patterns; "%%" is a "%".
QString literalName(const QString &path)
{
    QString escaped = path;
    return escaped.replace(u'%', QLatin1String("%%"));
}

} // namespace

const ImageTarget *imageTargetFor(const QString &suffix)
{
    const QString lower = suffix.toLower();
    for (const SuffixTarget &entry : targets) {
        if (lower == QLatin1String(entry.suffix))
            return &entry.target;
    }
    return nullptr;
}

ImageInput resolveImageInput(const QString &given)
{
    ImageInput input;
    if (QFileInfo(given).isFile()) {
        input.path = QFileInfo(given).absoluteFilePath();
        input.exists = true;
        return input;
    }
    static const QRegularExpression withSelector(QStringLiteral("^(.+)(\\[[0-9,-]+\\])$"));
    const QRegularExpressionMatch match = withSelector.match(given);
    if (match.hasMatch() && QFileInfo(match.captured(1)).isFile()) {
        input.path = QFileInfo(match.captured(1)).absoluteFilePath();
        input.selector = match.captured(2);
        input.exists = true;
        return input;
    }
    input.path = given;
    return input;
}

QStringList imageMagickArguments(const ImageInput &input, const ImageTarget &target, const QString &outputPath)
{
    const bool keepsFrames = QLatin1String(target.magickFormat) == QLatin1String("GIF") && isGif(input.path);
    QString selector = input.selector;
    if (selector.isEmpty() && !keepsFrames)
        selector = QStringLiteral("[0]");

    const QString inputName = selector.isEmpty() ? input.path : literalName(input.path) + selector;
    QStringList arguments = {inputName};
    for (const QString &profile : input.profiles)
        arguments << "-profile" << profile;
    arguments << "-auto-orient";
    if (target.flatten)
        arguments << "-background" << "white" << "-alpha" << "remove" << "-alpha" << "off";
    if (target.fitInIcon)
        arguments << "-resize" << "256x256>"; // only shrinks, keeps the aspect
    arguments << QLatin1String(target.magickFormat) + QLatin1Char(':') + literalName(outputPath);
    return arguments;
}
