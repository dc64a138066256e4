// The probe module (engine/probemodule.h): the one place that links FFmpeg's
// libraries, loaded by the application and the transcoder when they read a file.
#include "engine/probemodule.h"
#include "tools/transcoder/factstext.h"
#include "tools/transcoder/mediaprobe.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/display.h>
#include <libavutil/pixdesc.h>
}

#include <QFile>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <memory>

namespace {

QString avError(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return QString::fromUtf8(text);
}

// Whether the first bytes of the file, as much as a probe reads, come off the drive.
bool startReads(const char *file)
{
    constexpr qint64 probedBytes = 8 * 1024 * 1024;
    QFile input(QString::fromUtf8(file));
    if (!input.open(QIODevice::ReadOnly))
        return false;
    char buffer[64 * 1024];
    for (qint64 read = 0; read < probedBytes;) {
        const qint64 got = input.read(buffer, sizeof buffer);
        if (got < 0)
            return false;
        if (got == 0)
            return true;
        read += got;
    }
    return true;
}

// Why libavformat could not read the file, as the user needs to hear it: its
// demuxers say "End of file" or "Input/output error" of a file that is cut
// short or damaged, which a drive's own read error is told apart from, and
// "Invalid argument" when its header points past the end (an MP3 cut inside
// its first frame).
QString readFailure(int code, const char *file)
{
    if (code == AVERROR_INVALIDDATA)
        return QStringLiteral("it is not a media file, or a damaged one (%1)").arg(avError(code));
    if (code == AVERROR_EOF || ((code == AVERROR(EIO) || code == AVERROR(EINVAL)) && startReads(file)))
        return QStringLiteral("the file is damaged or cut short (%1)").arg(avError(code));
    return avError(code);
}

double seconds(int64_t value, AVRational timeBase)
{
    return value == AV_NOPTS_VALUE ? 0 : value * av_q2d(timeBase);
}

double durationOf(const AVFormatContext *context)
{
    if (context->duration != AV_NOPTS_VALUE && context->duration > 0)
        return double(context->duration) / AV_TIME_BASE;
    double longest = 0;
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        const AVStream *stream = context->streams[i];
        longest = qMax(longest, seconds(stream->duration, stream->time_base));
    }
    return longest;
}

// Degrees clockwise that the rotation tag (display matrix) turns the
// picture by when shown, 0, 90, 180 or 270.
int rotationOf(const AVStream *stream)
{
    const uint8_t *matrix = av_stream_get_side_data(stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr);
    if (!matrix)
        return 0;
    const double counterClockwise = av_display_rotation_get(reinterpret_cast<const int32_t *>(matrix));
    if (std::isnan(counterClockwise))
        return 0;
    const int quarters = int(std::lround(-counterClockwise / 90));
    return ((quarters % 4 + 4) % 4) * 90;
}

// ffmpeg turns a picture by its rotation tag before any filter sees it, so
// the facts give the size as shown.
void takeVideo(AVFormatContext *context, AVStream *stream, ProbedMedia *media)
{
    const AVCodecParameters *codec = stream->codecpar;
    media->facts.hasVideo = true;
    media->facts.rotation = rotationOf(stream);
    const bool quarterTurned = media->facts.rotation % 180 != 0;
    media->facts.width = quarterTurned ? codec->height : codec->width;
    media->facts.height = quarterTurned ? codec->width : codec->height;
    const AVRational pixel = av_guess_sample_aspect_ratio(context, stream, nullptr);
    if (pixel.num > 0 && pixel.den > 0)
        media->facts.pixelAspect = quarterTurned ? av_q2d(av_inv_q(pixel)) : av_q2d(pixel);
    const AVRational rate = stream->avg_frame_rate.num > 0 ? stream->avg_frame_rate : stream->r_frame_rate;
    media->facts.frameRate = rate.den > 0 ? av_q2d(rate) : 0;
    media->facts.videoCodec = QString::fromUtf8(avcodec_get_name(codec->codec_id));
    if (const char *format = av_get_pix_fmt_name(AVPixelFormat(codec->format)))
        media->facts.pixelFormat = QString::fromUtf8(format);
}

