#pragma once

#include "tools/transcoder/plan/ffmpegcommand.h"
#include "tools/transcoder/plan/filtergraph.h"
#include "tools/transcoder/plan/mediafacts.h"

// A picture is never stretched. When the frame that the arguments give
// ("-s", "-aspect") or that the format forces (DV) has another shape than
// the picture, the picture is scaled to fit inside the frame and the rest is
// black bars. ffmpeg itself would fill the frame, and a phone clip (a
// portrait picture) would come out squeezed to a landscape frame.
// pictureTurned: the filters swap width and height.
void fitPictureIntoFrame(FfmpegCommand &command, const MediaFacts &input, bool pictureTurned);

// Adds the filters at the end of the picture's graph ("-vf"); a label naming
// the graph's output moves to the new last filter.
void appendVideoFilters(FfmpegCommand &command, const QList<Filter> &added);
