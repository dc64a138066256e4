#pragma once

#include "app/optiontables.h"

#include <QString>
#include <QtGlobal>

// Command-line values of the transcoder's options, one table per option space.

// The value written after the option of an OutputProfile field. Empty means
// the option is left out: index 0 ("Original") of the spaces that have no
// value for it, and every index outside the table, so no option is ever
// written without its value. A frame rate index outside 1..7 (other than 0)
// gives "25".
QString optionValue(OptionField field, int index);

// "-s" value of a GIF maker job's size choice; "50x50" for an unknown choice.
QString gifFrameSize(int choice);

// Point size of a text watermark size index; an index outside 0..23 takes the
// nearest end of the list.
QString textSizeValue(int index);

// Colour name of a text watermark colour index; "white" outside 0..13.
QString textColourValue(int index);

// Character set of a subtitle code page index; "UTF-8" outside 0..41.
QString subtitleCharset(int index);

// "-ss" and "-t" value of a time in milliseconds: seconds with up to three
// decimals and no trailing zeros, so a trim keeps the preview's precision
// (12345 gives "12.345", 5000 gives "5", -500 gives "-0.5").
QString secondsText(qint64 milliseconds);
