#include "gifmaker/gifjob.h"

#include <QtGlobal>

ConvertJob makeGifJob(int formatId, const OutputProfile &profile, const GifChoice &choice)
{
    ConvertJob job = makeJob(formatId, profile);
    job.edit.trimStart = qMax(0, choice.startMs) / 1000;
    job.edit.trimLength = qBound(0, choice.lengthSeconds, 10);
    job.edit.gifSize = choice.sizeChoice;
    job.inputFiles << choice.path;
    return job;
}
