// The Subtitle tab: a subtitle file burnt into the video.
#include "preview/demoplayer.h"

#include "platform/userprompts.h"
#include "preview/editchoices.h"
#include "ui_demoplayer.h"
#include "vlc/vlcapi.h"

#include <QDir>
#include <QUrl>

namespace {

const QUrl subtitleSearchSite(QStringLiteral("https://www.opensubtitles.org/"));

} // namespace

void DemoPlayer::onSubtitlePathSelect()
{
    const QString filter =
        editchoices::fileFilter(tr("All Subtitle Files ("), editchoices::subtitleSuffixes());
    const QString path = userPrompts().openFile(this, tr("Open the subtitle file"), QDir::homePath(), filter);
    if (!path.isEmpty())
        ui->m_pSubtitlePathTextBox->setText(path);
}

void DemoPlayer::onSubtitleFindButtonClicked()
{
    userPrompts().openUrl(subtitleSearchSite);
}

void DemoPlayer::onSubtitleItemsChanges()
{
    previewSubtitle(ui->m_pSubtitlePathTextBox->text(), ui->m_pCodePageCombo->currentData().toInt(),
                    ui->m_pFontSizeCombo->currentData().toInt());
}

void DemoPlayer::previewSubtitle(const QString &path, int codePage, int size)
{
    VlcVideo *video = mediaPlayer->video();
    if (!video)
        return;
    if (!path.isEmpty())
        video->setSubtitleFile(path);
    ui->m_pSubtitleApplyButton->setEnabled(subtitleDiffers(path, codePage, size));
}

bool DemoPlayer::subtitleDiffers(const QString &path, int codePage, int size) const
{
    return path != applied.subtitlePath || codePage != applied.subtitleCodePage
           || size != applied.subtitleFontSize;
}

void DemoPlayer::onSubtitleApplyButtonClicked()
{
    applied.subtitlePath = ui->m_pSubtitlePathTextBox->text();
    applied.subtitleCodePage = ui->m_pCodePageCombo->currentData().toInt();
    applied.subtitleFontSize = ui->m_pFontSizeCombo->currentData().toInt();
    EditOptions &edit = current().edit;
    edit.subtitlePath = applied.subtitlePath;
    edit.subtitleCodePage = applied.subtitleCodePage;
    edit.subtitleFontSize = applied.subtitleFontSize;
    ui->m_pSubtitleApplyButton->setEnabled(false);
}
