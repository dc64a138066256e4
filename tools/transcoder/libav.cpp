#include "tools/transcoder/libav.h"

#include <dlfcn.h>

namespace {

struct Loaded {
    Libav functions{};
    QString error;
};

void *openLibrary(const char *name, int majorVersion)
{
    const QByteArray soname = QByteArray("lib") + name + ".so." + QByteArray::number(majorVersion);
    return dlopen(soname.constData(), RTLD_NOW | RTLD_LOCAL);
}

template <typename Function>
bool resolve(void *library, const char *name, Function *slot)
{
    *slot = reinterpret_cast<Function>(dlsym(library, name));
    return *slot != nullptr;
}

QString lastLoadError()
{
    const char *error = dlerror();
    return QString::fromLocal8Bit(error ? error : "unknown error");
}

Loaded load()
{
    Loaded loaded;
    void *util = openLibrary("avutil", LIBAVUTIL_VERSION_MAJOR);
    void *codec = util ? openLibrary("avcodec", LIBAVCODEC_VERSION_MAJOR) : nullptr;
    void *format = codec ? openLibrary("avformat", LIBAVFORMAT_VERSION_MAJOR) : nullptr;
    if (!format) {
        loaded.error = lastLoadError();
        return loaded;
    }
    Libav &f = loaded.functions;
    decltype(&av_log_set_level) setLogLevel = nullptr;
    const bool resolved = resolve(util, "av_log_set_level", &setLogLevel)
                          && resolve(util, "av_strerror", &f.strerror)
                          && resolve(util, "av_channel_layout_default", &f.defaultLayout)
                          && resolve(util, "av_channel_layout_copy", &f.copyLayout)
                          && resolve(util, "av_channel_layout_describe", &f.describeLayout)
                          && resolve(util, "av_channel_layout_uninit", &f.uninitLayout)
                          && resolve(codec, "avcodec_find_encoder", &f.findEncoder)
                          && resolve(format, "avformat_alloc_context", &f.allocContext)
                          && resolve(format, "avformat_open_input", &f.openInput)
                          && resolve(format, "avformat_find_stream_info", &f.findStreamInfo)
                          && resolve(format, "avformat_close_input", &f.closeInput);
    if (!resolved) {
        loaded.error = lastLoadError();
        return loaded;
    }
    setLogLevel(AV_LOG_QUIET); // the probe reports what went wrong itself
    return loaded;
}

} // namespace

const Libav *libav(QString *error)
{
    static const Loaded loaded = load(); // once; the libraries stay loaded
    if (!loaded.error.isEmpty()) {
        *error = QStringLiteral("cannot load libavformat: %1").arg(loaded.error);
        return nullptr;
    }
    return &loaded.functions;
}
