#pragma once

#include "tools/transcoder/isomedia/bytereader.h"
#include "tools/transcoder/isomedia/movieparts.h"

struct SampleEntryContext {
    TrackKind kind;                // from the media handler
    FileBrands brands;
    quint8 descriptionsVersion;    // of the 'stsd' box
    quint32 mediaTimescale;
};

// Reads one sample description of the given format; payload starts after its
// reserved bytes and data reference index. False when libavformat would make
// something else of it than this reader can tell: an unlisted format, a
// child box that may change the codec or its parameters, a palette, a
// malformed configuration.
bool readSampleEntry(quint32 format, ByteReader payload, const SampleEntryContext &context, SampleEntry *entry);
