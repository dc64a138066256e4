#include "app/apptitle.h"
#include "tests/mainwindow/faketools.h"
#include "tests/mainwindow/windowfixture.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QtTest>


class TestWindowLayout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void defaultOutputFolderIsCreated();
    void startupState();
    void outputFolderIsCreatedWithParents();
    void menusToolBarsAndContextMenu();
    void formatTabs_data();
    void formatTabs();
    void chooserButtonKeepsItsWidth();
    void enabling_data();
    void enabling();
    void aboutBox();
    void everyControlIsNamed();
    void everyDialogControlIsNamed();

private:
    QTemporaryDir home;
};

namespace {

// "objectName" of each entry (a submenu's for its entry), "|" for a separator.
QString entryNames(const QList<QAction *> &actions)
{
    QStringList names;
    for (QAction *action : actions)
        names << (action->isSeparator() ? QStringLiteral("|")
                                        : action->menu() ? action->menu()->objectName() : action->objectName());
    return names.join(QLatin1Char(' '));
}

// Enabled state of the run-dependent controls, e.g. "RI RL CV -- -- -- buttons".
QString controlState(CQuillmoraTestAccess access)
{
    const struct {
        WindowAction id;
        const char *tag;
    } controls[] = {
        {WindowAction::RemoveItem, "RI"}, {WindowAction::RemoveList, "RL"},
        {WindowAction::Convert, "CV"},    {WindowAction::Stop, "ST"},
        {WindowAction::Edit, "ED"},       {WindowAction::Setting, "SE"},
    };
    QStringList parts;
    for (const auto &control : controls)
        parts << (access.action(control.id)->isEnabled() ? QLatin1String(control.tag)
                                                         : QLatin1String("--"));
    int enabledButtons = 0;
    for (QToolButton *button : access.formatButtons())
        enabledButtons += button->isEnabled();
    parts << (enabledButtons == FormatButtonCount ? QStringLiteral("buttons")
              : enabledButtons == 0               ? QStringLiteral("no-buttons")
                                                  : QStringLiteral("some-buttons"));
    return parts.join(QLatin1Char(' '));
}

} // namespace

void TestWindowLayout::initTestCase()
{
    QVERIFY(home.isValid());
    qputenv("HOME", home.path().toUtf8());
}

void TestWindowLayout::defaultOutputFolderIsCreated()
{
    // Runs before any test sets a folder of its own, over an empty store.
    WindowFixture::useSettingsFolder(home.path() + QStringLiteral("/config"));
    ScriptedPrompts prompts;
    CQuillmora window;
    const QString expected = home.path() + QStringLiteral("/OutFolder");
    QCOMPARE(outputFolder(), expected);
    QVERIFY(QFileInfo(expected).isDir());
    QCOMPARE(window.findChild<QLineEdit *>("txtOutFolder")->text(), expected);
    QCOMPARE(prompts.shown.size(), 0);
}

void TestWindowLayout::startupState()
{
    WindowFixture fixture;
    CQuillmora &window = *fixture.window;
    QCOMPARE(window.windowTitle(), QStringLiteral("QuillmoraV1.0"));
    QCOMPARE(QApplication::style()->name(), QStringLiteral("fusion"));
    QCOMPARE(controlState(fixture.access()), QStringLiteral("-- -- -- -- -- -- buttons"));
    for (WindowAction id : {WindowAction::OutputFolder, WindowAction::English,
                            WindowAction::Chinese, WindowAction::Japanese, WindowAction::About,
                            WindowAction::Exit})
        QVERIFY(fixture.access().action(id)->isEnabled());

    QCOMPARE(fixture.access().rowCount(), 0);
    QCOMPARE(fixture.access().table()->model()->headerData(3, Qt::Horizontal).toString(),
             QStringLiteral("Output file name"));

    auto *folderEdit = window.findChild<QLineEdit *>("txtOutFolder");
    QVERIFY(folderEdit->isReadOnly());
    QCOMPARE(folderEdit->text(), fixture.outputFolderPath());
    auto *shutDown = window.findChild<QCheckBox *>("chkShutDown");
    QCOMPARE(shutDown->text(), QStringLiteral("After Converting : Shut Down Computer"));
    QVERIFY(!shutDown->isChecked());
    QCOMPARE(fixture.prompts.shown.size(), 0);
}

