#include "engine/filterescaping.h"

namespace {

bool isTokenWhitespace(QChar c)
{
    // The characters FFmpeg's tokenizer trims from both ends of an unescaped value.
    return c == u' ' || c == u'\n' || c == u'\t' || c == u'\r';
}

// First level: the option parser ends a value at ":", treats "\" and "'" as
// escapes and trims unescaped blanks at both ends.
QString escapeOptionValue(const QString &value)
{
    int leading = 0;
    while (leading < value.size() && isTokenWhitespace(value[leading]))
        ++leading;
    int trailingStart = value.size();
    while (trailingStart > leading && isTokenWhitespace(value[trailingStart - 1]))
        --trailingStart;

    QString escaped;
    escaped.reserve(value.size() * 2);
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\\' || c == u'\'' || c == u':' || i < leading || i >= trailingStart)
            escaped += u'\\';
        escaped += c;
    }
    return escaped;
}

// Second level: the filtergraph parser keeps everything between single quotes
// literally; a quote itself is closed, escaped and reopened.
QString quoteForFiltergraph(const QString &description)
{
    QString quoted = description;
    quoted.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + quoted + u'\'';
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
    return quoteForFiltergraph(escapeOptionValue(value));
}

QString quotedDrawtextText(const QString &text)
{
    return quotedFilterValue(escapeDrawtextExpansion(text));
}
