#pragma once

#include "app/convertjob.h"

#include <QDialog>
#include <QList>
#include <QString>

#include <memory>

class Ui_DemoPlayer; // the form, made by uic from demoplayer.ui
class VlcInstance;
class VlcMedia;
class VlcMediaPlayer;

// The preview and edit dialog: plays the jobs of a copy of the job list one at
// a time and edits their trim, effects, watermark and subtitles. Each tab's
// Apply writes into the copy; the caller takes jobList() back only when the
// dialog was accepted.
class DemoPlayer : public QDialog
{
    Q_OBJECT

public:
    explicit DemoPlayer(QWidget *parent = nullptr, Qt::WindowFlags f = Qt::WindowFlags());
    ~DemoPlayer() override;

    // Takes the copy of the list and opens the job at index.
    void setJobs(const QList<ConvertJob> &jobs, int index);
    QList<ConvertJob> jobList() const { return jobCopy; }

    // How long a file may take to start playing before it is given up.
    static constexpr int playbackWaitMs = 4000;

protected:
    void closeEvent(QCloseEvent *event) override;

private slots:
    void onPlayButtonClicked();
    void onBeforeButtonClicked();
    void onNextButtonClicked();
    void onStartTimeButtonClicked();
    void onEndTimeButtonClicked();
    void onApplyButtonClicked();
    void onCancelButtonClicked();
    void onCLWButtonClicked();
    void onCWButtonClicked();
    void onVFlipButtonClicked();
    void onHFlipButtonClicked();
    void onEffectApplyButtonClicked();
    void onWatermarkApplyButtonClicked();
    void onImagePathSelect();
    void onSubtitlePathSelect();
    void onSubtitleFindButtonClicked();
    void onSubtitleApplyButtonClicked();
    void onEffectionItemsChanges();
    void onWatermarkItemsChanges();
    void onSubtitleItemsChanges();

private:
    friend class DemoPlayerTestAccess;

    // What the tab controls are compared with: the values last loaded from or
    // written to the current job.
    struct Applied {
        int volume = 0;
        int brightness = 0;
        int contrast = 0;
        int saturation = 0;
        WatermarkOptions watermark;
        QString subtitlePath;
        int subtitleCodePage = 0;
        int subtitleFontSize = 14;
    };

    void fillLists();
    void nameEditableLists();
    void connectControls();

    void openCurrentJob(const QString &path);
    void setJobEditable(bool editable);
    void loadEditOptions();
    void updatePlayIcon();
    ConvertJob &current() { return jobCopy[currentJob]; }

    // Effect tab.
    void previewEffects(int brightness, int contrast, int saturation, int volume);
    bool effectsPending() const;

    // Watermark tab.
    WatermarkOptions watermarkFromControls() const;
    QString watermarkFontName() const;
    void previewWatermark(const WatermarkOptions &mark);
    bool watermarkDiffers(const WatermarkOptions &mark) const;

    // Subtitle tab.
    void previewSubtitle(const QString &path, int codePage, int size);
    bool subtitleDiffers(const QString &path, int codePage, int size) const;

    std::unique_ptr<Ui_DemoPlayer> ui;
    VlcInstance *vlcInstance = nullptr;
    VlcMediaPlayer *mediaPlayer = nullptr;
    VlcMedia *media = nullptr;

    QList<ConvertJob> jobCopy;
    int currentJob = 0;
    bool playing = false;
    int startTime = 0;
    int endTime = 0;
    int rotation = 0;
    int verticalFlip = 0;
    int horizontalFlip = 0;
    Applied applied;
    // The watermark font list's family for the loaded font name: fonts the
    // system lacks are shown as a substitute but keep their stored name.
    QString loadedFontFamily;
};
