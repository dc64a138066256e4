#pragma once

#include "engine/passrhythm.h"
#include "platform/processprogressblock.h"
#include "platform/progressshare.h"

#include <QObject>
#include <QString>

#include <atomic>
#include <memory>

class ConversionWorker;
class JobQueue;
class QCheckBox;
class QAbstractItemModel;
class QWidget;

// The window's settings that a run takes.
struct RunChoices {
    bool keepSourceDates = false; // each output takes its source's modification time
    int jobsAtOnce = 1;           // 0: automatic
    bool skipUpToDate = false;    // jobs whose outputs are up to date end "Up to date", unconverted
    bool checkQuality = false;    // video jobs are compared with their sources after the encode
};

// The window's side of a conversion run: starts and stops the run's thread,
// holds the progress blocks its tools write and gives the tools their
// environment, asks the overwrite question, and at the end shows the result
// box and the desktop notification and honours the shutdown check box.
//
// What the run tells about the rows comes out as signals named as the
// RunObserver calls, sent on the run's thread: connect them queued (or
// automatically). passStarted(), progress() and passEnded() come on the GUI
// thread instead, in the bars' rhythm (PassRhythm): the run does not wait for
// it. finished() comes on the GUI thread after all of them, once the last bar
// has gone.
class RunControl : public QObject
{
    Q_OBJECT

public:
    // The window: parent of the boxes and what the result box centres over;
    // the rows: the state texts of their stateColumn are what the result box counts.
    RunControl(QWidget &window, JobQueue &jobs, const QAbstractItemModel &rows, int stateColumn,
               const QCheckBox &shutDownBox);
    ~RunControl() override;

    // Where the conversion tools are.
    void setToolsFolder(const QString &folder) { toolsFolder = folder; }

    // Starts a run over the list; false while the last one is still busy.
    bool start(const RunChoices &choices);
    // Stop: no further pass starts and every running tool is asked to end.
    // The run stays busy until its last pass has ended (finished()).
    void stop();
    // Closing: stops, gives up a question or a result box still waiting, and
    // returns once the run's thread has ended; no shutdown and no finished() follow.
    void stopAndWait();

    // From start() until Stop or the end of the run: a row that fails
    // meanwhile shows "Failed", one that fails later "Stopped".
    bool isRunning() const { return running; }
    // From start() until finished(): the list must not change under the run
    // and its bars.
    bool isBusy() const { return busy; }

    // The desktop notification of a run's end, shown only while the window
    // is not the active one (the result box says it already).
    void notifyEnded(int succeeded, int failed);

    QString progressBlockName() const { return ffmpegBlock.name(); }
    QString convertBlockName() const { return convertBlock.name(); }

signals:
    void passStarted(int row);
    void progress(int row, int percent);
    void stateChanged(int row, int state);
    void failureReason(int row, const QString &reason);
    void outputRenamed(int row, const QString &writtenPath);
    void passEnded(int row);
    void streamsCopied(int row, const QString &streams);
    void qualityChecked(int row, const QString &text);
    // The run's last pass has ended and everything it told has been
    // delivered: the list may change again.
    void finished();

private:
    friend class CQuillmoraTestAccess;

    void connectWorker();
    void runEnded();
    bool askOverwrite(const QString &outputPath);
    bool showResult();

    QWidget &window;
    JobQueue &jobs;
    const QAbstractItemModel &rows;
    int stateColumn;
    const QCheckBox &shutDownBox;
    QString toolsFolder;
    std::atomic<bool> running{false};
    bool busy = false;

    // Named for this process, so that two windows never share a percentage.
    ProcessProgressBlock ffmpegBlock;
    ProcessProgressBlock convertBlock{ProgressShare::Block::Convert};
    ProgressShare ffmpegShare;
    ProgressShare convertShare;

    PassRhythm rhythm;
    std::unique_ptr<ConversionWorker> worker;
};
