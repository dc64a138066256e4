// build/transcoder on real media: exit codes, the earlier output file,
// progress in "FFMPEGSHARE", stopping, fonts, and the facts the application reads for it.
#include "engine/probemodule.h"
#include "platform/progressshare.h"
#include "tests/support/files.h"
#include "tests/support/media.h"
#include "tests/support/programrun.h"
#include "tests/tools/toolrun.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace toolrun;
using testsupport::Finished;
using testsupport::readFile;
using testsupport::runProgram;
using testsupport::writeFile;

class TestTranscoder : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { removePrivateProgressBlock(); }
    void cleanup();

    void exitCodeTellsWhetherTheOutputWasWritten_data();
    void exitCodeTellsWhetherTheOutputWasWritten();
    void percentageRisesAndIsFullOnlyAfterSuccess_data();
    void percentageRisesAndIsFullOnlyAfterSuccess();
    void stopMidRunLeavesNoFfmpegAndKeepsTheEarlierFile_data();
    void stopMidRunLeavesNoFfmpegAndKeepsTheEarlierFile();
    void stopDuringTheQualityCheckKeepsTheConvertedFile();
    void percentageGoesToTheApplicationsBlock();
    void drawnTextUsesTheApplicationsFontConfiguration();
    void toldFactsGiveTheCommandOfItsOwnProbe_data();
    void toldFactsGiveTheCommandOfItsOwnProbe();

private:
    // A conversion that takes seconds: a small clip blown up to 1080p.
    QStringList slowConversion(const QString &output) const;
    QString path(const QString &name) const { return folder.filePath(name); }

    QTemporaryDir folder;
    const QByteArray earlier = "an earlier output the user keeps";
};

void TestTranscoder::initTestCase()
{
    QVERIFY(folder.isValid());
    QVERIFY(QFileInfo(transcoder()).isExecutable());
    QVERIFY(testmedia::makeClip(path("clip.mp4"), {}));
    testmedia::ClipSpec longClip;
    longClip.seconds = 20;
    longClip.width = 320;
    longClip.height = 240;
    longClip.frameRate = 25;
    QVERIFY(testmedia::makeClip(path("long.avi"), longClip));
    writeFile(path("broken.mp4"), QByteArray(4096, '\x5a'));
    writeFile(path("notafolder"), "a file");
}

void TestTranscoder::cleanup()
{
    QFile::remove(path("out.mp4"));
}

QStringList TestTranscoder::slowConversion(const QString &output) const
{
    return {"-y", "-i", folder.filePath("long.avi"), "-threads", "4", "-preset", "ultrafast",
            "-s", "1920x1080", "-vcodec", "libx264", "-acodec", "libmp3lame", output};
}

void TestTranscoder::exitCodeTellsWhetherTheOutputWasWritten_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("options");
    QTest::addColumn<QString>("output");
    QTest::addColumn<bool>("succeeds");

    const QStringList codecs = {"-vcodec", "libx264", "-acodec", "libmp3lame"};
    QTest::newRow("success") << "clip.mp4" << codecs << "out.mp4" << true;
    QTest::newRow("missing input") << "none.mp4" << codecs << "out.mp4" << false;
    QTest::newRow("broken input") << "broken.mp4" << codecs << "out.mp4" << false;
    QTest::newRow("-t 0") << "clip.mp4" << QStringList{"-ss", "0", "-t", "0"} + codecs << "out.mp4" << false;
    QTest::newRow("start past the end") << "clip.mp4" << QStringList{"-ss", "60", "-t", "5"} + codecs << "out.mp4" << false;
    QTest::newRow("unknown encoder") << "clip.mp4" << QStringList{"-vcodec", "nosuchcodec"} << "out.mp4" << false;
    QTest::newRow("output folder missing") << "clip.mp4" << codecs << "missing/out.mp4" << false;
    QTest::newRow("output folder is a file") << "clip.mp4" << codecs << "notafolder/out.mp4" << false;
    QTest::newRow("read-only output folder") << "clip.mp4" << codecs << "readonly/out.mp4" << false;
}

