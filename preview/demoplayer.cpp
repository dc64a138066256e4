#include "preview/demoplayer.h"

#include "app/apptitle.h"
#include "platform/userprompts.h"
#include "preview/editchoices.h"
#include "ui_demoplayer.h"
#include "vlc/vlcapi.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QDebug>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>

DemoPlayer::DemoPlayer(QWidget *parent, Qt::WindowFlags f)
    : QDialog(parent, f)
    , ui(std::make_unique<Ui_DemoPlayer>())
{
    ui->setupUi(this);

    vlcInstance = new VlcInstance(Vlc::previewArguments(), this);
    mediaPlayer = new VlcMediaPlayer(vlcInstance);
    mediaPlayer->setVideoWidget(ui->m_vlcVideo);
    ui->m_vlcVideo->setMediaPlayer(mediaPlayer);
    ui->m_vlcSeek->setMediaPlayer(mediaPlayer);

    // The form's size, or more where the language's texts need it.
    setFixedSize(size().expandedTo(minimumSizeHint()));
    setWindowIcon(QIcon(QStringLiteral(":res/VideoPlayer/video_icon.png")));

    for (QLineEdit *field : {ui->m_pStartTimeText, ui->m_pEndTimeText}) {
        field->setReadOnly(true);
        field->setText(editchoices::formatPosition(0));
    }
    ui->m_pEffectApplyButton->setEnabled(false);

    fillLists();
    nameEditableLists();
    updatePlayIcon();
    connectControls();
}

DemoPlayer::~DemoPlayer()
{
    mediaPlayer->stop();
    delete mediaPlayer;
    delete media;
    delete vlcInstance;
}

void DemoPlayer::fillLists()
{
    using namespace editchoices;
    for (int i = 0; i < codePageCount; ++i)
        ui->m_pCodePageCombo->addItem(codePageEntry(i), i);
    for (int i = 0; i < textSizeCount; ++i)
        ui->m_pFontSizeCombo->addItem(textSizeEntry(i), i);
    for (int i = 0; i < textSizeCount; ++i)
        ui->m_pWMFontSizeCombo->addItem(textSizeEntry(i), i);
    for (int i = 0; i < textColourCount; ++i)
        ui->m_pWMFontColorCombo->addItem(tr(textColourEntry(i)), i);
    ui->m_pXTextPositionText->setText(QStringLiteral("10"));
    ui->m_pYTextPositionText->setText(QStringLiteral("10"));
}

// The field of a list one may type into takes focus in its place, and is
// announced by the list's label.
void DemoPlayer::nameEditableLists()
{
    for (QLabel *label : findChildren<QLabel *>()) {
        const auto *list = qobject_cast<QComboBox *>(label->buddy());
        if (list && list->lineEdit())
            list->lineEdit()->setAccessibleName(label->text().remove(u':').trimmed());
    }
}

