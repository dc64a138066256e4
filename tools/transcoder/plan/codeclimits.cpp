#include "tools/transcoder/plan/codeclimits.h"

#include <QHash>

#include <cmath>

namespace {

const QVector<int> mpegLayer2Bitrates{32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384};
const QVector<int> mpegLayer2LowRateBitrates{8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};

const QVector<AudioEncoderLimits> &audioEncoders()
{
    static const QVector<AudioEncoderLimits> table{
        {"aac", {7350, 8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000, 64000, 88200, 96000}, 0, 8, {}, {}},
        {"libmp3lame", {8000, 11025, 12000, 16000, 22050, 24000, 32000, 44100, 48000}, 0, 2, {}, {}},
        {"mp2", {16000, 22050, 24000, 32000, 44100, 48000}, 0, 2, mpegLayer2Bitrates, mpegLayer2LowRateBitrates},
        {"ac3", {32000, 44100, 48000}, 0, 6, {}, {}},
        {"wmav1", {}, 48000, 2, {}, {}},
        {"wmav2", {}, 48000, 2, {}, {}},
        {"flac", {}, 655350, 8, {}, {}},
        // Opus works at 48 kHz inside; a player decodes every file at 48 kHz.
        {"libopus", {48000}, 0, 8, {}, {}, 256, {"3.0", "quad", "5.0", "5.1", "6.1", "7.1"}},
    };
    return table;
}

const QVector<VideoEncoderLimits> &videoEncoders()
{
    static const QVector<VideoEncoderLimits> table{
        {"libx264", 2, 0, 0, 0, {}, {}, "yuv420p"},
        {"libx265", 2, 0, 0, 0, {}, {}, "yuv420p"},
        {"libvpx-vp9", 2, 0, 0, 0, {}, {}, "yuv420p"},
        {"libsvtav1", 2, 0, 0, 64, {}, {}, "yuv420p"},
        {"mpeg2video", 1, 0, 0, 0, {}, {}, "yuv420p"},
        {"mjpeg", 1, 0, 0, 0, {}, {}, "yuvj420p"},
        {"msmpeg4v2", 2, 0, 0, 0, {}, {}},
        {"wmv1", 2, 0, 0, 0, {}, {}},
        {"wmv2", 2, 0, 0, 0, {}, {}},
        {"rv10", 16, 4095, 0, 0, {}, {}},
        {"rv20", 16, 4095, 0, 0, {}, {}},
        {"mpeg1video", 1, 0, 4095, 0,
         {24000.0 / 1001, 24, 25, 30000.0 / 1001, 30, 50, 60000.0 / 1001, 60, 5, 10, 12, 15},
         {5, 10, 12, 15}},
    };
    return table;
}

const QVector<ContainerAudioRule> &containerAudioRules()
{
    static const QVector<ContainerAudioRule> table{
        // FLV has no FLAC; PCM keeps the sound lossless.
        {"flv", "flac", "pcm_s16le", {}, 0, 0},
        {"flv", "libmp3lame", {}, {11025, 22050, 44100}, 0, 0},
        {"flv", "pcm_s16le", {}, {11025, 22050, 44100}, 2, 0},
        {"mp4", "libmp3lame", {}, {}, 0, 16000},
    };
    return table;
}

const QVector<ContainerLimits> &containers()
{
    static const QVector<ContainerLimits> table{
        {"dv", true, 0, false, true, false, false, false},
        {"gif", true, 0, false, false, false, false, false},
        {"rm", false, 65535, true, false, false, false, false},
        {"mp4", false, 0, false, false, true, false, false},
        {"mov", false, 0, false, false, true, false, false},
        {"aac", false, 0, false, false, false, true, false},
        {"aiff", false, 0, false, false, false, true, false},
        {"avi", false, 0, false, false, false, false, true},
    };
    return table;
}

template <typename Entry, typename Match>
const Entry *find(const QVector<Entry> &table, Match matches)
{
    for (const Entry &entry : table) {
        if (matches(entry))
            return &entry;
    }
    return nullptr;
}

template <typename T>
T nearest(const QVector<T> &values, T wanted)
{
    T best = values.value(0);
    for (const T value : values) {
        const auto distance = std::abs(value - wanted);
        const auto bestDistance = std::abs(best - wanted);
        if (distance < bestDistance || (distance == bestDistance && value > best))
            best = value;
    }
    return best;
}

} // namespace

const AudioEncoderLimits *audioEncoderLimits(const QString &encoder)
{
    return find(audioEncoders(), [&](const AudioEncoderLimits &entry) { return entry.encoder == encoder; });
}

const VideoEncoderLimits *videoEncoderLimits(const QString &encoder)
{
    return find(videoEncoders(), [&](const VideoEncoderLimits &entry) { return entry.encoder == encoder; });
}

const ContainerAudioRule *containerAudioRule(const QString &suffix, const QString &encoder)
{
    return find(containerAudioRules(), [&](const ContainerAudioRule &entry) {
        return entry.suffix == suffix && entry.encoder == encoder;
    });
}

const ContainerLimits *containerLimits(const QString &suffix)
{
    return find(containers(), [&](const ContainerLimits &entry) { return entry.suffix == suffix; });
}

int nearestOf(const QVector<int> &values, int wanted)
{
    return nearest(values, wanted);
}

double nearestOf(const QVector<double> &values, double wanted)
{
    return nearest(values, wanted);
}

QString availableEncoder(const QString &encoder)
{
    // FAAC is not free software; Debian builds ffmpeg without it.
    if (encoder == QLatin1String("libfaac"))
        return QStringLiteral("aac");
    return encoder;
}

QString copyBitstreamFilter(const QString &codec)
{
    return codec == QLatin1String("mpeg4") ? QStringLiteral("mpeg4_unpack_bframes") : QString();
}

QString codecOfEncoder(const QString &encoder)
{
    // The others are named after their codec.
    static const QHash<QString, QString> named{
        {"libx264", "h264"}, {"libx265", "hevc"}, {"libmp3lame", "mp3"}, {"libfaac", "aac"},
        {"libvpx", "vp8"}, {"libvpx-vp9", "vp9"}, {"libaom-av1", "av1"}, {"libsvtav1", "av1"},
        {"librav1e", "av1"}, {"libopus", "opus"}, {"libvorbis", "vorbis"}, {"flv", "flv1"},
    };
    return named.value(encoder, encoder);
}
