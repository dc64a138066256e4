#include "tools/transcoder/plan/transcodeplan.h"

#include "tools/transcoder/plan/encoderoptions.h"
#include "tools/transcoder/plan/ffmpegcommand.h"
#include "tools/transcoder/plan/filterrewrites.h"
#include "tools/transcoder/plan/framefitting.h"
#include "tools/transcoder/plan/frameratechange.h"
#include "tools/transcoder/plan/sourcetags.h"
#include "tools/transcoder/plan/streamcopy.h"
#include "tools/transcoder/plan/streamfitting.h"
#include "tools/transcoder/plan/trimming.h"

#include <QFileInfo>

namespace {

TranscodePlan failure(const QString &error)
{
    TranscodePlan plan;
    plan.error = error;
    return plan;
}

// What the filters of one option ("-vf", "-af") make of the picture or sound.
struct FilterFacts {
    bool timeIndependent = true;
    bool turnsPicture = false;
};

// Reads the graph of the option, rewrites it for Debian's ffmpeg and writes it back.
QString rewriteFilters(FfmpegCommand &command, const QString &option, const FontLookup &fonts,
                       QList<TextRecode> *recodes, FilterFacts *facts)
{
    const QString *description = command.value(option);
    if (!description)
        return QString();
    QString problem;
    std::optional<FilterGraph> graph = parseFilterGraph(*description, &problem);
    if (!graph)
        return QStringLiteral("the filters \"%1\" cannot be read: %2").arg(*description, problem);
    replaceMplayerEq(*graph);
    const QString fontError = resolveDrawtextFonts(*graph, fonts);
    if (!fontError.isEmpty())
        return fontError;
    fitSubtitleCodePages(*graph, recodes);
    facts->timeIndependent = facts->timeIndependent && isTimeIndependent(*graph);
    facts->turnsPicture = facts->turnsPicture != swapsWidthAndHeight(*graph);
    command.set(option, formatFilterGraph(*graph));
    return QString();
}

} // namespace

TranscodePlan planTranscode(const QStringList &given, const MediaFacts &input, const FontLookup &fonts,
                            StreamCopyChoice streamCopy)
{
    std::optional<FfmpegCommand> command = parseFfmpegCommand(given);
    if (!command)
        return failure(QStringLiteral("the arguments name no input and output"));
    if (!input.readable)
        return failure(QStringLiteral("the input cannot be read as media"));

    TranscodePlan plan;
    const OutputTarget target{input, QFileInfo(command->outputPath).suffix().toLower()};
    QString error = fitToInputStreams(*command, target);
    if (error.isEmpty() && streamCopy == StreamCopyChoice::Allowed) {
        const StreamCopy copy = chooseStreamCopy(*command, target);
        plan.copiedStreams = copy.copied;
        plan.needsPixelFormat = copy.needsPixelFormat;
        plan.needsAudioBitRate = copy.needsAudioBitRate;
    }

    FilterFacts filters;
    if (error.isEmpty())
        error = rewriteFilters(*command, QStringLiteral("-vf"), fonts, &plan.recodes, &filters);
    if (error.isEmpty())
        error = rewriteFilters(*command, QStringLiteral("-af"), fonts, &plan.recodes, &filters);
    if (error.isEmpty())
        error = fitAudio(*command, target);
    if (error.isEmpty())
        error = fitVideo(*command, target, filters.turnsPicture);
    if (error.isEmpty()) {
        fitPictureIntoFrame(*command, input, filters.turnsPicture);
        changeFrameRateByFilter(*command, target);
        setEncoderOptions(*command, target);
    }
    if (error.isEmpty())
        error = fitTrim(*command, input, filters.timeIndependent, &plan.expectedSeconds);
    if (!error.isEmpty())
        return failure(error);

    const QStringList tags = sourceTagOptions(0, target.container);
    for (int i = 0; i + 1 < tags.size(); i += 2)
        command->set(tags[i], tags[i + 1]);
    plan.ffmpegArguments = command->toArguments();
    return plan;
}
