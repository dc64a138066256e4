#include "tests/mainwindow/windowfixture.h"
#include "devtools/screenshot/composition.h"
#include "devtools/screenshot/pagecheck.h"
#include "tests/support/files.h"
#include "tests/support/programrun.h"

#include <QImage>
#include <QTabWidget>
#include <QtTest>

class TestScreenshot : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void formatPageFaults_data();
    void formatPageFaults();
    void composition_data();
    void composition();
    void programDrawsThePicture();
    void programLeavesAnExistingHomeAlone();

private:
    QTemporaryDir home;
};

namespace {

constexpr int TallEnough = 2100;

QRect areaOf(const QImage &image, QRgb colour, int *pixels)
{
    QRect area;
    *pixels = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixel(x, y) == colour) {
                area |= QRect(x, y, 1, 1);
                ++*pixels;
            }
        }
    }
    return area;
}

testsupport::Finished runScreenshotProgram(const QStringList &arguments)
{
    return testsupport::runProgram(QStringLiteral(QUILLMORA_SCREENSHOT_PROGRAM), arguments, QString(),
                                   QProcessEnvironment::systemEnvironment(), 60000);
}

} // namespace

void TestScreenshot::initTestCase()
{
    QVERIFY(home.isValid());
    qputenv("HOME", home.path().toUtf8());
}

void TestScreenshot::formatPageFaults_data()
{
    QTest::addColumn<int>("tab");
    QTest::addColumn<int>("windowHeight");
    QTest::addColumn<bool>("running");
    QTest::addColumn<QString>("expectedFault"); // empty: none at all

    // The fixed-width tab bar must hold all four titles on every page.
    QTest::newRow("video") << 0 << TallEnough << false << QString();
    QTest::newRow("audio") << 1 << TallEnough << false << QString();
    QTest::newRow("image") << 2 << TallEnough << false << QString();
    QTest::newRow("advanced") << 3 << TallEnough << false << QString();
    QTest::newRow("short window cuts the video column") << 0 << 700 << false
                                                        << "btnAndroid is cut off";
    QTest::newRow("a run greys the buttons") << 3 << TallEnough << true
                                             << "btnVideoMerge is greyed out";
}

void TestScreenshot::formatPageFaults()
{
    QFETCH(int, tab);
    QFETCH(int, windowHeight);
    QFETCH(bool, running);
    QFETCH(QString, expectedFault);
    WindowFixture fixture;
    CQuillmora &window = *fixture.window;
    window.resize(1500, windowHeight);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    if (running)
        fixture.access().startRun();
    auto *tabs = window.findChild<QTabWidget *>(QStringLiteral("formatTabs"));
    tabs->setCurrentIndex(tab);
    QCoreApplication::processEvents();

    const QStringList faults = ::formatPageFaults(*tabs);
    if (expectedFault.isEmpty())
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QStringLiteral("; "))));
    else
        QVERIFY2(faults.contains(expectedFault), qPrintable(faults.join(QStringLiteral("; "))));
}

void TestScreenshot::composition_data()
{
    QTest::addColumn<QSize>("windowSize");
    QTest::addColumn<int>("tabsTop");
    QTest::addColumn<int>("pageHeight");
    QTest::newRow("pages inside the window's height") << QSize(400, 300) << 40 << 200;
    QTest::newRow("pages reaching below the window") << QSize(400, 300) << 60 << 280;
}

void TestScreenshot::composition()
{
    QFETCH(QSize, windowSize);
    QFETCH(int, tabsTop);
    QFETCH(int, pageHeight);
    const QRgb colours[] = {qRgb(255, 0, 0), qRgb(0, 255, 0), qRgb(0, 0, 255), qRgb(255, 255, 0)};
    QImage window(windowSize, QImage::Format_RGB32);
    window.fill(colours[0]);
    QList<QImage> pages;
    for (int index = 1; index < 4; ++index) {
        QImage page(100, pageHeight, QImage::Format_RGB32);
        page.fill(colours[index]);
        pages << page;
    }

    const QImage picture = composeScreenshot(window, tabsTop, pages);

    // Each grab shows whole and uncovered, the pages to the right of the
    // window and of each other, their tops level with the window's tab widget.
    int pixels = 0;
    const QRect windowArea = areaOf(picture, colours[0], &pixels);
    QCOMPARE(pixels, windowSize.width() * windowSize.height());
    QRect previous = windowArea;
    for (int index = 1; index < 4; ++index) {
        const QRect area = areaOf(picture, colours[index], &pixels);
        QCOMPARE(pixels, 100 * pageHeight);
        QCOMPARE(area.top() - windowArea.top(), tabsTop);
        QVERIFY(area.left() > previous.right());
        previous = area;
    }
    QVERIFY(picture.rect().adjusted(1, 1, -1, -1).contains(previous));
}

void TestScreenshot::programDrawsThePicture()
{
    QTemporaryDir work;
    const QString output = work.filePath(QStringLiteral("shot.png"));
    const QString demoHome = work.filePath(QStringLiteral("demo"));
    const testsupport::Finished run = runScreenshotProgram({output, demoHome});
    QCOMPARE(run.exitCode, 0);

    const QImage picture(output);
    QVERIFY2(!picture.isNull(), qPrintable(run.errors));
    // The window, tall enough for the twelve video buttons, and three pages beside it.
    QVERIFY2(picture.height() > 12 * 80, qPrintable(QString::number(picture.height())));
    QVERIFY(picture.width() > 1000 + 3 * 230);
    QVERIFY2(!QFileInfo::exists(demoHome), "the demo home is removed again");
}

void TestScreenshot::programLeavesAnExistingHomeAlone()
{
    QTemporaryDir work;
    const QString demoHome = work.filePath(QStringLiteral("someone"));
    QVERIFY(QDir().mkpath(demoHome + QStringLiteral("/Videos")));
    const QString precious = demoHome + QStringLiteral("/Videos/wedding.mp4");
    QVERIFY(testsupport::writeFile(precious, "data"));

    const testsupport::Finished run = runScreenshotProgram({work.filePath(QStringLiteral("shot.png")), demoHome});
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.contains(QStringLiteral("does not exist yet")), qPrintable(run.errors));
    QVERIFY(QFileInfo(precious).size() == 4);
    QVERIFY(!QFileInfo::exists(work.filePath(QStringLiteral("shot.png"))));
}

QTEST_MAIN(TestScreenshot)
#include "tst_screenshot.moc"
