#pragma once

#include <QByteArray>
#include <QString>

// What ffmpeg's error output says of the input itself: the first line in
// which its demuxer or a decoder finds the file damaged or cut short, without
// the "[demuxer @ 0x...]" it starts with; empty when no line says so. A
// damaged file fills ffmpeg's output with such lines before the one that
// ends the run ("Error marking filters as finished"), which tells the user
// nothing.
QString damageReported(const QByteArray &errorOutput);
