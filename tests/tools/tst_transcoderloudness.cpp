// Normalised loudness through build/transcoder ("--loudness=LUFS"): quiet,
// loud, noisy and struck-note songs, and a clip's sound, each measured
// after with ffmpeg's ebur128; the progress bar over both passes.
#include "platform/progressshare.h"
#include "tests/support/media.h"
#include "tests/support/programrun.h"
#include "tests/tools/toolrun.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using namespace toolrun;
using testsupport::Finished;
using testsupport::runProgram;

class TestTranscoderLoudness : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { removePrivateProgressBlock(); }
    void outputMeetsTheTarget_data();
    void outputMeetsTheTarget();
    void percentageSpansBothPasses();
    void silenceStaysSilent();

private:
    QString path(const QString &name) const { return folder.filePath(name); }
    QTemporaryDir folder;
};

namespace {

constexpr double songSeconds = 20;

// Stereo at 44.1 kHz: a sound made by aevalsrc and pink noise of the given amplitude.
bool makeSong(const QString &path, const QString &expression, double noise)
{
    const QString seconds = QString::number(songSeconds);
    return testmedia::runFfmpeg({"-f", "lavfi", "-i", "aevalsrc=" + expression + ":s=44100:d=" + seconds, "-f", "lavfi",
                                 "-i", QStringLiteral("anoisesrc=color=pink:a=%1:d=%2").arg(noise).arg(seconds),
                                 "-filter_complex", "[0][1]amix=inputs=2:normalize=0,aformat=channel_layouts=stereo",
                                 "-ar", "44100", path});
}

} // namespace

void TestTranscoderLoudness::initTestCase()
{
    QVERIFY(folder.isValid());
    // About -40 LUFS; about -5 LUFS, clipped at full scale; mostly hiss; and
    // struck notes, whose peaks one gain cannot bring to -14 under -1 dBTP.
    QVERIFY(makeSong(path("quiet.flac"), "0.01*sin(2*PI*220*t)+0.006*sin(2*PI*660*t)", 0.002));
    QVERIFY(makeSong(path("loud.flac"), "clip(1.4*sin(2*PI*110*t)+0.7*sin(2*PI*330*t)\\,-0.99\\,0.99)", 0.05));
    QVERIFY(makeSong(path("noisy.flac"), "0.05*sin(2*PI*440*t)", 0.3));
    QVERIFY(makeSong(path("notes.flac"),
                     "0.8*sin(2*PI*261*t)*exp(-12*mod(t\\,1.5))+0.5*sin(2*PI*392*t)*exp(-12*mod(t+0.7\\,2.1))"
                     "+0.02*sin(2*PI*130*t)",
                     0.002));
    testmedia::ClipSpec clip;
    clip.seconds = 5;
    QVERIFY(testmedia::makeClip(path("clip.mkv"), clip));
}

void TestTranscoderLoudness::outputMeetsTheTarget_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("target");
    QTest::addColumn<QStringList>("codecs");
    QTest::addColumn<QString>("output");
    const QStringList mp3{"-acodec", "libmp3lame", "-vn"};
    QTest::newRow("quiet song to -16, MP3") << "quiet.flac" << -16 << mp3 << "quiet.mp3";
    QTest::newRow("loud song to -23, AAC") << "loud.flac" << -23 << QStringList{"-acodec", "aac", "-vn"} << "loud.m4a";
    QTest::newRow("noisy song to -14, Opus")
        << "noisy.flac" << -14 << QStringList{"-acodec", "libopus", "-vn"} << "noisy.opus";
    QTest::newRow("struck notes to -14: loudnorm's dynamic mode") << "notes.flac" << -14 << mp3 << "notes.mp3";
    QTest::newRow("a clip's sound to -16, its pictures encoded")
        << "clip.mkv" << -16 << QStringList{"-vcodec", "libx264", "-acodec", "aac"} << "clip.mp4";
}

void TestTranscoderLoudness::outputMeetsTheTarget()
{
    QFETCH(QString, input);
    QFETCH(int, target);
    QFETCH(QStringList, codecs);
    QFETCH(QString, output);
    const QStringList arguments = QStringList{QStringLiteral("--loudness=%1").arg(target),
                                              "-y",
                                              "-i",
                                              path(input),
                                              "-threads",
                                              "4",
                                              "-preset",
                                              "ultrafast"}
                                  + codecs + QStringList{path(output)};
    const Finished outcome = runProgram(transcoder(), arguments, QString(), privateEnvironment());
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));

    const testmedia::Loudness before = testmedia::loudness(path(input));
    const testmedia::Loudness after = testmedia::loudness(path(output));
    const QString figures = QStringLiteral("%1 LUFS, %2 dBTP from %3 LUFS, %4 dBTP")
                                .arg(after.integrated)
                                .arg(after.truePeak)
                                .arg(before.integrated)
                                .arg(before.truePeak);
    QVERIFY2(qAbs(after.integrated - target) <= 1, qPrintable(figures));
    QVERIFY2(after.truePeak <= -1, qPrintable(figures));
    const testmedia::Probe written = testmedia::probe(path(output));
    const testmedia::Probe source = testmedia::probe(path(input));
    QCOMPARE(written.first("audio")->sampleRate, output.endsWith(".opus") ? 48000 : source.first("audio")->sampleRate);
    QCOMPARE(written.first("video") != nullptr, source.first("video") != nullptr);
    QVERIFY(qAbs(written.duration - source.duration) < 0.1);
}

void TestTranscoderLoudness::percentageSpansBothPasses()
{
    ProgressShare share;
    QVERIFY(share.open(privateProgressBlock()));
    share.clear();
    QProcess process;
    process.setProcessEnvironment(privateEnvironment());
    process.start(transcoder(), {"--loudness=-16", "-y", "-i", path("clip.mkv"), "-s", "1920x1080", "-vcodec",
                                 "libx264", "-acodec", "aac", path("big.mp4")});
    QVERIFY(process.waitForStarted());
    QList<int> seen;
    while (!process.waitForFinished(10))
        seen.append(share.percent());
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(share.percent(), 100);
    QStringList figures;
    for (int value : seen)
        figures.append(QString::number(value));
    // The measuring pass fills the first tenth of a video's bar, the encoding the rest.
    QVERIFY2(std::any_of(seen.begin(), seen.end(), [](int value) { return value > 10 && value < 100; }),
             qPrintable(figures.join(' ')));
    for (int i = 1; i < seen.size(); ++i)
        QVERIFY2(seen[i] >= seen[i - 1], qPrintable(figures.join(' ')));
}

void TestTranscoderLoudness::silenceStaysSilent()
{
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "anullsrc=r=44100:cl=stereo", "-t", "3", path("silence.wav")}));
    const Finished outcome = runProgram(transcoder(),
                                        {"--loudness=-14", "-y", "-i", path("silence.wav"), "-acodec", "libmp3lame",
                                         "-vn", path("silence.mp3")},
                                        QString(), privateEnvironment());
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    QVERIFY(std::isnan(testmedia::loudness(path("silence.mp3")).truePeak)); // -inf: nothing was raised
}

QTEST_GUILESS_MAIN(TestTranscoderLoudness)
#include "tst_transcoderloudness.moc"