void takeAudio(const AVStream *stream, ProbedMedia *media)
{
    const AVCodecParameters *codec = stream->codecpar;
    media->facts.hasAudio = true;
    media->facts.sampleRate = codec->sample_rate;
    media->facts.channels = codec->ch_layout.nb_channels;
    media->facts.audioCodec = QString::fromUtf8(avcodec_get_name(codec->codec_id));
    media->facts.audioBitRate = codec->bit_rate;
    AVChannelLayout layout {}; // zeroed: the copy below frees what it holds first
    if (codec->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC)
        av_channel_layout_default(&layout, codec->ch_layout.nb_channels);
    else
        av_channel_layout_copy(&layout, &codec->ch_layout);
    char name[64] = {};
    if (av_channel_layout_describe(&layout, name, sizeof name) > 0)
        media->channelLayout = QString::fromUtf8(name);
    av_channel_layout_uninit(&layout);
}

// Whether the header gave all MediaFacts. Decoding frames to find out the rest
// costs about 10 ms for an H.264 720p clip: half a percent of converting it.
bool headerTellsFacts(const AVFormatContext *context)
{
    if ((context->ctx_flags & AVFMTCTX_NOHEADER) || context->nb_streams == 0)
        return false;
    bool knowsDuration = context->duration != AV_NOPTS_VALUE && context->duration > 0;
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        const AVStream *stream = context->streams[i];
        const AVCodecParameters *codec = stream->codecpar;
        if (codec->codec_type != AVMEDIA_TYPE_VIDEO && codec->codec_type != AVMEDIA_TYPE_AUDIO)
            continue;
        if (codec->codec_id == AV_CODEC_ID_NONE)
            return false;
        if (codec->codec_type == AVMEDIA_TYPE_VIDEO && !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC)
            && (codec->width <= 0 || codec->height <= 0 || stream->avg_frame_rate.num <= 0))
            return false;
        if (codec->codec_type == AVMEDIA_TYPE_AUDIO && (codec->sample_rate <= 0 || codec->ch_layout.nb_channels <= 0))
            return false;
        knowsDuration = knowsDuration || seconds(stream->duration, stream->time_base) > 0;
    }
    return knowsDuration;
}

// The first real video stream, or nullptr.
AVStream *pictureStream(const AVFormatContext *context)
{
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        AVStream *stream = context->streams[i];
        if (stream->codecpar->codec_type == AVMEDIA_TYPE_VIDEO && !(stream->disposition & AV_DISPOSITION_ATTACHED_PIC))
            return stream;
    }
    return nullptr;
}

// Whether ffmpeg can convert the stream: a damaged header can leave a stream
// of no known codec, of no size, or of no channels even after the first
// packets were read, and ffmpeg then leaves it out of the output.
bool isDecodable(const AVStream *stream)
{
    const AVCodecParameters *codec = stream->codecpar;
    if (codec->codec_id == AV_CODEC_ID_NONE)
        return false;
    if (codec->codec_type == AVMEDIA_TYPE_VIDEO)
        return codec->width > 0 && codec->height > 0;
    return codec->sample_rate > 0 && codec->ch_layout.nb_channels > 0;
}

// Sets the stream's pixel format from its sequence header, as the codec's
// parser reads it from the first packets (H.264, HEVC, AV1, ...): no picture
// is decoded. False when the parser does not tell it.
bool parsePixelFormat(AVFormatContext *context, AVStream *stream)
{
    constexpr int packetsToTry = 32;
    AVCodecParserContext *parser = av_parser_init(stream->codecpar->codec_id);
    AVCodecContext *codec = avcodec_alloc_context3(nullptr);
    AVPacket *packet = av_packet_alloc();
    if (parser && codec && packet && avcodec_parameters_to_context(codec, stream->codecpar) >= 0) {
        parser->flags |= PARSER_FLAG_COMPLETE_FRAMES; // the demuxer gives whole packets
        for (int read = 0; read < packetsToTry && parser->format < 0 && av_read_frame(context, packet) >= 0; ++read) {
            if (packet->stream_index == stream->index) {
                uint8_t *data = nullptr;
                int size = 0;
                av_parser_parse2(parser, codec, &data, &size, packet->data, packet->size, packet->pts, packet->dts,
                                 packet->pos);
            }
            av_packet_unref(packet);
        }
    }
    const bool parsed = parser && parser->format >= 0;
    if (parsed)
        stream->codecpar->format = parser->format;
    av_packet_free(&packet);
    avcodec_free_context(&codec);
    av_parser_close(parser);
    return parsed;
}

// Whether the facts asked for need libavformat to read and decode the first
// packets of every stream (avformat_find_stream_info).
bool needsStreamInfo(AVFormatContext *context, ProbeDetail detail)
{
    if (detail == ProbeDetail::Formats || !headerTellsFacts(context))
        return true;
    if (detail == ProbeDetail::Facts)
        return false;
    AVStream *stream = pictureStream(context);
    return stream && stream->codecpar->format < 0 && !parsePixelFormat(context, stream);
}

