#include "mainwindow/settingsstore.h"
#include "tests/mainwindow/windowfixture.h"

#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QThread>
#include <QtTest>

class TestWindowSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void roundTripThroughConfirmedClose();
    void unconfirmedCloseKeepsEverything();
    void badStoreGivesDefaults_data();
    void badStoreGivesDefaults();
    void fitOntoScreens_data();
    void fitOntoScreens();
    void positionOffEveryScreen();
    void outputFolderMends();
    void chooseAndOpenOutputFolder();

private:
    QTemporaryDir home;
};

namespace {

QLineEdit *folderEdit(CQuillmora &window)
{
    return window.findChild<QLineEdit *>(QStringLiteral("txtOutFolder"));
}

// The store's text, read by hand, so a broken file is whatever the test wrote.
QString storeFile(const WindowFixture &fixture)
{
    return fixture.settingsFolder() + QStringLiteral("/Trolltech/Quillmora.conf");
}

} // namespace

void TestWindowSettings::initTestCase()
{
    // The default output folder lies in the home folder: never the user's own.
    QVERIFY(home.isValid());
    qputenv("HOME", QFile::encodeName(home.path()));
}

void TestWindowSettings::roundTripThroughConfirmedClose()
{
    WindowFixture fixture;
    CQuillmoraTestAccess access = fixture.access();
    const QString chosen = fixture.dir.path() + QStringLiteral("/chosen");
    QDir().mkpath(chosen);
    fixture.prompts.folderAnswers << chosen;
    access.invoke("setOutFolder");
    fixture.chooseFiles(QStringLiteral("btnMP4"), {fixture.makeFile(QStringLiteral("a.avi"))});
    fixture.window->move(130, 140);
    fixture.window->resize(1400, 900);
    const QSize size = fixture.window->size();
    QVERIFY(access.action(WindowAction::KeepFolderStructure)->isChecked()); // on unless turned off
    access.action(WindowAction::KeepFolderStructure)->trigger();
    for (WindowAction choice :
         {WindowAction::KeepSourceDates, WindowAction::SkipConverted, WindowAction::CheckQuality}) {
        QVERIFY(!access.action(choice)->isChecked()); // off unless chosen
        access.action(choice)->trigger();
    }
    // "Jobs at once" ends the Setting menu: Automatic (the default), then 1 up to the cores.
    QMenu *jobsMenu = fixture.window->findChild<QMenu *>("menuJobsAtOnce");
    QVERIFY(jobsMenu && jobsMenu->menuAction()->parent());
    QCOMPARE(fixture.window->findChild<QMenu *>("menuSetting")->actions().constLast(), jobsMenu->menuAction());
    const QList<QAction *> counts = jobsMenu->actions();
    QCOMPARE(counts.size(), 1 + std::max(1, QThread::idealThreadCount()));
    QCOMPARE(counts.first()->text(), QStringLiteral("Automatic"));
    QVERIFY(counts.first()->isChecked());
    counts.at(1)->trigger();

    fixture.prompts.questionAnswers << true;
    QVERIFY(fixture.window->close());
    QCOMPARE(fixture.prompts.shown.last().text, QStringLiteral("\nDo you want exit really?"));
    QVERIFY(access.jobs().isEmpty());

    // The profiles' fields land under their own keys (the MP3 ones start at the audio fields).
    QSettings store = WindowFixture::openStore();
    QCOMPARE(store.value("mp4-vAspectRatio").toInt(), profileTable()[FormatMP4].vAspectRatio);
    QCOMPARE(store.value("mp3-aCodec").toInt(), profileTable()[FormatMP3].aCodec);
    QCOMPARE(store.value("mp3-aBitrate").toInt(), profileTable()[FormatMP3].aBitrate);

    // A second window over the same store reads everything back.
    fixture.window.reset();
    setOutputFolder(QStringLiteral("/elsewhere"));
    CQuillmora second;
    QCOMPARE(second.pos(), QPoint(130, 140));
    QCOMPARE(second.size(), size);
    QCOMPARE(outputFolder(), chosen);
    QCOMPARE(folderEdit(second)->text(), chosen);
    QCOMPARE(CQuillmoraTestAccess(second).openFolder(), fixture.inputFolder());
    QVERIFY(CQuillmoraTestAccess(second).action(WindowAction::KeepSourceDates)->isChecked());
    QVERIFY(!CQuillmoraTestAccess(second).action(WindowAction::KeepFolderStructure)->isChecked());
    QVERIFY(CQuillmoraTestAccess(second).action(WindowAction::SkipConverted)->isChecked());
    QVERIFY(CQuillmoraTestAccess(second).action(WindowAction::CheckQuality)->isChecked());
    QVERIFY(second.findChild<QMenu *>("menuJobsAtOnce")->actions().at(1)->isChecked());
    QCOMPARE(store.value("jobsAtOnce").toInt(), 1);
}

