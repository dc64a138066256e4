#pragma once

#include "tools/transcoder/isomedia/bytereader.h"
#include "tools/transcoder/isomedia/movieparts.h"

// Reads the payload of the 'moov' box into movie (whose brands are already
// set). False when the box is malformed, or holds a box this reader does not
// know to leave libavformat's header facts alone: fragments ('mvex'), chapter
// tracks, several sample descriptions, a duplicated table, ...
bool readMovieBox(ByteReader payload, MovieParts *movie);
