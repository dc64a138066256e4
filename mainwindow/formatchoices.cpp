#include "mainwindow/formatchoices.h"

#include "app/formats.h"

#include <QCoreApplication>

namespace {

const FormatChoiceInfo choices[FormatChoiceCount] = {
    {Video, 0, {}, "onSelectMP4()", nullptr},
    {Video, 1, {}, "onSelectFLV()", nullptr},
    {Video, 2, {}, "onSelectAVI()", nullptr},
    {Video, 3, {}, "onSelectASF()", nullptr},
    {Video, 4, {}, "onSelectDV()", nullptr},
    {Video, 5, {}, "onSelectMKV()", nullptr},
    {Video, 6, {}, "onSelectMOV()", nullptr},
    {Video, 7, {}, "onSelectMPG()", nullptr},
    {Video, 8, {}, "onSelectVOB()", nullptr},
    {Video, 9, {}, "onSelectWMV()", nullptr},
    {Video, 10, {}, "onSelectRM()", nullptr},
    {Audio, 11, {}, "onSelectMP3()", nullptr},
    {Audio, 12, {}, "onSelectAAC()", nullptr},
    {Audio, 13, {}, "onSelectAC3()", nullptr},
    {Audio, 14, {}, "onSelectMP2()", nullptr},
    {Audio, 15, {}, "onSelectWMA()", nullptr},
    {Audio, 16, {}, "onSelectAIFF()", nullptr},
    {Audio, 17, {}, "onSelectAU()", nullptr},
    {Audio, 18, {}, "onSelectM4A()", nullptr},
    {Audio, 19, {}, "onSelectOGG()", nullptr},
    {Audio, 21, {}, "onSelectFLAC()", nullptr},
    {Image, 22, {}, "onSelectJPEG()", nullptr},
    {Image, 23, {}, "onSelectPNG()", nullptr},
    {Image, 24, {}, "onSelectBMP()", nullptr},
    {Image, 25, {}, "onSelectGIF()", nullptr},
    {Image, 26, {}, "onSelectPCX()", nullptr},
    {Image, 27, {}, "onSelectTGA()", nullptr},
    {Image, 28, {}, "onSelectICO()", nullptr},
    {Image, 29, {}, "onSelectTIFF()", nullptr},
    {VideoMerge, 30, {}, "onSelectVideoMerge()", QT_TRANSLATE_NOOP("CQuillmora", "Video Merge")},
    {AudioMerge, 31, {}, "onSelectAudioMerge()", QT_TRANSLATE_NOOP("CQuillmora", "Audio Merge")},
    {GifMerge, 32, {}, "onSelectGifMerge()", QT_TRANSLATE_NOOP("CQuillmora", "GIF Maker")},
    {Video, 6, DevicePreset::Apple, "onSelectAppleVideo()", QT_TRANSLATE_NOOP("CQuillmora", "Apple")},
    {Video, 0, DevicePreset::Android, "onSelectAndroidVideo()",
     QT_TRANSLATE_NOOP("CQuillmora", "Android")},
    {Video, FormatWebM, {}, "onSelectWebM()", nullptr},
    {Video, FormatHEVC, {}, "onSelectHEVC()", nullptr},
    {Video, FormatAV1, {}, "onSelectAV1()", nullptr},
    {Audio, FormatOpus, {}, "onSelectOpus()", nullptr},
    {Image, FormatWebP, {}, "onSelectWebP()", nullptr},
    {Image, FormatAVIF, {}, "onSelectAVIF()", nullptr},
};

using C = FormatChoice;
using T = FormatTab;

const std::array<FormatButtonSpec, FormatButtonCount> buttons = {{
    {T::Video, C::MP4, ":res/mp4.png"},
    {T::Video, C::FLV, ":res/flv.png"},
    {T::Video, C::AVI, ":res/avi.png"},
    {T::Video, C::DV, ":res/dv.png"},
    {T::Video, C::MKV, ":res/mkv.png"},
    {T::Video, C::MOV, ":res/mov.png"},
    {T::Video, C::MPG, ":res/mpg.png"},
    {T::Video, C::VOB, ":res/vob.png"},
    {T::Video, C::WMV, ":res/wmv.png"},
    {T::Video, C::RM, ":res/rm.png"},
    {T::Video, C::Apple, ":res/ipad.png"},
    {T::Video, C::Android, ":res/android.png"},
    {T::Video, C::WebM, ":res/webm.png"},
    {T::Video, C::HEVC, ":res/hevc.png"},
    {T::Video, C::AV1, ":res/av1.png"},
    {T::Audio, C::MP3, ":res/mp3.png"},
    {T::Audio, C::AAC, ":res/aac.png"},
    {T::Audio, C::AC3, ":res/ac3.png"},
    {T::Audio, C::MP2, ":res/mp2.png"},
    {T::Audio, C::WMA, ":res/wma.png"},
    {T::Audio, C::AIFF, ":res/aiff.png"},
    {T::Audio, C::AU, ":res/au.png"},
    {T::Audio, C::M4A, ":res/m4a.png"},
    {T::Audio, C::OGG, ":res/ogg.png"},
    {T::Audio, C::FLAC, ":res/flac.png"},
    {T::Audio, C::Opus, ":res/opus.png"},
    {T::Image, C::JPEG, ":res/jpeg.png"},
    {T::Image, C::PNG, ":res/png.png"},
    {T::Image, C::BMP, ":res/BMP.png"},
    {T::Image, C::GIF, ":res/gif.png"},
    {T::Image, C::PCX, ":res/pcx.png"},
    {T::Image, C::TGA, ":res/tga.png"},
    {T::Image, C::ICO, ":res/ico.png"},
    {T::Image, C::TIFF, ":res/tiff.png"},
    {T::Image, C::WebP, ":res/webp.png"},
    {T::Image, C::AVIF, ":res/avif.png"},
    {T::Advanced, C::VideoMerge, ":res/mp4.png"},
    {T::Advanced, C::AudioMerge, ":res/mp3.png"},
    {T::Advanced, C::GifMerge, ":res/gif.png"},
}};

} // namespace

const FormatChoiceInfo &formatChoiceInfo(FormatChoice choice)
{
    return choices[static_cast<int>(choice)];
}

QString formatButtonText(FormatChoice choice)
{
    const FormatChoiceInfo &info = formatChoiceInfo(choice);
    return QString::fromLatin1(info.translatableText ? info.translatableText
                                                     : formatInfo(info.formatId)->buttonText);
}

QString formatButtonObjectName(FormatChoice choice)
{
    return QStringLiteral("btn") + formatButtonText(choice).remove(QLatin1Char(' '));
}

const char *formatTabTitle(FormatTab tab)
{
    static const char *const titles[FormatTabCount] = {
        QT_TRANSLATE_NOOP("CQuillmora", "Video"),
        QT_TRANSLATE_NOOP("CQuillmora", "Audio"),
        QT_TRANSLATE_NOOP("CQuillmora", "Image"),
        QT_TRANSLATE_NOOP("CQuillmora", "Advanced"),
    };
    return titles[static_cast<int>(tab)];
}

const std::array<FormatButtonSpec, FormatButtonCount> &formatButtonSpecs()
{
    return buttons;
}

QStringList formatNamesOn(FormatTab tab)
{
    QStringList names;
    for (const FormatButtonSpec &spec : buttons) {
        if (spec.tab == tab && !formatChoiceInfo(spec.choice).translatableText)
            names << formatButtonText(spec.choice);
    }
    return names;
}
