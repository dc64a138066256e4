#include "tools/transcoder/plan/filterrewrites.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

namespace {

bool isPlainNumber(const QString *value)
{
    static const QRegularExpression number(QStringLiteral(R"(^-?\d+(\.\d+)?$)"));
    return !value || number.match(*value).hasMatch();
}

// drawtext expands "%{...}" unless the "%" is escaped.
bool hasExpansion(const QString &drawtextValue)
{
    for (int i = 0; i < drawtextValue.size(); ++i) {
        if (drawtextValue[i] == u'\\')
            ++i;
        else if (drawtextValue[i] == u'%')
            return true;
    }
    return false;
}

// Code pages ffmpeg's iconv does not know, and the nearest one it knows.
QString knownCodePage(const QString &codePage)
{
    // ISO 8859-12 was never published; its other parts share the Latin-1 base.
    if (codePage == QLatin1String("ISO-8859-12"))
        return QStringLiteral("ISO-8859-1");
    return codePage;
}

// Code pages whose files ffmpeg's text subtitle readers cannot open.
bool isWideCodePage(const QString &codePage)
{
    static const QStringList wide{"UTF-16", "UTF-16LE", "UTF-16BE", "UTF-32", "UTF-32LE", "UTF-32BE",
                                  "UCS-2", "UCS-2LE", "UCS-2BE", "UCS-4", "UNICODE", "UNICODEBIG",
                                  "UNICODELITTLE"};
    return wide.contains(codePage);
}

QString utf8CopyName(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.completeBaseName() + QStringLiteral(".utf8.") + info.suffix();
    return path.left(path.size() - info.fileName().size()) + name;
}

QString *subtitleFileName(Filter &filter)
{
    if (QString *named = filter.option(QStringLiteral("filename")))
        return named;
    if (QString *named = filter.option(QStringLiteral("f")))
        return named;
    return filter.positional(0);
}

bool isStillPicture(const QString &path)
{
    static const QStringList stills{"png", "jpg", "jpeg", "bmp", "ico", "tif", "tiff", "pcx", "tga"};
    return stills.contains(QFileInfo(path).suffix().toLower());
}

void setOption(Filter &filter, const QString &key, const QString &value)
{
    if (QString *existing = filter.option(key))
        *existing = value;
    else
        filter.options.append({key, value});
    filter.hasArguments = true;
}

void removeOption(Filter &filter, const QString &key)
{
    filter.options.erase(std::remove_if(filter.options.begin(), filter.options.end(),
                                        [&](const FilterOption &option) { return option.key == key; }),
                         filter.options.end());
}

} // namespace

QString drawnText(const QString &drawtextValue)
{
    QString text;
    for (int i = 0; i < drawtextValue.size(); ++i) {
        if (drawtextValue[i] == u'\\' && i + 1 < drawtextValue.size())
            ++i;
        text += drawtextValue[i];
    }
    return text;
}

void replaceMplayerEq(FilterGraph &graph)
{
    static const QStringList eq2Order{"gamma", "contrast", "brightness", "saturation"};
    for (Filter &filter : graph.filters) {
        if (filter.name != QLatin1String("mp") || filter.options.isEmpty()
            || filter.options.first().key != QLatin1String("eq2"))
            continue;
        QList<FilterOption> named;
        for (int i = 0; i < filter.options.size() && i < eq2Order.size(); ++i)
            named.append({eq2Order[i], filter.options[i].value});
        filter.name = QStringLiteral("eq");
        filter.options = named;
    }
}

QString resolveDrawtextFonts(FilterGraph &graph, const FontLookup &fonts)
{
    for (Filter &filter : graph.filters) {
        if (filter.name != QLatin1String("drawtext"))
            continue;
        const QString *fontFile = filter.option(QStringLiteral("fontfile"));
        if (fontFile && fontFile->contains(u'/'))
            continue; // already a file
        const QString *fontName = filter.option(QStringLiteral("font"));
        const QString family = fontFile ? *fontFile : fontName ? *fontName : QStringLiteral("Sans");
        const QString *text = filter.option(QStringLiteral("text"));
        QString file = fonts(family, text ? drawnText(*text) : QString());
        if (file.isEmpty())
            file = fonts(family, QString());
        if (file.isEmpty())
            return QStringLiteral("no font file found for the font \"%1\"").arg(family);
        setOption(filter, QStringLiteral("fontfile"), file);
        removeOption(filter, QStringLiteral("font"));
    }
    return QString();
}

void fitSubtitleCodePages(FilterGraph &graph, QList<TextRecode> *recodes)
{
    for (Filter &filter : graph.filters) {
        QString *codePage = filter.option(QStringLiteral("charenc"));
        if (filter.name != QLatin1String("subtitles") || !codePage)
            continue;
        const QString known = knownCodePage(codePage->toUpper());
        QString *fileName = subtitleFileName(filter);
        if (!isWideCodePage(known) || !fileName) {
            *codePage = known;
            continue;
        }
        const TextRecode recode{*fileName, known, utf8CopyName(*fileName)};
        recodes->append(recode);
        *fileName = recode.targetPath;
        removeOption(filter, QStringLiteral("charenc"));
    }
}

bool swapsWidthAndHeight(const FilterGraph &graph)
{
    bool swapped = false;
    for (const Filter &filter : graph.filters) {
        if (filter.name == QLatin1String("transpose"))
            swapped = !swapped;
    }
    return swapped;
}

bool isTimeIndependent(const FilterGraph &graph)
{
    static const QStringList steady{"transpose", "vflip", "hflip", "eq", "volume",
                                    "overlay", "drawtext", "movie", "loudnorm"};
    for (const Filter &filter : graph.filters) {
        if (!steady.contains(filter.name) || filter.option(QStringLiteral("enable")))
            return false;
        if (filter.name == QLatin1String("movie")) {
            const QString *file = filter.option(QStringLiteral("filename"));
            if (!file)
                file = filter.positional(0);
            if (!file || !isStillPicture(*file) || filter.options.size() > 1)
                return false;
        } else if (filter.name == QLatin1String("overlay")) {
            if (!isPlainNumber(filter.positional(0)) || !isPlainNumber(filter.positional(1))
                || !isPlainNumber(filter.option(QStringLiteral("x")))
                || !isPlainNumber(filter.option(QStringLiteral("y"))))
                return false;
        } else if (filter.name == QLatin1String("drawtext")) {
            const QString *text = filter.option(QStringLiteral("text"));
            if ((text && hasExpansion(*text)) || filter.option(QStringLiteral("textfile"))
                || !isPlainNumber(filter.option(QStringLiteral("x")))
                || !isPlainNumber(filter.option(QStringLiteral("y"))))
                return false;
        }
    }
    return true;
}
