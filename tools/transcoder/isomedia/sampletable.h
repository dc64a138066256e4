#pragma once

#include "tools/transcoder/isomedia/bytereader.h"
#include "tools/transcoder/isomedia/movieparts.h"

// Reads a track's sample table ('stbl') into track, whose handler and media
// header are already read: the sample description, and the tables whose
// counts and durations the facts and libavformat's sanity checks use. False
// when a table does not fit its box or holds what libavformat would repair,
// reject or read further than this reader.
bool readSampleTable(ByteReader payload, const FileBrands &brands, TrackParts *track);
