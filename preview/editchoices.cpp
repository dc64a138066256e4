#include "preview/editchoices.h"

#include "engine/transcodervalues.h"

#include <QTime>
#include <QtGlobal>

namespace editchoices {

namespace {

struct Colour {
    const char *entry;
    int rgb;
};

// Same order and shades as the converter's colour names (white, black, red,
// darkred, green, ...), so the preview shows what the file will show.
constexpr Colour colours[textColourCount] = {
    {QT_TRANSLATE_NOOP("DemoPlayer", "White"), 0xFFFFFF},
    {QT_TRANSLATE_NOOP("DemoPlayer", "Black"), 0x000000},
    {QT_TRANSLATE_NOOP("DemoPlayer", "Red"), 0xFF0000},
    {QT_TRANSLATE_NOOP("DemoPlayer", "DarkRed"), 0x8B0000},
    {QT_TRANSLATE_NOOP("DemoPlayer", "Green"), 0x008000},
    {QT_TRANSLATE_NOOP("DemoPlayer", "DarkGreen"), 0x006400},
    {QT_TRANSLATE_NOOP("DemoPlayer", "Blue"), 0x0000FF},
    {QT_TRANSLATE_NOOP("DemoPlayer", "Cyan"), 0x00FFFF},
    {QT_TRANSLATE_NOOP("DemoPlayer", "Darkcyan"), 0x008B8B},
    {QT_TRANSLATE_NOOP("DemoPlayer", "Magenta"), 0xFF00FF},
    {QT_TRANSLATE_NOOP("DemoPlayer", "Darkmagenta"), 0x8B008B},
    {QT_TRANSLATE_NOOP("DemoPlayer", "Yellow"), 0xFFFF00},
    {QT_TRANSLATE_NOOP("DemoPlayer", "Gray"), 0x808080},
    {QT_TRANSLATE_NOOP("DemoPlayer", "Darkgray"), 0xA9A9A9},
};

bool isColour(int index)
{
    return index >= 0 && index < textColourCount;
}

} // namespace

QString textSizeEntry(int index)
{
    return textSizeValue(index);
}

const char *textColourEntry(int index)
{
    return isColour(index) ? colours[index].entry : colours[0].entry;
}

int textColourRgb(int index)
{
    return isColour(index) ? colours[index].rgb : colours[0].rgb;
}

QString codePageEntry(int index)
{
    return subtitleCharset(index);
}

QStringList imageSuffixes()
{
    return {"png", "jpg", "ico", "tif", "pcx", "tga"};
}

QStringList subtitleSuffixes()
{
    return {"srt", "ass", "ssa"};
}

QString fileFilter(const QString &label, const QStringList &suffixes)
{
    QString filter = label;
    for (const QString &suffix : suffixes)
        filter += QStringLiteral(" *.") + suffix;
    return filter + QStringLiteral(" )");
}

QString formatPosition(qint64 ms)
{
    constexpr qint64 day = 24 * 60 * 60 * 1000;
    return QTime(0, 0).addMSecs(int(((ms % day) + day) % day)).toString(QStringLiteral("hh:mm:ss:zzz"));
}

} // namespace editchoices
