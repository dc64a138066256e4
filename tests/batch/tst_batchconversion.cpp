// quillmora --convert turns real media into each kind of output: a video, a
// song, a picture and a join, as ffprobe reads them, each dated as its
// (first) source with --keep-dates; a phone's song and photo are inputs too;
// --loudness brings songs and a join of them to the target; --check-quality
// gives each video's figures in its line.
#include "tests/batch/batchrun.h"
#include "tests/support/media.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

class TestBatchConversion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void converts_data();
    void converts();
    void twoRunsIntoOneFolderKeepBothSongs();
    void songsAndAJoinAtOneLoudness_data();
    void songsAndAJoinAtOneLoudness();
    void twoJobsOfOneNameAtOnce();
    void fitsInASizeOrTellsTheLeast();
    void qualityFiguresInTheLines();

private:
    QTemporaryDir dir;
    const QDateTime taken{QDate(2002, 3, 4), QTime(5, 6, 7), Qt::UTC};
};

void TestBatchConversion::initTestCase()
{
    testmedia::ClipSpec clip;
    clip.seconds = 2;
    QVERIFY(testmedia::makeClip(dir.filePath("clip one.mkv"), clip));
    QVERIFY(testmedia::makeClip(dir.filePath("clip two.mp4"), clip));
    testmedia::ClipSpec song;
    song.width = 0;
    QVERIFY(testmedia::makeClip(dir.filePath("song.flac"), song));
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc=size=64x48", "-frames:v", "1",
                                  dir.filePath("picture.png")}));
    QVERIFY(testmedia::makeClip(dir.filePath("voice.m4a"), song));
    QCOMPARE(testsupport::runProgram("/usr/bin/convert-im6.q16", {dir.filePath("picture.png"), dir.filePath("photo.heic")})
                 .exitCode,
             0);
    for (const QString &name : QDir(dir.path()).entryList(QDir::Files)) {
        QFile file(dir.filePath(name));
        QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(taken, QFileDevice::FileModificationTime));
    }
}

void TestBatchConversion::converts_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("videoCodec"); // empty: no video stream
    QTest::addColumn<QString>("audioCodec"); // empty: no audio stream
    QTest::addColumn<QString>("line");       // what the job's line says
    QTest::newRow("video") << "avi" << QStringList{"clip one.mkv"} << "clip one.avi" << "h264" << "mp3"
                           << "[1/1] clip one.mkv: done\n";
    QTest::newRow("video copied") << "mp4" << QStringList{"clip two.mp4"} << "clip two.mp4" << "h264" << "aac"
                                  << "[1/1] clip two.mp4: done (Video and audio copied without re-encoding)\n";
    QTest::newRow("audio") << "m4a" << QStringList{"song.flac"} << "song.m4a" << "" << "aac"
                           << "[1/1] song.flac: done\n";
    QTest::newRow("picture") << "jpeg" << QStringList{"picture.png"} << "picture.jpg" << "mjpeg" << ""
                             << "[1/1] picture.png: done\n";
    QTest::newRow("phone's song") << "mp3" << QStringList{"voice.m4a"} << "voice.mp3" << "" << "mp3"
                                  << "[1/1] voice.m4a: done\n";
    QTest::newRow("phone's photo") << "png" << QStringList{"photo.heic"} << "photo.png" << "png" << ""
                                   << "[1/1] photo.heic: done\n";
    QTest::newRow("picture for the web") << "webp" << QStringList{"picture.png"} << "picture.webp" << "webp" << ""
                                         << "[1/1] picture.png: done\n";
    QTest::newRow("video join") << "videomerge" << QStringList{"clip one.mkv", "clip two.mp4"}
                                << "MergedVideo.mp4" << "h264" << "mp3" << "[1/1] 2 files: done\n";
}

