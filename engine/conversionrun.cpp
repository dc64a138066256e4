#include "engine/conversionrun.h"

#include "engine/conversionpass.h"
#include "engine/filedates.h"
#include "engine/imagearguments.h"
#include "engine/jobqueue.h"
#include "engine/joinparts.h"
#include "engine/joinworkspace.h"
#include "engine/outputnames.h"
#include "engine/passworkspace.h"
#include "engine/progresspoller.h"
#include "engine/toolprocess.h"
#include "engine/transcoderarguments.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMutexLocker>
#include <QThread>

namespace {

constexpr int reasonLines = 3;

QString absolutePath(const QString &path)
{
    return path.isEmpty() ? path : QFileInfo(path).absoluteFilePath();
}

// The job as the tools are given it: relative paths are resolved here, since
// every tool runs in a working folder of its own.
ConvertJob withAbsolutePaths(ConvertJob job)
{
    job.inputPath = absolutePath(job.inputPath);
    job.outputPath = absolutePath(job.outputPath);
    for (QString &input : job.inputFiles)
        input = absolutePath(input);
    return job;
}

QString lastLines(const QString &text)
{
    QStringList lines = text.split(u'\n', Qt::SkipEmptyParts);
    while (lines.size() > reasonLines)
        lines.removeFirst();
    return lines.join(u'\n').trimmed();
}

QString stoppedText()
{
    return QCoreApplication::translate("ConversionRun", "The conversion was stopped.");
}

bool isOneOfItsInputs(const ConvertJob &job)
{
    for (const QString &input : job.inputFiles) {
        if (isSameFile(input, job.outputPath))
            return true;
    }
    return isSameFile(job.inputPath, job.outputPath);
}

QString failureText(const ToolExit &exit, const QString &program)
{
    const QString tool = QFileInfo(program).fileName();
    if (!exit.started)
        return QCoreApplication::translate("ConversionRun", "Cannot start %1: %2").arg(program, exit.errorText);
    if (exit.stopped)
        return stoppedText();
    const QString errors = lastLines(exit.errorText);
    if (!errors.isEmpty())
        return errors;
    if (!exit.normalExit)
        return QCoreApplication::translate("ConversionRun", "%1 crashed.").arg(tool);
    return QCoreApplication::translate("ConversionRun", "%1 failed with exit code %2.").arg(tool).arg(exit.exitCode);
}

} // namespace

struct ConversionRun::PassOutcome {
    int state = Failed;
    QString reason;
    QString writtenPath;   // of a pass that succeeded: where the tool put the file
    QString copiedStreams; // what the tool says it copied
};

ConversionRun::ConversionRun(JobQueue &queue, RunObserver &runObserver, RunSettings runSettings)
    : jobs(queue), observer(runObserver), settings(std::move(runSettings)),
      toolEnvironment(settings.environment)
{
    const QString blockName = settings.progressBlock.isEmpty()
                                  ? ProgressShare::nameOf(ProgressShare::Block::Ffmpeg)
                                  : settings.progressBlock;
    toolEnvironment.insert(QStringLiteral("QUILLMORA_PROGRESS_BLOCK"), blockName);
    progressBlock.open(blockName);
    convertBlock.open(settings.convertBlock.isEmpty() ? ProgressShare::nameOf(ProgressShare::Block::Convert)
                                                      : settings.convertBlock);
    // A block of the caller's own may hold what a dead tool left; the shared
    // per-user block may be another window's, whose running figure stays.
    if (!settings.progressBlock.isEmpty())
        progressBlock.clear();
}

ConversionRun::~ConversionRun() = default;

void ConversionRun::run()
{
    for (int row = 0; row < jobs.count() && !stopped; ++row)
        runRow(row);
}

void ConversionRun::stop()
{
    stopped = true;
    QMutexLocker lock(&processLock);
    if (currentProcess)
        currentProcess->requestStop();
}

bool ConversionRun::isStopped() const
{
    return stopped;
}

RunTotals ConversionRun::totals() const
{
    return {succeededRows.load(), failedRows.load()};
}

void ConversionRun::runRow(int row)
{
    ConvertJob job = jobs.at(row);
    if (job.state == Succeeded)
        return;
    job = withAbsolutePaths(job);

    // A job never replaces its own input; anything else only when the user says so.
    bool replace = false;
    if (isOneOfItsInputs(job)) {
        job.outputPath = uniqueOutputPath(job.outputPath);
    } else if (!job.outputPath.isEmpty() && outputPathTaken(job.outputPath)) {
        QMutexLocker lock(&observerLock);
        replace = observer.confirmOverwrite(row, job.outputPath);
        if (!replace)
            job.outputPath = uniqueOutputPath(job.outputPath);
    }
    if (stopped)
        return;

    PassOutcome outcome;
    if (job.inputFiles.size() >= 2)
        outcome = runJoin(row, job, replace);
    else
        outcome = runPass(row, job, {job.inputFiles.value(0, job.inputPath), job.outputPath, PassKind::Single, replace});
    if (outcome.state == Succeeded && settings.keepSourceDates)
        copyModificationTime(job.inputFiles.value(0, job.inputPath), outcome.writtenPath);
    ++(outcome.state == Succeeded ? succeededRows : failedRows);
}

