// What the web formats give plays where people play it: each output, made by
// build/transcoder from every kind of input, is read back with ffprobe and
// ffmpeg, then loaded into a real headless Chromium and played to its end;
// the web's pictures, made by build/imageconvert/convert, are shown there.
// No network: the page and the files are local.

#include "app/formats.h"
#include "app/outputprofile.h"
#include "tests/conversion/conversionrun.h"
#include "tests/conversion/webdriver.h"
#include "tests/support/files.h"
#include "tests/support/media.h"
#include "tests/support/programrun.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QSize>
#include <QTemporaryDir>
#include <QUrl>
#include <QtTest>

namespace {

constexpr double clipSeconds = 2;

struct Input {
    const char *name;
    const char *file;
    QSize shown; // the picture as a viewer sees it; empty: none
    bool hasSound;
};

// The first four are the kinds every web format is played from; H.264 also
// from the sources that once gave pictures browsers refuse.
const Input inputs[] = {
    {"video with sound", "film.mkv", QSize(320, 240), true},
    {"video without sound", "silent.mkv", QSize(320, 240), false},
    {"sound only", "tone.wav", QSize(), true},
    {"phone clip stored turned", "phone.mp4", QSize(180, 320), true},
    {"camera file in 4:4:4", "camera.avi", QSize(320, 240), true},
    {"screen recording of 1919x1079", "screen.mkv", QSize(1918, 1078), false},
};
constexpr int everyFormatsInputs = 4;

// What ffprobe must find in each output: video and audio codec, empty for
// a stream the format does not hold.
QPair<QString, QString> expectedCodecs(int formatId)
{
    switch (formatId) {
    case FormatWebM:
        return {"vp9", "opus"};
    case FormatHEVC:
        return {"hevc", "aac"};
    case FormatAV1:
        return {"av1", "aac"};
    case FormatMP3:
        return {"", "mp3"};
    case FormatOpus:
        return {"", "opus"};
    case FormatGifMaker:
        return {"gif", ""};
    case FormatMP4:
        return {"h264", "aac"};
    default: // AAC, M4A
        return {"", "aac"};
    }
}

// Chromium on Linux decodes H.265 only through a platform (hardware) decoder.
const char *const hevcType = "video/mp4; codecs=\"hvc1.1.6.L93.B0\"";

const QString &playbackScript()
{
    static const QString script =
        QString::fromUtf8(testsupport::readFile(QStringLiteral(QUILLMORA_SOURCE_DIR "/tests/conversion/playback.js")));
    return script;
}

} // namespace

class TestBrowserPlayback : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void playsToItsEnd_data();
    void playsToItsEnd();
    void showsPicture_data();
    void showsPicture();

private:
    QTemporaryDir folder;
    HeadlessChromium browser;
    int made = 0;
};

void TestBrowserPlayback::initTestCase()
{
    QVERIFY(folder.isValid());
    testmedia::ClipSpec film{clipSeconds, 320, 240, 25, 44100, 2};
    QVERIFY(testmedia::makeClip(folder.filePath("film.mkv"), film));
    film.sampleRate = 0;
    QVERIFY(testmedia::makeClip(folder.filePath("silent.mkv"), film));
    film.width = 0;
    film.sampleRate = 44100;
    QVERIFY(testmedia::makeClip(folder.filePath("tone.wav"), film));
    QVERIFY(testmedia::makeMediaSet(folder.path(), {"phone.mp4"}, clipSeconds));
    const QString seconds = QString::number(clipSeconds);
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=25:duration=" + seconds, "-f",
                                  "lavfi", "-i", "sine=duration=" + seconds, "-c:v", "mjpeg", "-pix_fmt", "yuvj444p",
                                  "-c:a", "pcm_s16le", folder.filePath("camera.avi")}));
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc2=size=1919x1079:rate=5:duration=" + seconds, "-pix_fmt",
                                  "yuv444p", "-c:v", "ffv1", folder.filePath("screen.mkv")}));
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc2=size=320x240", "-frames:v", "1",
                                  folder.filePath("photo.jpg")}));
    QVERIFY(testsupport::writeFile(folder.filePath("page.html"),
                                   "<!doctype html><html><head><title>playback</title></head><body></body></html>\n"));

    QVERIFY(QDir().mkpath(folder.filePath("profile")));
    QVERIFY2(browser.start(folder.filePath("profile")), qPrintable(browser.error()));
    QVERIFY2(browser.open(QUrl::fromLocalFile(folder.filePath("page.html")).toString()), qPrintable(browser.error()));
}

void TestBrowserPlayback::playsToItsEnd_data()
{
    QTest::addColumn<int>("formatId");
    QTest::addColumn<int>("input");
    for (const int formatId : {int(FormatMP4), int(FormatWebM), int(FormatHEVC), int(FormatAV1)}) {
        for (int input = 0; input < everyFormatsInputs; ++input)
            QTest::addRow("%s from %s", formatInfo(formatId)->buttonText, inputs[input].name) << formatId << input;
    }
    for (int input = everyFormatsInputs; input < int(std::size(inputs)); ++input)
        QTest::addRow("MP4 from %s", inputs[input].name) << int(FormatMP4) << input;
    for (const int formatId : {int(FormatMP3), 12 /* AAC */, 18 /* M4A */, int(FormatOpus)})
        QTest::addRow("%s from sound only", formatInfo(formatId)->buttonText) << formatId << 2;
    QTest::addRow("Opus from video with sound") << int(FormatOpus) << 0;
    QTest::addRow("GIF maker from video with sound") << int(FormatGifMaker) << 0;
}

