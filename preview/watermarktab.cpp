// The Watermark tab: a picture and a line of text over the video.
#include "preview/demoplayer.h"

#include "platform/userprompts.h"
#include "preview/editchoices.h"
#include "ui_demoplayer.h"
#include "vlc/vlcapi.h"

#include <QDir>

void DemoPlayer::onImagePathSelect()
{
    const QString filter = editchoices::fileFilter(tr("All Image Files ("), editchoices::imageSuffixes());
    const QString path = userPrompts().openFile(this, tr("Open the image file"), QDir::homePath(), filter);
    if (!path.isEmpty())
        ui->m_pImagePathText->setText(path);
}

// The stored name of the chosen font; a name the system lacks keeps its
// stored spelling while its substitute stays chosen.
QString DemoPlayer::watermarkFontName() const
{
    const QString family = ui->m_pWMFontCombo->currentFont().family();
    return family == loadedFontFamily ? applied.watermark.fontName : family;
}

WatermarkOptions DemoPlayer::watermarkFromControls() const
{
    WatermarkOptions mark;
    mark.text = ui->m_pTextPathText->text();
    mark.imagePath = ui->m_pImagePathText->text();
    mark.fontColor = ui->m_pWMFontColorCombo->currentData().toInt();
    mark.fontSize = ui->m_pWMFontSizeCombo->currentData().toInt();
    mark.textX = ui->m_pXTextPositionText->text().toInt();
    mark.textY = ui->m_pYTextPositionText->text().toInt();
    mark.imageX = ui->m_pXImagePositionText->text().toInt();
    mark.imageY = ui->m_pYImagePositionText->text().toInt();
    mark.fontName = watermarkFontName();
    return mark;
}

void DemoPlayer::onWatermarkItemsChanges()
{
    previewWatermark(watermarkFromControls());
}

void DemoPlayer::previewWatermark(const WatermarkOptions &mark)
{
    VlcVideo *video = mediaPlayer->video();
    if (!video)
        return;
    // An empty path or text takes the last one off the picture, as the
    // converted file will have none.
    video->showLogo(mark.imagePath, mark.imageX, mark.imageY, 255);
    // The converter's size in pixels, so the preview shows what the file will.
    video->showMarquee(mark.text, mark.textX, mark.textY, 0, 255, editchoices::textSizeEntry(mark.fontSize).toInt(),
                       editchoices::textColourRgb(mark.fontColor));
    ui->m_WatermarkApplyButton->setEnabled(watermarkDiffers(mark));
}

bool DemoPlayer::watermarkDiffers(const WatermarkOptions &mark) const
{
    const WatermarkOptions &was = applied.watermark;
    return mark.fontColor != was.fontColor || mark.fontSize != was.fontSize || mark.fontName != was.fontName
           || mark.imagePath != was.imagePath || mark.text != was.text || mark.imageX != was.imageX
           || mark.textX != was.textX || mark.imageY != was.imageY || mark.textY != was.textY;
}

void DemoPlayer::onWatermarkApplyButtonClicked()
{
    applied.watermark = watermarkFromControls();
    loadedFontFamily = ui->m_pWMFontCombo->currentFont().family();
    current().edit.watermark = applied.watermark;
    ui->m_WatermarkApplyButton->setEnabled(false);
}
