#include "app/languagefiles.h"
#include "tests/mainwindow/windowfixture.h"

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTabWidget>
#include <QToolBar>
#include <QTranslator>
#include <QtTest>

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void localeFiles_data();
    void localeFiles();
    void lookupOrder();
    void startupLanguage_data();
    void startupLanguage();
    void missingFileStillSetsFont_data();
    void missingFileStillSetsFont();
    void chineseAndBackToEnglish();
    void whatFollowsTheLanguage();

private:
    QString startFolder;
};

namespace {

// Marks every text of the window's context, so a test sees what was re-translated.
class MarkingTranslator : public QTranslator
{
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *, int) const override
    {
        if (qstrcmp(context, "CQuillmora") != 0)
            return QString();
        return QStringLiteral("<") + QString::fromUtf8(source) + QStringLiteral(">");
    }
};

QString menuTitle(CQuillmora &window, int index)
{
    return window.menuBar()->actions().at(index)->text();
}

// Places the test translation where the window looks first: the current folder.
void placeChineseFile(const QString &folder)
{
    const QString target = folder + QStringLiteral("/Quillmora_zh.qm");
    QFile::remove(target);
    QVERIFY(QFile::copy(QStringLiteral(TEST_TRANSLATION_QM), target));
}

} // namespace

void TestLanguage::initTestCase()
{
    startFolder = QDir::currentPath();
}

void TestLanguage::cleanup()
{
    QDir::setCurrent(startFolder);
}

void TestLanguage::localeFiles_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QString>("file");
    QTest::newRow("mainland China") << "zh_CN" << "Quillmora_zh.qm";
    QTest::newRow("Taiwan") << "zh_TW" << "Quillmora_zh.qm";
    QTest::newRow("bare zh") << "zh" << "Quillmora_zh.qm";
    QTest::newRow("Japan") << "ja_JP" << "Quillmora_jp.qm";
    QTest::newRow("US English") << "en_US" << "";
    QTest::newRow("C locale") << "C" << "";
    QTest::newRow("German") << "de_DE" << "";
}

void TestLanguage::localeFiles()
{
    QFETCH(QString, locale);
    QFETCH(QString, file);
    QCOMPARE(languageFileForLocale(locale), file);
}

void TestLanguage::lookupOrder()
{
    QTemporaryDir dir;
    const QString first = dir.path() + "/first", second = dir.path() + "/second",
                  third = dir.path() + "/third";
    for (const QString &folder : {first, second, third})
        QDir().mkpath(folder);
    const QStringList folders = {first, second, third};
    const QString name = QStringLiteral("Quillmora_jp.qm");

    QVERIFY(findTranslationFile(name, folders).isEmpty());
    QDir().mkpath(first + "/" + name); // a folder of that name is no translation
    QFile(third + "/" + name).open(QIODevice::WriteOnly);
    QCOMPARE(findTranslationFile(name, folders), third + "/" + name);
    QFile(second + "/" + name).open(QIODevice::WriteOnly);
    QCOMPARE(findTranslationFile(name, folders), second + "/" + name);

    const QStringList defaults = translationFolders();
    QCOMPARE(defaults.size(), 3);
    QCOMPARE(defaults[0], QDir::currentPath());
    QCOMPARE(defaults[1], QCoreApplication::applicationDirPath());
    QVERIFY(defaults[2].endsWith("/share/quillmora/translations"));
}

void TestLanguage::startupLanguage_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<bool>("fileThere");
    QTest::addColumn<int>("warnings");
    QTest::addColumn<QString>("convertText");
    QTest::newRow("English reads nothing") << "en_US" << true << 0 << "  Convert";
    QTest::newRow("Taiwan with the file") << "zh_TW" << true << 0 << "  转换";
    QTest::newRow("Taiwan without the file") << "zh_TW" << false << 1 << "  Convert";
    QTest::newRow("Japan without the file") << "ja_JP" << false << 1 << "  Convert";
}

void TestLanguage::startupLanguage()
{
    QFETCH(QString, locale);
    QFETCH(bool, fileThere);
    QFETCH(int, warnings);
    QFETCH(QString, convertText);
    WindowFixture fixture;
    QDir::setCurrent(fixture.dir.path());
    if (fileThere)
        placeChineseFile(fixture.dir.path());
    fixture.access().applyStartupLanguage(locale);
    QCoreApplication::processEvents();

    QCOMPARE(fixture.prompts.count("warning"), warnings);
    if (warnings) {
        QCOMPARE(fixture.prompts.shown.first().title, QStringLiteral("QuillmoraV1.0"));
        QCOMPARE(fixture.prompts.shown.first().text, QStringLiteral("There is no language data!"));
    }
    QCOMPARE(fixture.access().action(WindowAction::Convert)->text(), convertText);
    QCoreApplication::removeTranslator(&fixture.access().translator());
}

