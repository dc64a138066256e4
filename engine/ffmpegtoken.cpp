#include "engine/ffmpegtoken.h"

bool isFfmpegBlank(QChar c)
{
    return c == u' ' || c == u'\n' || c == u'\t' || c == u'\r';
}

QString readFfmpegToken(const QString &text, int &pos, QStringView terminators)
{
    while (pos < text.size() && isFfmpegBlank(text[pos]))
        ++pos;
    QString token;
    int protectedEnd = 0; // blanks before this index were escaped or quoted
    while (pos < text.size() && !terminators.contains(text[pos])) {
        const QChar c = text[pos++];
        if (c == u'\\' && pos < text.size()) {
            token += text[pos++];
            protectedEnd = token.size();
        } else if (c == u'\'') {
            while (pos < text.size() && text[pos] != u'\'')
                token += text[pos++];
            if (pos < text.size()) {
                ++pos;
                protectedEnd = token.size();
            }
        } else {
            token += c;
        }
    }
    while (token.size() > protectedEnd && isFfmpegBlank(token.back()))
        token.chop(1);
    return token;
}

QString escapeFfmpegToken(const QString &value, QStringView specials)
{
    int leading = 0;
    while (leading < value.size() && isFfmpegBlank(value[leading]))
        ++leading;
    int trailing = value.size();
    while (trailing > leading && isFfmpegBlank(value[trailing - 1]))
        --trailing;
    QString escaped;
    escaped.reserve(value.size() + 8);
    for (int i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (specials.contains(c) || i < leading || i >= trailing)
            escaped += u'\\';
        escaped += c;
    }
    return escaped;
}

QString singleQuotedFfmpegToken(const QString &value)
{
    QString quoted = value;
    quoted.replace(u'\'', QStringLiteral("'\\''"));
    return u'\'' + quoted + u'\'';
}
