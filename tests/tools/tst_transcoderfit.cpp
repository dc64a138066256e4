// "Fit in" through build/transcoder on real media: each encoder's file lands
// within 95-100 % of the size, a trimmed or joined length counts, a size that
// cannot work is refused before anything is encoded and its least works, and
// the overheads reckoned for each container are those ffmpeg writes.
#include "app/fitsize.h"
#include "engine/joinparts.h"
#include "tests/support/files.h"
#include "tests/support/media.h"
#include "tests/support/programrun.h"
#include "tests/tools/toolrun.h"
#include "tools/transcoder/plan/sizefitting.h"

#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using namespace toolrun;
using testsupport::Finished;
using testsupport::runProgram;

class TestTranscoderFit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { removePrivateProgressBlock(); }
    void landsWithinTheSize_data();
    void landsWithinTheSize();
    void refusedBeforeEncodingAndItsLeastWorks();
    void overheadsAsFfmpegWrites_data();
    void overheadsAsFfmpegWrites();

private:
    // The transcoder in a working folder of its own, as the application runs it.
    Finished fit(qint64 bytes, const QStringList &arguments, const QString &workFolder);

    QTemporaryDir root;
    QString clip;
    QString joinList; // two 3 s parts of the clip, as the application converts them for a video join
};

namespace {

// Bytes of one kind of stream's packets ("v", "a"), and their count, as ffprobe reads them.
QPair<qint64, int> packets(const QString &file, const QString &kind)
{
    const QByteArray sizes = runProgram("ffprobe", {"-v", "error", "-select_streams", kind, "-show_entries",
                                                    "packet=size", "-of", "csv=p=0", file})
                                 .output;
    QPair<qint64, int> total{0, 0};
    for (const QByteArray &line : sizes.split('\n')) {
        if (!line.trimmed().isEmpty()) {
            total.first += line.trimmed().toLongLong();
            ++total.second;
        }
    }
    return total;
}

} // namespace

void TestTranscoderFit::initTestCase()
{
    QVERIFY(root.isValid());
    QVERIFY(QFileInfo(transcoder()).isExecutable());
    testmedia::ClipSpec spec;
    spec.seconds = 4;
    spec.width = 320;
    spec.height = 240;
    spec.frameRate = 25;
    spec.videoSource = "testsrc2";
    clip = root.filePath("busy.mkv");
    QVERIFY(testmedia::makeClip(clip, spec));
    // An MP4 at 30 fps copied into Matroska: its millisecond timestamps jitter,
    // and ffmpeg evens out an MP4's rate with a frame more than an analysis saw.
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc2=size=320x240:rate=30:duration=4", "-f", "lavfi", "-i",
                                  "sine=duration=4", "-ac", "2", "-pix_fmt", "yuv420p", root.filePath("jittery.mp4")}));
    QVERIFY(testmedia::runFfmpeg({"-i", root.filePath("jittery.mp4"), "-c", "copy", root.filePath("jittery.mkv")}));

    // Fractal detail at 60 fps: VP9 writes far more than a low rate asks, and
    // more again at a lower one.
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i",
                                  "mandelbrot=size=320x240:rate=60,trim=start=8:duration=4,setpts=PTS-STARTPTS", "-f",
                                  "lavfi", "-i", "sine=duration=4", "-ac", "2", root.filePath("fractal.mkv")}));

    // A test pattern that barely moves: an encoder that codes its upper
    // layers coarsely cannot spend the rate on it.
    testmedia::ClipSpec calm = spec;
    calm.seconds = 6;
    calm.videoSource = "testsrc";
    calm.channels = 1;
    QVERIFY(testmedia::makeClip(root.filePath("calm.mkv"), calm));

    QStringList lines;
    for (int part = 0; part < 2; ++part) {
        const QString path = root.filePath(joinPartFileName(JoinKind::Video, part));
        QVERIFY(testmedia::runFfmpeg({"-i", clip, "-t", "3", "-vcodec", "libx264", "-preset", "ultrafast", "-b:v",
                                      "2000k", "-acodec", "libmp3lame", "-b:a", "256k", path}));
        lines << concatListLine(path);
    }
    joinList = root.filePath("file.txt");
    QVERIFY(testsupport::writeFile(joinList, (lines.join(u'\n') + u'\n').toUtf8()));
}

