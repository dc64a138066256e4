// Draws the README screenshots: the main window with a few jobs, beside the
// pages of its other format tabs. Run it on a real X server (see
// scripts/screenshot.sh): quillmora_screenshot OUTPUT.png [DEMO_HOME [VIEW]]
// DEMO_HOME, a folder that does not exist yet, becomes the home folder the
// window shows paths under; it is removed again at the end. Without it (or
// when it is "-") a temporary folder is used. VIEW is "en" (the default), "zh"
// or "jp" for the window in that language, "settings" for the output
// settings dialog of the first job, or "run" for a run in progress: rows done,
// failed and converting, and beside the window the converting row's bar at a
// few moments.
#include "mainwindow/cquillmora.h"
#include "settings/csettings.h"
#include "tests/mainwindow/recordedshutdowns.h"
#include "tests/mainwindow/scriptedprompts.h"
#include "tests/mainwindow/testaccess.h"
#include "devtools/screenshot/composition.h"
#include "devtools/screenshot/demojobs.h"
#include "devtools/screenshot/pagecheck.h"

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

// Switches the window's language with its own menu action; the translations
// are those the build has just compiled.
bool switchLanguage(CQuillmora &window, const QString &view)
{
    const QString actionName = view == QLatin1String("zh") ? QStringLiteral("actionChinese")
                                                           : QStringLiteral("actionJapanese");
    auto *action = window.findChild<QAction *>(actionName);
    if (!action)
        return false;
    const QString before = QDir::currentPath();
    QDir::setCurrent(QStringLiteral(QUILLMORA_BUILD_DIR));
    action->trigger();
    QDir::setCurrent(before);
    QTest::qWait(200); // the new font and texts lay the window out again
    return true;
}

// The settings dialog of the first job, as the Setting action opens it.
QImage grabSettingsDialog(CQuillmora &window, QTableWidget &table)
{
    QImage picture;
    CQuillmoraTestAccess access(window);
    access.answerSettingsDialog([&](CSettings &dialog) {
        dialog.show();
        if (QTest::qWaitForWindowExposed(&dialog)) {
            QTest::qWait(100);
            picture = dialog.grab().toImage();
        }
    });
    table.setCurrentCell(0, 0);
    access.action(WindowAction::Setting)->trigger();
    return picture;
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
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: quillmora_screenshot OUTPUT.png [DEMO_HOME [en|zh|jp|settings|run]]\n");
        return 2;
    }
    const QString outputPath = QFile::decodeName(argv[1]);
    QString requestedHome = argc >= 3 ? QFile::decodeName(argv[2]) : QString();
    if (requestedHome == QLatin1String("-"))
        requestedHome.clear();
    const QString view = argc == 4 ? QString::fromLatin1(argv[3]) : QStringLiteral("en");
    if (!QStringList({"en", "zh", "jp", "settings", "run"}).contains(view)) {
        std::fprintf(stderr, "quillmora_screenshot: unknown view %s\n", argv[3]);
        return 2;
    }
    const bool runPicture = view == QLatin1String("run");
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

    if (view == QLatin1String("settings")) {
        const QImage dialogImage = grabSettingsDialog(window, *table);
        if (dialogImage.isNull())
            return fail(QStringLiteral("the settings dialog was never shown"));
        if (!dialogImage.save(outputPath, "PNG", 0))
            return fail(QStringLiteral("cannot write ") + outputPath);
        std::printf("%s: %dx%d\n", qPrintable(outputPath), dialogImage.width(), dialogImage.height());
        return 0;
    }
    if (view != QLatin1String("en")) {
        if (!switchLanguage(window, view))
            return fail(QStringLiteral("the window has no language action for ") + view);
        growToContents(window, *tabs, *table);
    }

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
