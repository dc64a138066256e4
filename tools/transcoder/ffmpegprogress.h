#pragma once

#include <QByteArray>

// Follows the key=value lines of ffmpeg's "-progress" output and turns the
// media time written so far into a percentage of the expected length.
class FfmpegProgress
{
public:
    explicit FfmpegProgress(double expectedSeconds);

    // Takes one line; true when the percentage changed.
    bool takeLine(const QByteArray &line);

    // 0 to 99 while ffmpeg works: 100 is for the caller to write once the
    // output is known to be good. 0 throughout when the length is unknown.
    int percent() const { return currentPercent; }

    // Whether the last report counted any frame or any media time: ffmpeg
    // exits 0 with a header-only file when a cut lies outside the input.
    bool wroteSomething() const { return frames > 0 || writtenMicroseconds > 0; }

private:
    double expectedMicroseconds;
    qint64 writtenMicroseconds = 0;
    qint64 frames = 0;
    int currentPercent = 0;
};
