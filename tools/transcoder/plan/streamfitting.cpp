#include "tools/transcoder/plan/streamfitting.h"

#include "tools/transcoder/plan/codeclimits.h"
#include "tools/transcoder/plan/streamcopy.h"

#include <QRegularExpression>
#include <QSize>

#include <algorithm>
#include <cmath>

namespace {

const QStringList videoOptions{"-vf", "-s", "-aspect", "-r", "-vcodec", "-b:v", "-maxrate", "-bufsize"};
const QStringList audioOptions{"-af", "-ar", "-ac", "-acodec", "-b:a"};

// A value used when the input's frame rate is unknown: ffmpeg's own default.
constexpr double assumedFrameRate = 25;

void appendAudioFilter(FfmpegCommand &command, const QString &filter)
{
    const QString *chain = command.value(QStringLiteral("-af"));
    command.set(QStringLiteral("-af"), chain ? *chain + u',' + filter : filter);
}

void setStrictUnofficial(FfmpegCommand &command)
{
    if (!command.has(QStringLiteral("-strict")))
        command.set(QStringLiteral("-strict"), QStringLiteral("-1"));
}

// "196k" gives 196; 0 when the text is not in kbit/s.
int parseKilobits(const QString &text)
{
    return text.endsWith(u'k') ? text.chopped(1).toInt() : 0;
}

// The nearest multiple (a tie goes down, so nothing grows), at least one.
int roundToMultiple(double value, int multiple)
{
    return std::max(multiple, int(std::ceil(value / multiple - 0.5)) * multiple);
}

int roundUpToMultiple(int value, int multiple)
{
    return (value + multiple - 1) / multiple * multiple;
}

int macroblocks(const QSize &size)
{
    return ((size.width() + 15) / 16) * ((size.height() + 15) / 16);
}

bool isWithin(const QSize &size, const VideoEncoderLimits &limits)
{
    return (limits.maxDimension == 0 || std::max(size.width(), size.height()) <= limits.maxDimension)
        && (limits.maxMacroblocks == 0 || macroblocks(size) <= limits.maxMacroblocks);
}

// The nearest size the encoder takes, keeping the shape as near as it can.
QSize fitSize(const QSize &size, const VideoEncoderLimits &limits)
{
    double factor = 1;
    if (limits.minDimension > 0) // a small picture grows, both sides alike
        factor =
            std::max(factor, double(limits.minDimension) / std::min(size.width(), size.height()));
    if (limits.maxDimension > 0)
        factor = std::min(factor, double(limits.maxDimension) / std::max(size.width(), size.height()));
    if (limits.maxMacroblocks > 0)
        factor = std::min(factor, std::sqrt(limits.maxMacroblocks * 256.0 / (double(size.width()) * size.height())));
    const int smallest =
        limits.minDimension > 0 ? roundUpToMultiple(limits.minDimension, limits.sizeMultiple) : 0;
    for (;; factor *= 0.99) {
        const QSize fitted(std::max(smallest,
                                    roundToMultiple(size.width() * factor, limits.sizeMultiple)),
                           std::max(smallest,
                                    roundToMultiple(size.height() * factor, limits.sizeMultiple)));
        if (isWithin(fitted, limits))
            return fitted;
    }
}

int fitSampleRate(int wanted, const AudioEncoderLimits *limits, const ContainerAudioRule *rule)
{
    if (rule && !rule->sampleRates.isEmpty())
        return nearestOf(rule->sampleRates, wanted);
    if (limits && !limits->sampleRates.isEmpty())
        return nearestOf(limits->sampleRates, wanted);
    if (limits && limits->maxSampleRate > 0)
        return std::min(wanted, limits->maxSampleRate);
    return wanted;
}

int maxChannels(const AudioEncoderLimits *limits, const ContainerAudioRule *rule)
{
    const int ofEncoder = limits ? limits->maxChannels : 0;
    const int ofContainer = rule ? rule->maxChannels : 0;
    if (ofEncoder == 0 || ofContainer == 0)
        return std::max(ofEncoder, ofContainer);
    return std::min(ofEncoder, ofContainer);
}

void fitAudioBitrate(FfmpegCommand &command, const AudioEncoderLimits *limits, int sampleRate,
                     int channels)
{
    const QString *given = command.value(QStringLiteral("-b:a"));
    if (!limits || !given || sampleRate <= 0)
        return;
    const QVector<int> &valid = sampleRate >= 32000 ? limits->bitratesFrom32kHz : limits->bitratesBelow32kHz;
    const int wanted = parseKilobits(*given);
    if (!valid.isEmpty() && wanted > 0 && !valid.contains(wanted))
        command.set(QStringLiteral("-b:a"), QString::number(nearestOf(valid, wanted)) + u'k');
    const int most = limits->maxKilobitsPerChannel * channels;
    if (most > 0 && wanted > most)
        command.set(QStringLiteral("-b:a"), QString::number(most) + u'k');
}

// The layout stands for the channel count: "-ac" would ask for ffmpeg's
// default layout of that count again.
void fitChannelLayout(FfmpegCommand &command, const AudioEncoderLimits *limits, int channels)
{
    if (!limits || channels <= 2 || channels - 3 >= limits->layoutsAboveStereo.size())
        return;
    command.remove(QStringLiteral("-ac"));
    appendAudioFilter(command, QStringLiteral("aformat=channel_layouts=")
                                   + limits->layoutsAboveStereo[channels - 3]);
}

// The muxer refuses packets above its limit: a VBV buffer below it bounds
// every frame; the average rate cannot exceed one full buffer per frame.
void boundVideoPackets(FfmpegCommand &command, int maxPacketBytes, double frameRate)
{
    const int bufferKilobits = maxPacketBytes * 8 * 9 / 10 / 1000;
    const int maxKilobits = int(bufferKilobits * frameRate);
    if (const QString *bitrate = command.value(QStringLiteral("-b:v"))) {
        if (parseKilobits(*bitrate) > maxKilobits)
            command.set(QStringLiteral("-b:v"), QString::number(maxKilobits) + u'k');
    }
    command.set(QStringLiteral("-maxrate"), QString::number(maxKilobits) + u'k');
    command.set(QStringLiteral("-bufsize"), QString::number(bufferKilobits) + u'k');
}

} // namespace

