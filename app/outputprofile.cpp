#include "app/outputprofile.h"

#include "app/optiontables.h"

namespace {

constexpr int NA_VC = notApplicable(OptionField::VideoCodec);
constexpr int NA_VS = notApplicable(OptionField::VideoSize);
constexpr int NA_VF = notApplicable(OptionField::VideoFps);
constexpr int NA_VB = notApplicable(OptionField::VideoBitrate);
constexpr int NA_VA = notApplicable(OptionField::AspectRatio);
constexpr int NA_AC = notApplicable(OptionField::AudioCodec);
constexpr int NA_CH = notApplicable(OptionField::AudioChannels);
constexpr int NA_SR = notApplicable(OptionField::AudioSamples);
constexpr int NA_AB = notApplicable(OptionField::AudioBitrate);

constexpr OutputProfile row(int id, int category, int vc, int vs, int vf, int vb, int va,
                            int ac, int ch, int sr, int ab)
{
    return OutputProfile{id, category, vc, vs, vf, vb, va, ac, ch, sr, ab};
}

constexpr OutputProfile videoRow(int id, int vCodec, int aCodec)
{
    return row(id, Video, vCodec, 0, 0, 0, 0, aCodec, 0, 0, 0);
}

constexpr OutputProfile audioRow(int id, int aCodec)
{
    return row(id, Audio, NA_VC, NA_VS, NA_VF, NA_VB, NA_VA, aCodec, 0, 0, 0);
}

constexpr OutputProfile noOptionsRow(int id, int category)
{
    return row(id, category, NA_VC, NA_VS, NA_VF, NA_VB, NA_VA, NA_AC, NA_CH, NA_SR, NA_AB);
}

const ProfileTableRows table = {{
    videoRow(0, 0, 0),   // MP4
    videoRow(1, 1, 1),   // FLV
    videoRow(2, 0, 1),   // AVI
    videoRow(3, 4, 4),   // ASF
    videoRow(4, 9, 7),   // DV
    videoRow(5, 2, 2),   // MKV
    videoRow(6, 0, 0),   // MOV
    videoRow(7, 6, 2),   // MPG
    videoRow(8, 7, 1),   // VOB
    videoRow(9, 5, 4),   // WMV
    videoRow(10, 10, 3), // RM
    audioRow(11, 1),     // MP3
    audioRow(12, 0),     // AAC
    audioRow(13, 3),     // AC3
    audioRow(14, 2),     // MP2
    audioRow(15, 4),     // WMA
    audioRow(16, 7),     // AIFF
    audioRow(17, 8),     // AU
    audioRow(18, 0),     // M4A
    audioRow(19, 9),     // OGG
    audioRow(20, 3),     // RA
    audioRow(21, 9),     // FLAC
    noOptionsRow(22, Image), noOptionsRow(23, Image), noOptionsRow(24, Image),
    noOptionsRow(25, Image), noOptionsRow(26, Image), noOptionsRow(27, Image),
    noOptionsRow(28, Image), noOptionsRow(29, Image),
    row(30, VideoMerge, 0, 6, 5, 8, 5, 1, 1, 1, 5),
    row(31, AudioMerge, NA_VC, NA_VS, NA_VF, NA_VB, NA_VA, 1, 1, 1, 5),
    noOptionsRow(32, GifMerge),
    videoRow(33, VideoCodecVP9, AudioCodecOpus),  // WebM
    videoRow(34, VideoCodecH265, AudioCodecAAC),  // HEVC in MP4
    videoRow(35, VideoCodecAV1, AudioCodecAAC),   // AV1 in MP4
    audioRow(36, AudioCodecOpus),                 // Opus in Ogg
    noOptionsRow(37, Image),                      // WebP
    noOptionsRow(38, Image),                      // AVIF
}};

} // namespace

int OutputProfile::field(int position) const
{
    const int values[FieldCount] = {formatId, category, vCodec, vSize, vFps, vBitrate,
                                    vAspectRatio, aCodec, aChannels, aSamples, aBitrate};
    return position >= 0 && position < FieldCount ? values[position] : 0;
}

void OutputProfile::setField(int position, int value)
{
    int *const fields[FieldCount] = {&formatId, &category, &vCodec, &vSize, &vFps, &vBitrate,
                                     &vAspectRatio, &aCodec, &aChannels, &aSamples, &aBitrate};
    if (position >= 0 && position < FieldCount)
        *fields[position] = value;
}

bool OutputProfile::operator==(const OutputProfile &other) const
{
    for (int i = 0; i < FieldCount; ++i) {
        if (field(i) != other.field(i))
            return false;
    }
    return true;
}

const ProfileTableRows &profileTable()
{
    return table;
}

int profileRowOf(int formatId)
{
    for (int i = 0; i < FormatCount; ++i) {
        if (table[i].formatId == formatId)
            return i;
    }
    return -1;
}

OutputProfile defaultProfile(int formatId)
{
    const int rowIndex = profileRowOf(formatId);
    return table[rowIndex < 0 ? 0 : rowIndex];
}

OutputProfile devicePresetProfile(DevicePreset preset)
{
    OutputProfile profile = defaultProfile(preset == DevicePreset::Apple ? FormatMOV : FormatMP4);
    profile.vCodec = 0;       // AVC(H.264)
    profile.vSize = 6;        // 720x480 (HD)
    profile.vFps = 7;         // 30
    profile.vBitrate = 6;     // 4800
    profile.vAspectRatio = 5; // 16:9
    profile.aCodec = 0;       // AAC
    profile.aChannels = 1;    // 2 Stereo
    profile.aSamples = 1;     // 44100
    profile.aBitrate = 5;     // 256
    return profile;
}
