// The libVLC layer on real media: frames, picture adjustment, logo, marquee
// and subtitles as they appear in the painted frames.
#include "tests/support/files.h"
#include "tests/support/media.h"
#include "tests/vlc/vlcsession.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace framecheck;

class TestVlcLayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void framesHaveTheVideoSize();
    void pictureAdjustmentChangesTheFrames();
    void logoAndMarqueeAppearWhereAndHowChosen();
    void subtitleTextAppearsInTheLowerPart();
    void widgetGoesFirstWhilePlaying();

private:
    QTemporaryDir dir;
    QString bars;  // still colour bars, 320x240
    QString black; // a black picture, 320x240
};

void TestVlcLayer::initTestCase()
{
    QVERIFY(dir.isValid());
    testmedia::ClipSpec spec;
    spec.seconds = 4;
    spec.width = 320;
    spec.height = 240;
    spec.videoSource = QStringLiteral("smptebars");
    bars = dir.filePath(QStringLiteral("bars.mp4"));
    QVERIFY(testmedia::makeClip(bars, spec));
    spec.videoSource = QStringLiteral("color");
    black = dir.filePath(QStringLiteral("black.mkv"));
    QVERIFY(testmedia::makeClip(black, spec));
}

void TestVlcLayer::framesHaveTheVideoSize()
{
    VlcSession session;
    QCOMPARE(session.player.time() < 0, true);
    QVERIFY(session.play(bars));
    QCOMPARE(session.video.lastFrame().size(), QSize(320, 240));
    QTRY_COMPARE(session.player.state(), Vlc::Playing);
    QVERIFY(session.player.time() >= 0);
    QTRY_VERIFY(qAbs(session.player.length() - 4000) < 200);

    session.player.pause();
    QTRY_COMPARE(session.player.state(), Vlc::Paused);
    session.player.play();
    QTRY_COMPARE(session.player.state(), Vlc::Playing);
    session.player.stop();
    QCOMPARE(session.player.state(), Vlc::Stopped);
}

void TestVlcLayer::pictureAdjustmentChangesTheFrames()
{
    VlcSession session;
    QVERIFY(session.play(bars));
    const double plain = meanLevel(session.video.lastFrame());
    QVERIFY2(largestTint(session.video.lastFrame()) > 100, "colour bars are coloured");

    session.player.video()->setBrightness(-50);
    QTRY_VERIFY_WITH_TIMEOUT(meanLevel(session.video.lastFrame()) < plain - 30, 5000);
    session.player.video()->setBrightness(50);
    QTRY_VERIFY_WITH_TIMEOUT(meanLevel(session.video.lastFrame()) > plain + 30, 5000);
    session.player.video()->setBrightness(0);
    QTRY_VERIFY_WITH_TIMEOUT(qAbs(meanLevel(session.video.lastFrame()) - plain) < 3, 5000);

    session.player.video()->setSaturation(-100);
    QTRY_VERIFY_WITH_TIMEOUT(largestTint(session.video.lastFrame()) < 12, 5000);
}

void TestVlcLayer::logoAndMarqueeAppearWhereAndHowChosen()
{
    // A name libVLC would read as a list of pictures.
    const QString logoPath = dir.filePath(QStringLiteral("red logo, v2;final.png"));
    QImage logo(40, 30, QImage::Format_RGB32);
    logo.fill(qRgb(255, 0, 0));
    QVERIFY(logo.save(logoPath));

    VlcSession session;
    QVERIFY(session.play(black));
    const QRgb red = qRgb(255, 0, 0), orange = qRgb(255, 128, 0);
    session.player.video()->showLogo(logoPath, 50, 60, 255);
    QTRY_VERIFY_WITH_TIMEOUT(countNear(session.video.lastFrame(), QRect(52, 62, 36, 26), red, 40) == 36 * 26, 5000);
    const QImage withLogo = session.video.lastFrame();
    QCOMPARE(countNear(withLogo, QRect(0, 0, 320, 240), red, 40), 40 * 30);

    session.player.video()->showMarquee(QStringLiteral("100% $W"), 20, 150, 0, 255, 40, 0xff8000);
    QTRY_VERIFY_WITH_TIMEOUT(countNear(session.video.lastFrame(), QRect(20, 150, 300, 90), orange, 40) > 200, 5000);
    const QImage withText = session.video.lastFrame();
    QCOMPARE(countNear(withText, QRect(0, 0, 320, 148), orange, 40), 0);
    QCOMPARE(countNear(withText, QRect(0, 0, 18, 240), orange, 40), 0);

    session.player.video()->showLogo(QString(), 0, 0, 255);
    session.player.video()->showMarquee(QString(), 0, 0, 0, 255, 40, 0xff8000);
    QTRY_VERIFY_WITH_TIMEOUT(meanLevel(session.video.lastFrame()) < 2, 5000);
}

void TestVlcLayer::subtitleTextAppearsInTheLowerPart()
{
    const QString subtitles = dir.filePath(QStringLiteral("words.srt"));
    QVERIFY(testsupport::writeFile(subtitles, "1\n00:00:00,000 --> 00:10:00,000\nHELLO WORLD\n\n"));

    VlcSession session;
    QVERIFY(session.play(black));
    const QRgb white = qRgb(255, 255, 255);
    QCOMPARE(countNear(session.video.lastFrame(), QRect(0, 0, 320, 240), white, 30), 0);
    session.player.video()->setSubtitleFile(subtitles);
    QTRY_VERIFY_WITH_TIMEOUT(countNear(session.video.lastFrame(), QRect(0, 160, 320, 80), white, 30) > 50, 8000);
    QCOMPARE(countNear(session.video.lastFrame(), QRect(0, 0, 320, 120), white, 30), 0);
}

void TestVlcLayer::widgetGoesFirstWhilePlaying()
{
    VlcInstance instance({QStringLiteral("--no-video-title-show")});
    VlcMediaPlayer player(&instance);
    VlcMedia media(bars, true, &instance);
    {
        VlcWidgetVideo video;
        player.setVideoWidget(&video);
        video.setMediaPlayer(&player);
        player.open(&media);
        QTRY_VERIFY(video.frameCount() > 2);
    }
    // The widget stopped the player on its way out; nothing paints into it any more.
    QCOMPARE(player.state(), Vlc::Stopped);
    QTest::qWait(200);
}

QTEST_MAIN(TestVlcLayer)
#include "tst_vlclayer.moc"
