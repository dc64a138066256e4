#include "tools/transcoder/ffmpegprogress.h"

#include <QtGlobal>

FfmpegProgress::FfmpegProgress(double expectedSeconds)
    : expectedMicroseconds(expectedSeconds * 1e6)
{
}

bool FfmpegProgress::takeLine(const QByteArray &line)
{
    const int equals = line.indexOf('=');
    if (equals <= 0)
        return false;
    const QByteArray key = line.left(equals);
    const QByteArray value = line.mid(equals + 1).trimmed();
    bool isNumber = false;
    const qint64 number = value.toLongLong(&isNumber); // "N/A" is not a number

    if (key == "frame" && isNumber) {
        frames = number;
    } else if ((key == "out_time_us" || key == "out_time_ms") && isNumber) {
        // Both hold microseconds in ffmpeg 5; before the first packet they are negative.
        writtenMicroseconds = qMax<qint64>(0, number);
    }
    // Each report ends with a "progress" line: the figure moves once per report.
    if (key != "progress" || expectedMicroseconds <= 0)
        return false;

    const int next = qBound(0, int(writtenMicroseconds * 100.0 / expectedMicroseconds), 99);
    if (next == currentPercent)
        return false;
    currentPercent = next;
    return true;
}
