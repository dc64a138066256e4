// quillmora --convert as scripts meet it: exit codes, failures with their
// reasons, and a stop by signal that leaves nothing behind.
#include "tests/batch/batchrun.h"
#include "tests/support/files.h"
#include "tests/support/media.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <csignal>

class TestBatchMode : public QObject
{
    Q_OBJECT

private slots:
    void badArgumentsExitWithTwo();
    void badInputAmongGoodOnes();
    void overwriteSparesInputsAndRerunsLeaveTheSameFiles();
    void interruptStopsEveryRunningTool();
};

namespace {

// Every process below the given one, found through /proc.
QList<qint64> descendantsOf(qint64 pid)
{
    QList<qint64> found;
    QList<qint64> parents = {pid};
    while (!parents.isEmpty()) {
        const qint64 parent = parents.takeFirst();
        const QStringList entries = QDir("/proc").entryList(QDir::Dirs);
        for (const QString &entry : entries) {
            bool isPid = false;
            const qint64 candidate = entry.toLongLong(&isPid);
            if (!isPid)
                continue;
            const QByteArray stat = testsupport::readFile("/proc/" + entry + "/stat");
            // "pid (name) state ppid ...": the name may hold blanks, so read after the last ")".
            const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
            if (fields.size() > 1 && fields[1].toLongLong() == parent) {
                found << candidate;
                parents << candidate;
            }
        }
    }
    return found;
}

bool isAlive(qint64 pid)
{
    const QByteArray stat = testsupport::readFile(QStringLiteral("/proc/%1/stat").arg(pid));
    return !stat.isEmpty() && stat.mid(stat.lastIndexOf(')') + 2, 1) != "Z";
}

} // namespace

