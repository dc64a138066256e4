#pragma once

#include "tools/transcoder/plan/ffmpegcommand.h"
#include "tools/transcoder/plan/mediafacts.h"

#include <QString>

// The output's settings brought within what the input has and what the
// encoders and the container accept. Each returns an error text, empty when
// the conversion can go on.

struct OutputTarget {
    const MediaFacts &input;
    QString container; // the output's suffix, lower case
};

// A picture or sound the input lacks is not asked for ("-vn", "-an"), so that
// nothing else (a cover picture) stands in; a format that needs it fails.
QString fitToInputStreams(FfmpegCommand &command, const OutputTarget &target);

// Audio encoder, sample rate, channels and bitrate: the nearest valid ones.
QString fitAudio(FfmpegCommand &command, const OutputTarget &target);

// Frame size (alignment, size limits), frame rate, packet size, and a picture
// format that every player takes unless the arguments choose one.
// pictureTurned: the filters swap width and height.
QString fitVideo(FfmpegCommand &command, const OutputTarget &target, bool pictureTurned);
