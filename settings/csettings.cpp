#include "settings/csettings.h"

#include "app/fitsize.h"
#include "app/formats.h"
#include "app/loudnesschoices.h"
#include "app/optiontables.h"
#include "app/outputfolder.h"
#include "platform/userprompts.h"
#include "ui_outputsettings.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLineEdit>
#include <QToolTip>

namespace {

const OptionField videoLists[] = {OptionField::VideoSize, OptionField::VideoFps,
                                  OptionField::VideoBitrate, OptionField::AspectRatio};
const OptionField audioLists[] = {OptionField::AudioChannels, OptionField::AudioSamples,
                                  OptionField::AudioBitrate};

void addEntries(QComboBox *list, OptionField field, const QVector<int> &indices)
{
    for (int index : indices)
        list->addItem(QCoreApplication::translate("OutputSettings", optionLabel(field, index)), index);
}

} // namespace

CSettings::CSettings(QWidget *parent)
    : QDialog(parent)
    , ui(std::make_unique<Ui_OutputSettings>())
{
    ui->setupUi(this);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);

    connect(ui->m_pCmbFileFormat, &QComboBox::activated, this, &CSettings::OnChangeFileFormat);
    connect(ui->m_pCmbVideoCodec, &QComboBox::activated, this, &CSettings::OnChangeVideoCodec);
    connect(ui->m_pCmbVideoSize, &QComboBox::activated, this, &CSettings::OnChangeVideoSize);
    connect(ui->m_pCmbFPS, &QComboBox::activated, this, &CSettings::OnChangeVideoFps);
    connect(ui->m_pCmbVideoBitrate, &QComboBox::activated, this, &CSettings::OnChangeVideoBitrate);
    connect(ui->m_pCmbAspectRatio, &QComboBox::activated, this, &CSettings::OnChangeAspectRatio);
    connect(ui->m_pCmbAudioCodec, &QComboBox::activated, this, &CSettings::OnChangeAudioCodec);
    connect(ui->m_pCmbAudioChannels, &QComboBox::activated, this, &CSettings::OnChangeAudioChannel);
    connect(ui->m_pCmbSampleRate, &QComboBox::activated, this, &CSettings::OnChangeAudioSamples);
    connect(ui->m_pCmbAudioBitrate, &QComboBox::activated, this, &CSettings::OnChangeAudioBitrate);
    connect(ui->m_pCmbFitSize, &QComboBox::activated, this, &CSettings::OnChangeFitSize);
    connect(ui->m_pCmbFitSize->lineEdit(), &QLineEdit::editingFinished, this,
            &CSettings::OnTypeFitSize);
    // The size typed in is read by a screen reader under the label's name.
    ui->m_pCmbFitSize->lineEdit()->setAccessibleName(ui->m_lblFitSize->text());
    connect(ui->m_pCmbLoudness, &QComboBox::activated, this, &CSettings::OnChangeLoudness);
    connect(ui->m_pBtnOutFolder, &QPushButton::clicked, this, &CSettings::setOutFolder);
    connect(ui->m_pBtnApply, &QPushButton::clicked, this, &CSettings::apply);
    connect(ui->m_pBtnCancel, &QPushButton::clicked, this, &CSettings::cancel);
}

CSettings::~CSettings() = default;

void CSettings::loadSettings()
{
    folder = ::outputFolder();
    profiles = profileTable();
}

void CSettings::loadJob(const ConvertJob &source)
{
    job.formatId = source.formatId;
    job.profile = source.profile;
    job.fitBytes = source.fitBytes;
    job.loudness = source.loudness;
    fillFormatList();
    fillOptionLists(job.profile.formatId);
    fillLoudnessList();
}

void CSettings::fillFormatList()
{
    ui->m_pTxtOutFolder->setText(folder);
    // Every video and audio format, in id order.
    for (const OutputProfile &row : profiles) {
        if (row.category == Video || row.category == Audio)
            ui->m_pCmbFileFormat->addItem(profileText(row.formatId), row.formatId);
    }
    ui->m_pCmbFileFormat->setCurrentIndex(ui->m_pCmbFileFormat->findData(job.profile.formatId));
}

void CSettings::fillLoudnessList()
{
    ui->m_pCmbLoudness->clear();
    for (const LoudnessChoice &choice : loudnessChoices())
        ui->m_pCmbLoudness->addItem(loudnessLabel(choice.lufs), choice.lufs);
    ui->m_pCmbLoudness->setCurrentIndex(qMax(0, ui->m_pCmbLoudness->findData(job.loudness)));
}

void CSettings::fillOptionLists(int formatId)
{
    for (int field = 0; field < OptionFieldCount; ++field)
        listOf(static_cast<OptionField>(field))->clear();

    fillFitList();
    QVector<OptionField> filled;
    if (job.profile.category == Video) {
        addEntries(ui->m_pCmbVideoCodec, OptionField::VideoCodec, videoCodecsOffered(formatId));
        for (OptionField field : videoLists) {
            addEntries(listOf(field), field, optionListOrder(field));
            filled << field;
        }
    }
    addEntries(ui->m_pCmbAudioCodec, OptionField::AudioCodec, audioCodecsOffered(formatId));
    for (OptionField field : audioLists) {
        addEntries(listOf(field), field, optionListOrder(field));
        filled << field;
    }

    if (formatId < 0 || formatId >= FormatCount)
        return;
    const OutputProfile &defaults = profiles[formatId];
    for (OptionField field : std::as_const(filled)) {
        QComboBox *list = listOf(field);
        list->setCurrentIndex(list->findData(defaults.field(profilePosition(field))));
    }
}

