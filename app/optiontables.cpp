#include "app/optiontables.h"

#include <QtGlobal>

namespace {

const char *const videoCodecLabels[] = {
    QT_TRANSLATE_NOOP("OutputSettings", "AVC(H.264)"), QT_TRANSLATE_NOOP("OutputSettings", "FLV1"),
    QT_TRANSLATE_NOOP("OutputSettings", "MPEG4"), QT_TRANSLATE_NOOP("OutputSettings", "MSMPEG4V2"),
    QT_TRANSLATE_NOOP("OutputSettings", "WMV1"), QT_TRANSLATE_NOOP("OutputSettings", "WMV2"),
    QT_TRANSLATE_NOOP("OutputSettings", "MPEG1"), QT_TRANSLATE_NOOP("OutputSettings", "MPEG2"),
    QT_TRANSLATE_NOOP("OutputSettings", "MJPEG"), QT_TRANSLATE_NOOP("OutputSettings", "DV"),
    QT_TRANSLATE_NOOP("OutputSettings", "RV1"), QT_TRANSLATE_NOOP("OutputSettings", "RV2"),
};
const char *const videoSizeLabels[] = {
    QT_TRANSLATE_NOOP("OutputSettings", "Original"), nullptr, nullptr,
    QT_TRANSLATE_NOOP("OutputSettings", "320x240 (QVGA)"),
    QT_TRANSLATE_NOOP("OutputSettings", "352x288 (CIF)"),
    QT_TRANSLATE_NOOP("OutputSettings", "480x360 (360p)"),
    QT_TRANSLATE_NOOP("OutputSettings", "720x480 (HD)"),
    QT_TRANSLATE_NOOP("OutputSettings", "640x480 (VGA)"),
    QT_TRANSLATE_NOOP("OutputSettings", "720x576 (DVDPAL)"),
    QT_TRANSLATE_NOOP("OutputSettings", "1024x768"), QT_TRANSLATE_NOOP("OutputSettings", "1280x1024"),
    QT_TRANSLATE_NOOP("OutputSettings", "1440x1080"), QT_TRANSLATE_NOOP("OutputSettings", "1920x1080"),
};
const char *const videoFpsLabels[] = {
    QT_TRANSLATE_NOOP("OutputSettings", "Original"), "15", "20", "23.976", "24", "25", "29.97", "30",
};
const char *const videoBitrateLabels[] = {
    QT_TRANSLATE_NOOP("OutputSettings", "Original"), "384", "512", "1024", "2400", "3600", "4800",
    "6000", "7000", "8000",
};
const char *const aspectRatioLabels[] = {
    QT_TRANSLATE_NOOP("OutputSettings", "Original"), "1:1", "3:2", "4:3", "5:4", "16:9", "16:10",
    "221:100",
};
const char *const audioCodecLabels[] = {
    QT_TRANSLATE_NOOP("OutputSettings", "AAC"), QT_TRANSLATE_NOOP("OutputSettings", "MP3"),
    QT_TRANSLATE_NOOP("OutputSettings", "MP2"), QT_TRANSLATE_NOOP("OutputSettings", "AC3"),
    QT_TRANSLATE_NOOP("OutputSettings", "WMAV1"), QT_TRANSLATE_NOOP("OutputSettings", "WMAV2"),
    QT_TRANSLATE_NOOP("OutputSettings", "PCM"), QT_TRANSLATE_NOOP("OutputSettings", "PCMS16"),
    QT_TRANSLATE_NOOP("OutputSettings", "PCMS16BE"), QT_TRANSLATE_NOOP("OutputSettings", "FLAC"),
};
const char *const audioChannelLabels[] = {
    QT_TRANSLATE_NOOP("OutputSettings", "Original"), QT_TRANSLATE_NOOP("OutputSettings", "2 Stereo"),
    QT_TRANSLATE_NOOP("OutputSettings", "1 Mono"),
};
const char *const audioSampleLabels[] = {
    QT_TRANSLATE_NOOP("OutputSettings", "Original"), "44100", "22050", "24000", "8000", "48000",
};
const char *const audioBitrateLabels[] = {
    QT_TRANSLATE_NOOP("OutputSettings", "Original"), "64", "128", "196", "224", "256", "320",
};

const char *const *const labelTables[OptionFieldCount] = {
    videoCodecLabels, videoSizeLabels,   videoFpsLabels,     videoBitrateLabels, aspectRatioLabels,
    audioCodecLabels, audioChannelLabels, audioSampleLabels, audioBitrateLabels,
};

struct FormatCodecs {
    QVector<int> video;
    QVector<int> audio;
};

// Ids 0..21, in id order.
const FormatCodecs codecsByFormat[] = {
    {{0, 2}, {0, 1}},                      // MP4
    {{1}, {0, 9}},                         // FLV
    {{0, 2, 3, 5, 1, 7, 8}, {1, 0, 2, 3, 5, 6}}, // AVI
    {{4, 5, 2}, {4, 5, 1}},                // ASF
    {{9}, {7}},                            // DV
    {{2, 8, 0}, {2, 1, 7}},                // MKV
    {{0, 2}, {0}},                         // MOV
    {{7, 6}, {1, 2}},                      // MPG
    {{7, 6}, {1, 2}},                      // VOB
    {{5, 4}, {5, 4}},                      // WMV
    {{10, 11}, {3}},                       // RM
    {{}, {1}},                             // MP3
    {{}, {0}},                             // AAC
    {{}, {3}},                             // AC3
    {{}, {2}},                             // MP2
    {{}, {4, 5}},                          // WMA
    {{}, {7}},                             // AIFF
    {{}, {8}},                             // AU
    {{}, {0}},                             // M4A
    {{}, {9}},                             // OGG
    {{}, {3}},                             // RA
    {{}, {9}},                             // FLAC
};
constexpr int formatsWithCodecs = int(sizeof(codecsByFormat) / sizeof(codecsByFormat[0]));

QVector<int> indexOrder(int count)
{
    QVector<int> order;
    for (int i = 0; i < count; ++i)
        order.append(i);
    return order;
}

} // namespace

const char *optionLabel(OptionField field, int index)
{
    if (index < 0 || index >= optionCount(field))
        return nullptr;
    return labelTables[static_cast<int>(field)][index];
}

QVector<int> optionListOrder(OptionField field)
{
    switch (field) {
    case OptionField::VideoSize:
        return {0, 3, 4, 5, 7, 6, 8, 9, 10, 11, 12};
    case OptionField::AudioChannels:
        return {0, 2, 1};
    case OptionField::AudioSamples:
        return {0, 4, 2, 3, 1, 5};
    default:
        return indexOrder(optionCount(field));
    }
}

QVector<int> videoCodecsOffered(int formatId)
{
    return formatId >= 0 && formatId < formatsWithCodecs ? codecsByFormat[formatId].video : QVector<int>();
}

QVector<int> audioCodecsOffered(int formatId)
{
    return formatId >= 0 && formatId < formatsWithCodecs ? codecsByFormat[formatId].audio : QVector<int>();
}
