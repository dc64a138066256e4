#pragma once

#include "tools/transcoder/plan/mediafacts.h"

#include <QString>

// What libavformat says of a file: the facts the plan needs, and what a join
// compares between its parts. Read in-process, since starting ffprobe would
// cost more than a tenth of a short conversion.
struct ProbedMedia {
    MediaFacts facts;       // of the first real video stream (cover pictures do
                            // not count) and the first audio stream
    QString error;          // why the file could not be read
    QString channelLayout;  // "stereo", "mono", ...
};

enum class ProbeDetail {
    Facts,       // from the header alone when it tells the facts the plan needs
    PixelFormat, // and the picture's pixel format, read by the codec's parser
                 // from the first packets where it can (a few milliseconds)
    Formats,     // every fact, the pixel format, the channel layout and the
                 // bitrate included (decodes a frame when needed: dozens of ms)
};

ProbedMedia probeMedia(const QString &path, ProbeDetail detail);

// The name of an encoder that writes the codec ("aac"), or empty when there is none.
QString encoderNameFor(const QString &codecName);

// The muxer ffmpeg chooses for an output of that name ("mp4"), or empty.
QString muxerNameFor(const QString &path);
