#pragma once

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
}

#include <QString>

// The libav functions the probe calls, loaded from Debian's shared libraries
// on first use. Linking them would make every run of the transcoder load
// libavformat and its hundred-odd dependencies (some 45 ms before main),
// while a single conversion mostly reads its facts from the file itself.
struct Libav {
    decltype(&av_strerror) strerror;
    decltype(&avformat_alloc_context) allocContext;
    decltype(&avformat_open_input) openInput;
    decltype(&avformat_find_stream_info) findStreamInfo;
    decltype(&avformat_close_input) closeInput;
    decltype(&av_channel_layout_default) defaultLayout;
    decltype(&av_channel_layout_copy) copyLayout;
    decltype(&av_channel_layout_describe) describeLayout;
    decltype(&av_channel_layout_uninit) uninitLayout;
    decltype(&avcodec_find_encoder) findEncoder;
};

// The functions, or nullptr with the reason in *error when the libraries
// (of the major versions the headers describe) cannot be loaded.
const Libav *libav(QString *error);