Finished TestTranscoderFit::fit(qint64 bytes, const QStringList &arguments, const QString &workFolder)
{
    return runProgram(transcoder(), QStringList{QString("--fit-size=%1").arg(bytes)} + arguments, workFolder,
                      privateEnvironment());
}

void TestTranscoderFit::landsWithinTheSize_data()
{
    QTest::addColumn<QString>("source"); // in the test's folder; empty: the busy clip; file.txt: the join's list
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("codec"); // empty: the transcoder's choice
    QTest::addColumn<double>("seconds");
    QTest::addColumn<int>("bytesPerSecond");
    QTest::addColumn<int>("loudness"); // 0: left as it is
    QTest::newRow("H.264 in MP4") << QString() << QStringList{"-vcodec", "libx264", "-acodec", "libfaac"} << "mp4"
                                  << "h264" << 4.0 << 50'000 << 0;
    QTest::newRow("H.265 in MP4") << QString() << QStringList{"-vcodec", "libx265", "-acodec", "libfaac"} << "mp4"
                                  << "hevc" << 4.0 << 50'000 << 0;
    QTest::newRow("H.265, timestamps that jitter")
        << "jittery.mkv" << QStringList{"-vcodec", "libx265", "-acodec", "libfaac"} << "mp4"
        << "hevc" << 4.0 << 50'000 << 0;
    QTest::newRow("VP9 in WebM") << QString() << QStringList{"-vcodec", "libvpx-vp9", "-acodec", "libopus"} << "webm"
                                 << "vp9" << 4.0 << 50'000 << 0;
    // Over the size at the first try: the second aims low enough to land under.
    QTest::newRow("VP9, a fractal over at first")
        << "fractal.mkv" << QStringList{"-vcodec", "libvpx-vp9", "-acodec", "libopus"} << "webm"
        << "vp9" << 4.0 << 20'000 << 0;
    QTest::newRow("AV1 in one pass, measured")
        << QString() << QStringList{"-vcodec", "libsvtav1", "-acodec", "libfaac"} << "mp4"
        << "av1" << 4.0 << 50'000 << 0;
    QTest::newRow("AV1, a calm picture") << "calm.mkv" << QStringList{"-vcodec", "libsvtav1", "-acodec", "libfaac"}
                                         << "mp4"
                                         << "av1" << 6.0 << 32'000 << 0;
    QTest::newRow("H.264 in AVI, trimmed, smaller")
        << QString()
        << QStringList{"-ss", "1", "-t", "2", "-s", "160x120", "-vcodec", "libx264", "-acodec", "libmp3lame"} << "avi"
        << "h264" << 2.0 << 50'000 << 0;
    // A join fits its total; 256 kbit/s of sound would take more than a fifth of the size: lowered.
    QTest::newRow("a join") << "file.txt" << QStringList{"-c", "copy"} << "mp4" << QString() << 6.0 << 50'000 << 0;
    // Both two-pass modes at once: the sound measured first, normalised in the fitted passes.
    QTest::newRow("VP9 and Opus at a loudness")
        << QString() << QStringList{"-vcodec", "libvpx-vp9", "-acodec", "libopus"} << "webm"
        << "vp9" << 4.0 << 60'000 << -14;
    QTest::newRow("a join at a loudness, its sound as a whole")
        << "file.txt" << QStringList{"-c", "copy"} << "mp4" << QString() << 6.0 << 60'000 << -14;
}

