#include "settings/csettings.h"

#include "app/formats.h"
#include "app/loudnesschoices.h"
#include "app/outputfolder.h"
#include "platform/userprompts.h"
#include "ui_outputsettings.h"

#include <QComboBox>
#include <QCoreApplication>

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

void CSettings::OnChangeVideoCodec(int index) { setFromList(OptionField::VideoCodec, index); }
void CSettings::OnChangeVideoSize(int index) { setFromList(OptionField::VideoSize, index); }
void CSettings::OnChangeVideoFps(int index) { setFromList(OptionField::VideoFps, index); }
void CSettings::OnChangeVideoBitrate(int index) { setFromList(OptionField::VideoBitrate, index); }
void CSettings::OnChangeAspectRatio(int index) { setFromList(OptionField::AspectRatio, index); }
void CSettings::OnChangeAudioCodec(int index) { setFromList(OptionField::AudioCodec, index); }
void CSettings::OnChangeAudioChannel(int index) { setFromList(OptionField::AudioChannels, index); }
void CSettings::OnChangeAudioSamples(int index) { setFromList(OptionField::AudioSamples, index); }
void CSettings::OnChangeAudioBitrate(int index) { setFromList(OptionField::AudioBitrate, index); }

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
