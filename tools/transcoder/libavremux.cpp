// The probe module's stream copy (quillmora_remux, engine/probemodule.h):
// what "ffmpeg -i in -vcodec copy -acodec copy -map_metadata 0 -map_chapters 0
// -f muxer out" does to a file of one picture and one sound, done with the
// libraries the transcoder has loaded already for its probe, so that a copy
// does not load them a second time in an ffmpeg of its own. It follows
// ffmpeg's own steps (the streams' parameters, time bases, tags, chapters and
// timestamps); whatever it does not know for certain it leaves to ffmpeg.
#include "engine/probemodule.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/avstring.h>
#include <libavutil/mathematics.h>
}

#include <cstring>
#include <vector>

namespace {

constexpr int copied = 0, leftToFfmpeg = 1, stoppedCopy = 2;

// A stream of the input that goes to the output.
struct CopiedStream {
    AVStream *in = nullptr;
    AVStream *out = nullptr;
    int64_t lastMuxedDts = AV_NOPTS_VALUE;
    int64_t soundRescaleRemainder = AV_NOPTS_VALUE; // av_rescale_delta's state
    int64_t nextDts = AV_NOPTS_VALUE;               // ffmpeg's guess for the next packet, AV_TIME_BASE
    bool sawPacket = false;
    bool started = false; // a keyframe came
};

struct Contexts {
    AVFormatContext *in = nullptr;
    AVFormatContext *out = nullptr;
    AVPacket *packet = nullptr;
    ~Contexts()
    {
        av_packet_free(&packet);
        if (out) {
            avio_closep(&out->pb);
            avformat_free_context(out);
        }
        avformat_close_input(&in);
    }
};

// The muxers whose time bases ffmpeg leaves to the muxer for a copy
// (avformat_transfer_internal_stream_timing_info takes the input's as they are).
bool takesInputTimeBase(const char *muxer)
{
    return av_match_name(muxer, "mov,mp4,ipod,matroska,webm");
}

// The streams to copy: one picture that is no cover, one sound, nothing else,
// as ffmpeg's own choice of streams would take them. False when the file
// holds more or another kind (subtitles, data, attachments, covers): ffmpeg
// chooses among those, or encodes them.
bool chooseStreams(AVFormatContext *in, bool copyVideo, bool copyAudio, std::vector<CopiedStream> *streams)
{
    int pictures = 0, sounds = 0;
    for (unsigned i = 0; i < in->nb_streams; ++i) {
        AVStream *stream = in->streams[i];
        const AVMediaType type = stream->codecpar->codec_type;
        const bool cover = stream->disposition & AV_DISPOSITION_ATTACHED_PIC;
        if ((type != AVMEDIA_TYPE_VIDEO && type != AVMEDIA_TYPE_AUDIO) || cover
            || stream->codecpar->codec_id == AV_CODEC_ID_NONE)
            return false;
        const bool picture = type == AVMEDIA_TYPE_VIDEO;
        if (++(picture ? pictures : sounds) > 1)
            return false;
        if (picture ? copyVideo : copyAudio)
            streams->push_back(CopiedStream{stream});
        else
            stream->discard = AVDISCARD_ALL;
    }
    return !streams->empty();
}

// The output stream as ffmpeg sets up a copied one.
bool addOutputStream(AVFormatContext *out, CopiedStream *stream)
{
    const AVStream *in = stream->in;
    AVStream *made = avformat_new_stream(out, nullptr);
    if (!made || avcodec_parameters_copy(made->codecpar, in->codecpar) < 0)
        return false;
    stream->out = made;
    AVCodecParameters *par = made->codecpar;
    // The source's codec tag where the container takes it for that codec.
    unsigned int tag = 0;
    const AVCodecTag *const *tags = out->oformat->codec_tag;
    if (tags && av_codec_get_id(tags, in->codecpar->codec_tag) != in->codecpar->codec_id
        && av_codec_get_tag2(tags, in->codecpar->codec_id, &tag))
        par->codec_tag = 0;
    made->time_base = in->time_base;
    av_reduce(&made->time_base.num, &made->time_base.den, made->time_base.num, made->time_base.den, INT_MAX);
    if (in->duration > 0)
        made->duration = av_rescale_q(in->duration, in->time_base, made->time_base);
    for (int i = 0; i < in->nb_side_data; ++i) {
        const AVPacketSideData &side = in->side_data[i];
        uint8_t *data = av_stream_new_side_data(made, side.type, side.size);
        if (!data)
            return false;
        std::memcpy(data, side.data, side.size);
    }
    made->disposition = in->disposition;
    if (av_dict_copy(&made->metadata, in->metadata, AV_DICT_DONT_OVERWRITE) < 0)
        return false;
    if (par->codec_type == AVMEDIA_TYPE_AUDIO) {
        const int blockAlign = par->block_align;
        if ((par->codec_id == AV_CODEC_ID_MP3 && (blockAlign == 1 || blockAlign == 1152 || blockAlign == 576))
            || par->codec_id == AV_CODEC_ID_AC3)
            par->block_align = 0;
    } else {
        made->sample_aspect_ratio = par->sample_aspect_ratio =
            in->sample_aspect_ratio.num ? in->sample_aspect_ratio : in->codecpar->sample_aspect_ratio;
        made->avg_frame_rate = in->avg_frame_rate;
        made->r_frame_rate = in->r_frame_rate;
    }
    return true;
}

// The input's chapters, shifted by tsOffset (AV_TIME_BASE) as ffmpeg shifts them.
bool copyChapters(const AVFormatContext *in, AVFormatContext *out, int64_t tsOffset)
{
    for (unsigned i = 0; i < in->nb_chapters; ++i) {
        const AVChapter *from = in->chapters[i];
        const int64_t shift = av_rescale_q(-tsOffset, AV_TIME_BASE_Q, from->time_base);
        if (from->end < shift)
            continue;
        auto *chapter = static_cast<AVChapter *>(av_mallocz(sizeof(AVChapter)));
        if (!chapter)
            return false;
        chapter->id = from->id;
        chapter->time_base = from->time_base;
        chapter->start = FFMAX(0, from->start - shift);
        chapter->end = from->end - shift;
        if (av_dict_copy(&chapter->metadata, from->metadata, 0) < 0
            || av_dynarray_add_nofree(&out->chapters, reinterpret_cast<int *>(&out->nb_chapters), chapter) < 0) {
            av_dict_free(&chapter->metadata);
            av_free(chapter);
            return false;
        }
    }
    return true;
}

// The decoding time of the packet as ffmpeg guesses it for a copy, in
// AV_TIME_BASE: the packet's own, or where the one before ended (Matroska
// gives none to the first pictures of a film with B-frames). AV_NOPTS_VALUE
// when ffmpeg would reckon it from the codec's frame rate.
int64_t guessDts(const AVPacket *packet, CopiedStream *stream)
{
    const AVStream *in = stream->in;
    const AVCodecParameters *par = in->codecpar;
    if (!stream->sawPacket) {
        stream->sawPacket = true;
        int64_t first = 0;
        if (in->avg_frame_rate.num)
            first = int64_t(-par->video_delay * AV_TIME_BASE / av_q2d(in->avg_frame_rate));
        if (packet->pts != AV_NOPTS_VALUE)
            first += av_rescale_q(packet->pts, in->time_base, AV_TIME_BASE_Q);
        stream->nextDts = first;
    }
    if (packet->dts != AV_NOPTS_VALUE)
        stream->nextDts = av_rescale_q(packet->dts, in->time_base, AV_TIME_BASE_Q);
    const int64_t dts = stream->nextDts;
    if (dts == AV_NOPTS_VALUE)
        return dts;
    if (par->codec_type == AVMEDIA_TYPE_AUDIO && par->sample_rate)
        stream->nextDts += int64_t(AV_TIME_BASE) * par->frame_size / par->sample_rate;
    else if (packet->duration)
        stream->nextDts += av_rescale_q(packet->duration, in->time_base, AV_TIME_BASE_Q);
    else
        stream->nextDts = AV_NOPTS_VALUE;
    return dts;
}

// Gives the packet the output's timestamps as ffmpeg's copy does; false when
// ffmpeg would have to reckon them from more than the packets tell.
bool restamp(AVPacket *packet, CopiedStream *stream, int64_t tsOffset, int timestampFlags)
{
    const AVStream *in = stream->in;
    const int64_t offset = av_rescale_q(tsOffset, AV_TIME_BASE_Q, in->time_base);
    if (packet->dts != AV_NOPTS_VALUE)
        packet->dts += offset;
    if (packet->pts != AV_NOPTS_VALUE)
        packet->pts += offset;
    const int64_t guessed = guessDts(packet, stream);
    const AVRational from = in->time_base, to = stream->out->time_base;
    const AVCodecParameters *par = in->codecpar;
    if (packet->pts != AV_NOPTS_VALUE)
        packet->pts = av_rescale_q(packet->pts, from, to);
    if (packet->dts == AV_NOPTS_VALUE) {
        if (guessed == AV_NOPTS_VALUE)
            return false;
        packet->dts = av_rescale_q(guessed, AV_TIME_BASE_Q, to);
    } else if (par->codec_type == AVMEDIA_TYPE_AUDIO && par->sample_rate > 0) {
        // Sound keeps the even steps of its frames, not the input's rounding.
        int frame = av_get_audio_frame_duration2(in->codecpar, packet->size);
        if (!frame)
            frame = par->frame_size;
        packet->dts = av_rescale_delta(from, packet->dts, AVRational{1, par->sample_rate}, frame,
                                       &stream->soundRescaleRemainder, to);
        packet->pts = packet->dts;
    } else {
        packet->dts = av_rescale_q(packet->dts, from, to);
    }
    packet->duration = av_rescale_q(packet->duration, from, to);
    if (timestampFlags & AVFMT_NOTIMESTAMPS)
        return true;
    const int64_t last = stream->lastMuxedDts;
    if (packet->pts != AV_NOPTS_VALUE && packet->dts > packet->pts) {
        // ffmpeg's guess: the middle one of the two and the one after the last.
        const int64_t next = last == AV_NOPTS_VALUE ? INT64_MIN : last + 1;
        packet->pts = packet->dts = FFMAX(packet->pts, FFMIN(packet->dts, next));
    }
    if (last != AV_NOPTS_VALUE) {
        const int64_t least = last + !(timestampFlags & AVFMT_TS_NONSTRICT);
        if (packet->dts < least) {
            if (packet->pts >= packet->dts)
                packet->pts = FFMAX(packet->pts, least);
            packet->dts = least;
        }
    }
    stream->lastMuxedDts = packet->dts;
    return true;
}

} // namespace

