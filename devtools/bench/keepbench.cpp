// The kept job list of the real main window, offscreen, for scripts/bench-keep.sh.
//   quillmora_bench_keep fill N FOLDER    adds FOLDER/clip000000.wav ... (N of them), waits
//                                         until the list is on disk and ends as a killed
//                                         window does, leaving it for the next start
//   quillmora_bench_keep restore          restores what an ended window left (Yes to the
//                                         question), then changes one row's state
// "fill" prints: fill <n> <ms until every row was there> <ms until the list was on disk>
// "restore" prints: restore <jobs> <ms to restore> <ms of CPU, all threads, to restore>
//   <MB the restore grew the peak by>
//   <MB peak of the process> <ms until the restored list was written>
//   <ms from a state change until another connection reads it> <ms of the writer's CPU for it>
#include "app/joblistkeeper.h"
#include "app/unfinishedjobs.h"
#include "devtools/bench/memoryfigures.h"
#include "mainwindow/cquillmora.h"
#include "tests/mainwindow/scriptedprompts.h"
#include "tests/mainwindow/testaccess.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QThread>

#include <cstdio>
#include <cstdlib>

#include <sys/resource.h>

namespace {

// The CPU time, in ns, of this process's thread of the name (the kept list's writer).
qint64 threadCpuNs(const QByteArray &name)
{
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &task : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile comm(tasks.filePath(task + QStringLiteral("/comm")));
        QFile schedstat(tasks.filePath(task + QStringLiteral("/schedstat")));
        if (comm.open(QIODevice::ReadOnly) && comm.readAll().trimmed() == name
            && schedstat.open(QIODevice::ReadOnly))
            return schedstat.readAll().split(' ').first().toLongLong();
    }
    return -1;
}

// The CPU time of every thread of the process so far.
qint64 processCpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return (qint64(usage.ru_utime.tv_sec) + usage.ru_stime.tv_sec) * 1000
           + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000;
}

// Sleeps between events (with a time limit the call would spin, taking a
// core from the writer).
void waitUntilIdle(JobListKeeper &keeper)
{
    while (!keeper.isIdle())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
}

int fill(int n, const QString &folder)
{
    QStringList paths;
    for (int i = 0; i < n; ++i)
        paths << folder + QStringLiteral("/clip%1.wav").arg(i, 6, 10, QLatin1Char('0'));
    ScriptedPrompts prompts;
    CQuillmora window;
    auto *keeper = window.findChild<JobListKeeper *>();
    QElapsedTimer clock;
    clock.start();
    window.openFiles(paths);
    while (window.jobQueue().count() < n)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    const qint64 addedMs = clock.elapsed();
    waitUntilIdle(*keeper);
    std::printf("fill %d %lld %lld\n", n, static_cast<long long>(addedMs),
                static_cast<long long>(clock.elapsed()));
    std::fflush(stdout);
    std::_Exit(0); // as a killed window: the list stays, owned by a process that has ended
}

int restore()
{
    ScriptedPrompts prompts;
    prompts.questionAnswers << true;
    CQuillmora window;
    auto *keeper = window.findChild<JobListKeeper *>();
    QCoreApplication::processEvents();
    QThread::msleep(200); // the store has opened

    const qint64 before = statusBytes("VmRSS");
    resetPeak();
    QElapsedTimer clock;
    clock.start();
    const qint64 cpuAtStart = processCpuMs();
    const int restored = window.offerUnfinishedJobs();
    const qint64 restoreMs = clock.elapsed();
    const qint64 restoreCpuMs = processCpuMs() - cpuAtStart;
    const qint64 peak = statusBytes("VmHWM");
    waitUntilIdle(*keeper);
    const qint64 writtenMs = clock.elapsed();

    // Another connection, as the next start would read it.
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("look"));
    db.setDatabaseName(unfinishedJobsFolder() + QStringLiteral("/unfinished-jobs.db"));
    db.open();
    const auto stateOnDisk = [&db](int id) {
        QSqlQuery query(db);
        query.prepare(QStringLiteral(
            "SELECT state FROM jobs WHERE id = ? AND list = (SELECT max(id) FROM lists)"));
        query.addBindValue(id);
        return query.exec() && query.next() ? query.value(0).toInt() : -1;
    };
    const int row = restored / 2;
    QThread::msleep(JobListKeeper::IntervalMs + 200); // past the writer's pause
    const qint64 cpuBefore = threadCpuNs("kept jobs");
    clock.restart();
    CQuillmoraTestAccess(window).table()->setState(row, Failed);
    while (stateOnDisk(row + 1) != Failed && clock.elapsed() < 10000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    const qint64 changeMs = clock.elapsed();
    waitUntilIdle(*keeper);
    const qint64 cpuAfter = threadCpuNs("kept jobs");

    std::printf("restore %d %lld %lld %.0f %.0f %lld %lld %.1f\n", restored,
                static_cast<long long>(restoreMs), static_cast<long long>(restoreCpuMs),
                (peak - before) / 1e6, peak / 1e6, static_cast<long long>(writtenMs),
                static_cast<long long>(changeMs), (cpuAfter - cpuBefore) / 1e6);
    return restored > 0 && changeMs < 10000 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    const QStringList arguments = app.arguments();
    if (arguments.value(1) == QLatin1String("fill") && arguments.size() == 4)
        return fill(arguments[2].toInt(), arguments[3]);
    if (arguments.value(1) == QLatin1String("restore"))
        return restore();
    std::fprintf(stderr, "usage: quillmora_bench_keep fill N FOLDER | restore\n");
    return 2;
}
