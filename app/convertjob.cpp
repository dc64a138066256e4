#include "app/convertjob.h"

ConvertJob makeJob(int formatId, const OutputProfile &profile)
{
    ConvertJob job;
    job.formatId = formatId;
    job.profile = profile;
    return job;
}