void TestWindowSettings::unconfirmedCloseKeepsEverything()
{
    WindowFixture fixture;
    fixture.chooseFiles(QStringLiteral("btnMP4"), {fixture.makeFile(QStringLiteral("a.avi"))});
    fixture.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture.window.get()));
    CQuillmoraTestAccess access = fixture.access();
    access.startRun();

    QVERIFY(!fixture.window->close()); // no answer is No
    QVERIFY(fixture.window->isVisible());
    QVERIFY(access.running());
    QCOMPARE(access.jobs().size(), 1);
    QVERIFY(!WindowFixture::openStore().contains(QStringLiteral("pos")));

    // Yes stops the run before anything else goes.
    fixture.prompts.questionAnswers << true;
    QVERIFY(fixture.window->close());
    QVERIFY(!access.running());
    QVERIFY(WindowFixture::openStore().contains(QStringLiteral("mp3-aBitrate")));
}

void TestWindowSettings::badStoreGivesDefaults_data()
{
    QTest::addColumn<QByteArray>("content"); // null: no store at all
    QTest::newRow("no store") << QByteArray();
    QTest::newRow("binary garbage") << QByteArray("\x00\xff\xfe[[[=\x01\n=\n", 12);
    QTest::newRow("words for values") << QByteArray("[General]\npos=left\nsize=big\noutFolder=1\n"
                                                    "openFolder=here\n");
    QTest::newRow("lists and empty size") << QByteArray("[General]\npos=1, 2\nsize=@Size(0 0)\n"
                                                        "outFolder=/a, /b\nopenFolder=/c, /d\n");
    QTest::newRow("a size for the position")
        << QByteArray("[General]\npos=@Size(300 300)\nsize=@Point(5 5)\n");
}

void TestWindowSettings::badStoreGivesDefaults()
{
    QFETCH(QByteArray, content);
    WindowFixture fixture;
    fixture.window.reset();
    QDir(home.path() + QStringLiteral("/OutFolder")).removeRecursively();
    QFile file(storeFile(fixture));
    QVERIFY(file.remove());
    if (!content.isNull())
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
    file.close();

    CQuillmora window;
    QCOMPARE(window.pos(), QPoint(200, 200));
    QVERIFY(window.size().width() >= 100 && window.size().height() >= 250);
    QCOMPARE(outputFolder(), home.path() + QStringLiteral("/OutFolder"));
    QVERIFY(QFileInfo(outputFolder()).isDir());
    QVERIFY(CQuillmoraTestAccess(window).openFolder().isEmpty());
    QCOMPARE(fixture.prompts.count("warning"), 0);
}

void TestWindowSettings::fitOntoScreens_data()
{
    QTest::addColumn<QRect>("window");
    QTest::addColumn<QList<QRect>>("screens");
    QTest::addColumn<QRect>("placed");
    const QRect left(0, 0, 1920, 1080), right(1920, 0, 1280, 1024);
    QTest::newRow("on the second screen") << QRect(2000, 100, 800, 600) << QList<QRect>{left, right}
                                          << QRect(2000, 100, 800, 600);
    QTest::newRow("second screen gone") << QRect(2000, 100, 800, 600) << QList<QRect>{left}
                                        << QRect(1120, 100, 800, 600);
    QTest::newRow("title bar above the screen") << QRect(100, -40, 800, 600) << QList<QRect>{left}
                                                << QRect(100, 0, 800, 600);
    QTest::newRow("only a sliver shows") << QRect(1870, 500, 800, 600) << QList<QRect>{left}
                                         << QRect(1120, 480, 800, 600);
    QTest::newRow("partly off the left edge") << QRect(-300, 10, 800, 600) << QList<QRect>{left}
                                              << QRect(-300, 10, 800, 600);
    QTest::newRow("bigger than the screen") << QRect(-5000, -5000, 2500, 1500) << QList<QRect>{left}
                                            << QRect(0, 0, 1920, 1080);
    QTest::newRow("no screens at all") << QRect(9000, 9000, 10, 10) << QList<QRect>{}
                                       << QRect(9000, 9000, 10, 10);
}

