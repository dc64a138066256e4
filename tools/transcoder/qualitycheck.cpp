#include "tools/transcoder/qualitycheck.h"

#include "platform/progressshare.h"
#include "tools/common/scratchfolder.h"
#include "tools/common/stopsignals.h"
#include "tools/common/toolreport.h"
#include "tools/transcoder/mediaprobe.h"
#include "tools/transcoder/plan/ffmpegcommand.h"
#include "tools/transcoder/plan/qualitycomparison.h"

#include <QDir>
#include <QFile>

#include <cmath>

namespace {

// The bar's share of the encode: the comparison costs about two thirds of
// an H.264 encode at the application's speed, a small part of the slower
// encoders' (scripts/bench-quality.sh).
int encodeShareOf(const TranscodePlan &encode)
{
    static const QStringList slowEncoders{"libx265", "libvpx-vp9", "libsvtav1", "libaom-av1"};
    const std::optional<FfmpegCommand> planned = parseFfmpegCommand(encode.ffmpegArguments);
    const QString *encoder = planned ? planned->value(QStringLiteral("-vcodec")) : nullptr;
    return encoder && slowEncoders.contains(*encoder) ? 85 : 60;
}

QByteArray contentsOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void tellFailure(const QString &reason)
{
    toolreport::tell("quality-failed", reason);
}

// Enough written frames to tell the pairings apart on all but a still picture.
constexpr int framesToPairBy = 50;

// The pairing of written and source frames whose first frames agree best;
// the likeliest one unless another is clearly better.
int pairingOf(const TranscodePlan &encode, const MediaFacts &output, const QString &writtenPath,
              const QualityComparison &first, QString *failure)
{
    const QStringList arguments = qualityComparisonArguments(encode, output, writtenPath, first);
    if (arguments.isEmpty()) {
        *failure = QStringLiteral("the conversion's own filters cannot be read");
        return 0;
    }
    const FfmpegRun run = runFfmpeg(arguments, 0);
    if (!run.child.succeeded()) {
        *failure = describeFailure(run);
        return 0;
    }
    int best = 0;
    double bestFigure = -1;
    for (int i = 0; i < first.frameShifts.size(); ++i) {
        const double figure = averageSsim(contentsOf(first.ssimStats[i])).value_or(-1);
        if (figure > bestFigure + 1e-4) {
            best = first.frameShifts[i];
            bestFigure = figure;
        }
    }
    if (bestFigure < 0)
        *failure = QStringLiteral("no frame of the converted file was compared");
    return best;
}

// The check ends at a stop; the converted file is kept, since it is whole.
void tellStopped()
{
    tellFailure(QStringLiteral("the check was stopped"));
}

// Compares the written file with the source and tells the figures, or why
// there are none, the bar going on from barFrom.
void measure(const TranscodePlan &encode, const QString &writtenPath, int barFrom)
{
    const ProbedMedia output = probeMedia(writtenPath, ProbeDetail::PixelFormat);
    if (stopsignals::requested())
        return tellStopped();
    if (!output.facts.readable || !output.facts.hasVideo) {
        tellFailure(QStringLiteral("the converted file cannot be read: %1").arg(output.error));
        return;
    }
    ScratchFolder scratch;
    QString error;
    if (!scratch.create(QDir::tempPath(), &error)) {
        tellFailure(error);
        return;
    }
    const QString folder = scratch.path() + u'/';
    QualityComparison first{candidateFrameShifts, {}, QString(), framesToPairBy};
    for (int shift : candidateFrameShifts)
        first.ssimStats << folder + QStringLiteral("first%1.log").arg(shift);
    QString failure;
    const int shift = pairingOf(encode, output.facts, writtenPath, first, &failure);
    if (stopsignals::requested())
        return tellStopped();
    if (!failure.isEmpty()) {
        tellFailure(failure);
        return;
    }
    const QualityComparison measured{{shift},
                                     {folder + QStringLiteral("ssim.log")},
                                     folder + QStringLiteral("psnr.log")};
    const FfmpegRun run =
        runFfmpegShowingProgress(qualityComparisonArguments(encode, output.facts, writtenPath,
                                                            measured),
                                 encode.expectedSeconds, {barFrom, 100});
    if (run.child.stopped || stopsignals::requested())
        return tellStopped();
    if (!run.child.succeeded()) {
        tellFailure(describeFailure(run));
        return;
    }
    const std::optional<double> ssim = averageSsim(contentsOf(measured.ssimStats.first()));
    const std::optional<double> psnr = averagePsnr(contentsOf(measured.psnrStats));
    if (!ssim || !psnr) {
        tellFailure(QStringLiteral("no frame of the converted file was compared"));
        return;
    }
    toolreport::tell("ssim", QString::number(*ssim, 'f', 3));
    toolreport::tell("psnr",
                     std::isinf(*psnr) ? QStringLiteral("inf") : QString::number(*psnr, 'f', 1));
}

} // namespace

QualityCheck::QualityCheck(bool checkWanted, const QStringList &givenArguments,
                           const MediaFacts &sourceFacts)
    : wanted(checkWanted)
    , given(givenArguments)
    , source(sourceFacts)
{
}

PercentSpan QualityCheck::encodeSpan(const TranscodePlan &encode) const
{
    if (!wanted || qualitySkipOf(given, encode, source) != QualitySkip::None)
        return {};
    return {0, encodeShareOf(encode)};
}

int QualityCheck::after(int exitCode, const TranscodePlan &encode, const QString &writtenPath) const
{
    if (exitCode != 0 || !wanted)
        return exitCode;
    switch (qualitySkipOf(given, encode, source)) {
    case QualitySkip::NoPicture:
        return 0;
    case QualitySkip::Copied:
        toolreport::tell("quality-skipped", QStringLiteral("copied"));
        return 0;
    case QualitySkip::Edited:
        toolreport::tell("quality-skipped", QStringLiteral("edited"));
        return 0;
    case QualitySkip::None:
        break;
    }

    measure(encode, writtenPath, encodeSpan(encode).to);
    ProgressShare share; // the bar's end, whatever the figures
    share.open(progressBlockName());
    share.setPercent(100);
    return 0;
}