void DemoPlayer::connectControls()
{
    connect(ui->m_pPlayButton, &QPushButton::clicked, this, &DemoPlayer::onPlayButtonClicked);
    connect(ui->m_pBeforeButton, &QPushButton::clicked, this, &DemoPlayer::onBeforeButtonClicked);
    connect(ui->m_pNextButton, &QPushButton::clicked, this, &DemoPlayer::onNextButtonClicked);
    connect(ui->m_pStartTimeButton, &QPushButton::clicked, this, &DemoPlayer::onStartTimeButtonClicked);
    connect(ui->m_pEndTimeButton, &QPushButton::clicked, this, &DemoPlayer::onEndTimeButtonClicked);
    connect(ui->m_pEffectApplyButton, &QPushButton::clicked, this, &DemoPlayer::onEffectApplyButtonClicked);
    connect(ui->m_pOKButton, &QPushButton::clicked, this, &DemoPlayer::onApplyButtonClicked);
    connect(ui->m_pCancelButton, &QPushButton::clicked, this, &DemoPlayer::onCancelButtonClicked);
    connect(ui->m_pCLWButton, &QToolButton::clicked, this, &DemoPlayer::onCLWButtonClicked);
    connect(ui->m_pCWButton, &QToolButton::clicked, this, &DemoPlayer::onCWButtonClicked);
    connect(ui->m_pVFlipButton, &QToolButton::clicked, this, &DemoPlayer::onVFlipButtonClicked);
    connect(ui->m_pHFlipBuffon, &QToolButton::clicked, this, &DemoPlayer::onHFlipButtonClicked);
    connect(ui->m_WatermarkApplyButton, &QPushButton::clicked, this, &DemoPlayer::onWatermarkApplyButtonClicked);
    connect(ui->m_pImagePathButton, &QToolButton::clicked, this, &DemoPlayer::onImagePathSelect);
    connect(ui->m_pSubtitlePathButton, &QToolButton::clicked, this, &DemoPlayer::onSubtitlePathSelect);
    connect(ui->m_pSubtitleApplyButton, &QPushButton::clicked, this, &DemoPlayer::onSubtitleApplyButtonClicked);
    for (QSlider *slider : {ui->m_pVolumeControlBar, ui->m_pBrightnessControlBar, ui->m_pContrastControlBar,
                            ui->m_pSaturationControlBar})
        connect(slider, &QSlider::valueChanged, this, &DemoPlayer::onEffectionItemsChanges);
    for (QLineEdit *field : {ui->m_pImagePathText, ui->m_pTextPathText})
        connect(field, &QLineEdit::textChanged, this, &DemoPlayer::onWatermarkItemsChanges);
    for (QLineEdit *field : {ui->m_pXImagePositionText, ui->m_pYImagePositionText, ui->m_pXTextPositionText,
                             ui->m_pYTextPositionText})
        connect(field, &QLineEdit::editingFinished, this, &DemoPlayer::onWatermarkItemsChanges);
    for (QComboBox *list : {ui->m_pWMFontSizeCombo, ui->m_pWMFontColorCombo,
                            static_cast<QComboBox *>(ui->m_pWMFontCombo)})
        connect(list, &QComboBox::currentIndexChanged, this, &DemoPlayer::onWatermarkItemsChanges);
    connect(ui->m_pSubtitlePathTextBox, &QLineEdit::textChanged, this, &DemoPlayer::onSubtitleItemsChanges);
    for (QComboBox *list : {ui->m_pCodePageCombo, static_cast<QComboBox *>(ui->fontComboBox), ui->m_pFontSizeCombo})
        connect(list, &QComboBox::currentIndexChanged, this, &DemoPlayer::onSubtitleItemsChanges);
    connect(ui->m_pSearchSubtitleButton, &QPushButton::clicked, this, &DemoPlayer::onSubtitleFindButtonClicked);
}

void DemoPlayer::setJobs(const QList<ConvertJob> &jobs, int index)
{
    jobCopy = jobs;
    currentJob = index;
    if (!jobCopy.isEmpty())
        openCurrentJob(jobCopy.at(currentJob).inputPath);
}

void DemoPlayer::openCurrentJob(const QString &path)
{
    if (path.isEmpty()) {
        // A joiner job: nothing to play, and the controls still show the job
        // before it, so nothing may be applied to this one.
        mediaPlayer->stop();
        playing = false;
        ui->m_pPlayButton->setEnabled(false);
        setJobEditable(false);
        updatePlayIcon();
        return;
    }

    VlcMedia *previous = media;
    qDebug().noquote() << QStringLiteral("file path : ") + path;
    media = new VlcMedia(path, true, vlcInstance);
    mediaPlayer->open(media);
    delete previous;
    playing = true;

    const bool started = mediaPlayer->waitUntilShowing(playbackWaitMs);
    qDebug().noquote() << (started ? "now is playing" : "now is not playing");
    if (!started) {
        mediaPlayer->stop();
        playing = false;
        userPrompts().warning(this, appTitle(), tr("This file cannot be previewed:\n%1").arg(path));
    }
    ui->m_pPlayButton->setEnabled(started);
    // A GIF maker job counts its trim in seconds; the tabs here write milliseconds.
    setJobEditable(started && jobCopy.at(currentJob).profile.category != GifMerge);

    loadEditOptions();
    updatePlayIcon();
}

void DemoPlayer::setJobEditable(bool editable)
{
    for (int tab = 0; tab < ui->tabWidget->count(); ++tab)
        ui->tabWidget->widget(tab)->setEnabled(editable);
}

