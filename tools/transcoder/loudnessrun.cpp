#include "tools/transcoder/loudnessrun.h"

#include "tools/common/stopsignals.h"
#include "tools/common/toolerror.h"
#include "tools/transcoder/commandline.h"
#include "tools/transcoder/mediaprobe.h"

namespace {

// The measuring pass decodes the sound alone: next to encoding a picture it
// is a small share of the job, next to encoding sound a large one.
int measuringShare(const QStringList &planned)
{
    const int video = planned.indexOf(QStringLiteral("-vcodec"));
    const bool picturesEncoded = !planned.contains(QStringLiteral("-vn")) && video >= 0
                                 && planned.value(video + 1) != QLatin1String("copy");
    return picturesEncoded ? 10 : 35;
}

} // namespace

bool takeLoudnessTarget(QStringList *arguments, std::optional<double> *target, QString *error)
{
    QString value;
    if (!commandline::takeOption(arguments, QStringLiteral("loudness"), &value)) {
        target->reset();
        return true;
    }
    *target = parseLoudnessTarget(value);
    if (!*target)
        *error = QStringLiteral(
                     "--loudness takes an integrated loudness from -70 to -5 LUFS, not \"%1\"")
                     .arg(value);
    return target->has_value();
}

std::optional<LoudnessMeasure> measureLoudness(const QStringList &arguments, double expectedSeconds,
                                               PercentSpan span, int *exitCode)
{
    const FfmpegRun run = runFfmpegShowingProgress(arguments, expectedSeconds, span);
    if (run.child.stopped || stopsignals::requested()) {
        *exitCode = stopsignals::exitCode();
        return std::nullopt;
    }
    std::optional<LoudnessMeasure> measured;
    if (run.child.succeeded())
        measured = parseLoudnessSummary(run.child.errorTail);
    if (!measured)
        *exitCode =
            toolerror::fail(QStringLiteral("cannot measure the loudness: ")
                            + (run.child.succeeded() ? QStringLiteral("ffmpeg gave no summary")
                                                     : describeFailure(run)));
    return measured;
}

int convertAtLoudness(const TranscodePlan &plan, std::optional<double> target, int sampleRate,
                      TemporaryOutput::Existing existing, QString *ffmpegFailure, PercentSpan span,
                      QString *writtenPath)
{
    if (!target || !hasLoudnessMark(plan.ffmpegArguments))
        return convertInto(plan.ffmpegArguments, plan.expectedSeconds, existing, ffmpegFailure, span,
                           writtenPath);

    const int share = span.at(measuringShare(plan.ffmpegArguments));
    int exitCode = 0;
    const std::optional<LoudnessMeasure> measured =
        measureLoudness(loudnessMeasureArgumentsOf(plan.ffmpegArguments), plan.expectedSeconds,
                        {span.from, share}, &exitCode);
    if (!measured)
        return exitCode;
    return convertInto(loudnessApplyArguments(plan.ffmpegArguments, *target, *measured, sampleRate),
                       plan.expectedSeconds, existing, ffmpegFailure, {share, span.to}, writtenPath);
}

int convertJoinAtLoudness(const QStringList &join, const QStringList &measuringInput, double target,
                          const MediaFacts &soundModel, double expectedSeconds,
                          TemporaryOutput::Existing existing)
{
    const QString encoder = encoderNameFor(soundModel.audioCodec);
    if (encoder.isEmpty())
        return toolerror::fail(
            QStringLiteral("cannot encode the joined sound (%1) again to normalise it")
                .arg(soundModel.audioCodec));
    // Pictures are copied: measuring the sound is about as long as encoding it.
    constexpr int share = 40;
    int exitCode = 0;
    const std::optional<LoudnessMeasure> measured =
        measureLoudness(loudnessMeasureArguments(measuringInput, QString()), expectedSeconds,
                        {0, share}, &exitCode);
    if (!measured)
        return exitCode;
    const QStringList arguments =
        loudnessJoinArguments(join, target, *measured, encoder, soundModel.sampleRate,
                              soundModel.audioBitRate);
    return convertInto(arguments, expectedSeconds, existing, nullptr, {share, 100});
}
