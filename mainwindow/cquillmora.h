#pragma once

#include "app/convertjob.h"
#include "app/filebatch.h"
#include "app/keptjobstore.h"
#include "app/outputprofile.h"
#include "engine/jobqueue.h"
#include "engine/timeleft.h"
#include "mainwindow/formatchoices.h"
#include "mainwindow/runcontrol.h"

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <QTranslator>

#include <array>
#include <deque>
#include <functional>
#include <memory>

class CSettings;
class InterruptSignals;
class JobListKeeper;
class JobTable;
class QCheckBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QTabWidget;
class QToolBar;
class QToolButton;

// The actions of the menus, tool bars and the job table's context menu.
enum class WindowAction : int {
    RemoveItem, RemoveList, Convert, Stop, Edit, Setting,
    OutputFolder, English, Chinese, Japanese, About, Exit,
    KeepSourceDates, AddFolder, KeepFolderStructure, SkipConverted, CheckQuality,
};

constexpr int WindowActionCount = 17;

// The main window: format buttons, the job list and its progress display.
// The job list and the table have one row per job, in the same order.
class CQuillmora : public QMainWindow
{
    Q_OBJECT

public:
    explicit CQuillmora(QWidget *parent = nullptr);
    ~CQuillmora() override;

    // The job list, one job per table row; safe to read from the conversion thread.
    JobQueue &jobQueue() { return queue; }
    const JobQueue &jobQueue() const { return queue; }

    bool isRunning() const { return runControl->isRunning(); }
    RunControl &run() { return *runControl; }

    // Files of the command line or of the desktop's "Open With": each is
    // added as a drop adds it (same classification and format choice).
    void openFiles(const QStringList &paths);

    // At start: once the event loop runs (so that a signal while its
    // question is up ends the loop), offers the unfinished jobs, then opens the files.
    void startSession(const QStringList &files);

    // Offers back the jobs that windows which have closed or died left
    // unfinished, all in one question. Returns how many were restored.
    int offerUnfinishedJobs();

    // For closing: the list is kept on disk as it is, so the clearing that
    // follows does not forget the unfinished jobs.
    void keepJobListForNextStart();

    // Where the conversion tools are; the application's folder unless set.
    void setToolsFolder(const QString &folder) { runControl->setToolsFolder(folder); }

    // Stops a run and returns once its thread has ended; a question or result
    // box it still waited for is given up, and no shutdown follows.
    void stopRunAndWait() { runControl->stopAndWait(); }

