#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

// FFmpeg's token syntax (av_get_token), read by its filtergraph parser, its
// option parser and its concat demuxer alike: "\" keeps the next character,
// single quotes keep everything up to the next quote, and blanks that are
// neither escaped nor quoted are dropped at both ends of a token.

// Space, tab, carriage return and line feed.
bool isFfmpegBlank(QChar c);

// The token from pos up to the first terminator that is neither escaped nor
// quoted, with one level of escaping removed; pos is left on that terminator
// (or at the end).
QString readFfmpegToken(const QString &text, int &pos, QStringView terminators);

// The value with a "\" before each of the special characters and before the
// blanks at either end, so that readFfmpegToken gives it back whole when the
// specials hold "\", "'" and the terminators.
QString escapeFfmpegToken(const QString &value, QStringView specials);

// The value in single quotes, each quote in it written '\'' (closed, escaped,
// reopened); readFfmpegToken gives it back whole for any terminators other
// than the quote and the backslash.
QString singleQuotedFfmpegToken(const QString &value);