void TestBrowserPlayback::playsToItsEnd()
{
    QFETCH(int, formatId);
    QFETCH(int, input);
    const Input &source = inputs[input];
    const OutputProfile profile = defaultProfile(formatId);
    ConvertJob job = makeJob(formatId, profile);
    if (profile.category == GifMerge)
        job.edit.trimLength = 1; // seconds

    const QString output = folder.filePath(QStringLiteral("out%1%2").arg(++made).arg(formatExtension(formatId)));
    const conversion::Outcome outcome = conversion::convert(job, folder.filePath(source.file), output);
    QVERIFY2(outcome.succeeded, qPrintable(outcome.errors));
    QString errors;
    QVERIFY2(conversion::decodesCleanly(output, &errors), qPrintable(errors));
    const testmedia::Probe probed = testmedia::probe(output);
    const testmedia::Stream *videoStream = probed.first(QStringLiteral("video"));
    const testmedia::Stream *audioStream = probed.first(QStringLiteral("audio"));
    const auto [videoCodec, audioCodec] = expectedCodecs(formatId);
    QCOMPARE(videoStream ? videoStream->codec : QString(), source.shown.isValid() ? videoCodec : QString());
    QCOMPARE(audioStream ? audioStream->codec : QString(), source.hasSound ? audioCodec : QString());

    const bool picture = profile.category == GifMerge;
    const bool video = profile.category == Video && source.shown.isValid();
    const QString tag = picture ? "img" : profile.category == Video ? "video" : "audio";
    const QString type = formatId == FormatHEVC ? QString::fromLatin1(hevcType) : QString();
    const QJsonValue played = browser.runAsync(playbackScript(), {tag, QUrl::fromLocalFile(output).toString(), type}, 60000);
    QVERIFY2(!played.isUndefined(), qPrintable(browser.error()));
    const QJsonObject report = played.toObject();
    const QString facts = QString::fromUtf8(QJsonDocument(report).toJson(QJsonDocument::Compact));
    if (video && !type.isEmpty() && report.value("canPlay").toString().isEmpty())
        QSKIP("Chromium has no H.265 decoder here: on Linux it plays H.265 only through a hardware decoder");

    QVERIFY2(report.value("error").isNull(), qPrintable(facts));
    if (picture) {
        QCOMPARE(QSize(report.value("width").toInt(), report.value("height").toInt()), QSize(150, 112));
        return;
    }
    QVERIFY2(report.value("ended").toBool(), qPrintable(facts));
    QVERIFY2(qAbs(report.value("duration").toDouble() - clipSeconds) < 0.25, qPrintable(facts));
    if (video) {
        QCOMPARE(QSize(report.value("width").toInt(), report.value("height").toInt()), source.shown);
        QVERIFY2(report.value("frames").toInt() > 0, qPrintable(facts));
    }
}

void TestBrowserPlayback::showsPicture_data()
{
    QTest::addColumn<int>("formatId");
    QTest::addColumn<QByteArray>("signature"); // at byte 8 of the file
    QTest::newRow("WebP") << int(FormatWebP) << QByteArray("WEBPVP8");
    QTest::newRow("AVIF") << int(FormatAVIF) << QByteArray("avif");
}

void TestBrowserPlayback::showsPicture()
{
    QFETCH(int, formatId);
    QFETCH(QByteArray, signature);
    const QString output = folder.filePath(QStringLiteral("photo%1").arg(formatExtension(formatId)));
    const conversion::Outcome outcome =
        conversion::convert(makeJob(formatId, defaultProfile(formatId)), folder.filePath("photo.jpg"), output);
    QVERIFY2(outcome.succeeded, qPrintable(outcome.errors));
    const testsupport::Finished read =
        testsupport::runProgram(QStringLiteral("/usr/bin/identify-im6.q16"), {"-format", "%w %h", output});
    QCOMPARE(QString::fromUtf8(read.output).trimmed(), QString("320 240"));
    QCOMPARE(testsupport::readFile(output).mid(8, signature.size()), signature);

    const QJsonValue shown = browser.runAsync(playbackScript(), {"img", QUrl::fromLocalFile(output).toString(), ""}, 60000);
    QVERIFY2(!shown.isUndefined(), qPrintable(browser.error()));
    const QJsonObject report = shown.toObject();
    QVERIFY2(report.value("error").isNull(), qPrintable(QJsonDocument(report).toJson(QJsonDocument::Compact)));
    QCOMPARE(QSize(report.value("width").toInt(), report.value("height").toInt()), QSize(320, 240));
}

QTEST_GUILESS_MAIN(TestBrowserPlayback)
#include "tst_browserplayback.moc"