void CSettings::fillFitList()
{
    QComboBox *list = ui->m_pCmbFitSize;
    if (list->count() == 0) {
        list->addItem(QCoreApplication::translate("OutputSettings", "Off"), qint64(0));
        for (qint64 bytes : FitSize::choices())
            list->addItem(FitSize::text(bytes), bytes);
    }
    const bool offered = FitSize::offered(job.profile);
    if (!offered)
        job.fitBytes = 0;
    list->setEnabled(offered);
    ui->m_lblFitSize->setEnabled(offered);
    if (!offered && job.profile.category == Video)
        list->setToolTip(FitSize::notOfferedReason());
    else if (!offered)
        list->setToolTip(QString());
    else if (job.profile.vCodec == VideoCodecAV1) // SVT-AV1 has no two passes in Debian's ffmpeg
        list->setToolTip(QCoreApplication::translate(
            "OutputSettings",
            "The most the file may take: the picture's bitrate follows from it. AV1 has no two "
            "passes here: it is encoded once, and once more at a corrected bitrate when the file "
            "lands outside the size. Pick a size or type your own, such as 30 MB or 1.5 GB."));
    else
        list->setToolTip(QCoreApplication::translate(
            "OutputSettings",
            "The most the file may take: the picture's bitrate follows from it, encoded in "
            "two passes. Pick a size or type your own, such as 30 MB or 1.5 GB."));
    showFitSize();
}

void CSettings::showFitSize()
{
    QComboBox *list = ui->m_pCmbFitSize;
    const int index = list->findData(job.fitBytes);
    list->setCurrentIndex(index);
    if (index < 0)
        list->setEditText(FitSize::text(job.fitBytes));
}

QComboBox *CSettings::listOf(OptionField field) const
{
    switch (field) {
    case OptionField::VideoCodec:
        return ui->m_pCmbVideoCodec;
    case OptionField::VideoSize:
        return ui->m_pCmbVideoSize;
    case OptionField::VideoFps:
        return ui->m_pCmbFPS;
    case OptionField::VideoBitrate:
        return ui->m_pCmbVideoBitrate;
    case OptionField::AspectRatio:
        return ui->m_pCmbAspectRatio;
    case OptionField::AudioCodec:
        return ui->m_pCmbAudioCodec;
    case OptionField::AudioChannels:
        return ui->m_pCmbAudioChannels;
    case OptionField::AudioSamples:
        return ui->m_pCmbSampleRate;
    case OptionField::AudioBitrate:
        break;
    }
    return ui->m_pCmbAudioBitrate;
}

void CSettings::setFromList(OptionField field, int index)
{
    const QVariant value = listOf(field)->itemData(index);
    if (value.isValid())
        job.profile.setField(profilePosition(field), value.toInt());
}

void CSettings::OnChangeFileFormat(int index)
{
    const QVariant value = ui->m_pCmbFileFormat->itemData(index);
    if (!value.isValid())
        return;
    const int id = value.toInt();
    job.formatId = id;
    for (const OutputProfile &row : std::as_const(profiles)) {
        if (row.formatId == id) {
            job.profile = row;
            break;
        }
    }
    fillOptionLists(id);
}

void CSettings::OnChangeVideoCodec(int index)
{
    setFromList(OptionField::VideoCodec, index);
    fillFitList(); // the codec decides whether the job can be fitted
}
void CSettings::OnChangeVideoSize(int index) { setFromList(OptionField::VideoSize, index); }
void CSettings::OnChangeVideoFps(int index) { setFromList(OptionField::VideoFps, index); }
void CSettings::OnChangeVideoBitrate(int index) { setFromList(OptionField::VideoBitrate, index); }
void CSettings::OnChangeAspectRatio(int index) { setFromList(OptionField::AspectRatio, index); }
void CSettings::OnChangeAudioCodec(int index) { setFromList(OptionField::AudioCodec, index); }
void CSettings::OnChangeAudioChannel(int index) { setFromList(OptionField::AudioChannels, index); }
void CSettings::OnChangeAudioSamples(int index) { setFromList(OptionField::AudioSamples, index); }
void CSettings::OnChangeAudioBitrate(int index) { setFromList(OptionField::AudioBitrate, index); }

void CSettings::OnChangeFitSize(int index)
{
    const QVariant bytes = ui->m_pCmbFitSize->itemData(index);
    if (bytes.isValid())
        job.fitBytes = bytes.toLongLong();
}

void CSettings::OnTypeFitSize()
{
    QComboBox *list = ui->m_pCmbFitSize;
    const QString typed = list->currentText().trimmed();
    qint64 bytes = 0;
    if (typed.isEmpty() || typed == list->itemText(0)) {
        job.fitBytes = 0;
    } else if (FitSize::parse(typed, &bytes)) {
        job.fitBytes = bytes;
    } else {
        QToolTip::showText(list->mapToGlobal(QPoint(0, list->height())),
                           QCoreApplication::translate(
                               "OutputSettings",
                               "\"%1\" is not a size: write one such as 30 MB, 1.5 GB or 700 MiB.")
                               .arg(typed),
                           list);
    }
    showFitSize();
}

void CSettings::OnChangeLoudness(int index)
{
    job.loudness = ui->m_pCmbLoudness->itemData(index).toInt();
}

void CSettings::setOutFolder()
{
    const QString chosen = userPrompts().chooseFolder(
        this, QCoreApplication::translate("OutputSettings", "Select the output folder"), folder);
    if (chosen.isEmpty())
        return;
    ui->m_pTxtOutFolder->setText(chosen);
    folder = chosen;
}

void CSettings::apply()
{
    accept();
}

void CSettings::cancel()
{
    reject();
}