QString fitToInputStreams(FfmpegCommand &command, const OutputTarget &target)
{
    const ContainerLimits *limits = containerLimits(target.container);
    if (!target.input.hasVideo && !target.input.hasAudio)
        return QStringLiteral("the input has neither picture nor sound");
    if (!target.input.hasVideo && limits && limits->needsVideo)
        return QStringLiteral("the input has no picture, and a %1 file needs one").arg(target.container.toUpper());
    if (!target.input.hasAudio && command.has(QStringLiteral("-vn")))
        return QStringLiteral("the input has no sound to convert");

    if (!target.input.hasVideo && !command.has(QStringLiteral("-vn"))) {
        for (const QString &option : videoOptions)
            command.remove(option);
        command.setFlag(QStringLiteral("-vn"));
    }
    if (!target.input.hasAudio && !command.has(QStringLiteral("-an"))) {
        for (const QString &option : audioOptions)
            command.remove(option);
        command.setFlag(QStringLiteral("-an"));
    }
    return QString();
}

QString fitAudio(FfmpegCommand &command, const OutputTarget &target)
{
    const ContainerLimits *container = containerLimits(target.container);
    if (container && container->needsSteadyAudio && !command.has(QStringLiteral("-an")))
        appendAudioFilter(command, QStringLiteral("aresample=async=1:first_pts=0"));

    const QString *given = command.value(QStringLiteral("-acodec"));
    if (!given || command.has(QStringLiteral("-an")) || isCopied(command, QStringLiteral("-acodec")))
        return QString();
    QString encoder = availableEncoder(*given);
    const ContainerAudioRule *rule = containerAudioRule(target.container, encoder);
    if (rule && !rule->replacement.isEmpty()) {
        encoder = rule->replacement;
        rule = containerAudioRule(target.container, encoder);
    }
    command.set(QStringLiteral("-acodec"), encoder);
    const AudioEncoderLimits *limits = audioEncoderLimits(encoder);

    const QString *rateText = command.value(QStringLiteral("-ar"));
    const int wantedRate = rateText ? rateText->toInt() : target.input.sampleRate;
    const int rate = wantedRate > 0 ? fitSampleRate(wantedRate, limits, rule) : 0;
    if (rate != wantedRate)
        command.set(QStringLiteral("-ar"), QString::number(rate));

    const QString *channelsText = command.value(QStringLiteral("-ac"));
    int channels = channelsText ? channelsText->toInt() : target.input.channels;
    const int channelLimit = maxChannels(limits, rule);
    if (channelLimit > 0 && channels > channelLimit) {
        channels = channelLimit;
        command.set(QStringLiteral("-ac"), QString::number(channelLimit));
    }

    fitAudioBitrate(command, limits, rate, channels);
    fitChannelLayout(command, limits, channels);
    if (rule && rate > 0 && rate < rule->strictBelowSampleRate)
        setStrictUnofficial(command);
    return QString();
}

QString fitVideo(FfmpegCommand &command, const OutputTarget &target, bool pictureTurned)
{
    const QString *encoder = command.value(QStringLiteral("-vcodec"));
    if (!encoder || command.has(QStringLiteral("-vn")) || isCopied(command, QStringLiteral("-vcodec")))
        return QString();
    const VideoEncoderLimits *limits = videoEncoderLimits(*encoder);
    const QString *rateText = command.value(QStringLiteral("-r"));
    double frameRate = rateText ? parseRate(*rateText) : target.input.frameRate;

    if (limits) {
        const QString *sizeText = command.value(QStringLiteral("-s"));
        QSize size = sizeText ? parseFrameSize(*sizeText) : QSize(target.input.width, target.input.height);
        if (!sizeText && pictureTurned)
            size.transpose();
        const QSize fitted = size.isValid() && !size.isEmpty() ? fitSize(size, *limits) : size;
        if (fitted != size)
            command.set(QStringLiteral("-s"), QStringLiteral("%1x%2").arg(fitted.width()).arg(fitted.height()));
        if (!limits->pixelFormat.isEmpty() && !command.has(QStringLiteral("-pix_fmt")))
            command.set(QStringLiteral("-pix_fmt"), limits->pixelFormat);
        if (!limits->frameRates.isEmpty() && frameRate > 0
            && limits->unofficialFrameRates.contains(nearestOf(limits->frameRates, frameRate)))
            setStrictUnofficial(command);
    }

    const ContainerLimits *container = containerLimits(target.container);
    if (container && container->wholeFrameRates && frameRate > 0 && frameRate != std::round(frameRate)) {
        frameRate = std::round(frameRate);
        command.set(QStringLiteral("-r"), QString::number(frameRate));
    }
    if (container && container->maxVideoPacketBytes > 0)
        boundVideoPackets(command, container->maxVideoPacketBytes, frameRate > 0 ? frameRate : assumedFrameRate);
    return QString();
}
