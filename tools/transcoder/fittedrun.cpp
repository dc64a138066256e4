#include "tools/transcoder/fittedrun.h"

#include "engine/fitrefusal.h"
#include "tools/common/scratchfolder.h"
#include "tools/common/stopsignals.h"
#include "tools/common/temporaryoutput.h"
#include "tools/common/toolerror.h"
#include "tools/common/toolreport.h"
#include "tools/transcoder/commandline.h"
#include "tools/transcoder/ffmpegrun.h"
#include "tools/transcoder/loudnessrun.h"
#include "tools/transcoder/mediaprobe.h"
#include "tools/transcoder/plan/encoderoptions.h"
#include "tools/transcoder/plan/ffmpegcommand.h"
#include "tools/transcoder/plan/loudness.h"
#include "tools/transcoder/plan/sizefitting.h"
#include "tools/transcoder/plan/transcodeplan.h"
#include "tools/transcoder/plan/twopass.h"
#include "tools/transcoder/recodedcopies.h"

#include <QDir>
#include <QFileInfo>

#include <cmath>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

// The planned command with its bitrates, and what they were worked out for.
struct FittedEncode {
    QStringList planned; // for ffmpeg, output last, at the budget's bitrates
    FitBudget budget;
    qint64 sizeBytes = 0;
    double seconds = 0;
    int progressFrom = 0; // the bar below it: the loudness measured first
    int progressTo = 100; // the bar above it: the quality check after
};

// A loudness measure decodes the sound alone: a small share beside encoding
// the picture twice.
constexpr int loudnessShare = 10;

struct Try {
    std::unique_ptr<TemporaryOutput> output;
    qint64 fileBytes = 0;
};

QString encoderOf(const QStringList &planned)
{
    const std::optional<FfmpegCommand> command = parseFfmpegCommand(planned);
    const QString *encoder = command ? command->value(QStringLiteral("-vcodec")) : nullptr;
    return encoder ? *encoder : QString();
}

int refuse(qint64 sizeBytes, double seconds, qint64 leastBytes)
{
    toolreport::tell(fitrefusal::sizeKey, QString::number(sizeBytes));
    toolreport::tell(fitrefusal::secondsKey, QString::number(seconds, 'f', 3));
    toolreport::tell(fitrefusal::leastKey, QString::number(leastBytes));
    return toolerror::fail(fitrefusal::text(sizeBytes, seconds, leastBytes));
}

int refuse(const FitRequest &request, const FitBudget &budget)
{
    return refuse(request.sizeBytes, request.seconds, budget.leastBytes);
}

QString notFittable(const QString &input)
{
    return QStringLiteral("cannot fit %1 in a size: only H.264, H.265, VP9 and AV1 pictures can, "
                          "encoded in two passes")
        .arg(input);
}

void print(const QStringList &arguments)
{
    for (const QString &argument : arguments)
        std::printf("%s\n", argument.toLocal8Bit().constData());
}

int printPasses(const FittedEncode &encode)
{
    const QString statsPrefix = QStringLiteral("<statistics>");
    const FitEncoder *fit = fitEncoder(encoderOf(encode.planned));
    if (fit->passes == RatePasses::TwoPasses) {
        print(analysisPassArguments(encode.planned, statsPrefix));
        std::printf("\n");
    }
    print(encodePassArguments(encode.planned, statsPrefix, encode.budget.videoBitRate));
    return 0;
}

