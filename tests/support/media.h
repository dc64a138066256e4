#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// Small media made by Debian's ffmpeg for the tests, what ffprobe says of a
// file and which font file fontconfig picks. Everything here runs real
// programs; nothing is faked.
namespace testmedia {

struct ClipSpec {
    double seconds = 1.0;
    int width = 160;           // 0: no video stream
    int height = 120;
    int frameRate = 10;
    int sampleRate = 44100;    // 0: no audio stream
    int channels = 2;
    QString videoSource = QStringLiteral("testsrc"); // any lavfi video source
};

// Writes a clip to path (the container follows the suffix): a test picture
// and a 440 Hz tone. True when ffmpeg succeeded.
bool makeClip(const QString &path, const ClipSpec &spec = {});

// Makes the named files of the preview tests' set in the folder: "bars.mp4"
// (colour bars) and "black.mp4", 320x240 at 25 fps; "phone.mp4", stored
// 320x180 with a rotation tag of 90 (upright 180x320 with a 60x60 white square
// in its top left corner); the clips `seconds` long with a tone; "logo.png", a
// magenta 32x32 square; "lines.srt", one line shown for ten minutes. True when
// every named file was made.
bool makeMediaSet(const QString &folder, const QStringList &names, double seconds = 8);

// Runs ffmpeg with the arguments (after "-y -v error"); true on exit code 0.
bool runFfmpeg(const QStringList &arguments, QString *errors = nullptr);

struct Stream {
    QString type;   // "video", "audio", "subtitle", ...
    QString codec;
    int width = 0;
    int height = 0;
    int sampleRate = 0;
    int channels = 0;
    double frameRate = 0;
};

struct Probe {
    bool ok = false;       // ffprobe read the file
    QString formatName;    // as ffprobe names the container ("mov,mp4,m4a,3gp,3g2,mj2", ...)
    double duration = 0;
    QList<Stream> streams;

    const Stream *first(const QString &type) const;
};

Probe probe(const QString &path);

// The font file fontconfig picks for a pattern ("DejaVu Sans",
// "Times New Roman:charset=4e2d"), as fc-match names it.
QString fontFile(const QString &pattern);

// Mean luma (0..255) of the frame at the given time, read through ffmpeg.
double meanLuma(const QString &path, double atSeconds = 0);

// What ffmpeg's ebur128 measures of the sound, from start for length
// seconds (0: to the end); NaN where it gave no figure.
struct Loudness {
    double integrated; // LUFS
    double truePeak;   // dBTP
};
Loudness loudness(const QString &path, double start = 0, double length = 0);

} // namespace testmedia
