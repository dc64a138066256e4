#pragma once

#include "tools/transcoder/plan/ffmpegcommand.h"
#include "tools/transcoder/plan/streamfitting.h"

// How the encoders of H.265, VP9 and AV1 are run. The application asks every
// encoder for "-preset ultrafast", which x264 and x265 know, SVT-AV1 cannot
// read and libvpx ignores: each gets a speed that a laptop accepts instead
// (scripts/bench-formats.sh measures it against H.264), a quality where no
// bitrate is chosen, and its own messages quiet but for errors. H.265 in MP4
// and QuickTime files, encoded or copied, gets the "hvc1" tag that Apple's
// players need (ffmpeg would write "hev1").
void setEncoderOptions(FfmpegCommand &command, const OutputTarget &target);
