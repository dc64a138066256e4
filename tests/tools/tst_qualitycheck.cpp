// build/transcoder --check-quality on real encodes: its figures against
// ffmpeg's own ssim and psnr filters, frames paired through cuts, new frame
// rates and bars, what it says when it measures nothing, and a check that
// fails without failing the job.
#include "tests/support/media.h"
#include "tests/support/programrun.h"
#include "tests/tools/toolrun.h"
#include "tools/transcoder/plan/qualitycomparison.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace toolrun;
using testsupport::Finished;
using testsupport::runProgram;

namespace {

// The "quillmora:key=value" lines of a run.
QMap<QString, QString> reportsOf(const Finished &run)
{
    QMap<QString, QString> reports;
    for (const QByteArray &line : run.output.split('\n')) {
        if (line.startsWith("quillmora:") && line.contains('='))
            reports.insert(QString::fromUtf8(line.mid(10, line.indexOf('=') - 10)),
                           QString::fromUtf8(line.mid(line.indexOf('=') + 1)));
    }
    return reports;
}

double figureAfter(const QString &text, const QString &key)
{
    const QRegularExpressionMatch match = QRegularExpression(key + QStringLiteral("([0-9.]+)")).match(text);
    return match.hasMatch() ? match.captured(1).toDouble() : -1;
}

} // namespace

class TestQualityCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { removePrivateProgressBlock(); }

    void figuresAreFfmpegsOwn_data();
    void figuresAreFfmpegsOwn();
    void framesPairWithTheFramesTheyWereMadeFrom_data();
    void framesPairWithTheFramesTheyWereMadeFrom();
    void saysWhyNothingWasMeasured_data();
    void saysWhyNothingWasMeasured();
    void aFailedCheckKeepsTheJob();
    void psnrAveragesTheErrorNotTheFigures();

private:
    Finished convert(const QStringList &arguments) const
    {
        return runProgram(transcoder(), QStringList{"--check-quality", "-y"} + arguments, QString(),
                          privateEnvironment());
    }
    QString path(const QString &name) const { return folder.filePath(name); }

    QTemporaryDir folder;
};

void TestQualityCheck::initTestCase()
{
    QVERIFY(folder.isValid());
    testmedia::ClipSpec clip;
    clip.seconds = 2;
    clip.width = 320;
    clip.height = 240;
    clip.frameRate = 25;
    clip.videoSource = QStringLiteral("testsrc2"); // moving: a frame paired with its neighbour shows
    QVERIFY(testmedia::makeClip(path("clip.mp4"), clip));
    // Timestamps in milliseconds, so that 25 fps falls between them.
    QVERIFY(
        testmedia::runFfmpeg({"-i", path("clip.mp4"), "-c:v", "mpeg4", "-q:v", "2", "-c:a", "copy", path("clip.mkv")}));
    // A phone clip: stored on its side with a quarter-turn tag.
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc2=size=180x320:rate=30:duration=1,transpose=1",
                                  "-pix_fmt", "yuv420p", path("phone-stored.mp4")}));
    QVERIFY(testmedia::runFfmpeg(
        {"-i", path("phone-stored.mp4"), "-c", "copy", "-metadata:s:v", "rotate=90", path("phone.mp4")}));
}

// The figures of ffmpeg's own filters on the same pair of files.
void TestQualityCheck::figuresAreFfmpegsOwn_data()
{
    QTest::addColumn<QString>("output");
    QTest::addColumn<QStringList>("codecs");
    QTest::newRow("mp4") << "out.mp4" << QStringList{"-vcodec", "libx264", "-b:v", "300k", "-acodec", "libfaac"};
    QTest::newRow("webm") << "out.webm" << QStringList{"-vcodec", "libvpx-vp9", "-b:v", "200k", "-acodec", "libopus"};
}

void TestQualityCheck::figuresAreFfmpegsOwn()
{
    QFETCH(QString, output);
    QFETCH(QStringList, codecs);
    const Finished run = convert(QStringList{"-i", path("clip.mp4"), "-threads", "4", "-preset", "ultrafast"} + codecs
                                 + QStringList{path(output)});
    QCOMPARE(run.exitCode, 0);
    const QMap<QString, QString> reports = reportsOf(run);
    QVERIFY2(reports.contains("ssim") && reports.contains("psnr"), run.output.constData());

    // Both files keep exact times of whole 40 ms frames: ffmpeg pairs them by itself.
    const Finished own =
        runProgram("ffmpeg", {"-nostdin", "-i", path(output), "-i", path("clip.mp4"), "-lavfi",
                              "[0:v]split[a][b];[1:v]split[c][d];[a][c]ssim;[b][d]psnr", "-f", "null", "-"});
    QCOMPARE(own.exitCode, 0);
    const double ssim = figureAfter(own.errors, "All:");
    const double psnr = figureAfter(own.errors, "average:");
    QVERIFY2(ssim > 0.5 && ssim < 1, qPrintable(own.errors));
    QVERIFY2(std::abs(reports["ssim"].toDouble() - ssim) < 0.01,
             qPrintable(reports["ssim"] + " against " + QString::number(ssim)));
    QVERIFY2(std::abs(reports["psnr"].toDouble() - psnr) < 0.2,
             qPrintable(reports["psnr"] + " against " + QString::number(psnr)));
}

