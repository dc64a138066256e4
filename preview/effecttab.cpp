// The Effect tab: trim, rotation, flips, volume and picture adjustment.
#include "preview/demoplayer.h"

#include "app/apptitle.h"
#include "platform/userprompts.h"
#include "ui_demoplayer.h"
#include "vlc/vlcapi.h"

#include <QDebug>

void DemoPlayer::onEffectionItemsChanges()
{
    const int brightness = ui->m_pBrightnessControlBar->value();
    const int contrast = ui->m_pContrastControlBar->value();
    const int saturation = ui->m_pSaturationControlBar->value();
    const int volume = ui->m_pVolumeControlBar->value();
    ui->m_pBrightnessLabel->setNum(brightness);
    ui->m_pContrastLabel->setNum(contrast);
    ui->m_pSaturationLabel->setNum(saturation);
    ui->m_pVolumeLabel->setNum(volume);
    previewEffects(brightness, contrast, saturation, volume);
}

void DemoPlayer::previewEffects(int brightness, int contrast, int saturation, int volume)
{
    VlcVideo *video = mediaPlayer->video();
    if (!video)
        return;
    qDebug() << "brightness : " << brightness;
    video->setBrightness(brightness);
    video->setContrast(contrast);
    video->setSaturation(saturation);
    if (VlcAudio *audio = mediaPlayer->audio())
        audio->setVolume(volume);
    ui->m_pEffectApplyButton->setEnabled(effectsPending());
}

// Sliders away from the applied values, or a captured trim, turn or flip the
// job does not hold yet: Apply has something to write.
bool DemoPlayer::effectsPending() const
{
    const EditOptions &edit = jobCopy.at(currentJob).edit;
    return ui->m_pBrightnessControlBar->value() != applied.brightness
           || ui->m_pContrastControlBar->value() != applied.contrast
           || ui->m_pSaturationControlBar->value() != applied.saturation
           || ui->m_pVolumeControlBar->value() != applied.volume
           || startTime != edit.trimStart || endTime != edit.trimStart + edit.trimLength
           || rotation != edit.rotation || verticalFlip != edit.verticalFlip
           || horizontalFlip != edit.horizontalFlip;
}

void DemoPlayer::onCWButtonClicked()
{
    rotation = (rotation + 1) % 4;
    ui->m_pEffectApplyButton->setEnabled(true);
}

void DemoPlayer::onCLWButtonClicked()
{
    rotation = (rotation + 3) % 4;
    ui->m_pEffectApplyButton->setEnabled(true);
}

void DemoPlayer::onVFlipButtonClicked()
{
    verticalFlip = verticalFlip == 0 ? 1 : 0;
    ui->m_pEffectApplyButton->setEnabled(true);
}

void DemoPlayer::onHFlipButtonClicked()
{
    horizontalFlip = horizontalFlip == 0 ? 1 : 0;
    ui->m_pEffectApplyButton->setEnabled(true);
}

void DemoPlayer::onEffectApplyButtonClicked()
{
    if (!(startTime < endTime || (startTime == 0 && endTime == 0))) {
        userPrompts().warning(this, appTitle(), QStringLiteral("Please select correct start time!"));
        return;
    }
    EditOptions &edit = current().edit;
    edit.trimStart = startTime;
    edit.trimLength = endTime - startTime;
    edit.rotation = rotation;
    edit.verticalFlip = verticalFlip;
    edit.horizontalFlip = horizontalFlip;

    applied.volume = ui->m_pVolumeLabel->text().toInt();
    applied.brightness = ui->m_pBrightnessLabel->text().toInt();
    applied.contrast = ui->m_pContrastLabel->text().toInt();
    applied.saturation = ui->m_pSaturationLabel->text().toInt();
    edit.volume = applied.volume;
    edit.brightness = applied.brightness;
    edit.contrast = applied.contrast;
    edit.saturation = applied.saturation;
    ui->m_pEffectApplyButton->setEnabled(false);
}
