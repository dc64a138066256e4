// Adding many files to the real main window, offscreen, for scripts/bench-add.sh.
//   quillmora_bench_add dialog|drop|open|folder N FOLDER [LIMIT_S]
// FOLDER holds the files clip000000.mp4 ... (at least N of them). "dialog"
// clicks the MP4 button and answers the file dialog with the N paths, "drop"
// drops them on the window, "open" hands them to openFiles() as "Open With"
// does; "folder" drops FOLDER itself, which then holds exactly N files, walked
// off the window's thread. Prints one line:
//   <mode> <n> <ms until every row is there> <longest ms the event loop was blocked>
//   <bytes of peak memory per job> <ms until the kept list was written>
//   <ms of CPU the GUI thread spent until every row was there>
// (on a busy machine the last one tells the add's own cost from the waiting).
// An add that takes longer than LIMIT_S seconds (default 600) is given up:
// the line then says how many rows were there.
#include "devtools/bench/memoryfigures.h"
#include "mainwindow/cquillmora.h"
#include "tests/mainwindow/scriptedprompts.h"

#if __has_include("app/joblistkeeper.h")
#include "app/joblistkeeper.h"
#define HAS_KEEPER 1
#endif

#include <QApplication>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QMimeData>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QUrl>

#include <atomic>
#include <cstdio>
#include <ctime>
#include <thread>

namespace {

qint64 threadCpuNs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

void drop(CQuillmora &window, QMimeData &data)
{
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    QDropEvent event(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &event);
}

int bench(const QString &mode, int n, const QString &folder, int limitSeconds)
{
    QStringList paths;
    QList<QUrl> urls;
    const bool dropped = mode == QLatin1String("drop") || mode == QLatin1String("folder");
    if (mode == QLatin1String("folder"))
        urls << QUrl::fromLocalFile(folder);
    for (int i = 0; i < n && mode != QLatin1String("folder"); ++i) {
        paths << folder + QStringLiteral("/clip%1.mp4").arg(i, 6, 10, QLatin1Char('0'));
        if (dropped)
            urls << QUrl::fromLocalFile(paths.last());
    }
    QMimeData data; // made by the file manager, before the drop
    data.setUrls(urls);
    urls.clear();

    ScriptedPrompts prompts;
    CQuillmora window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }
    QToolButton *mp4 = window.findChild<QToolButton *>(QStringLiteral("btnMP4"));
    if (mode == QLatin1String("dialog")) {
        prompts.fileAnswers << paths;
        paths.clear();
    }
    QCoreApplication::processEvents();

    // The old window adds all in one call: a watchdog gives up on it.
    std::atomic<bool> done{false};
    std::thread watchdog([&] {
        for (int waited = 0; waited < limitSeconds * 10 && !done; ++waited)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!done) {
            std::printf("%s %d gave-up-after-%ds rows=%d\n", qPrintable(mode), n, limitSeconds,
                        window.jobQueue().count());
            std::fflush(stdout);
            std::_Exit(3);
        }
    });

    const qint64 before = statusBytes("VmRSS");
    resetPeak();
    QElapsedTimer clock;
    qint64 lastTick = 0;
    qint64 longestGap = 0;
    qint64 addedAt = -1;
    qint64 cpuAtStart = 0;
    qint64 cpuUntilAdded = 0;
    QTimer ticker;
    ticker.setInterval(1);
    QObject::connect(&ticker, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longestGap = qMax(longestGap, now - lastTick);
        lastTick = now;
        if (addedAt < 0 && window.jobQueue().count() >= n) {
            addedAt = now;
            cpuUntilAdded = threadCpuNs() - cpuAtStart;
        }
    });

    QTimer::singleShot(0, &window, [&] {
        clock.start();
        cpuAtStart = threadCpuNs();
        ticker.start(); // its first tick comes after the add's first step
        if (mode == QLatin1String("dialog"))
            mp4->click();
        else if (dropped)
            drop(window, data);
        else
            window.openFiles(paths);
        if (window.jobQueue().count() >= n) {
            addedAt = clock.nsecsElapsed();
            cpuUntilAdded = threadCpuNs() - cpuAtStart;
        }
    });
    while (addedAt < 0)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // A few more ticks, so that a block right at the end is seen too.
    const qint64 until = clock.nsecsElapsed() + 50'000'000;
    while (clock.nsecsElapsed() < until)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);

    qint64 writtenAt = -1;
#ifdef HAS_KEEPER
    if (auto *keeper = window.findChild<JobListKeeper *>()) {
        while (!keeper->isIdle())
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
        writtenAt = clock.nsecsElapsed();
    }
#endif
    ticker.stop();
    done = true;
    watchdog.join();

    const qint64 peak = statusBytes("VmHWM");
    std::printf("%s %d %.1f %.1f %lld %.0f %.1f\n", qPrintable(mode), n, addedAt / 1e6,
                longestGap / 1e6, static_cast<long long>((peak - before) / n),
                writtenAt < 0 ? -1.0 : writtenAt / 1e6, cpuUntilAdded / 1e6);
    if (window.jobQueue().count() != n || prompts.count(QStringLiteral("warning")) != 0) {
        std::fprintf(stderr, "%d of %d rows, %d warnings\n", window.jobQueue().count(), n,
                     int(prompts.count(QStringLiteral("warning"))));
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    const QStringList arguments = app.arguments();
    if (arguments.size() < 4 || !QStringList({"dialog", "drop", "open", "folder"}).contains(arguments[1])) {
        std::fprintf(stderr, "usage: quillmora_bench_add dialog|drop|open|folder N FOLDER [LIMIT_S]\n");
        return 2;
    }
    return bench(arguments[1], arguments[2].toInt(), arguments[3],
                 arguments.size() > 4 ? arguments[4].toInt() : 600);
}
