// A folder tree converted through the real main window, offscreen, for
// scripts/bench-library.sh (c).
//   quillmora_bench_library TOOLS FOLDER
// Chooses MP3 by its button (the file dialog cancelled), adds FOLDER by "Add
// Folder..." (answered through the prompt seam), presses Convert and waits for
// the result box, then for the kept list's write. The output folder is the one
// of the settings store. Prints one line:
//   <rows> <ms from Convert to the result box> <ms of CPU meanwhile: every
//   thread of the window and every tool it waited for> <ms until the kept
//   list was written> <rows in Successes>
#include "app/joblistkeeper.h"
#include "mainwindow/cquillmora.h"
#include "tests/mainwindow/scriptedprompts.h"
#include "tests/mainwindow/testaccess.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QLoggingCategory>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <sys/resource.h>

#include <cstdio>

namespace {

// CPU time of the process and of the children it has waited for.
qint64 cpuMs()
{
    qint64 total = 0;
    for (int who : {RUSAGE_SELF, RUSAGE_CHILDREN}) {
        rusage usage{};
        getrusage(who, &usage);
        for (const timeval &t : {usage.ru_utime, usage.ru_stime})
            total += qint64(t.tv_sec) * 1000 + t.tv_usec / 1000;
    }
    return total;
}

// Runs the event loop until done() holds, looking every 10 ms. processEvents
// with a time limit does not wait: it would spin and bill the window for it.
void waitUntil(const std::function<bool()> &done)
{
    if (done())
        return;
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    look.start(10);
    loop.exec();
}

int bench(const QString &tools, const QString &folder)
{
    ScriptedPrompts prompts;
    CQuillmora window;
    window.setToolsFolder(tools);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        std::fprintf(stderr, "the window was never shown\n");
        return 1;
    }
    CQuillmoraTestAccess access(window);
    window.findChild<QToolButton *>(QStringLiteral("btnMP3"))->click();
    prompts.folderAnswers << folder;
    access.action(WindowAction::AddFolder)->trigger();
    waitUntil([&] { return !access.adding(); });
    const int rows = access.rowCount();

    QElapsedTimer clock;
    clock.start();
    const qint64 cpuBefore = cpuMs();
    access.action(WindowAction::Convert)->trigger();
    waitUntil([&] { return prompts.count(QStringLiteral("dialog")) == 1; });
    const qint64 boxAt = clock.elapsed();
    const qint64 cpu = cpuMs() - cpuBefore;
    auto *keeper = window.findChild<JobListKeeper *>();
    waitUntil([&] { return !access.busy() && (!keeper || keeper->isIdle()); });
    const qint64 keptAt = clock.elapsed();

    int succeeded = 0;
    for (int row = 0; row < rows; ++row)
        succeeded += access.cell(row, 2) == QLatin1String("Successes");
    std::printf("%d %lld %lld %lld %d\n", rows, static_cast<long long>(boxAt),
                static_cast<long long>(cpu), static_cast<long long>(keptAt), succeeded);
    prompts.questionAnswers << true; // leaving with a finished list
    window.close();
    return succeeded == rows && rows > 0 ? 0 : 1;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    const QStringList arguments = app.arguments();
    if (arguments.size() != 3) {
        std::fprintf(stderr, "usage: quillmora_bench_library TOOLS FOLDER\n");
        return 2;
    }
    return bench(arguments[1], arguments[2]);
}
