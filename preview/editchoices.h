#pragma once

#include <QString>
#include <QStringList>

// The entries of the preview dialog's lists and the texts it derives from
// values. The item data of every list entry is its index; the converter reads
// the same indices (engine/transcodervalues.h).
namespace editchoices {

constexpr int textSizeCount = 24;     // watermark and subtitle size lists
constexpr int textColourCount = 14;   // watermark colour list
constexpr int codePageCount = 42;     // subtitle code-page list

// "8" .. "54": the point size the converter draws for a size index.
QString textSizeEntry(int index);

// The untranslated colour word of a colour index ("White", "DarkRed", ...),
// for tr() in the dialog's context.
const char *textColourEntry(int index);

// 0xRRGGBB of a colour index, matching the converter's colour name; white
// outside the list.
int textColourRgb(int index);

// "UTF-8", "CP874", ... as the converter names the character set.
QString codePageEntry(int index);

// The picture and subtitle suffixes the file dialogs offer.
QStringList imageSuffixes();
QStringList subtitleSuffixes();

// label + " *.a *.b )": the label already holds its opening bracket
// ("All Image Files (").
QString fileFilter(const QString &label, const QStringList &suffixes);

// The clock time ms milliseconds after midnight, "hh:mm:ss:zzz", hours modulo 24.
QString formatPosition(qint64 ms);

} // namespace editchoices
