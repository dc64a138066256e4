#pragma once

#include "tools/transcoder/plan/ffmpegcommand.h"

#include <QString>

// How the encoders of H.265, VP9 and AV1 are run. The application asks every
// encoder for "-preset ultrafast", which x264 and x265 know, SVT-AV1 cannot
// read and libvpx ignores: each gets a speed that a laptop accepts instead
// (scripts/bench-formats.sh measures it against H.264), a quality where no
// bitrate is chosen, its own messages quiet but for errors, and H.265 in MP4
// and QuickTime files the "hvc1" tag that Apple's players need.
// container: the output's suffix, lower case.
void setEncoderOptions(FfmpegCommand &command, const QString &container);
