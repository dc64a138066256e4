// Start-up and language-switch timings of the main window, for
// scripts/bench-startup.sh.
//   quillmora_bench_startup startup         ms from launch to the window's first paint
//                                           (see firstpaint.h), as app/main.cpp starts it
//   quillmora_bench_startup language JOBS   ms per language switch with JOBS rows
// The settings store and home folder are whatever the environment says: the
// script points them at folders of its own.
#include "devtools/bench/firstpaint.h"
#include "mainwindow/cquillmora.h"
#include "tests/mainwindow/scriptedprompts.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QDropEvent>
#include <QElapsedTimer>
#include <QFile>
#include <QLoggingCategory>
#include <QMimeData>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include <cstdio>

namespace {

int startup(FirstPaintApplication &app)
{
    ScriptedPrompts prompts;
    CQuillmora window;
    app.watch(&window);
    window.show();
    window.offerUnfinishedJobs();
    window.openFiles({});
    return app.exec();
}

// Drops jobs video files on the window at once, as a file manager would.
bool addJobs(CQuillmora &window, int jobs, const QString &folder)
{
    QList<QUrl> urls;
    for (int i = 0; i < jobs; ++i) {
        const QString path = folder + QStringLiteral("/clip%1.mp4").arg(i, 4, 10, QLatin1Char('0'));
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly))
            return false;
        urls << QUrl::fromLocalFile(path);
    }
    QMimeData data;
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    return window.jobQueue().count() == jobs;
}

double timedSwitch(CQuillmora &window, const char *actionName)
{
    QElapsedTimer timer;
    timer.start();
    window.findChild<QAction *>(QLatin1String(actionName))->trigger();
    QCoreApplication::processEvents(); // the language change and the repaint it asks for
    return timer.nsecsElapsed() / 1e6;
}

int language(int jobs)
{
    QTemporaryDir folder;
    ScriptedPrompts prompts;
    CQuillmora window;
    window.show();
    if (!QTest::qWaitForWindowExposed(&window) || !addJobs(window, jobs, folder.path())) {
        std::fprintf(stderr, "the window did not show or took %d of %d jobs\n",
                     window.jobQueue().count(), jobs);
        return 1;
    }
    QDir::setCurrent(QStringLiteral(QUILLMORA_BUILD_DIR)); // where the build puts the translations
    QCoreApplication::processEvents();
    constexpr int Rounds = 5;
    double total = 0;
    for (int round = 0; round < Rounds; ++round) {
        total += timedSwitch(window, "actionChinese");
        total += timedSwitch(window, "actionJapanese");
        total += timedSwitch(window, "actionEnglish");
    }
    if (prompts.count(QStringLiteral("warning")) != 0) { // the figure would mean nothing
        std::fprintf(stderr, "%s\n", qPrintable(prompts.shown.first().text));
        return 1;
    }
    std::printf("%.2f\n", total / (3 * Rounds));
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    FirstPaintApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    const QString mode = argc > 1 ? QString::fromLatin1(argv[1]) : QString();
    if (mode == QLatin1String("startup"))
        return startup(app);
    if (mode == QLatin1String("language") && argc == 3)
        return language(QByteArray(argv[2]).toInt());
    std::fprintf(stderr, "usage: quillmora_bench_startup startup | language JOBS\n");
    return 2;
}
