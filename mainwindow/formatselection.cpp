// The selection slots: record the chosen format and profile, then ask for files.
#include "mainwindow/cquillmora.h"

#include <QDebug>

void CQuillmora::onSelectMP4() { selectFormat(FormatChoice::MP4); }
void CQuillmora::onSelectFLV() { selectFormat(FormatChoice::FLV); }
void CQuillmora::onSelectAVI() { selectFormat(FormatChoice::AVI); }
void CQuillmora::onSelectASF() { selectFormat(FormatChoice::ASF); }
void CQuillmora::onSelectDV() { selectFormat(FormatChoice::DV); }
void CQuillmora::onSelectMKV() { selectFormat(FormatChoice::MKV); }
void CQuillmora::onSelectMOV() { selectFormat(FormatChoice::MOV); }
void CQuillmora::onSelectMPG() { selectFormat(FormatChoice::MPG); }
void CQuillmora::onSelectVOB() { selectFormat(FormatChoice::VOB); }
void CQuillmora::onSelectWMV() { selectFormat(FormatChoice::WMV); }
void CQuillmora::onSelectRM() { selectFormat(FormatChoice::RM); }
void CQuillmora::onSelectMP3() { selectFormat(FormatChoice::MP3); }
void CQuillmora::onSelectAAC() { selectFormat(FormatChoice::AAC); }
void CQuillmora::onSelectAC3() { selectFormat(FormatChoice::AC3); }
void CQuillmora::onSelectMP2() { selectFormat(FormatChoice::MP2); }
void CQuillmora::onSelectWMA() { selectFormat(FormatChoice::WMA); }
void CQuillmora::onSelectAIFF() { selectFormat(FormatChoice::AIFF); }
void CQuillmora::onSelectAU() { selectFormat(FormatChoice::AU); }
void CQuillmora::onSelectM4A() { selectFormat(FormatChoice::M4A); }
void CQuillmora::onSelectOGG() { selectFormat(FormatChoice::OGG); }
void CQuillmora::onSelectFLAC() { selectFormat(FormatChoice::FLAC); }
void CQuillmora::onSelectJPEG() { selectFormat(FormatChoice::JPEG); }
void CQuillmora::onSelectPNG() { selectFormat(FormatChoice::PNG); }
void CQuillmora::onSelectBMP() { selectFormat(FormatChoice::BMP); }
void CQuillmora::onSelectGIF() { selectFormat(FormatChoice::GIF); }
void CQuillmora::onSelectPCX() { selectFormat(FormatChoice::PCX); }
void CQuillmora::onSelectTGA() { selectFormat(FormatChoice::TGA); }
void CQuillmora::onSelectICO() { selectFormat(FormatChoice::ICO); }
void CQuillmora::onSelectTIFF() { selectFormat(FormatChoice::TIFF); }
void CQuillmora::onSelectVideoMerge() { selectFormat(FormatChoice::VideoMerge); }
void CQuillmora::onSelectAudioMerge() { selectFormat(FormatChoice::AudioMerge); }
void CQuillmora::onSelectGifMerge() { selectFormat(FormatChoice::GifMerge); }
void CQuillmora::onSelectAppleVideo() { selectFormat(FormatChoice::Apple); }
void CQuillmora::onSelectAndroidVideo() { selectFormat(FormatChoice::Android); }
void CQuillmora::onSelectWebM() { selectFormat(FormatChoice::WebM); }
void CQuillmora::onSelectHEVC() { selectFormat(FormatChoice::HEVC); }
void CQuillmora::onSelectAV1() { selectFormat(FormatChoice::AV1); }
void CQuillmora::onSelectOpus() { selectFormat(FormatChoice::Opus); }
void CQuillmora::onSelectWebP() { selectFormat(FormatChoice::WebP); }
void CQuillmora::onSelectAVIF() { selectFormat(FormatChoice::AVIF); }

void CQuillmora::selectFormat(FormatChoice choice)
{
    if (runControl->isBusy())
        return;
    const FormatChoiceInfo &info = formatChoiceInfo(choice);
    currentCategory = info.category;
    currentFormatId = info.formatId;
    selectProfileRow();
    if (info.preset)
        currentProfile = devicePresetProfile(*info.preset);
    if (currentCategory == GifMerge)
        onGIFMerge();
    else
        onOpen();
}

void CQuillmora::selectProfileRow()
{
    const int row = profileRowOf(currentFormatId);
    if (row < 0)
        return; // every selectable id has a row; keep the profile otherwise
    currentProfile = profileTable()[row];
    qDebug().noquote() << "index : %d" << row;
}
