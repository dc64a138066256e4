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
    nullptr, // not applicable
    QT_TRANSLATE_NOOP("OutputSettings", "HEVC(H.265)"), QT_TRANSLATE_NOOP("OutputSettings", "VP9"),
    QT_TRANSLATE_NOOP("OutputSettings", "AV1"),
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
    nullptr, // not applicable
    QT_TRANSLATE_NOOP("OutputSettings", "Opus"),
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
    int formatId;
    QVector<int> video;
    QVector<int> audio;
};

// The formats with codec lists. H.265, VP9, AV1 and Opus are offered where
// the container holds them and Debian's ffmpeg writes them.
const FormatCodecs codecsByFormat[] = {
    {0, {0, 2, 13, 15}, {0, 1, 11}},                // MP4
    {1, {1}, {0, 9}},                               // FLV
    {2, {0, 2, 3, 5, 1, 7, 8}, {1, 0, 2, 3, 5, 6}}, // AVI
    {3, {4, 5, 2}, {4, 5, 1}},                      // ASF
    {4, {9}, {7}},                                  // DV
    {5, {2, 8, 0, 13, 14, 15}, {2, 1, 7, 11}},      // MKV
    {6, {0, 2, 13}, {0}},                           // MOV
    {7, {7, 6}, {1, 2}},                            // MPG
    {8, {7, 6}, {1, 2}},                            // VOB
    {9, {5, 4}, {5, 4}},                            // WMV
    {10, {10, 11}, {3}},                            // RM
    {11, {}, {1}},                                  // MP3
    {12, {}, {0}},                                  // AAC
    {13, {}, {3}},                                  // AC3
    {14, {}, {2}},                                  // MP2
    {15, {}, {4, 5}},                               // WMA
    {16, {}, {7}},                                  // AIFF
    {17, {}, {8}},                                  // AU
    {18, {}, {0}},                                  // M4A
    {19, {}, {9, 11}},                              // OGG
    {20, {}, {3}},                                  // RA
    {21, {}, {9}},                                  // FLAC
    {33, {14, 15}, {11}},                           // WebM
    {34, {13}, {0, 1, 11}},                         // HEVC
    {35, {15}, {0, 1, 11}},                         // AV1
    {36, {}, {11}},                                 // Opus
};

const FormatCodecs *codecsOf(int formatId)
{
    for (const FormatCodecs &entry : codecsByFormat) {
        if (entry.formatId == formatId)
            return &entry;
    }
    return nullptr;
}

// Every index of the space that has a label, in index order.
QVector<int> labelledIndices(OptionField field)
{
    QVector<int> order;
    for (int i = 0; i < optionCount(field); ++i) {
        if (optionLabel(field, i))
            order.append(i);
    }
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
        return labelledIndices(field);
    }
}

QVector<int> videoCodecsOffered(int formatId)
{
    const FormatCodecs *codecs = codecsOf(formatId);
    return codecs ? codecs->video : QVector<int>();
}

QVector<int> audioCodecsOffered(int formatId)
{
    const FormatCodecs *codecs = codecsOf(formatId);
    return codecs ? codecs->audio : QVector<int>();
}
