#pragma once

#include "tools/transcoder/plan/mediafacts.h"

#include <QString>

// What libavformat says of a file: the facts the plan needs, and what a join
// compares between its parts. Read in-process, since starting ffprobe would
// cost more than a tenth of a short conversion.
struct ProbedMedia {
    MediaFacts facts;
    QString error;          // why the file could not be read

    // Filled with ProbeDetail::Formats only.
    // The first real video stream (cover pictures do not count).
    int videoCodec = 0;     // AVCodecID
    int pixelFormat = -1;   // AVPixelFormat
    int rotation = 0;       // degrees clockwise of its rotation tag
    // The first audio stream.
    int audioCodec = 0;     // AVCodecID
    QString channelLayout;  // "stereo", "mono", ...
    qint64 audioBitRate = 0;
};

enum class ProbeDetail {
    Facts,   // MediaFacts only: from the header alone when it tells them all
    Formats, // everything above, pixel format included (decodes a frame when needed)
};

ProbedMedia probeMedia(const QString &path, ProbeDetail detail);

// The name of an encoder that writes the codec, or empty when there is none.
QString encoderNameFor(int codecId);

// The muxer ffmpeg chooses for an output of that name ("mp4"), or empty.
QString muxerNameFor(const QString &path);
