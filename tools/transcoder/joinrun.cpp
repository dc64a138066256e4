#include "tools/transcoder/joinrun.h"

#include "engine/joinparts.h"
#include "tools/common/stopsignals.h"
#include "tools/common/temporaryoutput.h"
#include "tools/common/toolerror.h"
#include "tools/transcoder/commandline.h"
#include "tools/transcoder/concatlist.h"
#include "tools/transcoder/ffmpegrun.h"
#include "tools/transcoder/fittedrun.h"
#include "tools/transcoder/joinplan.h"
#include "tools/transcoder/loudnessrun.h"
#include "tools/transcoder/plan/sourcetags.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <memory>
#include <vector>

namespace {

using ScratchFiles = std::vector<std::unique_ptr<TemporaryOutput>>;

bool readParts(const QString &listPath, QList<JoinPart> *parts, QString *error)
{
    QFile list(listPath);
    if (!list.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read the join list %1: %2").arg(listPath, list.errorString());
        return false;
    }
    QStringList files;
    if (!parseConcatList(list.readAll(), QFileInfo(listPath).absolutePath(), &files, error))
        return false;
    for (const QString &file : files) {
        if (stopsignals::requested())
            return false;
        parts->append(JoinPart{file, probeMedia(file, ProbeDetail::Formats)});
    }
    return true;
}

// The part with a silent track in the sound format of the other parts, as a
// scratch file in the output's folder; its pictures are copied.
bool addSilence(const JoinPart &part, const ProbedMedia &soundModel, const QString &outputFolder,
                ScratchFiles *scratch, QString *silentPath, QString *error)
{
    const QString encoder = encoderNameFor(soundModel.facts.audioCodec);
    if (encoder.isEmpty()) {
        *error = QStringLiteral("cannot make silence in the sound format of the other parts");
        return false;
    }
    // The scratch file is named like the part, so ffmpeg writes the part's container.
    auto file = std::make_unique<TemporaryOutput>(outputFolder + QStringLiteral("/part.") + QFileInfo(part.path).suffix());
    if (!file->create(error))
        return false;

    const QString silence = QStringLiteral("anullsrc=channel_layout=%1:sample_rate=%2")
                                .arg(soundModel.channelLayout)
                                .arg(soundModel.facts.sampleRate);
    QStringList arguments = {"-i", part.path,
                             "-f", "lavfi", "-t", QString::number(part.media.facts.durationSeconds, 'f', 6), "-i", silence,
                             "-map", "0:v:0", "-map", "1:a:0", "-c:v", "copy", "-c:a", encoder};
    if (soundModel.facts.audioBitRate > 0)
        arguments << "-b:a" << QString::number(soundModel.facts.audioBitRate);
    if (!appendOutput(*file, &arguments, error))
        return false;

    const FfmpegRun run = runFfmpeg(arguments, 0);
    if (!run.child.succeeded() || !run.wroteSomething) {
        *error = QStringLiteral("cannot give %1 a silent track: %2").arg(QFileInfo(part.path).fileName(), describeFailure(run));
        return false;
    }
    *silentPath = file->path();
    scratch->push_back(std::move(file));
    return true;
}

} // namespace

int runJoin(const QStringList &arguments)
{
    QStringList given = arguments;
    std::optional<double> loudness;
    QString optionError;
    if (!takeLoudnessTarget(&given, &loudness, &optionError))
        return toolerror::fail(optionError);
    const qint64 fitSize = takeFitSize(&given);
    if (fitSize < 0)
        return toolerror::fail(QStringLiteral("--fit-size takes a count of bytes"));

    const QString listPath = commandline::inputOf(given);
    const QString output = given.last();
    const QString outputFolder = QFileInfo(output).absolutePath();

    QList<JoinPart> parts;
    QString error;
    const bool read = readParts(listPath, &parts, &error);
    if (stopsignals::requested())
        return stopsignals::exitCode();
    if (!read)
        return toolerror::fail(error);

    const JoinPlan plan = planJoin(parts);
    if (!plan.error.isEmpty())
        return toolerror::fail(plan.error);

    QStringList files;
    for (const JoinPart &part : parts)
        files.append(part.path);
    ScratchFiles scratch;
    for (int index : plan.silentParts) {
        if (!addSilence(parts[index], parts[plan.audioModel].media, outputFolder, &scratch, &files[index], &error)) {
            if (stopsignals::requested())
                return stopsignals::exitCode();
            return toolerror::fail(error);
        }
    }

    for (const QString &file : files) {
        if (!canListPath(file))
            return toolerror::fail(QStringLiteral("cannot join %1: its name holds a line break").arg(file));
    }
    QTemporaryFile list;
    if (!list.open() || list.write(formatConcatList(files)) < 0 || !list.flush())
        return toolerror::fail(QStringLiteral("cannot write a join list: %1").arg(list.errorString()));

    // Only the streams every part has; a cover picture of a song is left out.
    // The joined file carries the first part's tags and chapters.
    const QStringList joined = {"-f", "concat", "-safe", "0", "-i", list.fileName()};
    QStringList join = joined + QStringList{"-i", parts.first().path};
    if (plan.video)
        join << "-map" << "0:v:0";
    if (plan.audio)
        join << "-map" << "0:a:0";
    join << sourceTagOptions(1, QFileInfo(output).suffix().toLower());
    const TemporaryOutput::Existing existing = commandline::outputExisting(given);
    if (fitSize > 0) // encoded again to fit, its sound normalised on the way where asked
        return runFittedJoin(join << output, joined, plan, parts, fitSize, plan.audio ? loudness : std::nullopt,
                             existing);
    join << "-c" << "copy" << output;
    if (loudness && plan.audio) // normalised as a whole, not part by part
        return convertJoinAtLoudness(join, joined, *loudness, parts[plan.audioModel].media.facts,
                                     plan.expectedSeconds, existing);
    return convertInto(join, plan.expectedSeconds, existing);
}
