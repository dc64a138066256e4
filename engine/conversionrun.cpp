#include "engine/conversionrun.h"

#include "engine/conversionpass.h"
#include "engine/filedates.h"
#include "engine/fitrefusal.h"
#include "engine/imagearguments.h"
#include "engine/jobqueue.h"
#include "engine/joinparts.h"
#include "engine/joinworkspace.h"
#include "engine/jobslots.h"
#include "engine/outputnames.h"
#include "engine/passworkspace.h"
#include "engine/probemodule.h"
#include "engine/progresspoller.h"
#include "engine/qualityreport.h"
#include "engine/toolprocess.h"
#include "engine/transcoderarguments.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMutexLocker>
#include <QThread>

#include <algorithm>

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

// Makes the folder an output goes into (a tree mirrored below the output
// folder); why it cannot, or empty.
QString makeFolderOf(const QString &output)
{
    const QString folder = QFileInfo(output).absolutePath();
    if (QDir().mkpath(folder))
        return QString();
    return QCoreApplication::translate("ConversionRun", "Cannot create the folder %1.").arg(folder);
}

QString stoppedText()
{
    return QCoreApplication::translate("ConversionRun", "The conversion was stopped.");
}

QString failureText(const ToolExit &exit, const QString &program)
{
    const QString tool = QFileInfo(program).fileName();
    if (!exit.started)
        return QCoreApplication::translate("ConversionRun", "Cannot start %1: %2").arg(program, exit.errorText);
    if (exit.stopped)
        return stoppedText();
    if (const QString refused = fitrefusal::reason(exit.reports); !refused.isEmpty())
        return refused;
    const QString errors = lastLines(exit.errorText);
    // What a crashed tool printed before is no reason of its own.
    if (!exit.normalExit) {
        const QString crashed =
            QCoreApplication::translate("ConversionRun", "%1 crashed.").arg(tool);
        return errors.isEmpty() ? crashed : errors + u'\n' + crashed;
    }
    if (!errors.isEmpty())
        return errors;
    return QCoreApplication::translate("ConversionRun", "%1 failed with exit code %2.").arg(tool).arg(exit.exitCode);
}

} // namespace

struct ConversionRun::PassOutcome {
    int state = Failed;
    QString reason;
    QString writtenPath;   // of a pass that succeeded: where the tool put the file
    QString copiedStreams; // what the tool says it copied
    QString quality;       // what the quality check says, when asked for
};

ConversionRun::ConversionRun(JobQueue &queue, RunObserver &runObserver, RunSettings runSettings)
    : jobs(queue), observer(runObserver), settings(std::move(runSettings)),
      jobSlots(runSlotCount(settings.jobsAtOnce, settings.cores > 0 ? settings.cores : QThread::idealThreadCount()))
{
    const QString firstBlock = settings.progressBlock.isEmpty() ? ProgressShare::nameOf(ProgressShare::Block::Ffmpeg)
                                                                : settings.progressBlock;
    for (int place = 0; place < jobSlots.count(); ++place) {
        progressBlockNames << (place == 0 ? firstBlock : firstBlock + u'-' + QString::number(place));
        progressBlocks.push_back(std::make_unique<ProgressShare>());
        progressBlocks.back()->open(progressBlockNames.last());
        // The shared per-user block may be another window's, whose running figure stays.
        if (place > 0 || !settings.progressBlock.isEmpty())
            progressBlocks.back()->clear();
    }
    convertBlock.open(settings.convertBlock.isEmpty() ? ProgressShare::nameOf(ProgressShare::Block::Convert)
                                                      : settings.convertBlock);
}

ConversionRun::~ConversionRun()
{
    // The blocks of the places after the first are the run's own.
    for (int place = 1; place < jobSlots.count(); ++place)
        ProgressShare::remove(progressBlockNames[place]);
}

void ConversionRun::run()
{
    std::vector<std::unique_ptr<QThread>> threads;
    jobs.setAppendedHook([this] { jobSlots.wake(); });
    int row = 0;
    while (!stopped) {
        const int changes = jobSlots.changes();
        if (row >= jobs.count()) {
            // Rows added while jobs run start as soon as a slot is free.
            if (!jobSlots.waitForChange(changes) && row >= jobs.count())
                break;
            continue;
        }
        ConvertJob job = jobs.at(row);
        if (jobIsDone(job.state) || skipWhenUpToDate(row, job)) {
            ++row;
            continue;
        }
        const int taken = slotsTakenBy(job, settings.jobsAtOnce, jobSlots.count());
        const int place = jobSlots.acquire(taken);
        if (place < 0)
            break;
        bool replace = false;
        if (!chooseOutput(row, &job, &replace)) {
            jobSlots.release(taken, place);
            break;
        }
        // Ended jobs' threads go, so that a long list holds no more than are running.
        threads.erase(std::remove_if(threads.begin(), threads.end(),
                                     [](const std::unique_ptr<QThread> &thread) { return thread->wait(0); }),
                      threads.end());
        threads.emplace_back(QThread::create([this, row, job, replace, place, taken] {
            runRow(row, job, replace, place);
            jobSlots.release(taken, place);
        }));
        threads.back()->start();
        ++row;
    }
    jobs.setAppendedHook({});
    jobSlots.waitForAll();
    for (const std::unique_ptr<QThread> &thread : threads)
        thread->wait();
}

