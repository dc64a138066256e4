// The libVLC layer on real media: the frames, the logo (under a name libVLC
// would split) and the marquee shown and taken away again, and the widget
// going first. What the frames show where is checked through the preview
// dialog.
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
    void logoAndMarqueeComeAndGo();
    void widgetGoesFirstWhilePlaying();

private:
    QTemporaryDir dir;
    QString bars;  // colour bars, 320x240, 8 s
    QString black;
};

void TestVlcLayer::initTestCase()
{
    QVERIFY(testmedia::makeMediaSet(dir.path(), {"bars.mp4", "black.mp4", "logo.png"}));
    bars = dir.filePath(QStringLiteral("bars.mp4"));
    black = dir.filePath(QStringLiteral("black.mp4"));
}

void TestVlcLayer::framesHaveTheVideoSize()
{
    VlcSession session;
    QVERIFY(session.player.time() < 0);
    QVERIFY(session.play(bars));
    QCOMPARE(session.video.lastFrame().size(), QSize(320, 240));
    QTRY_VERIFY(qAbs(session.player.length() - 8000) < 200);
    session.player.pause();
    QTRY_COMPARE(session.player.state(), Vlc::Paused);
    session.player.stop();
    QCOMPARE(session.player.state(), Vlc::Stopped);
}

void TestVlcLayer::logoAndMarqueeComeAndGo()
{
    // A name libVLC would read as a list of pictures.
    const QString logoPath = dir.filePath(QStringLiteral("red logo, v2;final.png"));
    QVERIFY(QFile::copy(dir.filePath(QStringLiteral("logo.png")), logoPath));

    VlcSession session;
    QVERIFY(session.play(black));
    session.player.video()->showLogo(logoPath, 50, 60, 255);
    session.player.video()->showMarquee(QStringLiteral("100% $W"), 20, 150, 0, 255, 40, 0xff8000);
    QTRY_VERIFY_WITH_TIMEOUT(countNear(session.video.lastFrame(), QRect(50, 60, 32, 32), qRgb(255, 0, 255), 75) > 900
                                 && countNear(session.video.lastFrame(), QRect(20, 150, 300, 90), qRgb(255, 128, 0), 40) > 200,
                             5000);

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
