#include "tools/transcoder/plan/loudness.h"

#include "tools/transcoder/plan/ffmpegcommand.h"
#include "tools/transcoder/plan/filtergraph.h"

#include <QRegularExpression>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

const QString audioFilters = QStringLiteral("-af");
const QString markName = QStringLiteral("loudnorm");

// Silence and near-silence, which no gain should raise (ebur128's floor).
constexpr double silentBelow = -69.9;

// The mark: loudnorm without options, which nothing else writes.
int markIndex(const FilterGraph &graph)
{
    for (int i = 0; i < graph.filters.size(); ++i) {
        if (graph.filters[i].name == markName && !graph.filters[i].hasArguments)
            return i;
    }
    return -1;
}

std::optional<FilterGraph> filtersOf(const FfmpegCommand &command)
{
    const QString *chain = command.value(audioFilters);
    return chain ? parseFilterGraph(*chain) : std::nullopt;
}

// "-ac" mixes after the filters: the measuring and loudnorm must hear the
// channels the output gets, so the mix moves before them.
std::optional<Filter> channelMix(const FfmpegCommand &command)
{
    const QString *channels = command.value(QStringLiteral("-ac"));
    if (!channels || channels->toInt() <= 0)
        return std::nullopt;
    const int count = channels->toInt();
    const QString layout = count == 1   ? QStringLiteral("mono")
                           : count == 2 ? QStringLiteral("stereo")
                                        : QString::number(count) + u'c';
    return Filter{{},
                  QStringLiteral("aformat"),
                  true,
                  {{QStringLiteral("channel_layouts"), layout}},
                  {}};
}

// The graph with the mark replaced by the filters given (none: removed).
FilterGraph replaceMark(FilterGraph graph, int mark, const QList<Filter> &filters)
{
    const bool startsChain = graph.startsChain[mark];
    graph.filters.removeAt(mark);
    graph.startsChain.removeAt(mark);
    for (int i = 0; i < filters.size(); ++i) {
        graph.filters.insert(mark + i, filters[i]);
        graph.startsChain.insert(mark + i, i == 0 && startsChain);
    }
    if (!graph.startsChain.isEmpty())
        graph.startsChain[0] = true;
    return graph;
}

Filter parsedFilter(const QString &description)
{
    return parseFilterGraph(description)->filters.constFirst();
}

QString number(double value)
{
    return QString::number(value, 'f', 2);
}

double parsedLevel(const QString &text)
{
    if (text == QLatin1String("-inf"))
        return -std::numeric_limits<double>::infinity();
    return text.toDouble();
}

} // namespace

std::optional<double> parseLoudnessTarget(const QString &value)
{
    bool number = false;
    const double target = value.toDouble(&number);
    if (!number || !std::isfinite(target) || target < -70 || target > -5)
        return std::nullopt;
    return target;
}

QStringList withLoudnessMark(const QStringList &given)
{
    std::optional<FfmpegCommand> command = parseFfmpegCommand(given);
    if (!command)
        return given;
    const QString *chain = command->value(audioFilters);
    command->set(audioFilters, chain ? *chain + u',' + markName : markName);
    return command->toArguments();
}

bool hasLoudnessMark(const QStringList &planned)
{
    const std::optional<FfmpegCommand> command = parseFfmpegCommand(planned);
    if (!command)
        return false;
    const std::optional<FilterGraph> graph = filtersOf(*command);
    return graph && markIndex(*graph) >= 0;
}

QStringList loudnessMeasureArguments(const QStringList &inputArguments, const QString &filters)
{
    // At the info level ffmpeg also logs what it read; the summary comes last.
    const QString measure = QStringLiteral("ebur128=peak=true:framelog=verbose");
    return QStringList{"-loglevel", "info"} + inputArguments
           + QStringList{
               "-vn", "-sn",  "-dn", "-af", filters.isEmpty() ? measure : filters + u',' + measure,
               "-f",  "null", "-"};
}

QStringList loudnessMeasureArgumentsOf(const QStringList &planned)
{
    const std::optional<FfmpegCommand> command = parseFfmpegCommand(planned);
    std::optional<FilterGraph> graph = command ? filtersOf(*command) : std::nullopt;
    const int mark = graph ? markIndex(*graph) : -1;
    if (mark < 0)
        return {};

    FfmpegCommand measuring = *command;
    measuring.outputOptions.clear();
    for (const CommandOption &option : command->outputOptions) {
        const bool cut = option.name == QLatin1String("-ss") || option.name == QLatin1String("-t")
                         || option.name == QLatin1String("-to");
        const bool soundMap =
            option.name == QLatin1String("-map") && option.value.contains(QLatin1String(":a"));
        if (cut || soundMap)
            measuring.outputOptions.append(option);
    }
    graph->filters = graph->filters.mid(0, mark);
    graph->startsChain = graph->startsChain.mid(0, mark);
    if (const std::optional<Filter> mix = channelMix(*command)) {
        graph->filters.append(*mix);
        graph->startsChain.append(graph->startsChain.isEmpty());
    }
    QStringList inputArguments = measuring.toArguments();
    inputArguments.removeLast(); // the output
    return loudnessMeasureArguments(inputArguments, formatFilterGraph(*graph));
}