    // SIGTERM, SIGHUP or SIGINT: stops a run as Stop does, keeps the job list
    // for the next start and quits, without asking; a question or box on
    // screen goes unanswered, and what its answer would do is not done.
    void quitOnSignal(int signalNumber);

signals:
    // The run's calls, always with the row first: the states from the
    // conversion thread, queued to the window; the bars' on the GUI thread, in
    // their rhythm (see RunControl). sigFinished comes on the GUI thread once
    // the run has ended and its last bar has gone.
    void sigSetProcValue(int row, int value);
    void sigUpdateState(int row, int state);
    void sigInsertProgressBar(int row);
    void sigRemoveProgressBar(int row);
    void sigFinished();

protected:
    void changeEvent(QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private slots:
    // Format selection: each records the choice and asks for files.
    void onSelectMP4();
    void onSelectFLV();
    void onSelectAVI();
    void onSelectASF();
    void onSelectDV();
    void onSelectMKV();
    void onSelectMOV();
    void onSelectMPG();
    void onSelectVOB();
    void onSelectWMV();
    void onSelectRM();
    void onSelectMP3();
    void onSelectAAC();
    void onSelectAC3();
    void onSelectMP2();
    void onSelectWMA();
    void onSelectAIFF();
    void onSelectAU();
    void onSelectM4A();
    void onSelectOGG();
    void onSelectFLAC();
    void onSelectJPEG();
    void onSelectPNG();
    void onSelectBMP();
    void onSelectGIF();
    void onSelectPCX();
    void onSelectTGA();
    void onSelectICO();
    void onSelectTIFF();
    void onSelectVideoMerge();
    void onSelectAudioMerge();
    void onSelectGifMerge();
    void onSelectAppleVideo();
    void onSelectAndroidVideo();
    void onSelectWebM();
    void onSelectHEVC();
    void onSelectAV1();
    void onSelectOpus();
    void onSelectWebP();
    void onSelectAVIF();

    // Job list.
    void onOpen();
    // "Add Folder...": the files under a chosen folder, with the current format.
    void onAddFolder();
    void onRemove();
    void onClearList();
    void onSelectItem(int row, int column);
    void onSelectTableWidget(int row, int column);
    void onGIFMerge();

    // Conversion run: Stop gives the list back only once the run has ended.
    bool onStart();
    void onStop();
    void onRunEnded();

    // Progress display, fed by the conversion thread's signals.
    void updateJobState(int row, int state);
    void insertProgressBar(int row);
    void removeProgressBar(int row);
    void setProcValue(int row, int value);
    // The tool's last error lines become the tooltip of a Failed row.
    void showFailureReason(int row, const QString &reason);
    // The row's file went under another name, which the run wrote into its
    // job: the row shows that one.
    void showWrittenName(int row);
    // A Succeeded row's tooltip says which streams were copied, not encoded again.
    void showCopiedStreams(int row, const QString &streams);
    // ... and, on a line of its own, what the quality check found.
    void showQualityCheck(int row, const QString &text);

    // Dialogs, output folder and language.
    void onSettings();
    void onEdit();
    void onAbout();
    void setOutFolder();
    void onOutFolder();
    // Whether converted files take their sources' modification time.
    void onKeepSourceDates(bool keep);
    // Whether files found in folders have their outputs in the same folders under the output folder.
    void onKeepFolderStructure(bool keep);
    // Whether a run leaves a job whose output is up to date unconverted.
    void onSkipConverted(bool skip);
    // Whether video jobs are compared with their sources after the encode.
    void onCheckQuality(bool check);
    void onSelectEnglish();
    void onSelectChinese();
    void onSelectJapanese();

    // Edit and Setting follow the current row: a video job while no run is active.
    void updateEditActions();

private:
    friend class CQuillmoraTestAccess;

    static constexpr int MenuCount = 5;
    static constexpr int SettingMenu = 2;

    // Construction steps.
    void useFusionStyle();
    void loadSettings();
    void saveSettings();
    void createOutputFolder();
    void createActions();
    void createMenus();
    // "Automatic", 1, 2, ... up to the number of cores, at the end of the Setting menu.
    void createJobsAtOnceMenu(QMenu *settingMenu);
    void createListTimeLeft();
    void showListTimeLeft();
    void createToolBars();
    void createCentralWidget();
    QWidget *createFormatColumn();
    QWidget *createOutputFolderRow();
    void createJobTable();
    void openOwnJobList();
    void sliceFileAdding();
    void connectRunSignals();
    void applyStartupLanguage(const QString &localeName);

    // Every translatable text; the few that read differently after a language change switch too.
    void applyTexts(bool languageChanged);
    void applyAccessibleNames();

    void selectFormat(FormatChoice choice);
    void selectProfileRow();

    bool addFileRow(const QString &path, ConvertJob &job);
    bool addJoinRow(const QStringList &paths, ConvertJob &job);
    // Files chosen, dropped or opened from outside, a batch at a time: the
    // files are looked at in slices of the event loop, then their jobs join
    // the table in one step, with one box for the files refused.
    void addFiles(FileBatch &&batch);
    void takePendingFiles(bool toTheEnd);
    void finishAdding(FileBatch &batch);

    void applyJobAddedState();
    void applyListEmptiedState();
    void applyRunStartedState();
    void applyRunStoppedState();
    void setFormatButtonsEnabled(bool enabled);

    // Everything a confirmed close does: the run ends, the list stays for the next start.
    void endSession();
    // Tells once what was wrong with the kept lists found at start.
    void tellAboutKeptLists(const KeptJobStore::Left &left);

    // Runs the settings dialog modally; true when it was accepted.
    bool runSettingsDialog(CSettings &dialog);

    void applyLanguageFile(const QString &fileName);
    void applyLanguage(const QString &fileName, const QString &fontFamily, int pointSize);

    QAction *action(WindowAction id) const { return actions[static_cast<int>(id)]; }

    JobQueue queue; // written on the GUI thread only, through jobTable
    // This window's kept list; written while the queue still exists.
    std::unique_ptr<JobListKeeper> keeper;
    bool sessionEnded = false; // the list is kept as it was; nothing more changes it
    std::deque<FileBatch> pendingFiles;
    // Brings the next slice of pendingFiles once the events waiting have had their turn.
    QTimer nextFileSlice;
    QString openFolder;
    bool keepSourceDates = false;
    bool keepFolderStructure = true;
    bool skipConverted = false;
    bool checkQuality = false;
    int jobsAtOnce = 0; // 0: automatic
    QTranslator translator;
    JobTable *jobTable = nullptr;
    // Replaces the settings dialog's modal run where no user can answer it.
    std::function<bool(CSettings &)> settingsDialogHook;

    int currentCategory = Video;
    int currentFormatId = FormatMP4;
    OutputProfile currentProfile = defaultProfile(FormatMP4);

    std::unique_ptr<RunControl> runControl;
    std::unique_ptr<InterruptSignals> interruptSignals;
    QHash<int, TimeLeftClock> barClocks; // of the rows with a bar
    ListTimeLeft listClock;              // of the whole run
    QLabel *listTimeLeft = nullptr;      // in the status bar

    std::array<QAction *, WindowActionCount> actions{};
    std::array<QMenu *, MenuCount> menus{};
    QMenu *jobsAtOnceMenu = nullptr;
    std::array<QToolButton *, FormatButtonCount> formatButtons{};
    QTabWidget *m_pFormatTabs = nullptr;
    QLabel *m_lblOutputFormat = nullptr;
    QLabel *m_lblOutFolder = nullptr;
    QLineEdit *m_pTxtOutFolder = nullptr;
    QPushButton *m_pBtnOutFolder = nullptr;
    QPushButton *m_pBtnOpenFolder = nullptr;
    QCheckBox *m_pChkShutDown = nullptr;
};
