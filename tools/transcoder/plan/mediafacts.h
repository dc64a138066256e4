#pragma once

#include <QString>

// What the transcoder needs to know of an input before it starts ffmpeg.
struct MediaFacts {
    bool readable = false;        // false: the file could not be opened as media
    double durationSeconds = 0;   // 0 when unknown
    bool hasVideo = false;        // a real video stream (not an attached cover picture)
    int width = 0;                // as shown: a quarter-turn rotation tag swaps the stored ones
    int height = 0;
    double pixelAspect = 1;       // a pixel's width over its height, as shown
    double frameRate = 0;
    int rotation = 0;             // degrees clockwise of the rotation tag: 0, 90, 180 or 270
    QString videoCodec;           // ffmpeg's codec name ("h264"); empty when unknown
    QString pixelFormat;          // "yuv420p"; empty when the header does not tell it
    bool hasAudio = false;
    int sampleRate = 0;
    int channels = 0;
    QString audioCodec;           // "aac"
    qint64 audioBitRate = 0;      // bit/s; 0 when unknown
};