void TestTranscoderFit::landsWithinTheSize()
{
    QFETCH(QString, source);
    const bool join = source == QLatin1String("file.txt");
    QFETCH(QStringList, options);
    QFETCH(QString, suffix);
    QFETCH(QString, codec);
    QFETCH(double, seconds);
    QFETCH(int, bytesPerSecond);
    QFETCH(int, loudness);
    QTemporaryDir work;
    const QString output = root.filePath(QString("%1.%2").arg(QTest::currentDataTag(), suffix));
    const qint64 size = qint64(bytesPerSecond * seconds);
    const QStringList input =
        join ? QStringList{"-f", "concat", "-i", joinList}
             : QStringList{"-i",       source.isEmpty() ? clip : root.filePath(source), "-threads", "4", "-preset",
                           "ultrafast"};
    const QStringList loudnessOption = loudness ? QStringList{QString("--loudness=%1").arg(loudness)} : QStringList();
    const Finished finished =
        fit(size, loudnessOption + QStringList{"-y"} + input + options + QStringList{output}, work.path());
    QVERIFY2(finished.exitCode == 0, qPrintable(finished.errors));

    const qint64 written = QFileInfo(output).size();
    QVERIFY2(isWithinSize(written, size), qPrintable(QString("%1 of %2 bytes").arg(written).arg(size)));
    const testmedia::Probe probe = testmedia::probe(output);
    QVERIFY(probe.first("video") && probe.first("audio"));
    if (!codec.isEmpty())
        QCOMPARE(probe.first("video")->codec, codec);
    QVERIFY2(qAbs(probe.duration - seconds) < 0.2, qPrintable(QString::number(probe.duration)));
    if (join) {
        const qint64 sound = packets(output, "a").first;
        QVERIFY2(sound * 5 <= size, qPrintable(QString::number(sound)));
    }
    if (loudness) {
        const double integrated = testmedia::loudness(output).integrated;
        QVERIFY2(qAbs(integrated - loudness) <= 1, qPrintable(QString::number(integrated)));
    }
    // The statistics went with the run; nothing else is left beside the output.
    QCOMPARE(QDir(work.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
    QVERIFY(temporaryFilesIn(root.path()).isEmpty());
}

void TestTranscoderFit::refusedBeforeEncodingAndItsLeastWorks()
{
    QTemporaryDir work;
    const QString output = root.filePath("refused.mp4");
    const QStringList arguments{"-i", clip, "-vcodec", "libx264", "-acodec", "libfaac", output};
    const Finished refused = fit(8000, arguments, work.path());
    QCOMPARE(refused.exitCode, 1);
    QVERIFY(!QFileInfo::exists(output));
    const QRegularExpressionMatch least =
        QRegularExpression("quillmora:fit-size=8000\nquillmora:fit-seconds=4\\.0\\d+\nquillmora:fit-least=(\\d+)\n")
            .match(QString::fromUtf8(refused.output));
    QVERIFY(least.hasMatch());
    QVERIFY2(refused.errors.contains(
                 QRegularExpression("8 kB is too small for 0:04 of video; \\d+ kB is the least that works")),
             qPrintable(refused.errors));

    // The figure the user is shown is one that works.
    const qint64 shown = FitSize::roundedUp(least.captured(1).toLongLong());
    const Finished atLeast = fit(shown, arguments, work.path());
    QVERIFY2(atLeast.exitCode == 0, qPrintable(atLeast.errors));
    QVERIFY(QFileInfo(output).size() <= shown);
}

void TestTranscoderFit::overheadsAsFfmpegWrites_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QStringList>("codecs");
    const QStringList h264{"-vcodec", "libx264", "-preset", "ultrafast", "-acodec", "aac"};
    QTest::newRow("MP4") << "mp4" << h264;
    QTest::newRow("MOV") << "mov" << h264;
    QTest::newRow("MKV") << "mkv" << h264;
    QTest::newRow("WebM") << "webm" << QStringList{"-vcodec",   "libvpx-vp9", "-deadline", "realtime",
                                                   "-cpu-used", "8",          "-acodec",   "libopus"};
    QTest::newRow("AVI") << "avi" << QStringList{"-vcodec", "libx264", "-preset", "ultrafast", "-acodec", "libmp3lame"};
}

void TestTranscoderFit::overheadsAsFfmpegWrites()
{
    QFETCH(QString, suffix);
    QFETCH(QStringList, codecs);
    const QString output = root.filePath("overhead." + suffix);
    QVERIFY(testmedia::runFfmpeg(QStringList{"-i", clip, "-r", "30", "-b:v", "200k"} + codecs + QStringList{output}));
    const qint64 measured = QFileInfo(output).size() - packets(output, "v").first - packets(output, "a").first;

    FitSound sound;
    sound.present = true;
    sound.encoder = codecs.last() == QLatin1String("libopus") ? "libopus"
                    : codecs.last() == QLatin1String("aac")   ? "aac"
                                                              : "libmp3lame";
    sound.sampleRate = sound.encoder == QLatin1String("libopus") ? 48000 : 44100;
    const qint64 reckoned = containerOverheadBytes(suffix, 4, 30, sound);
    QVERIFY2(qAbs(reckoned - measured) <= qMax<qint64>(1000, measured / 5),
             qPrintable(QString("%1 reckoned, %2 written").arg(reckoned).arg(measured)));
}

QTEST_GUILESS_MAIN(TestTranscoderFit)
#include "tst_transcoderfit.moc"
