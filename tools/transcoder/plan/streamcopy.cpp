#include "tools/transcoder/plan/streamcopy.h"

#include "tools/transcoder/plan/codeclimits.h"

#include <QSize>

#include <cmath>
#include <functional>

namespace {

const QString copyValue = QStringLiteral("copy");

// Options that change the pictures or the sound whatever their value.
const QStringList changesPictures{"-vf", "-b:v", "-maxrate", "-bufsize", "-target"};
const QStringList changesSound{"-af"};

bool isCut(const FfmpegCommand &command)
{
    for (const QString &option : {QStringLiteral("-ss"), QStringLiteral("-t"), QStringLiteral("-to")}) {
        if (command.has(option))
            return true;
        for (const CommandOption &given : command.inputOptions) {
            if (given.name == option)
                return true;
        }
    }
    return false;
}

bool hasAny(const FfmpegCommand &command, const QStringList &options)
{
    for (const QString &option : options) {
        if (command.has(option))
            return true;
    }
    return false;
}

bool nearlyEqual(double a, double b, double tolerance)
{
    return a > 0 && b > 0 && std::abs(a / b - 1) <= tolerance;
}

// Whether the option is absent or asks for what the input already has.
bool keeps(const FfmpegCommand &command, const QString &option, const std::function<bool(const QString &)> &same)
{
    const QString *value = command.value(option);
    return !value || same(*value);
}

// yuv420p and yuvj420p differ only in the range of their values; every
// player takes both.
QString chromaLayout(QString pixelFormat)
{
    return pixelFormat.replace(QLatin1String("yuvj"), QLatin1String("yuv"));
}

enum class Verdict { Copy, Encode, NeedsPixelFormat, NeedsBitRate };

Verdict judgeVideo(const FfmpegCommand &command, const OutputTarget &target)
{
    const MediaFacts &input = target.input;
    const QString *encoder = command.value(QStringLiteral("-vcodec"));
    if (!encoder || !input.hasVideo || command.has(QStringLiteral("-vn")) || hasAny(command, changesPictures)
        || codecOfEncoder(*encoder) != input.videoCodec)
        return Verdict::Encode;

    const bool sameSettings =
        keeps(command, QStringLiteral("-s"),
              [&](const QString &size) { return parseFrameSize(size) == QSize(input.width, input.height); })
        && keeps(command, QStringLiteral("-r"),
                 [&](const QString &rate) { return nearlyEqual(parseRate(rate), input.frameRate, 0.001); })
        && keeps(command, QStringLiteral("-aspect"),
                 [&](const QString &aspect) {
                     return input.height > 0
                            && nearlyEqual(parseAspect(aspect), input.width * input.pixelAspect / input.height, 0.01);
                 })
        && keeps(command, QStringLiteral("-pix_fmt"), [&](const QString &format) { return format == input.pixelFormat; });
    if (!sameSettings)
        return Verdict::Encode;

    // RealMedia and DV need pictures made for them, AVI pictures in the order
    // they are shown; a rotation tag that the container drops would leave the
    // picture lying on its side.
    const ContainerLimits *container = containerLimits(target.container);
    if (container
        && (container->maxVideoPacketBytes > 0 || container->wholeFrameRates || container->needsSteadyAudio
            || container->lacksTimestamps))
        return Verdict::Encode;
    if (input.rotation != 0 && !(container && container->holdsRotation))
        return Verdict::Encode;

    // The encoder would write a picture format every player takes (see
    // VideoEncoderLimits): a copy must already have it.
    const VideoEncoderLimits *limits = videoEncoderLimits(*encoder);
    if (limits && !limits->pixelFormat.isEmpty() && !command.has(QStringLiteral("-pix_fmt"))) {
        if (input.pixelFormat.isEmpty())
            return Verdict::NeedsPixelFormat;
        if (chromaLayout(input.pixelFormat) != chromaLayout(limits->pixelFormat))
            return Verdict::Encode;
    }
    return Verdict::Copy;
}

Verdict judgeAudio(FfmpegCommand &command, const OutputTarget &target)
{
    const MediaFacts &input = target.input;
    const QString *given = command.value(QStringLiteral("-acodec"));
    if (!given || !input.hasAudio || command.has(QStringLiteral("-an")) || hasAny(command, changesSound))
        return Verdict::Encode;
    const QString encoder = availableEncoder(*given);
    if (codecOfEncoder(encoder) != input.audioCodec)
        return Verdict::Encode;

    const bool sameSettings =
        keeps(command, QStringLiteral("-ar"), [&](const QString &rate) { return rate.toInt() == input.sampleRate; })
        && keeps(command, QStringLiteral("-ac"), [&](const QString &count) { return count.toInt() == input.channels; });
    if (!sameSettings)
        return Verdict::Encode;
    // A join's parts are all given one bitrate: a song that already has it is copied.
    if (const QString *bitrate = command.value(QStringLiteral("-b:a"))) {
        if (input.audioBitRate == 0)
            return Verdict::NeedsBitRate;
        if (!bitrate->endsWith(u'k') || qint64(bitrate->chopped(1).toInt()) * 1000 != input.audioBitRate)
            return Verdict::Encode;
    }

    const ContainerLimits *container = containerLimits(target.container);
    if (container && container->needsSteadyAudio)
        return Verdict::Encode;
    if (const ContainerAudioRule *rule = containerAudioRule(target.container, encoder)) {
        if (!rule->replacement.isEmpty() || (!rule->sampleRates.isEmpty() && !rule->sampleRates.contains(input.sampleRate))
            || (rule->maxChannels > 0 && input.channels > rule->maxChannels))
            return Verdict::Encode;
        if (input.sampleRate < rule->strictBelowSampleRate && !command.has(QStringLiteral("-strict")))
            command.set(QStringLiteral("-strict"), QStringLiteral("-1"));
    }
    return Verdict::Copy;
}

void copy(FfmpegCommand &command, const QString &codecOption, const QStringList &repeatedOptions)
{
    command.set(codecOption, copyValue);
    for (const QString &option : repeatedOptions)
        command.remove(option);
}

} // namespace

StreamCopy chooseStreamCopy(FfmpegCommand &command, const OutputTarget &target)
{
    StreamCopy result;
    if (isCut(command))
        return result;
    const Verdict video = judgeVideo(command, target);
    if (video == Verdict::Copy) {
        copy(command, QStringLiteral("-vcodec"), {"-s", "-r", "-aspect", "-pix_fmt"});
        const QString filter = copyBitstreamFilter(target.input.videoCodec);
        if (!filter.isEmpty())
            command.set(QStringLiteral("-bsf:v"), filter);
        result.copied << QStringLiteral("video");
    }
    const Verdict audio = judgeAudio(command, target);
    if (audio == Verdict::Copy) {
        copy(command, QStringLiteral("-acodec"), {"-ar", "-ac", "-b:a"});
        result.copied << QStringLiteral("audio");
    }
    result.needsPixelFormat = video == Verdict::NeedsPixelFormat;
    result.needsAudioBitRate = audio == Verdict::NeedsBitRate;
    return result;
}

bool isCopied(const FfmpegCommand &command, const QString &codecOption)
{
    const QString *codec = command.value(codecOption);
    return codec && *codec == copyValue;
}
