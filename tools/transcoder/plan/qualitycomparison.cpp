#include "tools/transcoder/plan/qualitycomparison.h"

#include "tools/transcoder/plan/ffmpegcommand.h"
#include "tools/transcoder/plan/filtergraph.h"

#include <cmath>
#include <limits>

namespace {

// A frame of a file whose frame rate is unknown: half of it still covers
// timestamps rounded to milliseconds.
constexpr double unknownRateFrame = 0.008;

Filter filter(const char *name, const QList<FilterOption> &options = {})
{
    Filter made;
    made.name = QString::fromLatin1(name);
    made.hasArguments = !options.isEmpty();
    made.options = options;
    return made;
}

Filter setpts(const QString &expression)
{
    return filter("setpts", {{QString(), expression}});
}

void append(FilterGraph &graph, Filter added, bool newChain = false, const QStringList &inputs = {},
            const QStringList &outputs = {})
{
    added.inputLabels = inputs;
    added.outputLabels = outputs;
    graph.startsChain.append(newChain || graph.filters.isEmpty());
    graph.filters.append(added);
}

QStringList labels(const QString &stem, int count)
{
    QStringList made;
    for (int i = 0; i < count; ++i)
        made << stem + QString::number(i);
    return made;
}

const QString *inputOption(const FfmpegCommand &command, const QString &name)
{
    for (const CommandOption &option : command.inputOptions) {
        if (option.name == name)
            return &option.value;
    }
    return nullptr;
}

// The source's chain, from "[1:V:0]" to the copies: the plan's own filters
// (one chain without labels), the cut, the written frame's size and picture
// format. Options of the source's input go to sourceOptions.
bool appendSourceChain(FilterGraph &graph, const FfmpegCommand &planned, const MediaFacts &output,
                       const QStringList &copies, QStringList *sourceOptions)
{
    if (const QString *own = planned.value(QStringLiteral("-vf"))) {
        const std::optional<FilterGraph> ownGraph = parseFilterGraph(*own);
        if (!ownGraph)
            return false;
        graph = *ownGraph;
    }
    // A cut before the input is repeated there; one after the filters
    // (decoding from the start) by a trim after the same filters.
    const QString *length = planned.value(QStringLiteral("-t"));
    if (const QString *laterStart = planned.value(QStringLiteral("-ss"))) {
        QList<FilterOption> cut{{QStringLiteral("start"), *laterStart}};
        if (length)
            cut.append({QStringLiteral("duration"), *length});
        append(graph, filter("trim", cut));
    } else {
        if (const QString *start = inputOption(planned, QStringLiteral("-ss")))
            *sourceOptions << QStringLiteral("-ss") << *start;
        if (length)
            *sourceOptions << QStringLiteral("-t") << *length;
    }
    append(graph,
           filter("scale",
                  {{QString(), QStringLiteral("%1:%2").arg(output.width).arg(output.height)}}));
    if (!output.pixelFormat.isEmpty())
        append(graph, filter("format", {{QString(), output.pixelFormat}}));
    append(graph, setpts("PTS-STARTPTS"));
    append(graph, filter("split", {{QString(), QString::number(copies.size())}}));
    graph.filters.first().inputLabels = QStringList{QStringLiteral("1:V:0")};
    graph.filters.last().outputLabels = copies;
    return true;
}

// The value after "key:" in a line of a stats file ("All:0.987654").
std::optional<double> fieldOf(const QByteArray &line, const QByteArray &key)
{
    for (const QByteArray &word : line.split(' ')) {
        if (!word.startsWith(key))
            continue;
        const QByteArray value = word.mid(key.size());
        if (value == "inf")
            return std::numeric_limits<double>::infinity();
        bool number = false;
        const double figure = value.toDouble(&number);
        return number ? std::optional<double>(figure) : std::nullopt;
    }
    return std::nullopt;
}

// The mean of f(value) over the lines that carry the key.
std::optional<double> meanOf(const QByteArray &stats, const QByteArray &key, double (*f)(double))
{
    double sum = 0;
    int frames = 0;
    for (const QByteArray &line : stats.split('\n')) {
        if (const std::optional<double> value = fieldOf(line, key)) {
            sum += f(*value);
            ++frames;
        }
    }
    return frames > 0 ? std::optional<double>(sum / frames) : std::nullopt;
}

} // namespace

