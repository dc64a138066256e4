#pragma once

#include "tools/transcoder/plan/ffmpegcommand.h"
#include "tools/transcoder/plan/mediafacts.h"

#include <QString>

// The cut ("-ss" start, "-t" length) checked against the input; a start that
// ffmpeg can reach by seeking on the input is moved before "-i", so that the
// part before it is not decoded. seekable: the output stays the same when the
// filters see the frames' times counted from the start rather than from the
// file's beginning. Returns an error text, empty when the cut is sound;
// expectedSeconds is the output's length (0 when unknown).
QString fitTrim(FfmpegCommand &command, const MediaFacts &input, bool seekable, double *expectedSeconds);