// The analysis (for an encoder with two passes), then a try at the budget's
// bitrate, and another corrected from what the first wrote when the first
// lands outside the size. Keeps the larger try within the size, and tells
// where it is in writtenPath.
int runFittedEncode(const FittedEncode &encode, TemporaryOutput::Existing existing,
                    QString *writtenPath)
{
    const FitEncoder *fit = fitEncoder(encoderOf(encode.planned));
    QString error;
    // In the working folder, which the application makes for each pass; the
    // folder and the statistics in it go when the run ends, however it ends.
    ScratchFolder statistics;
    if (!statistics.create(QDir::currentPath(), &error))
        return toolerror::fail(error);
    const QString statsPrefix =
        QDir::current().relativeFilePath(statistics.path()) + QStringLiteral("/pass");

    const bool twoPasses = fit->passes == RatePasses::TwoPasses;
    // The bar's percent of the passes, after what came before them.
    auto bar = [&encode](int percent) {
        return PercentSpan{encode.progressFrom, encode.progressTo}.at(percent);
    };
    if (twoPasses) {
        const FfmpegRun run =
            runFfmpegShowingProgress(analysisPassArguments(encode.planned, statsPrefix),
                                     encode.seconds, {bar(0), bar(fit->analysisPercent)});
        if (run.child.stopped)
            return stopsignals::exitCode();
        if (!run.child.succeeded())
            return toolerror::fail(describeFailure(run));
    }

    const QString finalPath = encode.planned.last();
    std::vector<Try> tries;
    qint64 bitRate = encode.budget.videoBitRate;
    for (int attempt = 0; attempt < 2; ++attempt) {
        auto output = std::make_unique<TemporaryOutput>(finalPath, existing);
        QStringList arguments = encodePassArguments(encode.planned, statsPrefix, bitRate);
        arguments.removeLast();
        if (!output->create(&error) || !appendOutput(*output, &arguments, &error))
            return toolerror::fail(error);
        // Two passes: the bar goes back for the rare second try. One pass
        // measured: the second try is the rule, and has the bar's second half.
        const int from = twoPasses ? fit->analysisPercent : attempt * 50;
        const FfmpegRun run =
            runFfmpegShowingProgress(arguments, encode.seconds,
                                     {bar(from), bar(twoPasses ? 100 : from + 50)});
        if (run.child.stopped)
            return stopsignals::exitCode();
        if (!run.child.succeeded())
            return toolerror::fail(describeFailure(run));
        if (!run.wroteSomething || output->size() == 0)
            return toolerror::fail(
                QStringLiteral(
                    "nothing to write to %1: the cut is empty or lies past the end of the input")
                    .arg(finalPath));
        const qint64 fileBytes = output->size();
        const qint64 videoBytes = videoStreamBytes(output->path());
        tries.push_back({std::move(output), fileBytes});
        const bool done = isWithinSize(fileBytes, encode.sizeBytes)
                          || (encode.budget.capped && fileBytes <= encode.sizeBytes);
        if (done || videoBytes <= 0 || stopsignals::requested())
            break;
        bitRate = correctedVideoBitRate(bitRate, fileBytes, videoBytes, encode.sizeBytes,
                                        encode.seconds, twoPasses);
    }
    if (stopsignals::requested())
        return stopsignals::exitCode();

    Try *kept = nullptr;
    for (Try &candidate : tries) {
        if (candidate.fileBytes <= encode.sizeBytes
            && (!kept || candidate.fileBytes > kept->fileBytes))
            kept = &candidate;
    }
    // Content that needs more than the arithmetic foresaw (noise, fine
    // detail): the encoder went over at both rates. The least it wrote tells
    // the size that works.
    if (!kept) {
        const qint64 least =
            std::min_element(tries.begin(), tries.end(), [](const Try &a, const Try &b) {
                return a.fileBytes < b.fileBytes;
            })->fileBytes;
        return refuse(encode.sizeBytes, encode.seconds, qint64(std::ceil(least / FitAimShare)));
    }
    if (!kept->output->commit(&error))
        return toolerror::fail(error);
    toolreport::tellWrittenName(*kept->output);
    *writtenPath = kept->output->writtenPath();
    toolreport::tell("fit-tries", QString::number(tries.size())); // for scripts/bench-fit.sh
    return 0;
}

// The command's bitrates set to the budget's: the picture's, and the sound's
// where it is encoded at a rate of the job's.
QStringList withBitRates(const QStringList &given, const FitBudget &budget, const FitSound &sound)
{
    std::optional<FfmpegCommand> command = parseFfmpegCommand(given);
    command->set(QStringLiteral("-b:v"), QString::number(budget.videoBitRate));
    if (sound.present && sound.lowerable)
        command->set(QStringLiteral("-b:a"), QString::number(budget.audioBitRate / 1000) + u'k');
    return command->toArguments();
}

} // namespace

qint64 takeFitSize(QStringList *arguments)
{
    QString value;
    if (!commandline::takeOption(arguments, QStringLiteral("fit-size"), &value))
        return 0;
    bool number = false;
    const qint64 bytes = value.toLongLong(&number);
    return number && bytes > 0 ? bytes : -1;
}