void TestWindowLayout::outputFolderIsCreatedWithParents()
{
    WindowFixture fixture;
    const QString nested = fixture.dir.path() + QStringLiteral("/a/b/c");
    WindowFixture::openStore().setValue(QStringLiteral("outFolder"), nested);
    CQuillmora window;
    QCOMPARE(outputFolder(), nested);
    QVERIFY(QFileInfo(nested).isDir());
}

void TestWindowLayout::menusToolBarsAndContextMenu()
{
    WindowFixture fixture;
    CQuillmora &window = *fixture.window;
    QStringList titles;
    QStringList entries;
    for (QAction *menuAction : window.menuBar()->actions()) {
        titles << menuAction->text();
        entries << entryNames(menuAction->menu()->actions());
    }
    QCOMPARE(titles, QStringList({"File", "Convert", "Setting", "Language", "Help"}));
    QCOMPARE(entries, QStringList({"actionAddFolder | actionRemoveItem actionRemoveList | actionExit",
                                   "actionConvert actionStop",
                                   "actionSetting actionOutputFolder | actionKeepSourceDates "
                                   "actionKeepFolderStructure actionSkipConverted actionCheckQuality menuJobsAtOnce",
                                   "actionEnglish actionChinese actionJapanese", "actionAbout"}));

    const QList<QToolBar *> bars = window.findChildren<QToolBar *>();
    QStringList barContents;
    for (QToolBar *bar : bars)
        barContents << bar->windowTitle() + QStringLiteral(": ") + entryNames(bar->actions());
    QCOMPARE(barContents,
             QStringList({"File: actionRemoveItem actionRemoveList",
                          "Convert: actionConvert actionStop actionEdit actionSetting",
                          "Help: actionAbout"}));

    JobTable *table = fixture.access().table();
    QCOMPARE(table->contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(entryNames(table->actions()),
             QStringLiteral("actionOutputFolder actionSetting | actionRemoveItem actionRemoveList "
                            "| actionConvert actionStop | actionEdit"));
}

void TestWindowLayout::formatTabs_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("buttons");
    QTest::newRow("video") << 0 << "Video"
                           << QStringList{"MP4", "FLV", "AVI", "DV", "MKV", "MOV", "MPEG", "VOB",
                                          "WMV", "RM", "Apple", "Android", "WebM", "HEVC", "AV1"};
    QTest::newRow("audio") << 1 << "Audio"
                           << QStringList{"MP3", "AAC", "AC3", "MP2", "WMA", "AIFF", "AU", "M4A",
                                          "OGG", "FLAC", "Opus"};
    QTest::newRow("image") << 2 << "Image"
                           << QStringList{"JPEG", "PNG", "BMP", "GIF", "PCX", "TGA", "ICON", "TIFF",
                                          "WebP", "AVIF"};
    QTest::newRow("advanced") << 3 << "Advanced"
                              << QStringList{"Video Merge", "Audio Merge", "GIF Maker"};
}

void TestWindowLayout::formatTabs()
{
    WindowFixture fixture;
    QFETCH(int, tab);
    QFETCH(QString, title);
    QFETCH(QStringList, buttons);
    auto *tabs = fixture.window->findChild<QTabWidget *>("formatTabs");
    QCOMPARE(tabs->tabText(tab), title);
    auto *scroll = qobject_cast<QScrollArea *>(tabs->widget(tab));
    QVERIFY(scroll);
    // Top to bottom, as the user sees them.
    QList<QToolButton *> found = scroll->widget()->findChildren<QToolButton *>();
    std::sort(found.begin(), found.end(),
              [](QToolButton *a, QToolButton *b) { return a->y() < b->y(); });
    QStringList texts;
    for (QToolButton *button : found)
        texts << button->text();
    QCOMPARE(texts, buttons);
    // A tab's images are read when it is first shown.
    tabs->setCurrentIndex(tab);
    for (QToolButton *button : found)
        QVERIFY2(!button->icon().pixmap(80).isNull(), qPrintable(button->text()));
}

