#pragma once

#include "tools/transcoder/isomedia/bytereader.h"

// User data ('udta') and metadata ('meta') boxes hold nothing the facts need,
// but libavformat reads their strings with lengths taken from inside and
// fails the whole file on some malformed ones (or on reading past its end).
// True when it would read them within their boxes; in a track, a 'meta' is
// refused outright, since libavformat takes its handler for the track's.
bool checkUserData(ByteReader payload, bool inTrack);
bool checkMetadata(ByteReader payload);
