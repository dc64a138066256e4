#pragma once

#include <QtGlobal>

#include <limits>
#include <vector>

// What the native reader gathers from the 'moov' box before it judges whether
// libavformat would say the same. Sizes are in the units of the file.

// libavformat keeps most numbers of the file in an int: larger ones turn
// negative there, and the reader declines them.
constexpr quint32 intLimit = quint32(std::numeric_limits<qint32>::max());

enum class TrackKind { Other, Video, Sound };

// The file type box, as libavformat reads it: a major brand other than
// "qt  " marks an ISO file; QuickTime compatibility is a "qt  " anywhere in
// the compatible brands.
struct FileBrands {
    bool iso = false;
    bool quickTimeCompatible = false;
};

// The one sample description of a video or sound track.
struct SampleEntry {
    bool understood = false; // a codec whose facts libavformat takes from the header alone
    int width = 0;
    int height = 0;
    int sampleRate = 0;
    int channels = 0;
};

struct TrackParts {
    TrackKind kind = TrackKind::Other;
    bool handlerRead = false;
    quint32 timescale = 0;       // of the media header; 0 until read
    SampleEntry entry;
    quint64 timedSamples = 0;    // what the time-to-sample table counts...
    quint64 timedDuration = 0;   // ...and how long they last, in timescale units
    quint32 timeEntries = 0;
    quint64 chunks = 0;          // chunk offset entries
    quint32 chunkRuns = 0;       // sample-to-chunk entries...
    quint32 lastRunFirstChunk = 0; // ...and the first chunk of the last one
    quint32 sampleCount = 0;     // sample size table
    quint32 constantSampleSize = 0;
    std::vector<quint32> boxesRead; // of the boxes a track may hold only once
};

struct MovieParts {
    FileBrands brands;
    quint32 timescale = 0;       // of the movie header
    quint64 duration = 0;
    std::vector<TrackParts> tracks;
    std::vector<quint32> boxesRead;
};