void TestTranscoder::exitCodeTellsWhetherTheOutputWasWritten()
{
    QFETCH(QString, input);
    QFETCH(QStringList, options);
    QFETCH(QString, output);
    QFETCH(bool, succeeds);

    const QString outputPath = path(output);
    const QString outputFolder = QFileInfo(outputPath).absolutePath();
    const bool readOnly = output.startsWith("readonly/");
    if (readOnly)
        QDir().mkpath(outputFolder);
    if (QFileInfo(outputFolder).isDir())
        writeFile(outputPath, earlier);

    QString program = transcoder();
    QStringList arguments = QStringList{"-y", "-i", path(input), "-threads", "4", "-preset", "ultrafast"} + options + QStringList{outputPath};
    QProcessEnvironment environment = privateEnvironment();
    if (readOnly) {
        chmod(outputFolder.toLocal8Bit().constData(), 0555);
        if (geteuid() == 0) { // root writes anywhere: run the tool as nobody, who may read the input only
            chmod(folder.path().toLocal8Bit().constData(), 0755);
            arguments = QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} + arguments;
            program = "/usr/bin/setpriv";
            environment.remove("QUILLMORA_PROGRESS_BLOCK"); // nobody's own block, removed below
        }
    }
    const Finished outcome = runProgram(program, arguments, QString(), environment);
    if (readOnly) {
        chmod(outputFolder.toLocal8Bit().constData(), 0755);
        chmod(folder.path().toLocal8Bit().constData(), 0700);
        if (geteuid() == 0)
            shm_unlink("/FFMPEGSHARE.65534"); // nobody's progress block, made by that run
    }

    QVERIFY2(outcome.exitCode >= 0, "the transcoder crashed or hung");
    QCOMPARE(outcome.exitCode == 0, succeeds);
    if (QFileInfo(outputFolder).isDir())
        QVERIFY(temporaryFilesIn(outputFolder).isEmpty());
    if (succeeds) {
        const testmedia::Probe written = testmedia::probe(outputPath);
        QVERIFY(written.ok);
        QVERIFY(written.first("video") && written.first("audio"));
        QVERIFY(qAbs(written.duration - 1.0) < 0.2);
        return;
    }
    QVERIFY2(outcome.errors.startsWith("transcoder: ") && outcome.errors.count('\n') == 1, qPrintable(outcome.errors));
    if (QFileInfo(outputFolder).isDir())
        QCOMPARE(readFile(outputPath), earlier);
    else
        QVERIFY(!QFileInfo::exists(outputPath));
}

void TestTranscoder::percentageRisesAndIsFullOnlyAfterSuccess_data()
{
    QTest::addColumn<QStringList>("options");
    QTest::newRow("encode") << QStringList{};
    // The check after the encode carries the bar on, never back.
    QTest::newRow("encode and quality check") << QStringList{"--check-quality"};
}

void TestTranscoder::percentageRisesAndIsFullOnlyAfterSuccess()
{
    QFETCH(QStringList, options);
    ProgressShare share;
    QVERIFY(share.open(privateProgressBlock()));
    share.clear();
    const QString output = path("out.mp4");

    QProcess process;
    process.setProcessEnvironment(privateEnvironment());
    process.start(transcoder(), options + slowConversion(output));
    QVERIFY(process.waitForStarted());
    QList<int> seen;
    bool writtenAtFull = false; // whether the output was in place when 100 first showed
    while (!process.waitForFinished(20)) {
        seen.append(share.percent());
        if (seen.last() == 100 && seen.count(100) == 1)
            writtenAtFull = testmedia::probe(output).ok;
    }

    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    QCOMPARE(share.percent(), 100);
    QStringList figures;
    for (int value : seen)
        figures.append(QString::number(value));
    QVERIFY2(std::any_of(seen.begin(), seen.end(), [](int value) { return value > 0 && value < 100; }), qPrintable(figures.join(' ')));
    for (int i = 1; i < seen.size(); ++i)
        QVERIFY2(seen[i] >= seen[i - 1] && seen[i] <= 100, qPrintable(figures.join(' ')));
    if (seen.contains(100))
        QVERIFY2(writtenAtFull, "100 before the output was written");
}