void TestBatchMode::badArgumentsExitWithTwo()
{
    // What each wrong set of arguments says is the command line's own test.
    QTemporaryDir dir;
    const testsupport::Finished finished = runQuillmora({"--convert", "--format", "mp5", "a.wav"}, dir.path());
    QCOMPARE(finished.exitCode, 2);
    QVERIFY2(finished.errors.contains("\"mp5\"") && finished.errors.contains("--help"), qPrintable(finished.errors));
    QVERIFY(QDir(dir.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty());
}

void TestBatchMode::badInputAmongGoodOnes()
{
    QTemporaryDir dir;
    const QString songs = dir.filePath("songs");
    QDir().mkpath(songs);
    testmedia::ClipSpec audio;
    audio.width = 0;
    QVERIFY(testmedia::makeClip(songs + "/first.wav", audio));
    QVERIFY(testsupport::writeFile(songs + "/broken.flac", "not a song at all"));
    QVERIFY(testmedia::makeClip(songs + "/last.flac", audio));
    QVERIFY(QDir().mkpath(dir.filePath("out")));
    QVERIFY(testsupport::writeFile(dir.filePath("out/last.mp3"), "the user's own file"));

    const testsupport::Finished finished = runQuillmora(
        {"--convert", "--format", "mp3", "--output", "out", "songs/first.wav", "songs/broken.flac",
         "songs/last.flac", "songs/gone.wav"},
        dir.path());
    QCOMPARE(finished.exitCode, 1);
    QVERIFY2(finished.errors.contains("broken.flac: failed: "), qPrintable(finished.errors));
    QVERIFY2(finished.errors.contains("gone.wav: failed: no such file"), qPrintable(finished.errors));
    QVERIFY2(finished.errors.contains("2 of 4 jobs failed."), qPrintable(finished.errors));
    // Piped: plain lines, with the name written when it is not the job's own.
    QVERIFY(finished.output.contains("[3/3] last.flac: done as " + dir.filePath("out/last_1.mp3").toUtf8() + "\n"));
    QVERIFY(!finished.output.contains('\r'));

    // The existing output stays; the new one is written beside it.
    QCOMPARE(testsupport::readFile(dir.filePath("out/last.mp3")), QByteArray("the user's own file"));
    QCOMPARE(testmedia::probe(dir.filePath("out/last_1.mp3")).first("audio")->codec, QStringLiteral("mp3"));
    QCOMPARE(testsupport::entriesOf(dir.filePath("out")), (QStringList{"first.mp3", "last.mp3", "last_1.mp3"}));
}

void TestBatchMode::overwriteSparesInputsAndRerunsLeaveTheSameFiles()
{
    QTemporaryDir dir;
    testmedia::ClipSpec audio;
    audio.width = 0;
    for (const char *folder : {"x", "y"})
        QVERIFY(QDir().mkpath(dir.filePath(folder)) && testmedia::makeClip(dir.filePath(folder) + "/a.wav", audio));
    // The user's own song beside a WAV whose output would take its name.
    QVERIFY(testmedia::makeClip(dir.filePath("song.wav"), audio));
    audio.seconds = 3;
    QVERIFY(testmedia::makeClip(dir.filePath("song.mp3"), audio));
    const QByteArray original = testsupport::readFile(dir.filePath("song.mp3"));

    const testsupport::Finished both =
        runQuillmora({"--convert", "-f", "mp3", "--overwrite", "--jobs", "1", "song.wav", "song.mp3"}, dir.path());
    QCOMPARE(both.exitCode, 0);
    QCOMPARE(testsupport::readFile(dir.filePath("song.mp3")), original);
    QCOMPARE(testsupport::entriesOf(dir.path()),
             (QStringList{"song.mp3", "song.wav", "song_1.mp3", "song_2.mp3", "x", "y"}));
    QVERIFY(std::abs(testmedia::probe(dir.filePath("song_1.mp3")).duration - 1) < 0.2);

    for (int run = 0; run < 3; ++run) {
        const testsupport::Finished again =
            runQuillmora({"--convert", "-f", "mp3", "--overwrite", "-o", "out", "x/a.wav", "y/a.wav"}, dir.path());
        QCOMPARE(again.exitCode, 0);
        QVERIFY2(again.output.contains("[2/2] a.wav: done as " + dir.filePath("out/a_1.mp3").toUtf8()),
                 again.output.constData());
    }
    QCOMPARE(testsupport::entriesOf(dir.filePath("out")), (QStringList{"a.mp3", "a_1.mp3"}));
}

// Two videos converting at once, each to a name of its own, and a third
// waiting: an interrupt ends both tools and leaves nothing behind.
void TestBatchMode::interruptStopsEveryRunningTool()
{
    QTemporaryDir dir;
    // Quick to make, long to turn into H.264.
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc=size=320x240:rate=25:duration=300",
                                  "-c:v", "mpeg4", "-q:v", "10", dir.filePath("long.mkv")}));

    QProcess batch;
    batch.setProcessEnvironment(batchEnvironment());
    batch.setWorkingDirectory(dir.path());
    batch.start(QStringLiteral(QUILLMORA_BUILD_DIR "/quillmora"),
                {"--convert", "--format", "mp4", "--jobs", "2", "--output", "out", "long.mkv", "long.mkv", "long.mkv"});
    QVERIFY(batch.waitForStarted());
    // Stop once ffmpeg itself runs under both transcoders.
    QList<qint64> tools;
    const auto encoders = [&tools] {
        return std::count_if(tools.begin(), tools.end(), [](qint64 pid) {
            return testsupport::readFile(QStringLiteral("/proc/%1/comm").arg(pid)).trimmed() == "ffmpeg";
        });
    };
    QTRY_VERIFY_WITH_TIMEOUT((tools = descendantsOf(batch.processId()), encoders() == 2), 30000);
    QTest::qWait(500);
    ::kill(pid_t(batch.processId()), SIGINT);
    QVERIFY(batch.waitForFinished(20000));

    QCOMPARE(batch.exitStatus(), QProcess::NormalExit);
    QCOMPARE(batch.exitCode(), 128 + SIGINT);
    const QString errors = QString::fromLocal8Bit(batch.readAllStandardError());
    QVERIFY2(errors.contains("Stopped: 0 of 3 jobs converted."), qPrintable(errors));
    QCOMPARE(errors.count(": failed: The conversion was stopped."), 2); // the third never started
    for (qint64 pid : std::as_const(tools))
        QTRY_VERIFY2(!isAlive(pid), qPrintable(QString::number(pid)));
    // Neither the output nor a part of it, nor a working folder.
    QCOMPARE(testsupport::entriesOf(dir.filePath("out")), QStringList());
}

QTEST_GUILESS_MAIN(TestBatchMode)
#include "tst_batchmode.moc"