// Lossless encodes: the picture is the source's, so any other figure than a
// perfect one means a frame was paired with another than its own.
void TestQualityCheck::framesPairWithTheFramesTheyWereMadeFrom_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("output");
    QTest::newRow("milliseconds in and out") << "clip.mkv" << QStringList{} << "same.mkv";
    QTest::newRow("a cut") << "clip.mp4" << QStringList{"-ss", "0.53", "-t", "1"} << "cut.mp4";
    QTest::newRow("a lower frame rate") << "clip.mp4" << QStringList{"-r", "15"} << "lower.mp4";
    QTest::newRow("a higher frame rate, cut") << "clip.mkv" << QStringList{"-ss", "0.3", "-r", "30"} << "higher.mkv";
    QTest::newRow("a phone clip into a landscape frame") << "phone.mp4" << QStringList{"-s", "640x480"} << "phone.mp4";
}

void TestQualityCheck::framesPairWithTheFramesTheyWereMadeFrom()
{
    QFETCH(QString, input);
    QFETCH(QStringList, options);
    QFETCH(QString, output);
    const QString written = folder.filePath("lossless-" + output);
    const Finished run = convert(QStringList{"-i", path(input)} + options
                                 + QStringList{"-vcodec", "libx264", "-qp", "0", "-an", written});
    QCOMPARE(run.exitCode, 0);
    const QMap<QString, QString> reports = reportsOf(run);
    QCOMPARE(reports.value("ssim"), QStringLiteral("1.000"));
    QCOMPARE(reports.value("psnr"), QStringLiteral("inf"));
}

void TestQualityCheck::saysWhyNothingWasMeasured_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("skipped"); // empty: no word about the quality
    QTest::newRow("the picture copied") << QStringList{"-vcodec", "libx264", "-acodec", "libfaac"} << "copy.mkv"
                                        << "copied";
    QTest::newRow("a turn") << QStringList{"-vf", "transpose=1", "-vcodec", "libx264"} << "turned.mp4"
                            << "edited";
    QTest::newRow("a sound job") << QStringList{"-acodec", "libmp3lame", "-vn"} << "sound.mp3"
                                 << "";
}

void TestQualityCheck::saysWhyNothingWasMeasured()
{
    QFETCH(QStringList, options);
    QFETCH(QString, output);
    QFETCH(QString, skipped);
    const Finished run = convert(QStringList{"-i", path("clip.mp4")} + options + QStringList{path(output)});
    QCOMPARE(run.exitCode, 0);
    const QMap<QString, QString> reports = reportsOf(run);
    QCOMPARE(reports.value("quality-skipped"), skipped);
    QVERIFY(!reports.contains("ssim") && !reports.contains("quality-failed"));
}

void TestQualityCheck::aFailedCheckKeepsTheJob()
{
    // Raw pictures without a header: ffmpeg writes them but cannot read them back.
    const QString output = path("kept.yuv");
    const Finished run = convert({"-i", path("clip.mp4"), "-vcodec", "rawvideo", "-an", output});
    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QFileInfo(output).size(), 320 * 240 * 3 / 2 * 50);
    const QMap<QString, QString> reports = reportsOf(run);
    QVERIFY2(reports.value("quality-failed").startsWith("the converted file cannot be read"), run.output.constData());
    QVERIFY(!reports.contains("ssim"));
}

void TestQualityCheck::psnrAveragesTheErrorNotTheFigures()
{
    // ffmpeg's average is the PSNR of the mean error: 30 dB and a perfect
    // frame give 33.0 dB, not the mean of the figures.
    const QByteArray stats =
        "n:1 mse_avg:65.03 psnr_avg:30.00 psnr_y:30.00\nn:2 mse_avg:0.00 psnr_avg:inf psnr_y:inf\n";
    QCOMPARE(QString::number(*averagePsnr(stats), 'f', 1), QStringLiteral("33.0"));
    QVERIFY(std::isinf(*averagePsnr("n:1 mse_avg:0.00 psnr_avg:inf\n")));
    QVERIFY(!averagePsnr("").has_value());
    QCOMPARE(QString::number(*averageSsim("n:1 Y:0.9 All:0.900000 (10.0)\nn:2 Y:1 All:1.000000 (inf)\n"), 'f', 2),
             QStringLiteral("0.95"));
}

QTEST_GUILESS_MAIN(TestQualityCheck)
#include "tst_qualitycheck.moc"
