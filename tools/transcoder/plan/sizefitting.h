#pragma once

#include "tools/transcoder/plan/ffmpegcommand.h"
#include "tools/transcoder/plan/mediafacts.h"

#include <QString>

// The arithmetic of "Fit in" a size: which bitrates make the file of a
// conversion come out at the size asked. Pure.

// The first try aims at this share of the size, so that the file lands
// within FitLowestShare..1 of it; a try outside is corrected and made again.
constexpr double FitAimShare = 0.975;
constexpr double FitLowestShare = 0.95;

// The sound as it will be written.
struct FitSound {
    bool present = false;
    QString encoder; // ffmpeg's encoder name: "aac", "libopus", "pcm_s16le", ...
    int channels = 2;
    int sampleRate = 44100;
    qint64 bitRate = 0;    // bit/s at the job's settings
    bool lowerable = true; // false: lossless, or copied; its bitrate stays
};

struct FitRequest {
    qint64 sizeBytes = 0; // the most the file may take
    double seconds = 0;   // the length written: the trimmed part, a join's total
    int width = 0;        // the picture as written
    int height = 0;
    double frameRate = 25;
    QString container; // the output's suffix, lower case
    FitSound sound;
};

struct FitBudget {
    qint64 videoBitRate = 0; // bit/s; 0 when the size is refused
    qint64 audioBitRate = 0; // bit/s; 0 without sound
    qint64 overheadBytes = 0;
    qint64 leastBytes = 0; // when refused: the smallest size that works
    bool capped = false;   // the bitrate stopped where more would not look better

    bool refused() const { return videoBitRate == 0; }
};

// The bitrates for the size: the sound at the job's bitrate, lowered step by
// step (not below 32 kbit/s a channel, 64 for stereo) while it would take more
// than a fifth of the size or leave the picture less than it needs; the
// picture gets the rest after the container's overhead. Refused when the
// picture would get less than minimumVideoBitRate().
FitBudget planFit(const FitRequest &request);

// Below this a picture of the size shows nothing: 50 kbit/s up to 640x360,
// growing with the count of pixels above it.
qint64 minimumVideoBitRate(int width, int height);
// Above this (one bit a pixel) more bits would not look better.
qint64 maximumVideoBitRate(int width, int height, double frameRate);

// What the container adds to the streams' packets, in bytes, as measured on
// Debian's ffmpeg: a fixed part and a part for each packet.
qint64 containerOverheadBytes(const QString &container, double seconds, double frameRate,
                              const FitSound &sound);

// The sound of a planned command (after planTranscode), with its bitrate at
// the job's settings, or the encoder's usual one where the job has none.
FitSound fitSoundOf(const FfmpegCommand &planned, const MediaFacts &input);
// The request for a planned command that writes seconds of the input.
FitRequest fitRequestOf(const FfmpegCommand &planned, const MediaFacts &input, qint64 sizeBytes,
                        double seconds);

// The video bitrate of the next try, from what the last one wrote over the
// seconds: the bytes of its file and of its video stream. afterAnalysis: the
// encoder's second pass, which holds to its rate but near its floor.
qint64 correctedVideoBitRate(qint64 bitRate, qint64 fileBytes, qint64 videoBytes, qint64 sizeBytes,
                             double seconds, bool afterAnalysis);

// FitLowestShare to all of the size, never over.
bool isWithinSize(qint64 fileBytes, qint64 sizeBytes);