int runFittedSingle(const QStringList &given, const MediaFacts &input, qint64 sizeBytes,
                    std::optional<double> loudness, const QualityCheck &quality, bool printOnly)
{
    // Encoded whole: a copied stream would keep its own bitrate.
    const TranscodePlan first = planTranscode(given, input, lookUpFont, StreamCopyChoice::Never);
    if (!first.error.isEmpty())
        return toolerror::fail(first.error);
    const std::optional<FfmpegCommand> firstCommand = parseFfmpegCommand(first.ffmpegArguments);
    const QString *encoder = firstCommand->value(QStringLiteral("-vcodec"));
    if (!input.hasVideo || firstCommand->has(QStringLiteral("-vn")))
        return toolerror::fail(QStringLiteral("cannot fit %1 in a size: it has no picture")
                                   .arg(commandline::inputOf(given)));
    if (!encoder || !fitEncoder(*encoder))
        return toolerror::fail(notFittable(commandline::inputOf(given)));
    if (first.expectedSeconds <= 0)
        return toolerror::fail(QStringLiteral("cannot fit %1 in a size: its length is unknown")
                                   .arg(commandline::inputOf(given)));

    FitRequest request = fitRequestOf(*firstCommand, input, sizeBytes, first.expectedSeconds);
    FitBudget budget = planFit(request);
    if (budget.refused())
        return refuse(request, budget);

    // The plan brings the sound's bitrate to one its encoder takes: the
    // picture gets what that leaves.
    TranscodePlan plan = planTranscode(withBitRates(given, budget, request.sound), input,
                                       lookUpFont, StreamCopyChoice::Never);
    if (!plan.error.isEmpty())
        return toolerror::fail(plan.error);
    std::optional<FfmpegCommand> planned = parseFfmpegCommand(plan.ffmpegArguments);
    const FitSound sound = fitSoundOf(*planned, input);
    if (sound.present && sound.bitRate != budget.audioBitRate) {
        request.sound = sound;
        request.sound.lowerable = false;
        budget = planFit(request);
        if (budget.refused())
            return refuse(request, budget);
        planned->set(QStringLiteral("-b:v"), QString::number(budget.videoBitRate));
    }

    FittedEncode encode{planned->toArguments(), budget, sizeBytes, plan.expectedSeconds};
    encode.progressTo = quality.encodeSpan(plan).to;
    if (printOnly)
        return printPasses(encode);
    RecodedCopies copies;
    QString error;
    if (!copies.write(plan.recodes, &error))
        return toolerror::fail(error);
    if (loudness && hasLoudnessMark(encode.planned)) {
        int exitCode = 0;
        const std::optional<LoudnessMeasure> measured =
            measureLoudness(loudnessMeasureArgumentsOf(encode.planned), encode.seconds,
                            {0, PercentSpan{0, encode.progressTo}.at(loudnessShare)}, &exitCode);
        if (!measured)
            return exitCode;
        encode.planned =
            loudnessApplyArguments(encode.planned, *loudness, *measured, input.sampleRate);
        encode.progressFrom = PercentSpan{0, encode.progressTo}.at(loudnessShare);
    }
    QString written;
    const int exitCode = runFittedEncode(encode, commandline::outputExisting(given), &written);
    return quality.after(exitCode, plan, written);
}

int runFittedJoin(const QStringList &arguments, const QStringList &measuringInput,
                  const JoinPlan &plan, const QList<JoinPart> &parts, qint64 sizeBytes,
                  std::optional<double> loudness, TemporaryOutput::Existing existing)
{
    const MediaFacts &facts = parts.first().media.facts;
    const FitEncoder *fit = plan.video ? fitEncoderForCodec(facts.videoCodec) : nullptr;
    std::optional<FfmpegCommand> command = parseFfmpegCommand(arguments);
    if (!fit || !command)
        return toolerror::fail(notFittable(parts.first().path));
    if (plan.expectedSeconds <= 0)
        return toolerror::fail(
            QStringLiteral("cannot fit the join in a size: the length of its parts is unknown"));

    FitRequest request;
    request.sizeBytes = sizeBytes;
    request.seconds = plan.expectedSeconds;
    request.width = facts.width;
    request.height = facts.height;
    request.frameRate = facts.frameRate > 0 ? facts.frameRate : 25;
    request.container = QFileInfo(command->outputPath).suffix().toLower();
    FitSound &sound = request.sound;
    sound.present = plan.audio;
    if (plan.audio) {
        const MediaFacts &model = parts[plan.audioModel].media.facts;
        sound.encoder = encoderNameFor(model.audioCodec);
        sound.channels = std::max(1, model.channels);
        sound.sampleRate = model.sampleRate;
        for (const JoinPart &part : parts)
            sound.bitRate = std::max(sound.bitRate, part.media.facts.audioBitRate);
        if (sound.bitRate == 0)
            sound.bitRate = 64000 * qint64(sound.channels);
    }
    const FitBudget budget = planFit(request);
    if (budget.refused())
        return refuse(request, budget);

    // The parts' sound is copied unless it must take less of the size or be normalised.
    if (plan.audio && budget.audioBitRate == sound.bitRate && !loudness) {
        command->set(QStringLiteral("-acodec"), QStringLiteral("copy"));
    } else if (plan.audio) {
        command->set(QStringLiteral("-acodec"), sound.encoder);
        command->set(QStringLiteral("-b:a"), QString::number(budget.audioBitRate));
    }
    command->set(QStringLiteral("-vcodec"), fit->encoder);
    command->set(QStringLiteral("-preset"), QStringLiteral("ultrafast"));
    command->set(QStringLiteral("-b:v"), QString::number(budget.videoBitRate));
    setEncoderOptions(*command, {facts, request.container});
    FittedEncode encode{command->toArguments(), budget, sizeBytes, plan.expectedSeconds};
    if (loudness) { // the joined sound as a whole
        int exitCode = 0;
        const std::optional<LoudnessMeasure> measured =
            measureLoudness(loudnessMeasureArguments(measuringInput, QString()), encode.seconds,
                            {0, loudnessShare}, &exitCode);
        if (!measured)
            return exitCode;
        encode.planned = loudnessApplyArguments(withLoudnessMark(encode.planned), *loudness,
                                                *measured, sound.sampleRate);
        encode.progressFrom = loudnessShare;
    }
    QString written;
    return runFittedEncode(encode, existing, &written);
}