void ConversionRun::stop()
{
    stopped = true;
    jobSlots.stop();
    QMutexLocker lock(&processLock);
    for (ToolProcess *tool : std::as_const(runningTools))
        tool->requestStop();
}

bool ConversionRun::isStopped() const
{
    return stopped;
}

RunTotals ConversionRun::totals() const
{
    return {succeededRows.load(), failedRows.load()};
}

bool ConversionRun::skipWhenUpToDate(int row, const ConvertJob &job)
{
    if (!settings.skipUpToDate || job.outputPath.isEmpty())
        return false;
    const QStringList inputs = job.inputFiles.isEmpty() ? QStringList{job.inputPath} : job.inputFiles;
    {
        QMutexLocker lock(&namesLock);
        // Where its own name is an input of the list or an earlier job's of
        // this run (two inputs of one name), the job's output is the first
        // numbered name that is neither, as chooseOutput gave it the first time.
        const auto isItsOwn = [this](const QString &name) {
            return !reservedNames.contains(name) && !isAnInputOfTheList(name);
        };
        QString output = absolutePath(job.outputPath);
        if (!isItsOwn(output))
            output = firstNumberedPath(output, isItsOwn);
        if (!isOutputUpToDate(output, inputs))
            return false;
        reservedNames.insert(output);
    }
    reportState(row, UpToDate);
    ++succeededRows;
    return true;
}

bool ConversionRun::chooseOutput(int row, ConvertJob *job, bool *replace)
{
    *job = withAbsolutePaths(*job);
    QString &output = job->outputPath;
    if (output.isEmpty())
        return !stopped;
    QMutexLocker lock(&namesLock);
    // Never a file a job of the list reads, nor what an earlier job of this
    // run writes; anything else on disk only when the user says so.
    for (;;) {
        QString candidate = output;
        if (reservedNames.contains(candidate)) {
            candidate = firstNumberedPath(output, [this](const QString &name) {
                return !reservedNames.contains(name) && !isAnInputOfTheList(name);
            });
        }
        if (isAnInputOfTheList(candidate)) {
            output = uniqueOutputPath(output, reservedNames);
            break;
        }
        if (!outputPathTaken(candidate)) {
            output = candidate;
            break;
        }
        lock.unlock();
        const bool yes = observer.confirmOverwrite(row, candidate);
        lock.relock();
        if (reservedNames.contains(candidate))
            continue; // a running job's tool put its file there meanwhile
        *replace = yes;
        output = yes ? candidate : uniqueOutputPath(output, reservedNames);
        break;
    }
    reservedNames.insert(output);
    return !stopped;
}

bool ConversionRun::isAnInputOfTheList(const QString &path)
{
    // Nothing there is nobody's input; the list is looked at only once a name is taken.
    if (!outputPathTaken(path))
        return false;
    for (const int rows = jobs.count(); inputsSeen < rows; ++inputsSeen) {
        const ConvertJob job = jobs.at(inputsSeen);
        listInputs.add(job.inputPath);
        for (const QString &input : job.inputFiles)
            listInputs.add(input);
    }
    return listInputs.contains(path);
}

void ConversionRun::runRow(int row, ConvertJob job, bool replace, int place)
{
    PassOutcome outcome;
    if (job.inputFiles.size() >= 2)
        outcome = runJoin(row, job, replace, place);
    else
        outcome = runPass(row, job, {job.inputFiles.value(0, job.inputPath), job.outputPath, PassKind::Single, replace},
                          place, makeFolderOf(job.outputPath));
    if (outcome.state == Succeeded && settings.keepSourceDates)
        copyModificationTime(job.inputFiles.value(0, job.inputPath), outcome.writtenPath);
    ++(outcome.state == Succeeded ? succeededRows : failedRows);
}

ConversionRun::PassOutcome ConversionRun::runJoin(int row, const ConvertJob &job, bool replaceExisting, int place)
{
    const ConvertJob parts = withJoinPartFormat(job);
    const int partCount = job.inputFiles.size();
    JoinWorkspace workspace(QFileInfo(job.outputPath).absolutePath(), joinKindOf(job.profile));
    const ConversionPass joinPass{workspace.listFilePath(), job.outputPath, PassKind::JoinFinal, replaceExisting};
    if (!workspace.isValid())
        return runPass(row, parts, joinPass, place, workspace.errorString());

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
        outcome = runPass(row, parts, {input, workspace.partPath(part), PassKind::JoinPart, true}, place, setupError);
        if (outcome.state != Succeeded && partFailure.isEmpty())
            partFailure = QCoreApplication::translate("ConversionRun", "%1: %2").arg(QFileInfo(input).fileName(), outcome.reason);
        const QStringList copied = outcome.copiedStreams.split(u',', Qt::SkipEmptyParts);
        if (part == 0)
            partsCopied = copied;
        partsCopied.removeIf([&](const QString &stream) { return !copied.contains(stream); });
    }
    if (!stopped) {
        outcome = runPass(row, parts, joinPass, place, QString(), partFailure, partsCopied.join(u','));
    } else {
        // Stopped before the join pass: the joined file was never written.
        outcome = {Failed, stoppedText(), QString(), QString()};
        reportEnd(row, outcome);
    }
    workspace.remove();
    return outcome;
}

