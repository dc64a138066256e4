#pragma once

#include "app/outputprofile.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// Every way the window chooses an output format: one per selection slot.
enum class FormatChoice : int {
    MP4, FLV, AVI, ASF, DV, MKV, MOV, MPG, VOB, WMV, RM,
    MP3, AAC, AC3, MP2, WMA, AIFF, AU, M4A, OGG, FLAC,
    JPEG, PNG, BMP, GIF, PCX, TGA, ICO, TIFF,
    VideoMerge, AudioMerge, GifMerge,
    Apple, Android,
    WebM, HEVC, AV1, Opus,
    WebP, AVIF,
};

constexpr int FormatChoiceCount = 40;

struct FormatChoiceInfo {
    int category;                       // FormatCategory
    int formatId;
    std::optional<DevicePreset> preset; // laid over the format's profile row
    const char *slot;                   // signature of the selecting slot
    const char *translatableText;       // button text that follows the language; nullptr: the format's name
};

const FormatChoiceInfo &formatChoiceInfo(FormatChoice choice);

// Text of the choice's button as built, before any translation.
QString formatButtonText(FormatChoice choice);

// "btn" plus the button text without blanks: "btnMP4", "btnVideoMerge".
QString formatButtonObjectName(FormatChoice choice);

enum class FormatTab : int { Video, Audio, Image, Advanced };

constexpr int FormatTabCount = 4;

// Source text of a tab title (context "CQuillmora").
const char *formatTabTitle(FormatTab tab);

struct FormatButtonSpec {
    FormatTab tab;
    FormatChoice choice;
    const char *icon;
};

constexpr int FormatButtonCount = 39;

// The format buttons, tab by tab, each tab from top to bottom.
const std::array<FormatButtonSpec, FormatButtonCount> &formatButtonSpecs();

// The names of the formats that a tab's buttons write ("MP4", "WebM"), in
// button order; device presets and the tools of the Advanced tab are left out.
QStringList formatNamesOn(FormatTab tab);
