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

// The value that marks a space as not applicable to a format: one past its
// first entries. Stored job lists hold these values, so they never change;
// codecs added later take the indices after them.
constexpr int notApplicable(OptionField field)
{
    constexpr int values[OptionFieldCount] = {12, 13, 8, 10, 8, 10, 3, 6, 7};
    return values[static_cast<int>(field)];
}

// One past the last index of a space, the not-applicable value among them:
// H.265, VP9 and AV1 follow it in the video codecs, Opus in the audio codecs.
constexpr int optionCount(OptionField field)
{
    constexpr int counts[OptionFieldCount] = {16, 13, 8, 10, 8, 12, 3, 6, 7};
    return counts[static_cast<int>(field)];
}

// Codec indices that other code names directly.
enum CodecIndex : int {
    VideoCodecH264 = 0,
    VideoCodecH265 = 13,
    VideoCodecVP9 = 14,
    VideoCodecAV1 = 15,
    AudioCodecAAC = 0,
    AudioCodecMP3 = 1,
    AudioCodecOpus = 11,
};

// Source text of an entry's label (translation context "OutputSettings"),
// or nullptr for an index without a label (video sizes 1 and 2, the
// not-applicable values, out of range).
const char *optionLabel(OptionField field, int index);

// The order in which the settings dialog lists a space's entries, as indices.
// For the two codec spaces this is every codec in index order; use the
// per-format lists below for what a format offers.
QVector<int> optionListOrder(OptionField field);

// Codecs a format offers in the settings dialog, in list order; empty for
// formats without a codec list (pictures, joiners, the GIF maker, and video
// codecs of audio formats).
QVector<int> videoCodecsOffered(int formatId);
QVector<int> audioCodecsOffered(int formatId);
