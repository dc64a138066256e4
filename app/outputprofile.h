#pragma once

#include <array>

// What kind of output a format produces. 2 is never used; the numbers are
// stored in profiles and must not change.
enum FormatCategory : int {
    Video = 0,
    Audio = 1,
    Image = 3,
    VideoMerge = 4,
    AudioMerge = 5,
    GifMerge = 6,
};

// Encoder choices of one format: two identifying fields, then nine indices
// into the option spaces of optiontables.h. Persistence and the settings
// dialog address the fields by position, so the order is fixed.
struct OutputProfile {
    int formatId = 0;
    int category = Video;
    int vCodec = 0;
    int vSize = 0;
    int vFps = 0;
    int vBitrate = 0;
    int vAspectRatio = 0;
    int aCodec = 0;
    int aChannels = 0;
    int aSamples = 0;
    int aBitrate = 0;

    static constexpr int FieldCount = 11;
    int field(int position) const;
    void setField(int position, int value);

    bool operator==(const OutputProfile &other) const;
};

// Ids 0..32 are the formats of the first version; later formats follow
// them, so that stored job lists and settings keep their meaning.
constexpr int FormatCount = 39;

// Format ids that other code names directly.
enum FormatId : int {
    FormatMP4 = 0,
    FormatDV = 4,
    FormatMOV = 6,
    FormatMP3 = 11,
    FormatRA = 20,
    FormatFLAC = 21,
    FormatPNG = 23,
    FormatVideoJoiner = 30,
    FormatAudioJoiner = 31,
    FormatGifMaker = 32,
    FormatWebM = 33,
    FormatHEVC = 34,
    FormatAV1 = 35,
    FormatOpus = 36,
    FormatWebP = 37,
    FormatAVIF = 38,
};

using ProfileTableRows = std::array<OutputProfile, FormatCount>;

// The default profiles, row i for format id i. Never written after start.
const ProfileTableRows &profileTable();

// Index of the first row whose formatId equals the id, scanning from row 0;
// -1 when no row has it.
int profileRowOf(int formatId);

// The default profile of a format; row 0 (MP4) for an id without a row.
OutputProfile defaultProfile(int formatId);

enum class DevicePreset { Apple, Android };

// The profile a device button selects: the MOV or MP4 row with the preset's
// nine option values on top.
OutputProfile devicePresetProfile(DevicePreset preset);