void TestBatchConversion::converts()
{
    QFETCH(QString, format);
    QFETCH(QStringList, inputs);
    QFETCH(QString, output);
    QFETCH(QString, videoCodec);
    QFETCH(QString, audioCodec);
    const QString folder = dir.filePath("out-" + format);

    const testsupport::Finished finished =
        runQuillmora(QStringList{"--convert", "--format", format, "--output", folder, "--keep-dates"} + inputs, dir.path());
    QVERIFY2(finished.exitCode == 0, qPrintable(finished.errors));
    QVERIFY(finished.output.contains("Done: 1 of 1 jobs converted."));
    QFETCH(QString, line);
    QVERIFY2(finished.output.contains(line.toUtf8()), finished.output.constData());

    const testmedia::Probe probe = testmedia::probe(folder + "/" + output);
    QVERIFY2(probe.ok, qPrintable(output));
    const testmedia::Stream *video = probe.first("video");
    const testmedia::Stream *audio = probe.first("audio");
    QCOMPARE(video ? video->codec : QString(), videoCodec);
    QCOMPARE(audio ? audio->codec : QString(), audioCodec);
    QCOMPARE(QFileInfo(folder + "/" + output).lastModified(), taken);
    if (format == QLatin1String("videomerge"))
        QVERIFY2(probe.duration > 3.5, qPrintable(QString::number(probe.duration))); // both clips
    // Nothing but the output is left in the folder (no join lists, no parts).
    QCOMPARE(QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::Hidden),
             QStringList{output});
}

void TestBatchConversion::songsAndAJoinAtOneLoudness_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QStringList>("outputs");
    QTest::newRow("two songs") << "mp3" << QStringList{"whisper.mp3", "shout.mp3"};
    QTest::newRow("one join of both") << "audiomerge" << QStringList{"MergedAudio.mp3"};
}

void TestBatchConversion::songsAndAJoinAtOneLoudness()
{
    QFETCH(QString, format);
    QFETCH(QStringList, outputs);
    for (const char *song : {"whisper", "shout"}) {
        const QString level = song == QLatin1String("whisper") ? "-30" : "-3";
        QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "sine=f=330:d=4,volume=" + level + "dB", "-ac", "2",
                                      dir.filePath(QString(song) + ".flac")}));
    }
    const QString folder = dir.filePath("loud-" + format);
    const testsupport::Finished finished = runQuillmora(
        {"--convert", "-f", format, "--loudness", "-16", "-o", folder, "whisper.flac", "shout.flac"}, dir.path());
    QVERIFY2(finished.exitCode == 0, qPrintable(finished.errors));
    for (const QString &output : outputs) {
        const testmedia::Loudness measured = testmedia::loudness(folder + "/" + output);
        QVERIFY2(qAbs(measured.integrated + 16) <= 1 && measured.truePeak <= -1,
                 qPrintable(QStringLiteral("%1: %2 LUFS, %3 dBTP").arg(output).arg(measured.integrated).arg(measured.truePeak)));
    }
}

void TestBatchConversion::twoRunsIntoOneFolderKeepBothSongs()
{
    // Two CDs' first tracks, converted at the same time into one folder.
    testmedia::ClipSpec song;
    song.width = 0;
    for (int cd : {1, 2}) {
        song.seconds = 10 * (cd + 1);
        QVERIFY(QDir().mkpath(dir.filePath(QString("cd%1").arg(cd))));
        QVERIFY(testmedia::makeClip(dir.filePath(QString("cd%1/01.flac").arg(cd)), song));
    }
    const QString folder = dir.filePath("music");
    QProcess runs[2];
    for (int cd : {1, 2}) {
        runs[cd - 1].setProcessEnvironment(batchEnvironment());
        runs[cd - 1].start(QUILLMORA_BUILD_DIR "/quillmora",
                           {"--convert", "--format", "mp3", "--output", folder, dir.filePath(QString("cd%1/01.flac").arg(cd))});
    }
    QByteArray printed;
    for (QProcess &run : runs) {
        QVERIFY(run.waitForFinished(120000));
        QCOMPARE(run.exitCode(), 0);
        printed += run.readAllStandardOutput();
    }
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), (QStringList{"01.mp3", "01_1.mp3"}));
    const int first = qRound(testmedia::probe(folder + "/01.mp3").duration);
    const int second = qRound(testmedia::probe(folder + "/01_1.mp3").duration);
    QCOMPARE(first + second, 20 + 30);
    QVERIFY(first == 20 || first == 30);
    // The run that wrote the other name says which.
    QVERIFY2(printed.contains("done as " + folder.toUtf8() + "/01_1.mp3"), printed.constData());
}