QualitySkip qualitySkipOf(const QStringList &given, const TranscodePlan &encode,
                          const MediaFacts &source)
{
    const std::optional<FfmpegCommand> planned = parseFfmpegCommand(encode.ffmpegArguments);
    if (!source.hasVideo || !planned || planned->has(QStringLiteral("-vn")))
        return QualitySkip::NoPicture;
    if (encode.copiedStreams.contains(QStringLiteral("video")))
        return QualitySkip::Copied;
    // The application's arguments carry a picture filter only for an edit.
    const std::optional<FfmpegCommand> asked = parseFfmpegCommand(given);
    if (asked && asked->has(QStringLiteral("-vf")))
        return QualitySkip::Edited;
    return QualitySkip::None;
}

QStringList qualityComparisonArguments(const TranscodePlan &encode, const MediaFacts &output,
                                       const QString &outputPath,
                                       const QualityComparison &comparison)
{
    const std::optional<FfmpegCommand> planned = parseFfmpegCommand(encode.ffmpegArguments);
    const int pairings = int(comparison.frameShifts.size());
    if (!planned || pairings == 0 || comparison.ssimStats.size() != pairings)
        return {};
    const bool withPsnr = !comparison.psnrStats.isEmpty();
    const QStringList sourceCopies = labels(QStringLiteral("r"), pairings + (withPsnr ? 1 : 0));
    FilterGraph graph;
    QStringList sourceOptions;
    if (!appendSourceChain(graph, *planned, output, sourceCopies, &sourceOptions))
        return {};

    // The written file's chain.
    const QStringList writtenCopies = labels(QStringLiteral("w"), pairings);
    const QStringList written{QStringLiteral("0:V:0")};
    if (comparison.firstFrames > 0) {
        append(graph, filter("trim", {{"end_frame", QString::number(comparison.firstFrames)}}),
               true, written);
        append(graph, setpts("PTS-STARTPTS"));
    } else {
        append(graph, setpts("PTS-STARTPTS"), true, written);
    }
    append(graph, filter("split", {{QString(), QString::number(pairings)}}), false, {},
           writtenCopies);

    // Over the frames both have: after the written file's last frame the
    // filters would compare it again with each further frame of the source.
    const FilterOption shortest{QStringLiteral("shortest"), QStringLiteral("1")};
    const double frame = output.frameRate > 0 ? 1 / output.frameRate : unknownRateFrame;
    QStringList results;
    for (int i = 0; i < pairings; ++i) {
        const QString paired = QStringLiteral("p%1").arg(i);
        append(graph,
               setpts(QString::asprintf("PTS%+.6f/TB", (0.5 + comparison.frameShifts[i]) * frame)),
               true, {writtenCopies[i]}, {paired});
        results << QStringLiteral("s%1").arg(i);
        append(graph, filter("ssim", {{"stats_file", comparison.ssimStats[i]}, shortest}), true,
               {paired, sourceCopies[i]}, {results.last()});
    }
    if (withPsnr) {
        append(graph, filter("psnr", {{"stats_file", comparison.psnrStats}, shortest}), true,
               {results.first(), sourceCopies.last()}, {"q"});
        results.first() = QStringLiteral("q");
    }

    QStringList arguments =
        QStringList{"-i", outputPath} + sourceOptions
        + QStringList{"-i", planned->inputPath, "-filter_complex", formatFilterGraph(graph)};
    for (const QString &result : results)
        arguments << QStringLiteral("-map") << u'[' + result + u']';
    return arguments + QStringList{"-f", "null", "-"};
}

std::optional<double> averageSsim(const QByteArray &stats)
{
    return meanOf(stats, "All:", [](double all) { return all; });
}

std::optional<double> averagePsnr(const QByteArray &stats)
{
    // Each frame's error as a share of the largest value, 10^(-PSNR/10).
    const std::optional<double> error =
        meanOf(stats, "psnr_avg:", [](double psnr) { return std::pow(10.0, -psnr / 10); });
    if (!error)
        return std::nullopt;
    return *error > 0 ? -10 * std::log10(*error) : std::numeric_limits<double>::infinity();
}
