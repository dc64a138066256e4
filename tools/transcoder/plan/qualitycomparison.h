#pragma once

#include "tools/transcoder/plan/mediafacts.h"
#include "tools/transcoder/plan/transcodeplan.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

#include <optional>

// How the quality check compares a converted file with its source: SSIM and
// PSNR of every written frame against the source's frame it was made from,
// through ffmpeg's ssim and psnr filters.

// Why a conversion's picture is not compared.
enum class QualitySkip {
    None,
    NoPicture, // none was written (a sound job): nothing to say
    Copied,    // copied, not encoded: it is the source's own
    Edited,    // changed on purpose (effects, a watermark, subtitles, a turn):
               // a figure would tell the edit, not what the encoder kept
};

// given: the application's arguments, encode: their plan.
QualitySkip qualitySkipOf(const QStringList &given, const TranscodePlan &encode,
                          const MediaFacts &source);

// What one comparison pairs and measures.
struct QualityComparison {
    // Each pairing: the written frames paired with the source's frame this
    // many frames later than their times say. The first frames of a cut or
    // of a picture that starts after the sound may be filled with a copy,
    // or the picture moved by the sound encoder's delay: which pairing is
    // right shows in the figures of the first frames.
    QList<int> frameShifts{0};
    QStringList ssimStats; // a stats file of the ssim filter for each pairing
    QString psnrStats;     // one of the psnr filter for the first; empty: none
    int firstFrames = 0;   // only so many of the written frames; 0: all
};

// The pairings that the first frames decide between, the likeliest first.
const QList<int> candidateFrameShifts{0, -1, 1};

// ffmpeg's arguments for the comparison (without the global options), or
// empty when the plan's own filters cannot be read. The source is cut as the
// encode cut it and goes through the plan's own picture filters (the bars of
// a frame of another shape, the fps filter of a new frame rate), then is
// scaled to the written frame size. Each written frame is paired with the
// source frame shown half a frame after its time, so that timestamps rounded
// by a container (WebM and Matroska keep milliseconds) cannot pair it with
// the frame before.
QStringList qualityComparisonArguments(const TranscodePlan &encode, const MediaFacts &output,
                                       const QString &outputPath,
                                       const QualityComparison &comparison);

// The mean of the frames' "All" in a stats file of the ssim filter: what the
// filter prints as "All:" at the end. nullopt without a frame.
std::optional<double> averageSsim(const QByteArray &stats);

// The PSNR of the frames' mean squared error in a stats file of the psnr
// filter (its "average"); infinity when every frame is the source's.
std::optional<double> averagePsnr(const QByteArray &stats);