void DemoPlayer::loadEditOptions()
{
    const ConvertJob &job = jobCopy.at(currentJob);
    const EditOptions &edit = job.edit;
    const WatermarkOptions &mark = edit.watermark;

    // Shown as the time it is; a GIF maker job's seconds are not written back.
    const int unit = job.profile.category == GifMerge ? 1000 : 1;
    startTime = edit.trimStart * unit;
    endTime = (edit.trimStart + edit.trimLength) * unit;
    ui->m_pStartTimeText->setText(editchoices::formatPosition(startTime));
    ui->m_pEndTimeText->setText(editchoices::formatPosition(endTime));

    rotation = edit.rotation;
    verticalFlip = edit.verticalFlip;
    horizontalFlip = edit.horizontalFlip;

    applied.volume = edit.volume;
    applied.brightness = edit.brightness;
    applied.contrast = edit.contrast;
    applied.saturation = edit.saturation;
    ui->m_pVolumeControlBar->setValue(edit.volume);
    ui->m_pContrastControlBar->setValue(edit.contrast);
    ui->m_pBrightnessControlBar->setValue(edit.brightness);
    ui->m_pSaturationControlBar->setValue(edit.saturation);
    // Nothing of the freshly loaded job is pending, whether or not a slider moved.
    ui->m_pEffectApplyButton->setEnabled(false);

    applied.watermark = mark;
    ui->m_pImagePathText->setText(mark.imagePath);
    ui->m_pXImagePositionText->setText(QString::number(mark.imageX));
    ui->m_pYImagePositionText->setText(QString::number(mark.imageY));
    ui->m_pTextPathText->setText(mark.text);
    ui->m_pWMFontCombo->setCurrentFont(QFont(mark.fontName));
    loadedFontFamily = ui->m_pWMFontCombo->currentFont().family();
    ui->m_pWMFontColorCombo->setCurrentIndex(ui->m_pWMFontColorCombo->findData(mark.fontColor));
    ui->m_pWMFontSizeCombo->setCurrentIndex(ui->m_pWMFontSizeCombo->findData(mark.fontSize));
    ui->m_pXTextPositionText->setText(QString::number(mark.textX));
    ui->m_pYTextPositionText->setText(QString::number(mark.textY));
    previewWatermark(mark);

    applied.subtitlePath = edit.subtitlePath;
    applied.subtitleCodePage = edit.subtitleCodePage;
    applied.subtitleFontSize = edit.subtitleFontSize;
    ui->m_pSubtitlePathTextBox->setText(edit.subtitlePath);
    ui->m_pCodePageCombo->setCurrentIndex(ui->m_pCodePageCombo->findData(edit.subtitleCodePage));
    ui->m_pFontSizeCombo->setCurrentIndex(ui->m_pFontSizeCombo->findData(edit.subtitleFontSize));
    previewSubtitle(applied.subtitlePath, applied.subtitleCodePage, applied.subtitleFontSize);
}

void DemoPlayer::updatePlayIcon()
{
    ui->m_pPlayButton->setIcon(QIcon(playing ? QStringLiteral(":res/VideoPlayer/video_pause.png")
                                            : QStringLiteral(":res/VideoPlayer/video_play.png")));
    const QString action = playing ? tr("Pause") : tr("Play");
    ui->m_pPlayButton->setAccessibleName(action);
    ui->m_pPlayButton->setToolTip(action);
}

void DemoPlayer::onPlayButtonClicked()
{
    if (playing) {
        playing = false;
        mediaPlayer->pause();
    } else {
        playing = true;
        mediaPlayer->play();
    }
    updatePlayIcon();
}

void DemoPlayer::onBeforeButtonClicked()
{
    if (currentJob <= 0)
        return;
    --currentJob;
    openCurrentJob(jobCopy.at(currentJob).inputPath);
}

void DemoPlayer::onNextButtonClicked()
{
    if (currentJob >= jobCopy.size() - 1)
        return;
    ++currentJob;
    openCurrentJob(jobCopy.at(currentJob).inputPath);
}

void DemoPlayer::onStartTimeButtonClicked()
{
    const int t = mediaPlayer->time();
    if (t < 0)
        return;
    ui->m_pStartTimeText->setText(editchoices::formatPosition(t));
    startTime = t;
    ui->m_pEffectApplyButton->setEnabled(true);
}

void DemoPlayer::onEndTimeButtonClicked()
{
    const int t = mediaPlayer->time();
    if (t < 0)
        return;
    if (t > startTime) {
        ui->m_pEndTimeText->setText(editchoices::formatPosition(t));
        endTime = t;
        ui->m_pEffectApplyButton->setEnabled(true);
    } else {
        userPrompts().warning(this, appTitle(), QStringLiteral("Please select correct end time!"));
    }
}

void DemoPlayer::onApplyButtonClicked()
{
    accept();
}

void DemoPlayer::onCancelButtonClicked()
{
    reject();
}

void DemoPlayer::closeEvent(QCloseEvent *event)
{
    if (playing)
        mediaPlayer->stop();
    QDialog::closeEvent(event);
}
