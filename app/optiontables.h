#pragma once

#include <QVector>

// The nine option spaces of an OutputProfile, in profile field order.
enum class OptionField : int {
    VideoCodec,
    VideoSize,
    VideoFps,
    VideoBitrate,
    AspectRatio,
    AudioCodec,
    AudioChannels,
    AudioSamples,
    AudioBitrate,
};

constexpr int OptionFieldCount = 9;

// Position of the field inside OutputProfile (after formatId and category).
constexpr int profilePosition(OptionField field)
{
    return 2 + static_cast<int>(field);
}

// Entries in each space; an index equal to the count means "not applicable".
constexpr int optionCount(OptionField field)
{
    constexpr int counts[OptionFieldCount] = {12, 13, 8, 10, 8, 10, 3, 6, 7};
    return counts[static_cast<int>(field)];
}

constexpr int notApplicable(OptionField field)
{
    return optionCount(field);
}

// Source text of an entry's label (translation context "OutputSettings"),
// or nullptr for an index without a label (video sizes 1 and 2, out of range).
const char *optionLabel(OptionField field, int index);

// The order in which the settings dialog lists a space's entries, as indices.
// For the two codec spaces this is every codec in index order; use the
// per-format lists below for what a format offers.
QVector<int> optionListOrder(OptionField field);

// Codecs a format offers in the settings dialog, in list order; empty for
// formats without a codec list (ids outside 0..21 and video codecs of audio formats).
QVector<int> videoCodecsOffered(int formatId);
QVector<int> audioCodecsOffered(int formatId);
