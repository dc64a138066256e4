#pragma once

#include "tools/transcoder/plan/filtergraph.h"
#include "tools/transcoder/plan/textrecode.h"
#include "tools/transcoder/plan/transcodeplan.h"

#include <QList>
#include <QString>

// Rewrites of a video filter graph for Debian's ffmpeg 5.1.

// "mp=eq2=gamma:contrast:brightness:saturation" (the MPlayer wrapper is gone)
// becomes "eq" with named options: eq's positional order differs.
void replaceMplayerEq(FilterGraph &graph);

// drawtext's fontfile names a family; ffmpeg needs a file. Each drawtext gets
// the file of a font of that family that can draw its text, or failing that
// any font fontconfig gives for the family. Returns an error when there is none.
QString resolveDrawtextFonts(FilterGraph &graph, const FontLookup &fonts);

// Subtitle code pages for iconv: unknown names become the nearest known one;
// files in UTF-16 or UTF-32 are named by a UTF-8 copy, listed in recodes.
void fitSubtitleCodePages(FilterGraph &graph, QList<TextRecode> *recodes);

// Whether the picture leaves the graph turned by a quarter (width and height swapped).
bool swapsWidthAndHeight(const FilterGraph &graph);

// True when every filter gives the same picture whatever the frames' times,
// so that cutting before the filters (seeking on the input) changes nothing.
bool isTimeIndependent(const FilterGraph &graph);

// The text drawtext draws, with its own escapes ("\%", "\\") removed.
QString drawnText(const QString &drawtextValue);
