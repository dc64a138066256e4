#pragma once

#include "engine/probemodule.h"
#include "tools/transcoder/plan/mediafacts.h"

#include <QString>

// What libavformat says of a file: the facts the plan needs, and what a join
// compares between its parts. Read in-process through the probe module
// (engine/probemodule.h, loaded at the first call), since starting ffprobe
// would cost more than a tenth of a short conversion; facts the application
// already read are taken from --facts instead (rememberProbedFacts).
struct ProbedMedia {
    MediaFacts facts;      // of the first real video stream (cover pictures do
                           // not count) and the first audio stream
    QString error;         // why the file could not be read
    QString channelLayout; // "stereo", "mono", ...
};

// The facts of the input and the muxer for the output that the application
// read (the text of --facts=), answered by the calls below without loading
// the module. False when the text does not read as facts: then they are
// probed as usual.
bool rememberProbedFacts(const QByteArray &text, const QString &inputPath,
                         const QString &outputPath);

ProbedMedia probeMedia(const QString &path, ProbeDetail detail);

// The name of an encoder that writes the codec ("aac"), or empty when there is none.
QString encoderNameFor(const QString &codecName);

// The bytes of the first video stream's packets in a written file, read
// without decoding; -1 when the file cannot be read. What a fitted try
// measures to correct the next one: the rest of the file (sound, the
// container) stays the same between tries.
qint64 videoStreamBytes(const QString &path);

// The muxer ffmpeg chooses for an output of that name ("mp4"), or empty.
QString muxerNameFor(const QString &path);

// Copies the streams of the input into output with the muxer through the
// probe module (quillmora_remux), which the transcoder then loads instead of
// an ffmpeg: LeftToFfmpeg also when the module is missing. Gives up when a
// stop is asked for; progress gets the seconds written.
ProbeModule::Remuxed remuxInProcess(const QString &input, const QString &output, const QString &muxer,
                                    bool copyVideo, bool copyAudio, const std::function<void(double)> &progress);
