// Starting, stopping and ending a conversion run, and the progress blocks its tools write.
#include "mainwindow/cquillmora.h"

#include "app/apptitle.h"
#include "engine/conversionworker.h"
#include "engine/cshowresult.h"
#include "platform/userprompts.h"

#include <QCheckBox>
#include <QTableWidget>

namespace {

constexpr int ProfileColumn = 2;

} // namespace

bool CQuillmora::onStart()
{
    // One run at a time: the last one may still be closing its result box.
    if (running || (worker && worker->isRunning()))
        return false;
    worker.reset();
    running = true;

    RunSettings settings;
    settings.toolsFolder = toolsFolder;
    settings.progressBlock = ffmpegBlock.name();
    settings.convertBlock = convertBlock.name();
    settings.keepSourceDates = keepSourceDates;
    worker = std::make_unique<ConversionWorker>(
        jobQueue(), settings, this, [this](int, const QString &) { return askOverwrite(); },
        [this] { return showRunResult(); });
    connectWorker(*worker);
    applyRunStartedState();
    worker->start();
    return true;
}

void CQuillmora::connectWorker(ConversionWorker &runWorker)
{
    // The window's own signals are sent from the run's thread, so that they
    // reach the slots queued and in order.
    connect(&runWorker, &ConversionWorker::insertProgressBar, this,
            [this](int row) {
                currentRow = row;
                emit sigInsertProgressBar(row);
            },
            Qt::DirectConnection);
    connect(&runWorker, &ConversionWorker::setProcValue, this, &CQuillmora::sigSetProcValue,
            Qt::DirectConnection);
    connect(&runWorker, &ConversionWorker::updateState, this, &CQuillmora::sigUpdateState,
            Qt::DirectConnection);
    connect(&runWorker, &ConversionWorker::removeProgressBar, this, &CQuillmora::sigRemoveProgressBar,
            Qt::DirectConnection);
    connect(&runWorker, &ConversionWorker::runFinished, this, &CQuillmora::sigFinished,
            Qt::DirectConnection);
    connect(&runWorker, &ConversionWorker::rowFailed, this, &CQuillmora::showFailureReason,
            Qt::QueuedConnection);
    connect(&runWorker, &ConversionWorker::rowCopiedStreams, this, &CQuillmora::showCopiedStreams,
            Qt::QueuedConnection);
}

void CQuillmora::onStop()
{
    running = false;
    if (worker)
        worker->stop();
    ffmpegShare.clear();
    convertShare.clear();
    applyRunStoppedState();
}

void CQuillmora::stopRunAndWait()
{
    if (running)
        onStop();
    if (worker) {
        worker->stopAndWait();
        worker.reset();
    }
}

bool CQuillmora::askOverwrite()
{
    return userPrompts().question(
        this, appTitle(), QStringLiteral("\n") + tr("Output file already exists! Do you want to overwrite?"));
}

bool CQuillmora::showRunResult()
{
    // Queued behind the run's last state, so the rows read their final texts.
    CShowResult result;
    result.countRows(*jobTable, ProfileColumn);
    notifyRunEnded(result.successCount, result.failureCount);
    result.setCounts();
    result.centreOver(*this);
    userPrompts().runDialog(result);
    return m_pChkShutDown->isChecked();
}

void CQuillmora::openProgressBlocks()
{
    // Both blocks are this process's own, so clearing them zeroes no other window's figure.
    ffmpegShare.open(ffmpegBlock.name());
    ffmpegShare.clear();
    convertShare.open(convertBlock.name());
    convertShare.clear();
}

void CQuillmora::releaseProgressBlocks()
{
    ffmpegShare.release();
    convertShare.release();
    // ffmpegBlock and convertBlock remove the named blocks themselves when the window goes.
}
