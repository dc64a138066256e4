#pragma once

#include "tools/transcoder/plan/ffmpegcommand.h"
#include "tools/transcoder/plan/streamfitting.h"

// A picture encoded at another frame rate than the input's gets it from
// ffmpeg's fps filter, at the end of its filters, and "-r" names the same
// rate. With "-r" alone ffmpeg 5.1 drops frames late when it lowers the rate:
// the pictures ran behind the sound (133 ms at 25 to 15 fps, for the whole
// file), and which frames it keeps or doubles follows no rule that the
// quality check could repeat. The fps filter keeps, for each output frame,
// the input frame nearest its time.
//
// The rate is the one asked for ("-r", a DV target's), or the nearest one
// that the encoder takes (MPEG-1 has a list of its own).
void changeFrameRateByFilter(FfmpegCommand &command, const OutputTarget &target);
