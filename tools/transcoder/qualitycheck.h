#pragma once

#include "tools/transcoder/ffmpegrun.h"
#include "tools/transcoder/plan/mediafacts.h"
#include "tools/transcoder/plan/transcodeplan.h"

#include <QStringList>

// The quality check that the application asks for with --check-quality:
// after the encode, in the same run, the written file's SSIM and PSNR
// against the part of the source it was made from (plan/qualitycomparison.h),
// told as "quillmora:ssim=0.987" and "quillmora:psnr=41.2" ("inf" when every
// frame is the source's). When nothing is measured it says why:
// "quillmora:quality-skipped=copied" or "=edited", or
// "quillmora:quality-failed=<reason>". A check never fails the conversion,
// not even when it is stopped.
class QualityCheck
{
public:
    // wanted: asked for; given: the application's arguments; source: the input's facts.
    QualityCheck(bool wanted, const QStringList &given, const MediaFacts &source);

    // The part of the bar that the plan's encode fills; the check takes the rest.
    PercentSpan encodeSpan(const TranscodePlan &encode) const;

    // After the encode that ended with exitCode and wrote writtenPath: the
    // check, where it was asked for and the encode succeeded. Returns the
    // tool's exit code, the encode's: a stop during the check ends the check
    // alone and keeps the file, which is whole.
    int after(int exitCode, const TranscodePlan &encode, const QString &writtenPath) const;

private:
    bool wanted;
    QStringList given;
    MediaFacts source;
};
