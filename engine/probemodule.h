#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

// The transcoder's reading of media files through libavformat, built as a
// module of its own ("mediaprobe.so" beside the tools) and loaded only when a
// file must be read: libavformat brings libavcodec and every codec library
// with it, about 140 libraries and tens of milliseconds at each start. The
// run probes each input once in the long-lived application and hands the
// facts to the transcoder (--facts=), which then starts with Qt Core alone;
// the transcoder loads the module itself only for what it was not told (a
// join's parts, a sound bitrate, a lone job, a run by hand), and to copy
// streams into another container without an ffmpeg (quillmora_remux).

inline constexpr const char *probeModuleFileName = "mediaprobe.so";

enum class ProbeDetail {
    Facts,       // from the header alone when it tells the facts the plan needs
    PixelFormat, // and the picture's pixel format, read by the codec's parser
                 // from the first packets where it can (a few milliseconds)
    Formats,     // every fact, the pixel format, the channel layout and the
                 // bitrate included (decodes a frame when needed: dozens of ms)
};

// What the module exports, with C linkage so that it is found by name.
// Texts are UTF-8 (paths in the file system's encoding), allocated with
// malloc and given back to quillmora_probe_free.
extern "C" {
// The facts of the file as the transcoder's --facts option takes them, with
// the muxer of an output of outputPath when it is not empty; null when the
// file cannot be read, and *error says why. interrupted (which may be null)
// is asked now and then whether to give up.
char *quillmora_probe(const char *path, const char *outputPath, int detail,
                      int (*interrupted)(void *), void *context, char **error);
// The muxer ffmpeg chooses for an output of that name ("mp4"); empty for none.
char *quillmora_muxer_for(const char *path);
// An encoder of the codec ("aac" for "aac"); empty for none.
char *quillmora_encoder_for(const char *codecName);
// The bytes of the first video stream's packets in the file, read without
// decoding; -1 when the file cannot be read or has no picture.
long long quillmora_video_stream_bytes(const char *path);
// Copies the input's picture (copyVideo) and sound (copyAudio), leaving out
// the other, into output with the muxer, as ffmpeg's stream copy with the
// input's tags and chapters would. 0 when written; 1 when the copy is left to
// ffmpeg (the file holds other streams, or anything failed: output then holds
// nothing of use); 2 when interrupted. progress gets the seconds written.
int quillmora_remux(const char *input, const char *output, const char *muxer, int copyVideo, int copyAudio,
                    void (*progress)(void *, double), int (*interrupted)(void *), void *context);
void quillmora_probe_free(char *text);
}

class ProbeModule
{
public:
    // The module of that folder, loaded at the first call (once for the
    // process, from any thread); nullptr when it is not there or does not
    // load, with the loader's reason in *error when given.
    static const ProbeModule *in(const QString &folder, QString *error = nullptr);

    // The facts text (see quillmora_probe); empty when the file cannot be
    // read, and *error says why.
    QByteArray probe(const QString &path, const QString &outputPath, ProbeDetail detail,
                     const std::function<bool()> &interrupted, QString *error) const;
    QString muxerFor(const QString &path) const;
    QString encoderFor(const QString &codecName) const;
    qint64 videoStreamBytes(const QString &path) const;
    enum class Remuxed { Written, LeftToFfmpeg, Interrupted };
    Remuxed remux(const QString &input, const QString &output, const QString &muxer, bool copyVideo,
                  bool copyAudio, const std::function<void(double)> &progress,
                  const std::function<bool()> &interrupted) const;

    // Whether the module of that folder is loaded in this process already.
    static bool isLoaded(const QString &folder);

private:
    decltype(&quillmora_probe) probeFunction = nullptr;
    decltype(&quillmora_muxer_for) muxerFunction = nullptr;
    decltype(&quillmora_encoder_for) encoderFunction = nullptr;
    decltype(&quillmora_video_stream_bytes) streamBytesFunction = nullptr;
    decltype(&quillmora_remux) remuxFunction = nullptr;
    decltype(&quillmora_probe_free) freeFunction = nullptr;
};

// The transcoder's arguments with the facts of their input in front
// (--facts=), read by the module of toolsFolder; unchanged when there is no
// module there or the input cannot be read (the transcoder then says why).
QStringList withProbedFacts(const QStringList &transcoderArguments, const QString &toolsFolder,
                            const std::function<bool()> &interrupted);
