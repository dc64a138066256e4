// Joins through build/transcoder: the list file as the application writes it,
// parts with and without sound, parts that cannot be joined, and a join's
// sound normalised as a whole.
#include "engine/joinparts.h"
#include "tests/support/files.h"
#include "tests/support/media.h"
#include "tests/support/programrun.h"
#include "tests/tools/toolrun.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace toolrun;
using testsupport::Finished;
using testsupport::readFile;
using testsupport::runProgram;
using testsupport::writeFile;

class TestTranscoderJoin : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { removePrivateProgressBlock(); }
    void videoPartsMakeOneVideo_data();
    void videoPartsMakeOneVideo();
    void partWithoutSoundGetsSilence();
    void songInTheVideoJoinerFails();
    void songsMakeOneSong();
    void joinedSoundIsNormalisedAsAWhole();
    void missingPartFails();

private:
    // The list file as the application writes it, with concatListLine.
    QString writeList(const QString &folder, const QStringList &parts);
    Finished join(const QString &list, const QString &output, const QStringList &options = {});
    QString makePart(const QString &folder, const QString &name, double seconds, bool video, bool sound);

    QTemporaryDir root;
    const QByteArray earlier = "an earlier output the user keeps";
};

namespace {

// ffprobe's duration of the first sound stream.
double soundDuration(const QString &file)
{
    return runProgram("ffprobe", {"-v", "error", "-select_streams", "a:0", "-show_entries", "stream=duration", "-of",
                                  "csv=p=0", file})
        .output.trimmed()
        .toDouble();
}

} // namespace

void TestTranscoderJoin::initTestCase()
{
    QVERIFY(root.isValid());
    QVERIFY(QFileInfo(transcoder()).isExecutable());
}

QString TestTranscoderJoin::makePart(const QString &folder, const QString &name, double seconds, bool video, bool sound)
{
    testmedia::ClipSpec spec;
    spec.seconds = seconds;
    if (!video)
        spec.width = 0;
    if (!sound)
        spec.sampleRate = 0;
    const QString part = folder + "/" + name;
    return testmedia::makeClip(part, spec) ? part : QString();
}

QString TestTranscoderJoin::writeList(const QString &folder, const QStringList &parts)
{
    QString text;
    for (const QString &part : parts)
        text += concatListLine(part) + u'\n';
    const QString list = folder + "/file.txt";
    return writeFile(list, text.toUtf8()) ? list : QString();
}

Finished TestTranscoderJoin::join(const QString &list, const QString &output, const QStringList &options)
{
    const QStringList arguments = options + QStringList{"-f", "concat", "-y", "-i", list, "-threads", "4", "-preset", "ultrafast",
                                   "-c", "copy", output};
    return runProgram(transcoder(), arguments, QString(), privateEnvironment());
}

void TestTranscoderJoin::videoPartsMakeOneVideo_data()
{
    QTest::addColumn<QString>("folderName");
    QTest::newRow("plain folder") << "plain";
    QTest::newRow("folder with a blank and a quote") << "my clips's \"best\"";
}

void TestTranscoderJoin::videoPartsMakeOneVideo()
{
    QFETCH(QString, folderName);
    const QString folder = root.filePath(folderName);
    QVERIFY(QDir().mkpath(folder));
    const QStringList parts = {makePart(folder, "subvideo0.mp4", 1, true, true), makePart(folder, "subvideo1.mp4", 2, true, true)};
    QVERIFY(!parts.contains(QString()));
    const QString output = folder + "/MergedVideo.mp4";
    writeFile(output, earlier);

    const Finished outcome = join(writeList(folder, parts), output);
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    const testmedia::Probe joined = testmedia::probe(output);
    QVERIFY(joined.ok);
    QVERIFY(joined.first("video") && joined.first("audio"));
    QCOMPARE(joined.first("video")->codec, QString("h264"));
    QVERIFY2(qAbs(joined.duration - 3.0) < 0.2, qPrintable(QString::number(joined.duration)));
    QVERIFY(temporaryFilesIn(folder).isEmpty());
}

void TestTranscoderJoin::partWithoutSoundGetsSilence()
{
    const QString folder = root.filePath("silence");
    QVERIFY(QDir().mkpath(folder));
    const QStringList parts = {makePart(folder, "subvideo0.mp4", 1, true, true), makePart(folder, "subvideo1.mp4", 2, true, false),
                               makePart(folder, "subvideo2.mp4", 1, true, true)};
    QVERIFY(!parts.contains(QString()));
    const QString output = folder + "/MergedVideo.mp4";

    const Finished outcome = join(writeList(folder, parts), output);
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    const testmedia::Probe joined = testmedia::probe(output);
    QVERIFY(joined.first("video") && joined.first("audio"));
    QVERIFY2(qAbs(joined.duration - 4.0) < 0.2, qPrintable(QString::number(joined.duration)));
    // Sound all the way: the silent part did not shift the third part's sound.
    QVERIFY2(qAbs(soundDuration(output) - 4.0) < 0.2, qPrintable(QString::number(soundDuration(output))));
    QVERIFY(temporaryFilesIn(folder).isEmpty());
}

