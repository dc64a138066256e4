#pragma once

#include <QString>
#include <QStringList>

#include <optional>

// An ffmpeg command that only copies the input's picture and sound, or
// either, into another container with the input's tags and chapters: what
// the probe module can do in-process (quillmora_remux).
struct PlainStreamCopy {
    QString input;
    bool copyVideo = false; // else the picture is left out ("-vn")
    bool copyAudio = false; // else the sound is left out ("-an")
};

// The copy that ffmpeg's arguments (up to the output, which is not among
// them) ask for; none when they ask for anything more (an encoder, a filter,
// a cut, a mapping, a tag, an option of the input), or leave a kind of
// stream to ffmpeg's default encoder. Pure.
std::optional<PlainStreamCopy> plainStreamCopyOf(const QStringList &arguments);
