#pragma once

#include <QString>
#include <QStringList>

// How each video encoder reaches a bitrate over a whole file, for "Fit in".
// x264, x265 and libvpx's VP9 have two passes of their own: an analysis that
// writes statistics, then the encode that spends the bits where the
// analysis found them needed. SVT-AV1 as Debian's ffmpeg 5.1 offers it has
// none ("-pass" leaves its statistics file empty): it encodes once at the
// bitrate in its VBR mode, and the measured file corrects the next try.
enum class RatePasses { TwoPasses, OnePassMeasured };

struct FitEncoder {
    QString encoder;
    RatePasses passes;
    int analysisPercent; // of the progress bar: the analysis's share of the time
};

// nullptr for an encoder that cannot be fitted in a size.
const FitEncoder *fitEncoder(const QString &encoder);
// The one that writes the codec ("h264"), or nullptr.
const FitEncoder *fitEncoderForCodec(const QString &codec);

// The analysis pass of a planned command (output last): its picture alone,
// written nowhere; the statistics go to files that start with statsPrefix (a
// path relative to the working folder, since x265 reads its options split at
// colons).
QStringList analysisPassArguments(const QStringList &planned, const QString &statsPrefix);

// The command that writes the output at the video bitrate, in bit/s; after
// an analysis it reads the statistics. Opus keeps near its rate.
QStringList encodePassArguments(const QStringList &planned, const QString &statsPrefix,
                                qint64 videoBitRate);
