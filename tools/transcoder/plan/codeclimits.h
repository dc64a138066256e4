#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// What the encoders and muxers of Debian's ffmpeg 5.1 accept, as measured.
// Only limits that make ffmpeg refuse a choice (or write a broken file) are
// listed; where an encoder picks a valid value by itself it is left to it.

struct AudioEncoderLimits {
    QString encoder;
    QVector<int> sampleRates;        // the only rates it takes; empty: any up to maxSampleRate
    int maxSampleRate = 0;           // 0: no limit
    int maxChannels = 0;             // 0: no limit
    QVector<int> bitratesFrom32kHz;  // kbit/s it takes at 32 kHz and above; empty: any
    QVector<int> bitratesBelow32kHz; // kbit/s it takes below 32 kHz
    int maxKilobitsPerChannel = 0;   // 0: no limit
    // The layouts it takes above two channels, for 3, 4, ... channels; empty:
    // any. A layout it refuses (5.1 with side speakers for Opus) is remixed.
    QStringList layoutsAboveStereo;
};

struct VideoEncoderLimits {
    QString encoder;
    int sizeMultiple = 1;              // width and height must be multiples of it
    int maxMacroblocks = 0;            // 16x16 blocks per picture; 0: no limit
    int maxDimension = 0;              // largest width or height; 0: no limit
    int minDimension = 0;              // smallest width or height; 0: no limit
    QVector<double> frameRates;        // ffmpeg moves any rate to the nearest of these
    QVector<double> unofficialFrameRates; // those of frameRates that need "-strict -1"
    // The picture format every player of the codec takes. The encoder would
    // keep a rarer one of the input (4:4:4 or 4:2:2 from an MJPEG camera file,
    // 10 bits), which phones and browsers do not play and a join cannot mix.
    QString pixelFormat;
};

// What a container (by the output's suffix) holds of an audio encoder's stream.
struct ContainerAudioRule {
    QString suffix;
    QString encoder;
    QString replacement;          // not empty: the container cannot hold it; the nearest it can
    QVector<int> sampleRates;     // empty: those of the encoder
    int maxChannels = 0;          // 0: those of the encoder
    int strictBelowSampleRate = 0; // lower rates are written only with "-strict -1"
};

struct ContainerLimits {
    QString suffix;
    bool needsVideo = false;       // cannot be written without a picture
    int maxVideoPacketBytes = 0;   // 0: no limit
    bool wholeFrameRates = false;  // stores whole frames a second only
    bool needsSteadyAudio = false; // pairs every frame with a fixed count of samples,
                                   // and fails on any gap in the sound's timestamps
    bool holdsRotation = false;    // keeps a picture's rotation tag
    bool asksForId3 = false;       // holds an ID3v2 tag, which ffmpeg writes only when asked
    bool lacksTimestamps = false;  // stores no picture times: a copy of pictures stored out
                                   // of order (B-frames) would need filler frames
};

// nullptr when the encoder or container has no listed limits.
const AudioEncoderLimits *audioEncoderLimits(const QString &encoder);
const VideoEncoderLimits *videoEncoderLimits(const QString &encoder);
const ContainerAudioRule *containerAudioRule(const QString &suffix, const QString &encoder);
const ContainerLimits *containerLimits(const QString &suffix);

// The entry of values nearest to wanted; a tie goes to the larger one.
int nearestOf(const QVector<int> &values, int wanted);
double nearestOf(const QVector<double> &values, double wanted);

// The encoder names of Debian's ffmpeg for names that it no longer has.
QString availableEncoder(const QString &encoder);

// The bitstream filter that a copied video stream of the codec needs, or
// empty: MPEG-4 Part 2 from an old AVI may hold "packed" B-frames, which only
// AVI needs and other containers should not carry.
QString copyBitstreamFilter(const QString &codec);

// The codec an encoder writes, as ffmpeg names it ("libx264" writes "h264").
QString codecOfEncoder(const QString &encoder);