void TestTranscoderJoin::songInTheVideoJoinerFails()
{
    const QString folder = root.filePath("song in video");
    QVERIFY(QDir().mkpath(folder));
    const QStringList parts = {makePart(folder, "subvideo0.mp4", 1, true, true), makePart(folder, "subvideo1.mp4", 1, false, true)};
    QVERIFY(!parts.contains(QString()));
    const QString output = folder + "/MergedVideo.mp4";
    writeFile(output, earlier);

    const Finished outcome = join(writeList(folder, parts), output);
    QVERIFY2(outcome.exitCode >= 0, "the transcoder crashed or hung");
    QVERIFY(outcome.exitCode != 0);
    QVERIFY2(outcome.errors.contains("subvideo1.mp4"), qPrintable(outcome.errors));
    QCOMPARE(readFile(output), earlier);
    QVERIFY(temporaryFilesIn(folder).isEmpty());
}

// The joined song is tagged as its first part.
void TestTranscoderJoin::songsMakeOneSong()
{
    const QString folder = root.filePath("songs");
    QVERIFY(QDir().mkpath(folder));
    const QStringList untagged = {makePart(folder, "untagged0.mp3", 1, false, true), makePart(folder, "untagged1.mp3", 2, false, true)};
    QVERIFY(!untagged.contains(QString()));
    const QStringList parts = {folder + "/subaudio0.mp3", folder + "/subaudio1.mp3"};
    QVERIFY(testmedia::runFfmpeg({"-i", untagged[0], "-c", "copy", "-metadata", "title=Overture", "-metadata",
                                  "creation_time=2019-03-04T05:06:07.000000Z", parts[0]}));
    QVERIFY(testmedia::runFfmpeg({"-i", untagged[1], "-c", "copy", "-metadata", "title=Finale", parts[1]}));
    const QString output = folder + "/MergedAudio.mp3";

    const Finished outcome = join(writeList(folder, parts), output);
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    const testmedia::Probe joined = testmedia::probe(output);
    QVERIFY(joined.first("audio"));
    QCOMPARE(joined.first("audio")->codec, QString("mp3"));
    QVERIFY(!joined.first("video"));
    QVERIFY2(qAbs(joined.duration - 3.0) < 0.2, qPrintable(QString::number(joined.duration)));
    const Finished tags = runProgram("ffprobe", {"-v", "error", "-show_entries", "format_tags=title,creation_time",
                                                 "-of", "default=nw=1", output});
    QCOMPARE(tags.output, QByteArray("TAG:title=Overture\nTAG:creation_time=2019-03-04T05:06:07.000000Z\n"));
}

// A quiet song and a loud one, as the audio joiner's parts are (MP3 at 44.1
// kHz, 256 kbit/s): the joined song reaches the target, and the loud part
// stays as much louder than the quiet one as it was.
void TestTranscoderJoin::joinedSoundIsNormalisedAsAWhole()
{
    const QString folder = root.filePath("loudness");
    QVERIFY(QDir().mkpath(folder));
    const QStringList parts = {folder + "/subaudio0.mp3", folder + "/subaudio1.mp3"};
    for (int i = 0; i < 2; ++i) {
        QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", QStringLiteral("sine=f=440:d=6,volume=%1dB").arg(i ? -6 : -26),
                                      "-ac", "2", "-ar", "44100", "-b:a", "256k", parts[i]}));
    }
    const double louderBy = testmedia::loudness(parts[1]).integrated - testmedia::loudness(parts[0]).integrated;
    const QString output = folder + "/MergedAudio.mp3";

    const Finished outcome = join(writeList(folder, parts), output, {"--loudness=-16"});
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    const testmedia::Loudness whole = testmedia::loudness(output);
    QVERIFY2(qAbs(whole.integrated + 16) <= 1 && whole.truePeak <= -1,
             qPrintable(QStringLiteral("%1 LUFS, %2 dBTP").arg(whole.integrated).arg(whole.truePeak)));
    const double stillLouderBy = testmedia::loudness(output, 6.5, 5).integrated - testmedia::loudness(output, 0, 5).integrated;
    QVERIFY2(qAbs(stillLouderBy - louderBy) < 1, qPrintable(QStringLiteral("%1 against %2").arg(stillLouderBy).arg(louderBy)));
    const testmedia::Probe joined = testmedia::probe(output);
    QCOMPARE(joined.first("audio")->codec, QString("mp3"));
    QCOMPARE(joined.first("audio")->sampleRate, 44100);
    QVERIFY2(qAbs(joined.duration - 12.0) < 0.2, qPrintable(QString::number(joined.duration)));
}

void TestTranscoderJoin::missingPartFails()
{
    const QString folder = root.filePath("missing");
    QVERIFY(QDir().mkpath(folder));
    const QStringList parts = {makePart(folder, "subaudio0.mp3", 1, false, true), folder + "/subaudio1.mp3"};
    const QString output = folder + "/MergedAudio.mp3";

    const Finished outcome = join(writeList(folder, parts), output);
    QVERIFY(outcome.exitCode != 0);
    QVERIFY2(outcome.errors.contains("subaudio1.mp3"), qPrintable(outcome.errors));
    QVERIFY(!QFileInfo::exists(output));
}

QTEST_GUILESS_MAIN(TestTranscoderJoin)
#include "tst_transcoderjoin.moc"