void TestTranscoder::stopMidRunLeavesNoFfmpegAndKeepsTheEarlierFile_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGINT") << int(SIGINT);
    QTest::newRow("SIGKILL") << int(SIGKILL);
}

void TestTranscoder::stopMidRunLeavesNoFfmpegAndKeepsTheEarlierFile()
{
    QFETCH(int, signalNumber);
    const QString output = path("out.mp4");
    writeFile(output, earlier);
    ProgressShare share;
    QVERIFY(share.open(privateProgressBlock()));
    share.clear();

    QProcess process;
    process.setProcessEnvironment(privateEnvironment());
    process.start(transcoder(), slowConversion(output));
    QVERIFY(process.waitForStarted());
    const pid_t tool = pid_t(process.processId());
    QList<pid_t> children;
    QVERIFY(waitFor([&] { return !(children = childrenOf(tool)).isEmpty(); }, 10000));
    const pid_t ffmpeg = children.first();
    QVERIFY2(waitFor([&] { return share.percent() > 0; }, 30000), "ffmpeg never got going");

    kill(tool, signalNumber);
    QVERIFY(process.waitForFinished(10000));
    QVERIFY2(waitFor([&] { return hasEnded(ffmpeg); }, 5000), "ffmpeg outlived the transcoder");
    QCOMPARE(readFile(output), earlier);
    if (signalNumber == SIGKILL) {
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);
        // Nothing of the killed run may stay once another has run in the folder.
        const Finished later = runProgram(transcoder(), {"-y", "-i", path("clip.mp4"), "-vcodec", "libx264",
                                                         "-acodec", "libfaac", path("later.mp4")},
                                          QString(), privateEnvironment());
        QVERIFY2(later.exitCode == 0, qPrintable(later.errors));
        QVERIFY(temporaryFilesIn(folder.path()).isEmpty());
        return;
    }
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 128 + signalNumber);
    QVERIFY(temporaryFilesIn(folder.path()).isEmpty());
    QVERIFY(share.percent() < 100);
}

// The file is whole before the check begins: a stop then ends the check alone.
void TestTranscoder::stopDuringTheQualityCheckKeepsTheConvertedFile()
{
    const QString output = path("out.mp4");
    QProcess process;
    process.setProcessEnvironment(privateEnvironment());
    process.start(transcoder(), QStringList{"--check-quality"} + slowConversion(output));
    QVERIFY(process.waitForStarted());
    const pid_t tool = pid_t(process.processId());
    // The output takes its name when the encode is over.
    QVERIFY2(waitFor([&] { return QFileInfo::exists(output); }, 120000), "the encode never ended");
    QVERIFY(waitFor([&] { return !childrenOf(tool).isEmpty(); }, 10000)); // the check's ffmpeg
    kill(tool, SIGTERM);
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
    const QByteArray told = process.readAllStandardOutput();
    QVERIFY2(told.contains("quillmora:quality-failed=the check was stopped") && !told.contains("ssim="), told.constData());
    QVERIFY(testmedia::probe(output).ok);
    QVERIFY(temporaryFilesIn(folder.path()).isEmpty());
}

void TestTranscoder::percentageGoesToTheApplicationsBlock()
{
    // Without the variable the tool maps the application's block; its
    // mapping shows in /proc whatever other conversions write into it.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("QUILLMORA_PROGRESS_BLOCK");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(transcoder(), slowConversion(path("out.mp4")));
    QVERIFY(process.waitForStarted());
    const pid_t tool = pid_t(process.processId());
    QVERIFY(waitFor([&] { return !childrenOf(tool).isEmpty(); }, 10000));
    const QByteArray maps = readFile(QStringLiteral("/proc/%1/maps").arg(tool));
    kill(tool, SIGTERM);
    QVERIFY(process.waitForFinished(10000));
    QVERIFY(maps.contains("/dev/shm" + ProgressShare::nameOf(ProgressShare::Block::Ffmpeg).toLocal8Bit()));
}

