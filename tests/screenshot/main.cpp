// Draws the README screenshot: the main window with a few jobs, beside the
// pages of its other format tabs. Run it on a real X server (see
// scripts/screenshot.sh): quillmora_screenshot [--run] OUTPUT.png [DEMO_HOME]
// With --run it draws a run in progress instead: rows done, failed and
// converting, and beside the window the converting row's bar at a few moments.
// DEMO_HOME, a folder that does not exist yet, becomes the home folder the
// window shows paths under; it is removed again at the end. Without it a
// temporary folder is used.
#include "mainwindow/cquillmora.h"
#include "tests/mainwindow/recordedshutdowns.h"
#include "tests/mainwindow/scriptedprompts.h"
#include "tests/screenshot/composition.h"
#include "tests/screenshot/demojobs.h"
#include "tests/screenshot/pagecheck.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

constexpr int VideoTab = 0;

int fail(const QString &message)
{
    std::fprintf(stderr, "quillmora_screenshot: %s\n", qPrintable(message));
    return 1;
}

// The demo home: made here and removed at the end, so that nothing of the
// user's is touched and the next run starts clean.
class DemoHome
{
public:
    explicit DemoHome(const QString &requested)
    {
        if (requested.isEmpty()) {
            temporary.emplace();
            if (temporary->isValid())
                path = temporary->path();
        } else if (QDir().mkdir(requested)) { // fails for anything already there
            path = QFileInfo(requested).absoluteFilePath();
            madeHere = true;
        }
    }
    ~DemoHome()
    {
        if (madeHere)
            QDir(path).removeRecursively();
    }
    DemoHome(const DemoHome &) = delete;
    DemoHome &operator=(const DemoHome &) = delete;

    QString path; // empty when it could not be made

private:
    std::optional<QTemporaryDir> temporary;
    bool madeHere = false;
};

// Every path the window shows, and its settings, under the demo home.
void useAsHome(const QString &home)
{
    qputenv("HOME", QFile::encodeName(home));
    for (const char *name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME"})
        qunsetenv(name);
    // Qt wants a private runtime folder and warns without one.
    const QString runtime = home + QStringLiteral("/.runtime");
    if (QDir().mkpath(runtime)) {
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime));
    }
}

int columnsWidth(const QTableWidget &table)
{
    int width = 0;
    for (int column = 0; column < table.columnCount(); ++column)
        width += table.columnWidth(column);
    return width;
}

// Grows the window until the Video page shows its whole column of buttons
// and the table all of its columns. A resize reaches the X server and comes
// back, hence the short waits.
void growToContents(QWidget &window, const QTabWidget &tabs, const QTableWidget &table)
{
    const auto *videoPage = qobject_cast<const QScrollArea *>(tabs.widget(VideoTab));
    for (int attempt = 0; attempt < 10; ++attempt) {
        const int missingHeight = videoPage->widget()->height() - videoPage->viewport()->height();
        const int missingWidth = columnsWidth(table) - table.viewport()->width();
        if (missingHeight <= 0 && missingWidth <= 0)
            return;
        const QSize wanted = window.size() + QSize(std::max(0, missingWidth), std::max(0, missingHeight));
        window.resize(wanted);
        if (!QTest::qWaitFor([&] { return window.size() == wanted; }, 1000))
            return; // held back by the screen; the page check says what is cut off
        QTest::qWait(50);
    }
}

// The current page, after the window has painted it.
QImage grabWhenShown(QWidget &widget)
{
    QTest::qWait(100);
    return widget.grab().toImage();
}

int save(const QImage &picture, const QString &outputPath)
{
    // Quality 0 asks the PNG writer for its strongest compression.
    if (!picture.save(outputPath, "PNG", 0))
        return fail(QStringLiteral("cannot write ") + outputPath);
    std::printf("%s: %dx%d\n", qPrintable(outputPath), picture.width(), picture.height());
    return 0;
}

// The window during a run, and the converting row's bar as it went on, level with that row.
int drawRunPicture(CQuillmora &window, QTableWidget &table, const QString &outputPath)
{
    // The list is what matters here: the window need not show every format button.
    const QSize compact(1500, 560);
    window.resize(compact);
    (void)QTest::qWaitFor([&] { return window.size() == compact; }, 1000);
    QList<QImage> bars;
    playRunInProgress(window, [&](QWidget &bar) { bars << grabWhenShown(bar); });
    const QImage windowImage = grabWhenShown(window);
    const QRect row = table.visualItemRect(table.item(RunInProgressRow, 0));
    const int rowTop = table.viewport()->mapTo(&window, row.topLeft()).y();
    return save(composeScreenshot(windowImage, rowTop, {stackEnlarged(bars, 2)}), outputPath);
}

} // namespace

int main(int argc, char **argv)
{
    const bool runPicture = argc > 1 && qstrcmp(argv[1], "--run") == 0;
    const int first = runPicture ? 2 : 1;
    if (argc - first < 1 || argc - first > 2) {
        std::fprintf(stderr, "usage: quillmora_screenshot [--run] OUTPUT.png [DEMO_HOME]\n");
        return 2;
    }
    const QString outputPath = QFile::decodeName(argv[first]);
    const QString requestedHome = argc - first == 2 ? QFile::decodeName(argv[first + 1]) : QString();
    DemoHome home(requestedHome);
    if (home.path.isEmpty())
        return fail(requestedHome.isEmpty()
                        ? QStringLiteral("cannot make a temporary folder")
                        : QStringLiteral("DEMO_HOME must be a folder that does not exist yet: ")
                              + requestedHome);
    useAsHome(home.path); // before Qt reads the environment

    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false")); // the window's trace
    ScriptedPrompts prompts;
    RecordedShutdowns shutdowns;
    CQuillmora window;
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("formatTabs"));
    auto *table = window.findChild<QTableWidget *>(QStringLiteral("jobTable"));
    if (!tabs || !table)
        return fail(QStringLiteral("the window has no format tabs or no job table"));
    const QString jobError = addDemoJobs(window, prompts, home.path);
    if (!jobError.isEmpty())
        return fail(jobError);

    tabs->setCurrentIndex(VideoTab);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return fail(QStringLiteral("the window was never shown"));
    if (runPicture)
        return drawRunPicture(window, *table, outputPath);
    growToContents(window, *tabs, *table);
    playRunStart(window);

    QImage windowImage;
    QList<QImage> otherPages;
    for (int tab = 0; tab < tabs->count(); ++tab) {
        tabs->setCurrentIndex(tab);
        const QStringList faults = formatPageFaults(*tabs);
        if (!faults.isEmpty())
            return fail(tabs->tabText(tab) + QStringLiteral(" tab: ") + faults.join(QStringLiteral("; ")));
        if (tab == VideoTab)
            windowImage = grabWhenShown(window);
        else
            otherPages << grabWhenShown(*tabs);
    }

    const int tabsTop = tabs->mapTo(&window, QPoint(0, 0)).y();
    const QImage picture = composeScreenshot(windowImage, tabsTop, otherPages);
    return save(picture, outputPath);
}
