#pragma once

#include <QString>

// Escaping for FFmpeg's filtergraph syntax, so that a value reaches the filter
// exactly as given and can neither end its option nor its filter.
//
// A filter option value passes two parsers: the filtergraph parser, which
// removes one level of quotes and backslashes around the whole filter
// description, and the option parser, which removes another level and ends
// the value at ":". drawtext's text then goes through its own expansion,
// where "\" escapes and "%" starts a function.

// The value of a filter option, quoted for both levels: plain text stays
// readable ("Times New Roman" gives "'Times New Roman'").
QString quotedFilterValue(const QString &value);

// drawtext's text option value: quotedFilterValue of the text after escaping
// it for drawtext's expansion, so it is drawn literally.
QString quotedDrawtextText(const QString &text);
