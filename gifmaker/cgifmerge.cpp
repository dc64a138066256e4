#include "gifmaker/cgifmerge.h"

#include "app/apptitle.h"
#include "platform/userprompts.h"
#include "ui_gifmerge.h"
#include "vlc/vlcapi.h"

#include <QCoreApplication>
#include <QDebug>
#include <QIcon>

#include <climits>

namespace {

const char *const mediaSuffixes[] = {
    "asf", "avi", "avs", "dat", "divx", "dts", "dv", "flv", "gif", "h261", "h263", "h264", "m4v", "mkv", "mm",
    "mmf", "mov", "mp4", "mpc", "mpeg", "mpg", "rmvb", "vob", "wmv", "ts", "m2ts", "mts", "f4v", "mod",
};

constexpr int StartStepMs = 100;

} // namespace

// The dialog's texts are translated in the context of its form, "GifMerge".

CGIFMerge::CGIFMerge(QWidget *parent)
    : QDialog(parent), ui(std::make_unique<Ui_GifMerge>())
{
    ui->setupUi(this);

    instance = new VlcInstance(Vlc::previewArguments(), this);
    player = new VlcMediaPlayer(instance);
    player->setVideoWidget(ui->m_vlcVideo);
    ui->m_vlcVideo->setMediaPlayer(player);
    ui->m_vlcSeek->setMediaPlayer(player);

    // The form's size, or more where the language's texts need it.
    setFixedSize(size().expandedTo(minimumSizeHint()));
    setWindowIcon(QIcon(QStringLiteral(":res/gif.png")));

    fillSizeList();
    ui->m_pOkBtn->setEnabled(false);

    connect(ui->m_pBrowserBtn, &QPushButton::clicked, this, &CGIFMerge::onBrowserButtonClick);
    connect(ui->m_pGifLengthSlider, &QSlider::valueChanged, this, &CGIFMerge::onGifLengthChanged);
    connect(ui->m_pOkBtn, &QPushButton::clicked, this, &CGIFMerge::onOkBtnClick);
    connect(ui->m_pCancelBtn, &QPushButton::clicked, this, &CGIFMerge::onCancelBtnClick);
    connect(ui->m_pSTDecreaseBtn, &QPushButton::clicked, this, &CGIFMerge::onSTDecreaseClick);
    connect(ui->m_pSTIncreaseBtn, &QPushButton::clicked, this, &CGIFMerge::onSTIncreaseClick);
    connect(ui->m_pETDecreaseBtn, &QPushButton::clicked, this, &CGIFMerge::onETDecreaseClick);
    connect(ui->m_pETIncreaseBtn, &QPushButton::clicked, this, &CGIFMerge::onETIncreaseClick);
    connect(ui->m_pSelectSizeCombo, &QComboBox::activated, this, &CGIFMerge::onChangeSize);
    connect(ui->m_vlcSeek, &VlcWidgetSeek::seeked, this, [this](int ms) { chosen.startMs = ms; });
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
}

CGIFMerge::~CGIFMerge()
{
    delete player;
    delete media;
    delete instance;
}

void CGIFMerge::fillSizeList()
{
    ui->m_pSelectSizeCombo->addItem(QCoreApplication::translate("GifMerge", "Small Image"), 0);
    ui->m_pSelectSizeCombo->addItem(QCoreApplication::translate("GifMerge", "Middle Image"), 1);
    ui->m_pSelectSizeCombo->addItem(QCoreApplication::translate("GifMerge", "Large Image"), 2);
}

void CGIFMerge::onBrowserButtonClick()
{
    QString filter = QCoreApplication::translate("GifMerge", "All Media Files (");
    for (const char *suffix : mediaSuffixes)
        filter += QStringLiteral(" *.%1").arg(QLatin1String(suffix));
    filter += QStringLiteral(" )");

    // A cancelled choice keeps the file that is loaded and shown.
    const QString caption = QCoreApplication::translate("GifMerge", "Open the media files");
    const QString path = userPrompts().openFile(this, caption, startFolder, filter);
    if (path.isEmpty())
        return;
    if (load(path)) {
        chosen.path = path;
        ui->m_pOkBtn->setEnabled(true);
        return;
    }
    chosen.path.clear();
    ui->m_pOkBtn->setEnabled(false);
    userPrompts().warning(this, appTitle(),
                          QCoreApplication::translate("GifMerge", "This file cannot be played:\n%1").arg(path));
}

// Loads the file into the preview and leaves it paused and silent, at its start.
bool CGIFMerge::load(const QString &path)
{
    player->stop();
    delete media;
    media = new VlcMedia(path, true, instance);
    player->open(media);
    player->audio()->setVolume(0);
    const bool playing = player->waitUntilShowing(PlayWaitMs);
    qDebug().noquote() << (playing ? "now is playing" : "now is not playing");
    if (!playing) {
        player->stop();
        return false;
    }
    player->pause();
    chosen.startMs = 0;
    player->setTime(chosen.startMs);
    return true;
}

void CGIFMerge::onGifLengthChanged()
{
    chosen.lengthSeconds = ui->m_pGifLengthSlider->value();
    ui->m_pGifLengthLabel->setText(QCoreApplication::translate("GifMerge", "Current intercept ")
                                  + QString::number(chosen.lengthSeconds)
                                  + QCoreApplication::translate("GifMerge", " seconds"));
}

void CGIFMerge::onOkBtnClick()
{
    accept();
}

void CGIFMerge::onCancelBtnClick()
{
    reject();
}

void CGIFMerge::moveStart(int deltaMs)
{
    const int length = player->length();
    chosen.startMs = qBound(0, chosen.startMs + deltaMs, length > 0 ? length : INT_MAX);
    player->setTime(chosen.startMs); // the preview shows the frame there
}

void CGIFMerge::onSTDecreaseClick()
{
    moveStart(-StartStepMs);
}

void CGIFMerge::onSTIncreaseClick()
{
    moveStart(StartStepMs);
}

void CGIFMerge::onETDecreaseClick()
{
    ui->m_pGifLengthSlider->setValue(qMax(0, ui->m_pGifLengthSlider->value() - 1));
}

void CGIFMerge::onETIncreaseClick()
{
    ui->m_pGifLengthSlider->setValue(ui->m_pGifLengthSlider->value() + 1);
}

void CGIFMerge::onChangeSize(int index)
{
    chosen.sizeChoice = ui->m_pSelectSizeCombo->itemData(index).toInt();
}