void TestWindowLayout::chooserButtonKeepsItsWidth()
{
    WindowFixture fixture;
    CQuillmora &window = *fixture.window;
    auto *chooser = window.findChild<QPushButton *>("btnChooseOutFolder");
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    for (const QSize size : {QSize(2400, 1400), QSize(200, 200)}) {
        window.resize(size);
        QCoreApplication::processEvents();
        QCOMPARE(chooser->width(), 20);
    }
}

void TestWindowLayout::enabling_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QString>("expected");
    // RI/RL Remove Item/List, CV Convert, ST Stop, ED Edit, SE Setting.
    QTest::newRow("video added, no current row") << QStringList{"video"}
                                                 << "RI RL CV -- -- -- buttons";
    QTest::newRow("video row clicked") << QStringList{"video", "click0"}
                                       << "RI RL CV -- ED SE buttons";
    QTest::newRow("audio row clicked") << QStringList{"audio", "click0"}
                                       << "RI RL CV -- -- -- buttons";
    QTest::newRow("image row clicked") << QStringList{"image", "click0"}
                                       << "RI RL CV -- -- -- buttons";
    QTest::newRow("from video to audio row") << QStringList{"video", "audio", "click0", "click1"}
                                             << "RI RL CV -- -- -- buttons";
    QTest::newRow("keyboard onto audio row") << QStringList{"video", "audio", "click0", "key1"}
                                             << "RI RL CV -- -- -- buttons";
    QTest::newRow("run started") << QStringList{"video", "click0", "start"}
                                 << "-- -- -- ST -- -- no-buttons";
    QTest::newRow("video clicked during run") << QStringList{"video", "start", "click0"}
                                              << "-- -- -- ST -- -- no-buttons";
    QTest::newRow("added during run") << QStringList{"video", "start", "audio"}
                                      << "-- -- -- ST -- -- no-buttons";
    QTest::newRow("run stopped") << QStringList{"video", "click0", "start", "stop"}
                                 << "RI RL CV -- ED SE buttons";
    QTest::newRow("list cleared") << QStringList{"video", "click0", "clear"}
                                  << "-- -- -- -- -- -- buttons";
    QTest::newRow("last row removed") << QStringList{"video", "click0", "remove"}
                                      << "-- -- -- -- -- -- buttons";
    QTest::newRow("video removed, audio current") << QStringList{"video", "audio", "click0", "remove"}
                                                  << "RI RL CV -- -- -- buttons";
}

void TestWindowLayout::enabling()
{
    WindowFixture fixture;
    QFETCH(QStringList, steps);
    QFETCH(QString, expected);
    CQuillmoraTestAccess access = fixture.access();
    for (const QString &step : steps) {
        if (step == "video")
            fixture.drop({fixture.makeFile("clip.mp4")});
        else if (step == "audio")
            fixture.drop({fixture.makeFile("song.mp3")});
        else if (step == "image")
            fixture.drop({fixture.makeFile("photo.png")});
        else if (step.startsWith("click"))
            fixture.clickRow(step.mid(5).toInt());
        else if (step.startsWith("key"))
            access.setCurrentRow(step.mid(3).toInt());
        else if (step == "start")
            access.startRun();
        else if (step == "stop")
            access.stopRun();
        else if (step == "clear")
            access.action(WindowAction::RemoveList)->trigger();
        else if (step == "remove")
            access.action(WindowAction::RemoveItem)->trigger();
    }
    QCOMPARE(controlState(access), expected);
}

