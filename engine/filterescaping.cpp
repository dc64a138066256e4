#include "engine/filterescaping.h"

#include "engine/ffmpegtoken.h"

namespace {

// First level: the option parser ends a value at ":", treats "\" and "'" as
// escapes and trims unescaped blanks at both ends.
QString escapeOptionValue(const QString &value)
{
    return escapeFfmpegToken(value, u"\\':");
}

QString escapeDrawtextExpansion(const QString &text)
{
    QString escaped;
    escaped.reserve(text.size() * 2);
    for (const QChar c : text) {
        if (c == u'\\' || c == u'%')
            escaped += u'\\';
        escaped += c;
    }
    return escaped;
}

} // namespace

QString quotedFilterValue(const QString &value)
{
    // Second level: the filtergraph parser keeps everything between single
    // quotes literally.
    return singleQuotedFfmpegToken(escapeOptionValue(value));
}

QString quotedDrawtextText(const QString &text)
{
    return quotedFilterValue(escapeDrawtextExpansion(text));
}
