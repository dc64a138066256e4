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
    bool hasAudio = false;
    int sampleRate = 0;
    int channels = 0;
};
