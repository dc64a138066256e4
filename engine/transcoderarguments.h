#pragma once

#include "app/convertjob.h"
#include "engine/conversionpass.h"

#include <QStringList>

// The transcoder's arguments for one pass of a job, in FFmpeg's manner. Pure:
// the watermark picture and the subtitle file are named by the bare names of
// workingFileNames(); PassWorkspace puts the copies there. formatId and
// category are read from job.profile. A job's loudness target goes first, as
// the transcoder's own "--loudness=LUFS".
QStringList buildTranscoderArguments(const ConvertJob &job, const ConversionPass &pass);

// True when the pass carries the job's edit settings (trim, filters, volume):
// video formats other than DV, except the stream-copy join.
bool passAppliesEdits(const ConvertJob &job, const ConversionPass &pass);
