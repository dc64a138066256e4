#include "batch/batchmode.h"

#include "app/installlayout.h"
#include "app/outputfolder.h"
#include "batch/batchplan.h"
#include "batch/batchreport.h"
#include "engine/conversionrun.h"
#include "engine/jobqueue.h"
#include "platform/interruptsignals.h"
#include "platform/processprogressblock.h"

#include <QThread>

#include <cstdio>
#include <unistd.h>

namespace {

RunSettings batchRunSettings(const QString &progressBlock, const CommandLineRequest &request)
{
    RunSettings settings;
    settings.keepSourceDates = request.keepDates;
    settings.jobsAtOnce = request.jobsAtOnce;
    settings.skipUpToDate = request.update;
    settings.checkQuality = request.checkQuality;
    settings.toolsFolder = toolsFolder();
    settings.environment = toolEnvironment(settings.toolsFolder);
    // A block of its own, so that a window of the same user is not disturbed.
    settings.progressBlock = progressBlock;
    return settings;
}

void printLine(std::FILE *stream, const QString &text)
{
    std::fputs((text + QLatin1Char('\n')).toLocal8Bit().constData(), stream);
    std::fflush(stream);
}

} // namespace

int BatchMode::run(const CommandLineRequest &request)
{
    if (!makeWritableFolder(request.outputFolder)) {
        printLine(stderr, tr("quillmora: cannot write into the output folder %1").arg(request.outputFolder));
        return 2;
    }
    setOutputFolder(request.outputFolder);

    const BatchPlan plan = BatchPlan::make(request);
    for (const BatchPlan::Refusal &refusal : plan.refused)
        printLine(stderr, tr("%1: failed: %2").arg(refusal.path, refusal.reason));

    // --update brings outputs up to date: the ones older than their sources are replaced.
    BatchReport report(plan.jobs, request.overwrite || request.update, stdout, stderr,
                       ::isatty(STDOUT_FILENO) == 1);
    int signalNumber = 0;
    if (!plan.jobs.isEmpty()) {
        JobQueue queue;
        queue.assign(plan.jobs);
        const ProcessProgressBlock progressBlock;
        const RunSettings settings = batchRunSettings(progressBlock.name(), request);
        ConversionRun conversion(queue, report, settings);

        InterruptSignals interrupts;
        QObject::connect(&interrupts, &InterruptSignals::signalled, [&](int) {
            report.message(tr("Stopping..."), true);
            conversion.stop();
        });
        std::unique_ptr<QThread> thread(QThread::create([&conversion] { conversion.run(); }));
        QObject::connect(thread.get(), &QThread::finished, QCoreApplication::instance(),
                         &QCoreApplication::quit, Qt::QueuedConnection);
        thread->start();
        QCoreApplication::exec();
        thread->wait();
        report.finish();
        signalNumber = interrupts.received();
    }

    const int total = int(plan.jobs.size() + plan.refused.size());
    const int failed = report.failed() + int(plan.refused.size());
    if (signalNumber != 0) {
        printLine(stderr, tr("Stopped: %1 of %2 jobs converted.").arg(report.succeeded()).arg(total));
        return 128 + signalNumber;
    }
    if (failed > 0) {
        printLine(stderr, tr("%1 of %2 jobs failed.").arg(failed).arg(total));
        return 1;
    }
    if (const int skipped = report.upToDate())
        printLine(stdout, tr("Done: %1 of %2 jobs converted, %3 up to date.")
                              .arg(total - skipped)
                              .arg(total)
                              .arg(skipped));
    else
        printLine(stdout, tr("Done: %1 of %2 jobs converted.").arg(total).arg(total));
    return 0;
}