void TestWindowSettings::fitOntoScreens()
{
    QFETCH(QRect, window);
    QFETCH(QList<QRect>, screens);
    QFETCH(QRect, placed);
    QCOMPARE(::fitOntoScreens(window, screens), placed);
}

void TestWindowSettings::positionOffEveryScreen()
{
    // The window takes the fitted place (the cases of fitting are above).
    WindowFixture fixture({{QStringLiteral("pos"), QPoint(5000, 5000)}, {QStringLiteral("size"), QSize(300, 300)}});
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    QVERIFY2(screen.contains(fixture.window->pos()),
             qPrintable(QStringLiteral("placed at %1,%2").arg(fixture.window->x()).arg(fixture.window->y())));
}

void TestWindowSettings::outputFolderMends()
{
    const QString gone = home.path() + QStringLiteral("/removed/since/last time");
    {
        WindowFixture fixture({{QStringLiteral("outFolder"), gone}});
        QCOMPARE(outputFolder(), gone);
        QVERIFY(QFileInfo(gone).isDir());
        QCOMPARE(fixture.prompts.count("warning"), 0);
    }
    // Below a file no folder can be made: the default is used and the user told.
    QFile plainFile(home.path() + QStringLiteral("/plain file"));
    QVERIFY(plainFile.open(QIODevice::WriteOnly));
    const QString blocked = plainFile.fileName() + QStringLiteral("/out");
    WindowFixture fixture({{QStringLiteral("outFolder"), blocked}});
    QCOMPARE(outputFolder(), home.path() + QStringLiteral("/OutFolder"));
    QVERIFY(QFileInfo(outputFolder()).isDir());
    QCOMPARE(folderEdit(*fixture.window)->text(), outputFolder());
    QCOMPARE(fixture.prompts.count("warning"), 1);
    QVERIFY(fixture.prompts.shown.first().text.contains(blocked));
    QVERIFY(fixture.prompts.shown.first().text.contains(outputFolder()));
}

void TestWindowSettings::chooseAndOpenOutputFolder()
{
    WindowFixture fixture;
    CQuillmoraTestAccess access = fixture.access();
    fixture.chooseFiles(QStringLiteral("btnMP4"), {fixture.makeFile(QStringLiteral("a.avi"))});
    const QString before = access.jobs().first().outputPath;

    access.invoke("setOutFolder"); // cancelled: nothing changes
    QCOMPARE(outputFolder(), fixture.outputFolderPath());
    const QString blocked = fixture.makeFile(QStringLiteral("file")) + QStringLiteral("/sub");
    fixture.prompts.folderAnswers << blocked;
    access.invoke("setOutFolder");
    QCOMPARE(fixture.prompts.count("warning"), 1);
    QCOMPARE(outputFolder(), fixture.outputFolderPath());

    const QString chosen = fixture.dir.path() + QStringLiteral("/new");
    QDir().mkpath(chosen);
    fixture.prompts.folderAnswers << chosen;
    access.invoke("setOutFolder");
    QCOMPARE(fixture.prompts.shown.last().detail, fixture.outputFolderPath()); // the dialog starts there
    QCOMPARE(outputFolder(), chosen);
    QCOMPARE(folderEdit(*fixture.window)->text(), chosen);
    QCOMPARE(access.jobs().first().outputPath, before);
    QCOMPARE(access.cell(0, 3), before);

    QDir(chosen).removeRecursively();
    access.action(WindowAction::OutputFolder)->trigger();
    QCOMPARE(fixture.prompts.shown.last().kind, QStringLiteral("openFolder"));
    QCOMPARE(fixture.prompts.shown.last().detail, chosen);
    QVERIFY(QFileInfo(chosen).isDir());
}

QTEST_MAIN(TestWindowSettings)
#include "tst_windowsettings.moc"
