// quillmora --convert turns real media into each kind of output: a video, a
// song, a picture and a join, as ffprobe reads them, each dated as its
// (first) source with --keep-dates.
#include "tests/batch/batchrun.h"
#include "tests/support/media.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestBatchConversion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void converts_data();
    void converts();

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

QTEST_GUILESS_MAIN(TestBatchConversion)
#include "tst_batchconversion.moc"
