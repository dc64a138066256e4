#pragma once

#include "tools/transcoder/plan/mediafacts.h"
#include "tools/transcoder/plan/textrecode.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// The file of a font of the given family that can draw every character of
// the text, or an empty string when there is none.
using FontLookup = std::function<QString(const QString &family, const QString &text)>;

// How one conversion (not a join) is run through Debian's ffmpeg.
struct TranscodePlan {
    QStringList ffmpegArguments; // complete list for ffmpeg; the output path is the last entry
    double expectedSeconds = 0;  // length of the output to be written, for the percentage
    QString error;               // not empty: the conversion cannot be run; exit with failure
    QList<TextRecode> recodes;   // UTF-8 copies to write (writeRecodedText) before ffmpeg
                                 // starts, and to remove after it ends
    QStringList copiedStreams;   // "video", "audio": copied, not encoded again
    // Plan again with the input's pixel format or sound bitrate known: a
    // stream may then be copied.
    bool needsPixelFormat = false;
    bool needsAudioBitRate = false;
};

enum class StreamCopyChoice { Allowed, Never };

// Rewrites the application's argument list (ffmpeg conventions as the
// application writes them) into arguments that Debian's ffmpeg accepts and
// that give a valid file for every choice the settings dialog offers; streams
// that need no change are copied (streamcopy.h), and the input's tags and
// chapters go to the output wherever its container holds them.
// input: facts of the file after "-i". Pure: runs nothing, reads no file.
TranscodePlan planTranscode(const QStringList &given, const MediaFacts &input, const FontLookup &fonts,
                            StreamCopyChoice streamCopy = StreamCopyChoice::Allowed);

// The default FontLookup, through fontconfig (which honours FONTCONFIG_FILE).
QString lookUpFont(const QString &family, const QString &text);
