#include "tools/transcoder/singlerun.h"

#include "tools/common/stopsignals.h"
#include "tools/common/toolerror.h"
#include "tools/common/toolreport.h"
#include "tools/transcoder/commandline.h"
#include "tools/transcoder/ffmpegrun.h"
#include "tools/transcoder/loudnessrun.h"
#include "tools/transcoder/mediaprobe.h"
#include "tools/transcoder/plan/transcodeplan.h"

#include <QFile>

#include <cstdio>

namespace {

// The UTF-8 copies of subtitle files that the plan asks for; each is removed
// when the run ends, however it ends (a stop signal unwinds to here too).
class RecodedCopies
{
public:
    RecodedCopies() = default;
    RecodedCopies(const RecodedCopies &) = delete;
    RecodedCopies &operator=(const RecodedCopies &) = delete;
    ~RecodedCopies()
    {
        for (const QString &path : written)
            QFile::remove(path);
    }

    bool write(const QList<TextRecode> &recodes, QString *error)
    {
        for (const TextRecode &recode : recodes) {
            if (!writeRecodedText(recode, error)) // never replaces a file that is there
                return false;
            written.append(recode.targetPath);
        }
        return true;
    }

private:
    QStringList written;
};

} // namespace

int runSingle(const QStringList &arguments, bool printOnly)
{
    QStringList given = arguments;
    std::optional<double> loudness;
    QString optionError;
    if (!takeLoudnessTarget(&given, &loudness, &optionError))
        return toolerror::fail(optionError);
    if (loudness)
        given = withLoudnessMark(given);

    const QString input = commandline::inputOf(given);
    ProbedMedia probed = probeMedia(input, ProbeDetail::Facts);
    if (stopsignals::requested())
        return stopsignals::exitCode();
    if (!probed.facts.readable)
        return toolerror::fail(QStringLiteral("cannot read %1: %2").arg(input, probed.error));

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
    if (plan.copiedStreams.isEmpty())
        return convertAtLoudness(plan, loudness, sampleRate, existing);

    QString copyFailure;
    const int exitCode = convertAtLoudness(plan, loudness, sampleRate, existing, &copyFailure);
    if (exitCode == 0)
        toolreport::tell("copied", plan.copiedStreams.join(u','));
    if (exitCode == 0 || copyFailure.isEmpty())
        return exitCode;
    // A muxer may refuse a stream as it is that it takes encoded (an AAC kind
    // that ADTS cannot frame, timestamps a container cannot hold): encode it.
    // The plan is the same but for the copy, its recoded subtitles included.
    const TranscodePlan encoded = planTranscode(given, probed.facts, lookUpFont, StreamCopyChoice::Never);
    return convertAtLoudness(encoded, loudness, sampleRate, existing);
}