ProbedMedia readMedia(const char *file, ProbeDetail detail, const AVIOInterruptCB &interrupt)
{
    av_log_set_level(AV_LOG_QUIET); // the probe reports what went wrong itself
    ProbedMedia media;
    AVFormatContext *context = avformat_alloc_context();
    if (!context) {
        media.error = QStringLiteral("out of memory");
        return media;
    }
    context->interrupt_callback = interrupt;
    int status = avformat_open_input(&context, file, nullptr, nullptr);
    if (status < 0) {
        media.error = readFailure(status, file);
        return media; // the context was freed by the failed open
    }
    if (needsStreamInfo(context, detail))
        status = avformat_find_stream_info(context, nullptr);
    if (status < 0) {
        media.error = readFailure(status, file);
        avformat_close_input(&context);
        return media;
    }

    bool damagedStream = false;
    AVStream *picture = pictureStream(context);
    if (picture && isDecodable(picture))
        takeVideo(context, picture, &media);
    else
        damagedStream = picture != nullptr;
    for (unsigned i = 0; i < context->nb_streams && !media.facts.hasAudio; ++i) {
        AVStream *stream = context->streams[i];
        if (stream->codecpar->codec_type != AVMEDIA_TYPE_AUDIO)
            continue;
        if (isDecodable(stream))
            takeAudio(stream, &media);
        else
            damagedStream = true;
    }
    media.facts.durationSeconds = durationOf(context);
    media.facts.readable = media.facts.hasVideo || media.facts.hasAudio;
    if (!media.facts.readable) {
        media.error = damagedStream
                          ? QStringLiteral("no picture or sound of it can be decoded: the file is "
                                           "damaged, or of a codec ffmpeg does not know")
                          : QStringLiteral("it holds neither pictures nor sound");
    }
    avformat_close_input(&context);
    return media;
}

char *copied(const QByteArray &text)
{
    char *copy = static_cast<char *>(std::malloc(size_t(text.size()) + 1));
    if (copy)
        std::memcpy(copy, text.constData(), size_t(text.size()) + 1);
    return copy;
}

QByteArray muxerName(const char *path)
{
    const AVOutputFormat *format = av_guess_format(nullptr, path, nullptr);
    return format ? QByteArray(format->name) : QByteArray();
}

} // namespace

extern "C" {

__attribute__((visibility("default"))) char *quillmora_probe(const char *path, const char *outputPath, int detail,
                                                             int (*interrupted)(void *), void *context, char **error)
{
    const ProbedMedia media = readMedia(path, ProbeDetail(detail), AVIOInterruptCB{interrupted, context});
    if (!media.facts.readable) {
        *error = copied(media.error.toUtf8());
        return nullptr;
    }
    const QByteArray muxer = outputPath && *outputPath ? muxerName(outputPath) : QByteArray();
    return copied(factstext::write(media, ProbeDetail(detail), QString::fromUtf8(muxer)));
}

__attribute__((visibility("default"))) char *quillmora_muxer_for(const char *path)
{
    return copied(muxerName(path));
}

__attribute__((visibility("default"))) char *quillmora_encoder_for(const char *codecName)
{
    const AVCodecDescriptor *codec = avcodec_descriptor_get_by_name(codecName);
    const AVCodec *encoder = codec ? avcodec_find_encoder(codec->id) : nullptr;
    return copied(encoder ? QByteArray(encoder->name) : QByteArray());
}

__attribute__((visibility("default"))) long long quillmora_video_stream_bytes(const char *path)
{
    AVFormatContext *opened = nullptr;
    if (avformat_open_input(&opened, path, nullptr, nullptr) < 0)
        return -1;
    const std::unique_ptr<AVFormatContext, void (*)(AVFormatContext *)> context(
        opened, [](AVFormatContext *c) { avformat_close_input(&c); });
    const int video = av_find_best_stream(opened, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (video < 0)
        return -1;
    const std::unique_ptr<AVPacket, void (*)(AVPacket *)> packet(
        av_packet_alloc(), [](AVPacket *p) { av_packet_free(&p); });
    long long bytes = 0;
    while (av_read_frame(opened, packet.get()) >= 0) {
        if (packet->stream_index == video)
            bytes += packet->size;
        av_packet_unref(packet.get());
    }
    return bytes;
}

__attribute__((visibility("default"))) void quillmora_probe_free(char *text)
{
    std::free(text);
}

} // extern "C"
