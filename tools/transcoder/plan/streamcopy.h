#pragma once

#include "tools/transcoder/plan/streamfitting.h"

#include <QStringList>

// Which streams are copied as they are instead of being encoded again.
struct StreamCopy {
    QStringList copied;            // "video", "audio", in that order
    // A stream could be copied if the input's pixel format or its sound's
    // bitrate were known: probe it and plan again.
    bool needsPixelFormat = false;
    bool needsAudioBitRate = false;
};

// A stream is copied when the input already has the codec the arguments ask
// for, at the settings they leave unchanged: no cut, no filter, no size,
// rate, shape or bitrate other than the input's own, and a container that
// holds it as it is. Copying loses nothing and takes a fraction of the time;
// it sets "-vcodec copy" or "-acodec copy" and drops the options that only
// repeat the input's values. Never for a cut: copied pictures start at a key
// frame, not where the cut asks.
StreamCopy chooseStreamCopy(FfmpegCommand &command, const OutputTarget &target);

// True when the option's value is "copy".
bool isCopied(const FfmpegCommand &command, const QString &codecOption);