extern "C" __attribute__((visibility("default"))) int
quillmora_remux(const char *input, const char *output, const char *muxer, int copyVideo, int copyAudio,
                void (*progress)(void *, double), int (*interrupted)(void *), void *context)
{
    if (!takesInputTimeBase(muxer))
        return leftToFfmpeg;
    av_log_set_level(AV_LOG_QUIET); // ffmpeg, which takes over, says what went wrong
    Contexts made;
    made.in = avformat_alloc_context();
    if (!made.in)
        return leftToFfmpeg;
    made.in->interrupt_callback = AVIOInterruptCB{interrupted, context};
    if (avformat_open_input(&made.in, input, nullptr, nullptr) < 0)
        return leftToFfmpeg;
    // Formats whose timestamps jump (MPEG-TS, ...) need ffmpeg's mending.
    if ((made.in->iformat->flags & AVFMT_TS_DISCONT) || avformat_find_stream_info(made.in, nullptr) < 0)
        return leftToFfmpeg;
    std::vector<CopiedStream> streams;
    if (!chooseStreams(made.in, copyVideo, copyAudio, &streams))
        return leftToFfmpeg;

    if (avformat_alloc_output_context2(&made.out, nullptr, muxer, output) < 0)
        return leftToFfmpeg;
    made.out->interrupt_callback = made.in->interrupt_callback;
    made.out->max_delay = int(0.7 * AV_TIME_BASE); // ffmpeg's -muxdelay
    for (CopiedStream &stream : streams) {
        if (!addOutputStream(made.out, &stream))
            return leftToFfmpeg;
    }
    const int64_t tsOffset = made.in->start_time == AV_NOPTS_VALUE ? 0 : -made.in->start_time;
    if (av_dict_copy(&made.out->metadata, made.in->metadata, AV_DICT_DONT_OVERWRITE) < 0
        || !copyChapters(made.in, made.out, tsOffset)
        || avio_open2(&made.out->pb, output, AVIO_FLAG_WRITE, &made.out->interrupt_callback, nullptr) < 0
        || avformat_write_header(made.out, nullptr) < 0)
        return leftToFfmpeg;

    std::vector<CopiedStream *> byIndex(made.in->nb_streams, nullptr);
    for (CopiedStream &stream : streams)
        byIndex[stream.in->index] = &stream;
    made.packet = av_packet_alloc();
    if (!made.packet)
        return leftToFfmpeg;
    bool wrote = false;
    for (int read; (read = av_read_frame(made.in, made.packet)) != AVERROR_EOF;) {
        if (interrupted(context))
            return stoppedCopy;
        if (read < 0)
            return leftToFfmpeg;
        CopiedStream *stream = byIndex[made.packet->stream_index];
        // ffmpeg starts each stream at a keyframe.
        if (stream && !stream->started && !(made.packet->flags & AV_PKT_FLAG_KEY))
            stream = nullptr;
        if (!stream) {
            av_packet_unref(made.packet);
            continue;
        }
        stream->started = true;
        if (!restamp(made.packet, stream, tsOffset, made.out->oformat->flags))
            return leftToFfmpeg;
        const double seconds = made.packet->dts * av_q2d(stream->out->time_base);
        made.packet->stream_index = stream->out->index;
        if (av_interleaved_write_frame(made.out, made.packet) < 0)
            return leftToFfmpeg;
        wrote = true;
        progress(context, seconds);
    }
    if (!wrote || av_write_trailer(made.out) < 0)
        return leftToFfmpeg;
    return copied;
}