// Two songs of one name converting side by side: the second job takes the
// next name as it starts, and each file is its own song.
void TestBatchConversion::twoJobsOfOneNameAtOnce()
{
    testmedia::ClipSpec song;
    song.width = 0;
    for (int cd : {1, 2}) {
        song.seconds = cd == 1 ? 60 : 4;
        QVERIFY(QDir().mkpath(dir.filePath(QString("disc%1").arg(cd))));
        QVERIFY(testmedia::makeClip(dir.filePath(QString("disc%1/track.wav").arg(cd)), song));
    }
    const QString folder = dir.filePath("side");
    const testsupport::Finished finished = runQuillmora(
        {"--convert", "--format", "aac", "--jobs", "2", "--output", folder, "disc1/track.wav", "disc2/track.wav"},
        dir.path());
    QCOMPARE(finished.exitCode, 0);
    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), (QStringList{"track.aac", "track_1.aac"}));
    QCOMPARE(qRound(testmedia::probe(folder + "/track.aac").duration), 60);
    QCOMPARE(qRound(testmedia::probe(folder + "/track_1.aac").duration), 4);
    // One line per job, in the order they ended: the short song first.
    const QList<QByteArray> lines = finished.output.trimmed().split('\n');
    QCOMPARE(lines.size(), 3);
    QCOMPARE(lines[0], "[2/2] track.wav: done as " + folder.toUtf8() + "/track_1.aac");
    QCOMPARE(lines[1], QByteArray("[1/2] track.wav: done"));
}

// --size: the file lands within 95-100 % of it, and says what quality it
// kept; a size that cannot work ends the job before it encodes, with the figures.
void TestBatchConversion::fitsInASizeOrTellsTheLeast()
{
    const QString folder = dir.filePath("fitted");
    const testsupport::Finished fitted =
        runQuillmora({"--convert", "--format", "mp4", "--size", "60kB", "--check-quality", "--output", folder,
                      "clip one.mkv"},
                     dir.path());
    QVERIFY2(fitted.exitCode == 0, qPrintable(fitted.errors));
    QVERIFY2(QString::fromUtf8(fitted.output).contains(QRegularExpression("done \\(SSIM [01]\\.\\d{3}, PSNR \\d+\\.\\d dB\\)")),
             fitted.output.constData());
    const qint64 size = QFileInfo(folder + "/clip one.mp4").size();
    QVERIFY2(size <= 60'000 && size >= 57'000, qPrintable(QString::number(size)));

    const testsupport::Finished refused =
        runQuillmora({"--convert", "--format", "mp4", "--size", "20kB", "--output", folder, "clip two.mp4"},
                     dir.path());
    QCOMPARE(refused.exitCode, 1);
    QVERIFY2(
        refused.errors.contains(QRegularExpression(
            "\\[1/1\\] clip two.mp4: failed: 20 kB is too small for 0:02 of video; \\d+ kB is the least that works\n")),
        qPrintable(refused.errors));
    QVERIFY(!QFileInfo::exists(folder + "/clip two.mp4"));
}

void TestBatchConversion::qualityFiguresInTheLines()
{
    // Opus sound goes into the WebM as it is; the H.264 pictures are encoded and measured.
    QVERIFY(testmedia::runFfmpeg({"-i", dir.filePath("clip two.mp4"), "-c:v", "copy", "-c:a", "libopus", "-b:a", "128k",
                                  dir.filePath("opus sound.mkv")}));
    const testsupport::Finished finished =
        runQuillmora({"--convert", "-f", "webm", "--check-quality", "--jobs", "1", "-o", dir.filePath("checked"),
                      "opus sound.mkv", "clip one.mkv"},
                     dir.path());
    QVERIFY2(finished.exitCode == 0, qPrintable(finished.errors));
    const QString printed = QString::fromUtf8(finished.output);
    QVERIFY2(QRegularExpression("^\\[1/2\\] opus sound.mkv: done \\(Audio copied without re-encoding; SSIM 0\\.9\\d\\d, "
                                "PSNR \\d\\d\\.\\d dB\\)$",
                                QRegularExpression::MultilineOption)
                 .match(printed)
                 .hasMatch(),
             qPrintable(printed));
    QVERIFY2(QRegularExpression("^\\[2/2\\] clip one.mkv: done \\(SSIM 0\\.9\\d\\d, PSNR \\d\\d\\.\\d dB\\)$",
                                QRegularExpression::MultilineOption)
                 .match(printed)
                 .hasMatch(),
             qPrintable(printed));
}

QTEST_GUILESS_MAIN(TestBatchConversion)
#include "tst_batchconversion.moc"
