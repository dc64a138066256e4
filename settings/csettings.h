#pragma once

#include "app/convertjob.h"
#include "app/optiontables.h"
#include "app/outputprofile.h"

#include <QDialog>
#include <QString>

#include <memory>

class QComboBox;
class Ui_OutputSettings; // the form, made by uic from outputsettings.ui

// The output format and encoder options of one job, and the output folder.
// Works on copies: the caller reads outputFolder() and editedJob() after an
// accepted run and writes them back itself.
class CSettings : public QDialog
{
    Q_OBJECT

public:
    explicit CSettings(QWidget *parent = nullptr);
    ~CSettings() override;

    // Copies of the process-wide output folder and of the profile table.
    void loadSettings();
    // The job's format and profile, then the lists for its format.
    void loadJob(const ConvertJob &job);

    QString outputFolder() const { return folder; }
    ConvertJob editedJob() const { return job; }

public slots:
    void OnChangeFileFormat(int index);
    void OnChangeVideoCodec(int index);
    void OnChangeVideoSize(int index);
    void OnChangeVideoFps(int index);
    void OnChangeVideoBitrate(int index);
    void OnChangeAspectRatio(int index);
    void OnChangeAudioCodec(int index);
    void OnChangeAudioChannel(int index);
    void OnChangeAudioSamples(int index);
    void OnChangeAudioBitrate(int index);
    void OnChangeFitSize(int index);
    void OnTypeFitSize();
    void OnChangeLoudness(int index);
    void setOutFolder();
    void apply();
    void cancel();

private:
    void fillFormatList();
    void fillLoudnessList();
    // Lists of the format; each shows the format's default, never the job's own
    // value, which stays in the job until the user picks another entry.
    void fillOptionLists(int formatId);
    // "Fit in": offered for the job's profile or Off and disabled, showing the job's size.
    void fillFitList();
    void showFitSize();
    QComboBox *listOf(OptionField field) const;
    void setFromList(OptionField field, int index);

    std::unique_ptr<Ui_OutputSettings> ui;
    QString folder;
    ProfileTableRows profiles{};
    ConvertJob job;
};
