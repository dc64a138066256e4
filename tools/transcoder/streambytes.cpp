#include "tools/transcoder/streambytes.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
}

#include <QFile>

#include <memory>

qint64 videoStreamBytes(const QString &path)
{
    AVFormatContext *opened = nullptr;
    if (avformat_open_input(&opened, QFile::encodeName(path).constData(), nullptr, nullptr) < 0)
        return -1;
    const std::unique_ptr<AVFormatContext, void (*)(AVFormatContext *)> context(
        opened, [](AVFormatContext *c) { avformat_close_input(&c); });
    const int video = av_find_best_stream(opened, AVMEDIA_TYPE_VIDEO, -1, -1, nullptr, 0);
    if (video < 0)
        return -1;
    const std::unique_ptr<AVPacket, void (*)(AVPacket *)> packet(av_packet_alloc(),
                                                                 [](AVPacket *p) {
                                                                     av_packet_free(&p);
                                                                 });
    qint64 bytes = 0;
    while (av_read_frame(opened, packet.get()) >= 0) {
        if (packet->stream_index == video)
            bytes += packet->size;
        av_packet_unref(packet.get());
    }
    return bytes;
}
