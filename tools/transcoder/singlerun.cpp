#include "tools/transcoder/singlerun.h"

#include "tools/common/stopsignals.h"
#include "tools/common/toolerror.h"
#include "tools/common/toolreport.h"
#include "tools/transcoder/commandline.h"
#include "tools/transcoder/ffmpegrun.h"
#include "tools/transcoder/fittedrun.h"
#include "tools/transcoder/loudnessrun.h"
#include "tools/transcoder/mediaprobe.h"
#include "tools/transcoder/qualitycheck.h"
#include "tools/transcoder/plan/transcodeplan.h"
#include "tools/transcoder/recodedcopies.h"

#include <cstdio>

int runSingle(const QStringList &arguments, bool printOnly)
{
    QStringList given = arguments;
    const bool checkQuality = commandline::takeOption(&given, QStringLiteral("check-quality"));
    std::optional<double> loudness;
    QString optionError;
    if (!takeLoudnessTarget(&given, &loudness, &optionError))
        return toolerror::fail(optionError);
    const qint64 fitSize = takeFitSize(&given);
    if (fitSize < 0)
        return toolerror::fail(QStringLiteral("--fit-size takes a count of bytes"));
    if (loudness)
        given = withLoudnessMark(given);

    const QString input = commandline::inputOf(given);
    ProbedMedia probed = probeMedia(input, ProbeDetail::Facts);
    if (stopsignals::requested())
        return stopsignals::exitCode();
    if (!probed.facts.readable)
        return toolerror::fail(QStringLiteral("cannot read %1: %2").arg(input, probed.error));
    if (fitSize > 0)
        return runFittedSingle(given, probed.facts, fitSize, loudness,
                               QualityCheck(checkQuality, given, probed.facts), printOnly);

    TranscodePlan plan = planTranscode(given, probed.facts, lookUpFont);
    if (plan.needsPixelFormat || plan.needsAudioBitRate) {
        // A few milliseconds, or dozens to decode a frame; a copy saves the whole encoding.
        const ProbedMedia detailed =
            probeMedia(input, plan.needsAudioBitRate ? ProbeDetail::Formats : ProbeDetail::PixelFormat);
        if (stopsignals::requested())
            return stopsignals::exitCode();
        if (detailed.facts.readable) {
            probed = detailed;
            plan = planTranscode(given, probed.facts, lookUpFont);
        }
    }
    if (!plan.error.isEmpty())
        return toolerror::fail(plan.error);
    if (plan.ffmpegArguments.isEmpty())
        return toolerror::fail(QStringLiteral("nothing to run for %1").arg(input));

    if (printOnly) {
        for (const QString &argument : plan.ffmpegArguments)
            std::printf("%s\n", argument.toLocal8Bit().constData());
        return 0;
    }
    RecodedCopies copies;
    QString error;
    if (!copies.write(plan.recodes, &error))
        return toolerror::fail(error);
    const TemporaryOutput::Existing existing = commandline::outputExisting(given);
    const int sampleRate = probed.facts.sampleRate;
    const QualityCheck quality(checkQuality, given, probed.facts);
    QString written;
    if (plan.copiedStreams.isEmpty()) {
        const int exitCode =
            convertAtLoudness(plan, loudness, sampleRate, existing, nullptr, quality.encodeSpan(plan), &written);
        return quality.after(exitCode, plan, written);
    }

    QString copyFailure;
    const int exitCode =
        convertAtLoudness(plan, loudness, sampleRate, existing, &copyFailure, quality.encodeSpan(plan), &written);
    if (exitCode == 0)
        toolreport::tell("copied", plan.copiedStreams.join(u','));
    if (exitCode == 0 || copyFailure.isEmpty())
        return quality.after(exitCode, plan, written);
    // A muxer may refuse a stream as it is that it takes encoded (an AAC kind
    // that ADTS cannot frame, timestamps a container cannot hold): encode it.
    // The plan is the same but for the copy, its recoded subtitles included.
    const TranscodePlan encoded = planTranscode(given, probed.facts, lookUpFont, StreamCopyChoice::Never);
    const int encodedExit =
        convertAtLoudness(encoded, loudness, sampleRate, existing, nullptr, quality.encodeSpan(encoded), &written);
    return quality.after(encodedExit, encoded, written);
}
