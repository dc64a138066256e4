#pragma once

#include "app/convertjob.h"
#include "engine/conversionpass.h"

#include <QHash>
#include <QString>

// "Check quality": the transcoder's --check-quality after a video job's
// encode, and what a row's tooltip and a batch line say of it.

// True for a pass the transcoder checks: a video job of one input. A join's
// parts are no job's output, and the joined file has no one source.
bool passChecksQuality(const ConvertJob &job, const ConversionPass &pass);

// What a video job's pass that succeeded says of the check, from the
// transcoder's report lines ("ssim" and "psnr", "quality-skipped" or
// "quality-failed"): "SSIM 0.987, PSNR 41.2 dB", or why nothing was
// measured. Empty where there is nothing to say: a job without a picture, a
// join's part, or a picture copied as it was, which the words of the copied
// streams tell already.
QString qualityReportText(const ConvertJob &job, const ConversionPass &pass,
                          const QHash<QString, QString> &reports);