ConversionRun::PassOutcome ConversionRun::runPass(int row, const ConvertJob &job, const ConversionPass &pass,
                                                  int place, const QString &setupError, const QString &earlierFailure,
                                                  const QString &partsCopied)
{
    {
        QMutexLocker lock(&observerLock);
        observer.passStarted(row);
    }
    PassOutcome outcome;
    {
        ProgressShare &progressBlock = *progressBlocks[place];
        ProgressPoller poller(
            progressBlock, settings.pollIntervalMs, [this] { return !stopped; },
            [this, row](int percent) {
                QMutexLocker lock(&observerLock);
                observer.progress(row, percent);
            });
        reportState(row, Converting);
        outcome = setupError.isEmpty() ? runTool(job, pass, place) : PassOutcome{Failed, setupError, QString(), QString()};
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
        observer.passEnded(row);
    }
    progressBlocks[place]->clear();
    convertBlock.clear();
    return outcome;
}

ConversionRun::PassOutcome ConversionRun::runTool(const ConvertJob &job, const ConversionPass &pass, int place)
{
    const bool image = job.profile.category == Image;
    const QString program = settings.toolsFolder
                            + (image ? QStringLiteral("/imageconvert/convert") : QStringLiteral("/transcoder"));
    QStringList arguments = image ? buildImageArguments(pass) : buildTranscoderArguments(job, pass);
    // Read here, where FFmpeg's libraries stay loaded, so that the transcoder
    // starts without them; but a lone job would load them here for nothing
    // more, and the transcoder needs them itself to copy streams.
    const bool probeHere = ProbeModule::isLoaded(settings.toolsFolder) || jobs.count() > 1;
    if (!image && pass.kind != PassKind::JoinFinal && probeHere)
        arguments = withProbedFacts(arguments, settings.toolsFolder, [this] { return stopped.load(); });
    if (settings.checkQuality && passChecksQuality(job, pass))
        arguments.prepend(QStringLiteral("--check-quality")); // the transcoder's own options come first

    const PassWorkspace workspace(job, pass);
    if (!workspace.isValid())
        return {Failed, workspace.errorString(), QString(), QString()};

    QProcessEnvironment environment = settings.environment;
    environment.insert(QStringLiteral("QUILLMORA_PROGRESS_BLOCK"), progressBlockNames[place]);
    ToolProcess process;
    process.setWorkingDirectory(workspace.path());
    process.setEnvironment(environment);
    process.setGraceMs(settings.stopGraceMs);
    {
        // Under the lock, Stop either sees this process or this pass sees Stop.
        QMutexLocker lock(&processLock);
        if (stopped)
            return {Failed, stoppedText(), QString(), QString()};
        runningTools.insert(&process);
    }
    process.start(program, arguments);
    const ToolExit exit = process.waitForExit();
    {
        QMutexLocker lock(&processLock);
        runningTools.remove(&process);
    }
    // Exit code 0 means the file is written, also when Stop came too late for the tool.
    if (exit.succeeded())
        return {Succeeded, QString(), exit.reports.value(QStringLiteral("output"), pass.outputPath),
                exit.reports.value(QStringLiteral("copied")),
                settings.checkQuality ? qualityReportText(job, pass, exit.reports) : QString()};
    ToolExit seen = exit;
    seen.stopped = exit.stopped || stopped;
    return {Failed, failureText(seen, program), QString(), QString()};
}

void ConversionRun::reportEnd(int row, const PassOutcome &outcome)
{
    if (outcome.state == Succeeded && outcome.writtenPath != absolutePath(jobs.at(row).outputPath)) {
        jobs.setOutputPath(row, outcome.writtenPath);
        {
            QMutexLocker lock(&namesLock);
            reservedNames.insert(outcome.writtenPath);
        }
        QMutexLocker lock(&observerLock);
        observer.outputRenamed(row, outcome.writtenPath);
    }
    if (outcome.state == Succeeded && !outcome.copiedStreams.isEmpty()) {
        QMutexLocker lock(&observerLock);
        observer.streamsCopied(row, outcome.copiedStreams);
    }
    if (outcome.state == Succeeded && !outcome.quality.isEmpty()) {
        QMutexLocker lock(&observerLock);
        observer.qualityChecked(row, outcome.quality);
    }
    if (outcome.state != Succeeded) {
        QMutexLocker lock(&observerLock);
        observer.failureReason(row, outcome.reason);
    }
    reportState(row, outcome.state);
}

void ConversionRun::reportState(int row, int state)
{
    jobs.setState(row, state);
    QMutexLocker lock(&observerLock);
    observer.stateChanged(row, state);
}