ConversionRun::PassOutcome ConversionRun::runJoin(int row, const ConvertJob &job, bool replaceExisting)
{
    const ConvertJob parts = withJoinPartFormat(job);
    const int partCount = job.inputFiles.size();
    JoinWorkspace workspace(QFileInfo(job.outputPath).absolutePath(), joinKindOf(job.profile));
    const ConversionPass joinPass{workspace.listFilePath(), job.outputPath, PassKind::JoinFinal, replaceExisting};
    if (!workspace.isValid())
        return runPass(row, parts, joinPass, workspace.errorString());

    PassOutcome outcome;
    // The join pass's own complaint names a part file; the part's says why.
    QString partFailure;
    // The row says a stream was copied only when every part copied it.
    QStringList partsCopied;
    for (int part = 0; part < partCount && !stopped; ++part) {
        // The line goes in before the part is converted, whether or not it succeeds.
        const QString setupError = workspace.appendPart(part) ? QString() : workspace.errorString();
        const QString &input = job.inputFiles.at(part);
        // The part files lie in the join's own folder.
        outcome = runPass(row, parts, {input, workspace.partPath(part), PassKind::JoinPart, true}, setupError);
        if (outcome.state != Succeeded && partFailure.isEmpty())
            partFailure = QCoreApplication::translate("ConversionRun", "%1: %2").arg(QFileInfo(input).fileName(), outcome.reason);
        const QStringList copied = outcome.copiedStreams.split(u',', Qt::SkipEmptyParts);
        if (part == 0)
            partsCopied = copied;
        partsCopied.removeIf([&](const QString &stream) { return !copied.contains(stream); });
    }
    if (!stopped) {
        outcome = runPass(row, parts, joinPass, QString(), partFailure, partsCopied.join(u','));
    } else {
        // Stopped before the join pass: the joined file was never written.
        outcome = {Failed, stoppedText(), QString(), QString()};
        reportEnd(row, outcome);
    }
    workspace.remove();
    return outcome;
}

ConversionRun::PassOutcome ConversionRun::runPass(int row, const ConvertJob &job, const ConversionPass &pass,
                                                  const QString &setupError, const QString &earlierFailure,
                                                  const QString &partsCopied)
{
    {
        QMutexLocker lock(&observerLock);
        observer.passStarted(row);
    }
    PassOutcome outcome;
    {
        ProgressPoller poller(
            progressBlock, settings.pollIntervalMs, [this] { return !stopped; },
            [this, row](int percent) {
                QMutexLocker lock(&observerLock);
                observer.progress(row, percent);
            });
        reportState(row, Converting);
        outcome = setupError.isEmpty() ? runTool(job, pass) : PassOutcome{Failed, setupError, QString(), QString()};
        if (outcome.state != Succeeded && !earlierFailure.isEmpty())
            outcome.reason = earlierFailure + u'\n' + outcome.reason;
        if (pass.kind == PassKind::JoinFinal)
            outcome.copiedStreams = partsCopied;
        // The parts of a join leave it Converting: it ends with its join pass.
        if (pass.kind != PassKind::JoinPart)
            reportEnd(row, outcome);
        // No value of this pass may follow its final 100.
        poller.stop();
    }
    {
        QMutexLocker lock(&observerLock);
        observer.progress(row, 100);
    }
    pause();
    {
        QMutexLocker lock(&observerLock);
        observer.passEnded(row);
    }
    pause();
    progressBlock.clear();
    convertBlock.clear();
    return outcome;
}

ConversionRun::PassOutcome ConversionRun::runTool(const ConvertJob &job, const ConversionPass &pass)
{
    const bool image = job.profile.category == Image;
    const QString program = settings.toolsFolder
                            + (image ? QStringLiteral("/imageconvert/convert") : QStringLiteral("/transcoder"));
    const QStringList arguments = image ? buildImageArguments(pass) : buildTranscoderArguments(job, pass);

    const PassWorkspace workspace(job, pass);
    if (!workspace.isValid())
        return {Failed, workspace.errorString(), QString(), QString()};

    ToolProcess process;
    process.setWorkingDirectory(workspace.path());
    process.setEnvironment(toolEnvironment);
    process.setGraceMs(settings.stopGraceMs);
    {
        // Under the lock, Stop either sees this process or this pass sees Stop.
        QMutexLocker lock(&processLock);
        if (stopped)
            return {Failed, stoppedText(), QString(), QString()};
        currentProcess = &process;
    }
    process.start(program, arguments);
    const ToolExit exit = process.waitForExit();
    {
        QMutexLocker lock(&processLock);
        currentProcess = nullptr;
    }
    if (exit.succeeded() && !stopped)
        return {Succeeded, QString(), exit.reports.value(QStringLiteral("output"), pass.outputPath),
                exit.reports.value(QStringLiteral("copied"))};
    ToolExit seen = exit;
    seen.stopped = exit.stopped || stopped;
    return {Failed, failureText(seen, program), QString(), QString()};
}

void ConversionRun::reportEnd(int row, const PassOutcome &outcome)
{
    if (outcome.state == Succeeded && outcome.writtenPath != absolutePath(jobs.at(row).outputPath)) {
        jobs.setOutputPath(row, outcome.writtenPath);
        QMutexLocker lock(&observerLock);
        observer.outputRenamed(row, outcome.writtenPath);
    }
    if (outcome.state != Succeeded) {
        QMutexLocker lock(&observerLock);
        observer.failureReason(row, outcome.reason);
    }
    reportState(row, outcome.state);
    if (outcome.state == Succeeded && !outcome.copiedStreams.isEmpty()) {
        QMutexLocker lock(&observerLock);
        observer.streamsCopied(row, outcome.copiedStreams);
    }
}

void ConversionRun::reportState(int row, int state)
{
    jobs.setState(row, state);
    QMutexLocker lock(&observerLock);
    observer.stateChanged(row, state);
}

void ConversionRun::pause() const
{
    if (settings.passPauseMs > 0)
        QThread::msleep(settings.passPauseMs);
}