void TestWindowLayout::aboutBox()
{
    WindowFixture fixture;
    fixture.access().action(WindowAction::About)->trigger();
    QCOMPARE(fixture.prompts.count("about"), 1);
    QCOMPARE(fixture.prompts.shown.first().title, appTitle());
    const QString text = fixture.prompts.shown.first().text;
    QVERIFY2(text.contains("Video: MP4, FLV") && text.contains("WMV, RM, WebM, HEVC, AV1\n"), qPrintable(text));
    QVERIFY2(text.contains("FLAC, Opus\n") && text.contains("Image: JPEG"), qPrintable(text));
}

namespace {

// The class and object name of each control under root that a user can
// reach and that a screen reader would announce without a name: the
// focusable widgets and the buttons, on every page of each tab widget.
QStringList unnamedControls(QWidget *root)
{
    QStringList unnamed;
    auto walk = [&] {
        for (QWidget *widget : root->findChildren<QWidget *>()) {
            if (!widget->isVisible()
                || (widget->focusPolicy() == Qt::NoFocus && !qobject_cast<QAbstractButton *>(widget)))
                continue;
            QAccessibleInterface *face = QAccessible::queryAccessibleInterface(widget);
            if (!face || face->text(QAccessible::Name).trimmed().isEmpty())
                unnamed << QLatin1String(widget->metaObject()->className()) + QLatin1Char(' ') + widget->objectName();
        }
    };
    walk();
    for (QTabWidget *tabs : root->findChildren<QTabWidget *>()) {
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->setCurrentIndex(tab);
            walk();
        }
    }
    unnamed.removeDuplicates();
    return unnamed;
}

} // namespace

// What a screen reader announces for every control a user can reach: the
// focusable widgets and buttons of each format tab in turn, in a window narrow
// enough for the menu and tool bars to show their extension buttons.
void TestWindowLayout::everyControlIsNamed()
{
    WindowFixture fixture;
    fixture.drop({fixture.makeFile("a.avi")});
    fixture.access().invoke("insertProgressBar", 0);
    fixture.window->show();
    fixture.window->resize(300, 400);
    QVERIFY(QTest::qWaitForWindowExposed(fixture.window.get()));

    const QStringList unnamed = unnamedControls(fixture.window.get());
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));

    // The table's context menu, opened by the menu key too, offers named actions.
    JobTable *table = fixture.access().table();
    QCOMPARE(table->contextMenuPolicy(), Qt::ActionsContextMenu);
    for (QAction *action : table->actions())
        QVERIFY(action->isSeparator() || !action->text().trimmed().isEmpty());
}

// The same of each dialog the window opens, each opened as a user opens it
// and played through the prompt seam: the GIF maker, the preview, the output
// settings and, after a run, the result box.
void TestWindowLayout::everyDialogControlIsNamed()
{
    FakeTools tools;
    WindowFixture fixture;
    fixture.window->setToolsFolder(tools.folder());
    fixture.drop({fixture.makeFile("a.avi")});
    fixture.access().setCurrentRow(0);
    QStringList walked, unnamed;
    auto look = [&](QDialog &dialog) {
        dialog.show();
        if (QTest::qWaitForWindowExposed(&dialog))
            walked << QLatin1String(dialog.metaObject()->className());
        for (const QString &control : unnamedControls(&dialog))
            unnamed << QLatin1String(dialog.metaObject()->className()) + QStringLiteral(": ") + control;
        dialog.reject();
        return int(QDialog::Rejected);
    };
    fixture.prompts.dialogDriver = look;
    fixture.access().answerSettingsDialog([&](CSettings &dialog) { look(dialog); });

    fixture.access().invoke("onSelectGifMerge");
    fixture.access().invoke("onEdit");
    fixture.access().invoke("onSettings");
    fixture.access().action(WindowAction::Convert)->trigger();
    QTRY_COMPARE_WITH_TIMEOUT(walked, (QStringList{"CGIFMerge", "DemoPlayer", "CSettings", "CShowResult"}), 20000);
    QVERIFY2(unnamed.isEmpty(), qPrintable(unnamed.join(QStringLiteral(", "))));
}

QTEST_MAIN(TestWindowLayout)
#include "tst_windowlayout.moc"