void TestLanguage::missingFileStillSetsFont_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("points");
    QTest::addColumn<int>("warnings");
    QTest::newRow("Chinese") << "actionChinese" << "PMingLiU" << 10 << 1;
    QTest::newRow("Japanese") << "actionJapanese" << "MS Mincho" << 10 << 1;
    QTest::newRow("English") << "actionEnglish" << "Microsoft Sans Serif" << 8 << 0;
}

void TestLanguage::missingFileStillSetsFont()
{
    QFETCH(QString, action);
    QFETCH(QString, family);
    QFETCH(int, points);
    QFETCH(int, warnings);
    WindowFixture fixture;
    QDir::setCurrent(fixture.dir.path());
    fixture.window->findChild<QAction *>(action)->trigger();
    QCOMPARE(fixture.prompts.count("warning"), warnings);
    QCOMPARE(QApplication::font().family(), family);
    QCOMPARE(QApplication::font().pointSize(), points);
    QVERIFY(!QApplication::font().italic());
}

void TestLanguage::chineseAndBackToEnglish()
{
    WindowFixture fixture;
    CQuillmora &window = *fixture.window;
    CQuillmoraTestAccess access = fixture.access();
    QDir::setCurrent(fixture.dir.path());
    placeChineseFile(fixture.dir.path());
    QCOMPARE(menuTitle(window, 2), QStringLiteral("Setting"));
    QCOMPARE(access.action(WindowAction::Japanese)->statusTip(), QStringLiteral("Select Japanese."));

    access.action(WindowAction::Chinese)->trigger();
    QTRY_COMPARE(menuTitle(window, 2), QStringLiteral("选项"));
    QCOMPARE(access.action(WindowAction::Convert)->text(), QStringLiteral("  转换"));
    QCOMPARE(window.findChild<QToolButton *>("btnVideoMerge")->text(), QStringLiteral("视频合并"));
    QCOMPARE(fixture.prompts.count("warning"), 0);

    access.action(WindowAction::English)->trigger();
    QTRY_COMPARE(access.action(WindowAction::Convert)->text(), QStringLiteral("  Convert"));
    QCOMPARE(menuTitle(window, 2), QStringLiteral("Option"));
    QCOMPARE(access.action(WindowAction::Japanese)->statusTip(), QStringLiteral("Select Japaense."));
    QCOMPARE(access.action(WindowAction::RemoveList)->statusTip(), QStringLiteral("Clean the list."));
    QCOMPARE(window.findChild<QToolButton *>("btnVideoMerge")->text(), QStringLiteral("Video Merge"));
}

void TestLanguage::whatFollowsTheLanguage()
{
    WindowFixture fixture;
    CQuillmora &window = *fixture.window;
    CQuillmoraTestAccess access = fixture.access();
    MarkingTranslator marking;
    QCoreApplication::installTranslator(&marking);
    QTRY_COMPARE(menuTitle(window, 0), QStringLiteral("<File>"));

    QCOMPARE(menuTitle(window, 2), QStringLiteral("<Option>"));
    QCOMPARE(access.action(WindowAction::About)->text(), QStringLiteral("<  About>"));
    QCOMPARE(access.action(WindowAction::Exit)->statusTip(), QStringLiteral("<Close the Quillmora.>"));
    QCOMPARE(window.findChild<QLabel *>("lblOutputFormat")->text(), QStringLiteral("<Output Format:>"));
    QCOMPARE(window.findChild<QTabWidget *>("formatTabs")->tabText(3), QStringLiteral("<Advanced>"));
    QCOMPARE(access.table()->model()->headerData(3, Qt::Horizontal).toString(), QStringLiteral("<Output file name>"));
    QCOMPARE(window.findChild<QToolButton *>("btnApple")->text(), QStringLiteral("<Apple>"));
    QCOMPARE(window.findChild<QToolButton *>("btnGIFMaker")->text(), QStringLiteral("<GIF Maker>"));
    // Format names, tool-bar titles and the window title stay as they were.
    QCOMPARE(window.findChild<QToolButton *>("btnMP4")->text(), QStringLiteral("MP4"));
    QCOMPARE(window.findChild<QToolButton *>("btnICON")->text(), QStringLiteral("ICON"));
    QCOMPARE(window.findChild<QToolBar *>("toolBarConvert")->windowTitle(), QStringLiteral("Convert"));
    QCOMPARE(window.windowTitle(), QStringLiteral("QuillmoraV1.0"));

    QCoreApplication::removeTranslator(&marking);
    QTRY_COMPARE(menuTitle(window, 0), QStringLiteral("File"));
}

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
