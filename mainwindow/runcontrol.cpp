#include "mainwindow/runcontrol.h"

#include "app/installlayout.h"
#include "app/apptitle.h"
#include "engine/conversionworker.h"
#include "engine/cshowresult.h"
#include "platform/desktopnotification.h"
#include "platform/userprompts.h"

#include <QCheckBox>
#include <QWidget>

RunControl::RunControl(QWidget &ownerWindow, JobQueue &queue, const QAbstractItemModel &jobRows,
                       int jobStateColumn, const QCheckBox &shutDownCheck)
    : window(ownerWindow), jobs(queue), rows(jobRows), stateColumn(jobStateColumn),
      shutDownBox(shutDownCheck), toolsFolder(::toolsFolder())
{
    // Both blocks are this process's own, so clearing them zeroes no other window's figure.
    ffmpegShare.open(ffmpegBlock.name());
    ffmpegShare.clear();
    convertShare.open(convertBlock.name());
    convertShare.clear();
    connect(&rhythm, &PassRhythm::started, this, &RunControl::passStarted);
    connect(&rhythm, &PassRhythm::progressed, this, &RunControl::progress);
    connect(&rhythm, &PassRhythm::ended, this, &RunControl::passEnded);
}

RunControl::~RunControl()
{
    stopAndWait();
    // ffmpegBlock and convertBlock remove the named blocks themselves.
}

bool RunControl::start(const RunChoices &choices)
{
    // The last run may still be ending its passes or closing its result box.
    if (busy || (worker && worker->isRunning()))
        return false;
    worker.reset();
    running = true;
    busy = true;

    RunSettings settings;
    settings.toolsFolder = toolsFolder;
    settings.environment = toolEnvironment(toolsFolder);
    settings.progressBlock = ffmpegBlock.name();
    settings.convertBlock = convertBlock.name();
    settings.keepSourceDates = choices.keepSourceDates;
    settings.jobsAtOnce = choices.jobsAtOnce;
    settings.skipUpToDate = choices.skipUpToDate;
    settings.checkQuality = choices.checkQuality;
    worker = std::make_unique<ConversionWorker>(
        jobs, settings, this, [this](int, const QString &path) { return askOverwrite(path); },
        [this] { return showResult(); });
    connectWorker();
    worker->start();
    return true;
}

void RunControl::connectWorker()
{
    // The bars' calls go through their rhythm on the GUI thread; the rest is
    // sent on from the run's thread, so that all reach their receivers queued and in order.
    ConversionWorker *w = worker.get();
    connect(w, &ConversionWorker::passStarted, &rhythm, &PassRhythm::passStarted,
            Qt::QueuedConnection);
    connect(w, &ConversionWorker::progress, &rhythm, &PassRhythm::progress, Qt::QueuedConnection);
    connect(w, &ConversionWorker::passEnded, &rhythm, &PassRhythm::passEnded, Qt::QueuedConnection);
    connect(w, &ConversionWorker::stateChanged, this, &RunControl::stateChanged, Qt::DirectConnection);
    connect(w, &ConversionWorker::failureReason, this, &RunControl::failureReason, Qt::DirectConnection);
    connect(w, &ConversionWorker::outputRenamed, this, &RunControl::outputRenamed, Qt::DirectConnection);
    connect(w, &ConversionWorker::streamsCopied, this, &RunControl::streamsCopied, Qt::DirectConnection);
    connect(w, &ConversionWorker::qualityChecked, this, &RunControl::qualityChecked, Qt::DirectConnection);
    // Queued behind all of those; dropped with the worker when a close ends the run.
    connect(w, &ConversionWorker::runFinished, w, [this] { runEnded(); }, Qt::QueuedConnection);
}

void RunControl::stop()
{
    running = false;
    if (worker)
        worker->stop();
    ffmpegShare.clear();
    convertShare.clear();
}

void RunControl::stopAndWait()
{
    running = false;
    if (worker) {
        worker->stopAndWait();
        worker.reset();
    }
    rhythm.clear();
    busy = false; // the window is going: nothing waits for finished()
}

void RunControl::runEnded()
{
    running = false;
    rhythm.whenIdle([this] {
        busy = false;
        emit finished();
    });
}

bool RunControl::askOverwrite(const QString &outputPath)
{
    return userPrompts().question(&window, appTitle(),
                                  QStringLiteral("\n") + tr("Output file already exists! Do you want to overwrite?\n%1")
                                                             .arg(outputPath));
}

bool RunControl::showResult()
{
    // Queued behind the run's last state, so the rows read their final texts.
    CShowResult result;
    result.countRows(rows, stateColumn);
    notifyEnded(result.successCount, result.failureCount);
    result.setCounts();
    result.centreOver(window);
    userPrompts().runDialog(result);
    return shutDownBox.isChecked();
}

void RunControl::notifyEnded(int succeeded, int failed)
{
    if (window.isActiveWindow())
        return;
    showDesktopNotification(tr("Conversion finished"), tr("Succeeded: %1, failed: %2").arg(succeeded).arg(failed),
                            QStringLiteral(QUILLMORA_DESKTOP_ID));
}
