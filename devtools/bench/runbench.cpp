// Bench helper, not part of the product: runs the conversion run over the
// inputs given, as the window would, and prints when each row got its final
// state and its 100 (wall clock, ns since the epoch, to compare with a tool's
// own stamp of its exit) and the CPU time the progress poller's thread used.
//
//   quillmora_runbench [--poll-ms N] [--print-arguments]
//                      <tools folder> <format id> <output folder> <input>...
//
// --print-arguments prints the transcoder's arguments of each job, one per
// line, a blank line after each job, and runs nothing.

#include "app/convertjob.h"
#include "app/formats.h"
#include "engine/conversionpass.h"
#include "engine/conversionrun.h"
#include "engine/jobqueue.h"
#include "engine/transcoderarguments.h"
#include "platform/processprogressblock.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QMutex>
#include <QThread>

#include <cstdio>
#include <ctime>

namespace {

qint64 nowNs(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

class BenchObserver : public RunObserver
{
public:
    void passStarted(int) override
    {
        // The pass's own thread; the poller's values come from another.
        passThread = QThread::currentThread();
        pollerCpuNs = 0;
    }
    void progress(int row, int percent) override
    {
        if (QThread::currentThread() != passThread)
            pollerCpuNs = nowNs(CLOCK_THREAD_CPUTIME_ID);
        else if (percent == 100)
            hundredNs = nowNs(CLOCK_REALTIME);
        Q_UNUSED(row);
    }
    void stateChanged(int, int state) override
    {
        if (state != Converting) {
            finalState = state;
            stateNs = nowNs(CLOCK_REALTIME);
        }
    }
    void failureReason(int row, const QString &reason) override
    {
        std::fprintf(stderr, "row %d: %s\n", row, qPrintable(reason));
    }
    void outputRenamed(int, const QString &) override {}
    void passEnded(int row) override
    {
        std::printf("row %d state %d stateAt %lld hundredAt %lld pollerCpuUs %lld\n", row, finalState,
                    stateNs, hundredNs, pollerCpuNs / 1000);
        std::fflush(stdout);
    }
    void streamsCopied(int, const QString &) override {}
    void qualityChecked(int, const QString &) override {}
    bool confirmOverwrite(int, const QString &) override { return true; }

private:
    QThread *passThread = nullptr;
    int finalState = -1;
    qint64 stateNs = 0;
    qint64 hundredNs = 0;
    qint64 pollerCpuNs = 0;
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication application(argc, argv);
    QStringList arguments = application.arguments().mid(1);
    RunSettings settings;
    bool printOnly = false;
    while (!arguments.isEmpty() && arguments.first().startsWith(QLatin1String("--"))) {
        const QString option = arguments.takeFirst();
        if (option == QLatin1String("--print-arguments"))
            printOnly = true;
        else if (option == QLatin1String("--poll-ms") && !arguments.isEmpty())
            settings.pollIntervalMs = arguments.takeFirst().toInt();
    }
    if (arguments.size() < 4) {
        std::fprintf(stderr, "usage: quillmora_runbench [--poll-ms N] [--print-arguments] "
                             "<tools folder> <format id> <output folder> <input>...\n");
        return 2;
    }
    settings.toolsFolder = arguments.takeFirst();
    const int formatId = arguments.takeFirst().toInt();
    const QString outputFolder = arguments.takeFirst();

    JobQueue jobs;
    for (const QString &input : arguments) {
        ConvertJob job = makeJob(formatId, defaultProfile(formatId));
        job.inputPath = QFileInfo(input).absoluteFilePath();
        job.inputFiles = {job.inputPath};
        job.outputPath = outputFolder + u'/' + QFileInfo(input).completeBaseName() + formatExtension(formatId);
        if (printOnly) {
            for (const QString &argument :
                 buildTranscoderArguments(job, {job.inputPath, job.outputPath, PassKind::Single}))
                std::printf("%s\n", qPrintable(argument));
            std::printf("\n");
        }
        jobs.append(job);
    }
    if (printOnly)
        return 0;

    const ProcessProgressBlock block;
    settings.progressBlock = block.name();
    BenchObserver observer;
    ConversionRun run(jobs, observer, settings);
    QElapsedTimer clock;
    clock.start();
    run.run();
    const RunTotals totals = run.totals();
    std::printf("run wallMs %lld succeeded %d failed %d\n", clock.elapsed(), totals.succeeded, totals.failed);
    return totals.failed == 0 ? 0 : 1;
}
