#pragma once

#include <QString>
#include <QStringList>

// Kind of an input file, as classifyFile tells it. The numbers are those of
// the matching FormatCategory; 7 stands for anything that is not convertible.
enum FileKind : int {
    VideoFile = 0,
    AudioFile = 1,
    ImageFile = 3,
    UnknownFile = 7,
};

// Untranslated per-format facts, indexed by format id.
struct FormatInfo {
    const char *buttonText;  // text of the format button ("MP4", "ICON", ...)
    const char *extension;   // suffix of an output file, with its dot
    const char *profileText; // source text of the "Profile" column (context "CQuillmora")
};

// nullptr for an id without a format.
const FormatInfo *formatInfo(int formatId);

// Suffix of an output file of the format (".mp4"); empty for an unknown id.
QString formatExtension(int formatId);

// Translated "Profile" column text; "Unsupported file format!" for an unknown id.
QString profileText(int formatId);

// Translated text of a job state; states 1 and 2 read "Stopped" once the run is over.
QString stateText(int state, bool running);

// Text of the "Profile" column: the profile text while Ready, else the state text.
QString profileColumnText(int formatId, int state, bool running);

// Suffix tables of the file dialog's filters and of drops, lower case, in order.
const QStringList &videoSuffixes();
const QStringList &audioSuffixes();
const QStringList &imageSuffixes();

// Suffixes of the inputs a category takes (the file dialog's filter): video
// for video and the video joiner, video and audio for audio, audio for the
// audio joiner, pictures for pictures; empty for the GIF maker.
QStringList inputSuffixes(int category);

// Kind of a file by its suffix alone, without its dot (case ignored; video wins over image).
int fileKindOfSuffix(const QString &suffix);

// Kind of an existing regular file by its suffix (case ignored; video wins over image).
int classifyFile(const QString &path);
