// The libVLC layer on real media: frames, the logo (under a name libVLC would
// split) and the marquee as they appear in the painted frames, and the widget
// going first. The picture adjustment and subtitles are checked through the
// preview dialog.
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
    void logoAndMarqueeAppearWhereAndHowChosen();
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