std::optional<LoudnessMeasure> parseLoudnessSummary(const QByteArray &log)
{
    const int summary = log.lastIndexOf("Summary:");
    if (summary < 0)
        return std::nullopt;
    const QString text = QString::fromUtf8(log.mid(summary));
    static const QRegularExpression pattern(
        QStringLiteral("Integrated loudness:\\s*I:\\s*(\\S+) LUFS\\s*Threshold:\\s*(\\S+) LUFS\\s*"
                       "Loudness range:\\s*LRA:\\s*(\\S+) LU.*True peak:\\s*Peak:\\s*(\\S+) dBFS"),
        QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    LoudnessMeasure measured;
    measured.integrated = parsedLevel(match.captured(1));
    measured.threshold = parsedLevel(match.captured(2));
    measured.range = parsedLevel(match.captured(3));
    measured.truePeak = parsedLevel(match.captured(4));
    return measured;
}

bool reachesLinearly(double target, const LoudnessMeasure &measured)
{
    return measured.truePeak + (target - measured.integrated) <= loudnessPeakAim;
}

QString loudnormFilter(double target, const LoudnessMeasure &measured)
{
    // loudnorm keeps to one gain only when the target range holds the
    // measured one and the values are all given: a range of 0 reads as "not
    // measured", so the steadiest sound counts as 0.1 LU (ebur128 rounds to that).
    const double range = std::clamp(measured.range, 0.1, 50.0);
    const double targetRange = std::clamp(std::ceil(range), 7.0, 50.0);
    return QStringLiteral("loudnorm=I=%1:TP=%2:LRA=%3:measured_I=%4:measured_TP=%5:measured_LRA=%6:"
                          "measured_thresh=%7:linear=true")
        .arg(number(target), number(loudnessPeakAim), number(targetRange),
             number(std::clamp(measured.integrated, -99.0, 0.0)),
             number(std::clamp(measured.truePeak, -99.0, 99.0)), number(range),
             number(std::clamp(measured.threshold, -99.0, 0.0)));
}

QString normalisingFilter(double target, const LoudnessMeasure &measured)
{
    // One gain is what loudnorm's linear mode applies, but loudnorm works at
    // 192 kHz: resampling there and back costs four times the encoding.
    if (reachesLinearly(target, measured))
        return QStringLiteral("volume=%1dB").arg(number(target - measured.integrated));
    return loudnormFilter(target, measured);
}

QStringList loudnessApplyArguments(const QStringList &planned, double target,
                                   const LoudnessMeasure &measured, int sampleRate)
{
    std::optional<FfmpegCommand> command = parseFfmpegCommand(planned);
    const std::optional<FilterGraph> graph = command ? filtersOf(*command) : std::nullopt;
    const int mark = graph ? markIndex(*graph) : -1;
    if (mark < 0)
        return planned;

    QList<Filter> normalisation;
    if (measured.integrated > silentBelow) {
        if (const std::optional<Filter> mix = channelMix(*command))
            normalisation.append(*mix);
        normalisation.append(parsedFilter(normalisingFilter(target, measured)));
        if (!command->has(QStringLiteral("-ar")) && sampleRate > 0
            && !reachesLinearly(target, measured))
            command->set(QStringLiteral("-ar"), QString::number(sampleRate));
    }
    const FilterGraph applied = replaceMark(*graph, mark, normalisation);
    if (applied.filters.isEmpty())
        command->remove(audioFilters);
    else
        command->set(audioFilters, formatFilterGraph(applied));
    return command->toArguments();
}

QStringList loudnessJoinArguments(const QStringList &join, double target,
                                  const LoudnessMeasure &measured, const QString &encoder,
                                  int sampleRate, qint64 bitRate)
{
    QStringList arguments = join;
    const int copy = arguments.indexOf(QStringLiteral("-c"));
    if (copy < 0 || arguments.value(copy + 1) != QLatin1String("copy"))
        return arguments;
    QStringList sound{"-c:v", "copy", "-c:a", encoder};
    if (bitRate > 0)
        sound << "-b:a" << QString::number(bitRate);
    if (sampleRate > 0)
        sound << "-ar" << QString::number(sampleRate);
    if (measured.integrated > silentBelow)
        sound << "-af" << normalisingFilter(target, measured);
    arguments.remove(copy, 2);
    for (int i = 0; i < sound.size(); ++i)
        arguments.insert(copy + i, sound[i]);
    return arguments;
}