void TestTranscoder::drawnTextUsesTheApplicationsFontConfiguration()
{
    const QString fontless = path("fontless");
    QDir().mkpath(fontless);
    writeFile(fontless + "/fonts.conf", "<?xml version=\"1.0\"?>\n<fontconfig></fontconfig>\n");
    const QStringList arguments = {"-y", "-i", path("clip.mp4"), "-vf", "drawtext=font='Noto Sans CJK JP':text='日本語 Ab':fontsize=20",
                                   "-vcodec", "libx264", "-an", path("out.mp4")};

    QProcessEnvironment environment = privateEnvironment();
    environment.insert("FC_CONFIG_FILE", "fonts.conf");
    environment.insert("FC_CONFIG_DIR", QStringLiteral(QUILLMORA_BUILD_DIR "/fonts"));
    const Finished installed = runProgram(transcoder(), arguments, QString(), environment);
    QVERIFY2(installed.exitCode == 0, qPrintable(installed.errors));

    // A configuration without fonts makes the same text fail: the variables are followed.
    environment.insert("FC_CONFIG_DIR", fontless);
    QVERIFY(runProgram(transcoder(), arguments, QString(), environment).exitCode != 0);
}

void TestTranscoder::toldFactsGiveTheCommandOfItsOwnProbe_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QStringList>("makeInput");
    QTest::addColumn<QStringList>("job");

    const QStringList tone = {"-f", "lavfi", "-i", "sine=duration=1", "-ac", "2"};
    const QStringList picture = {"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10:duration=1"};
    const QStringList mp4Job = {"-vcodec", "libx264", "-acodec", "libfaac", "out.mp4"};
    QTest::newRow("H.264 and AAC, copied") << "copy.mkv" << picture + tone + QStringList{"-pix_fmt", "yuv420p", "-c:v", "libx264", "-c:a", "aac"} << mp4Job;
    QTest::newRow("4:4:4 H.264, encoded") << "camera.mkv" << picture + QStringList{"-pix_fmt", "yuv444p", "-c:v", "libx264"} << mp4Job;
    QTest::newRow("FLAC to MP3") << "song.flac" << tone << QStringList{"-acodec", "libmp3lame", "-vn", "out.mp3"};
    // The bitrate is not among the facts told: the transcoder reads it itself.
    QTest::newRow("MP3 at its own bitrate") << "song.mp3" << tone + QStringList{"-b:a", "128k"}
                                            << QStringList{"-acodec", "libmp3lame", "-b:a", "128k", "-vn", "out.mp3"};
}

void TestTranscoder::toldFactsGiveTheCommandOfItsOwnProbe()
{
    QFETCH(QString, input);
    QFETCH(QStringList, makeInput);
    QFETCH(QStringList, job);
    QVERIFY(testmedia::runFfmpeg(makeInput + QStringList{path(input)}));
    job.last() = path(job.last());
    const QStringList arguments = QStringList{"-y", "-i", path(input)} + job;

    const QStringList told = withProbedFacts(arguments, QFileInfo(transcoder()).absolutePath(), {});
    QVERIFY2(told.first().startsWith("--facts="), "the application read no facts");
    const auto command = [](const QStringList &given) {
        const Finished printed = runProgram(transcoder(), QStringList{"--print-ffmpeg-arguments"} + given);
        return printed.exitCode == 0 ? printed.output : "failed: " + printed.errors.toUtf8();
    };
    const QByteArray own = command(arguments);
    QCOMPARE(command(told), own);
    // Facts that do not read are probed again.
    QCOMPARE(command(QStringList{"--facts=duration=soon;audio=flac"} + arguments), own);
}

QTEST_GUILESS_MAIN(TestTranscoder)
#include "tst_transcoder.moc"
