// The command line: what each set of arguments asks for, the jobs a batch
// makes of its files, and the progress texts.
#include "app/commandline.h"
#include "app/formats.h"
#include "batch/batchplan.h"
#include "batch/batchreport.h"
#include "tests/support/files.h"

#include <QCommandLineParser>
#include <QTemporaryDir>
#include <QTest>

class TestCommandLine : public QObject
{
    Q_OBJECT

private slots:
    void requests_data();
    void requests();
    void namesAndPaths();
    void planRefusesWhatTheFormatDoesNotTake();
    void progressTexts_data();
    void progressTexts();
};

namespace {

CommandLineRequest parsed(const QStringList &arguments)
{
    QCommandLineParser parser;
    CommandLine::define(parser);
    return CommandLine::parse(parser, QStringList{"quillmora"} + arguments, "/work/here");
}

} // namespace

void TestCommandLine::requests_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("errorPart");  // for Error
    QTest::addColumn<bool>("windowless");
    using R = CommandLineRequest;
    QTest::newRow("files for the window") << QStringList{"a.mp4", "/b.mkv"} << int(R::Window) << "" << false;
    QTest::newRow("help") << QStringList{"--help"} << int(R::Help) << "" << true;
    QTest::newRow("version") << QStringList{"-v"} << int(R::Version) << "" << true;
    QTest::newRow("list") << QStringList{"--list-formats"} << int(R::ListFormats) << "" << true;
    QTest::newRow("convert") << QStringList{"--convert", "-f", "MP3", "a.flac"} << int(R::Convert) << "" << true;
    QTest::newRow("no format") << QStringList{"--convert", "a.flac"} << int(R::Error) << "--format" << true;
    QTest::newRow("unknown format") << QStringList{"--convert", "--format", "mp5", "a.flac"} << int(R::Error)
                                    << "\"mp5\"" << true;
    QTest::newRow("no files") << QStringList{"--convert", "--format", "mp3"} << int(R::Error) << "No files" << true;
    QTest::newRow("join of one") << QStringList{"--convert", "--format", "audiomerge", "a.mp3"} << int(R::Error)
                                 << "two files" << true;
    QTest::newRow("join of a folder") << QStringList{"--convert", "--format", "audiomerge", "/tmp"}
                                      << int(R::Convert) << "" << true;
    QTest::newRow("update without convert") << QStringList{"--update", "Music"} << int(R::Error) << "--update"
                                            << false;
    QTest::newRow("format without convert") << QStringList{"--format", "mp3", "a.flac"} << int(R::Error)
                                            << "--format" << false;
    QTest::newRow("unknown option") << QStringList{"--convert", "--bogus"} << int(R::Error) << "bogus" << true;
    QTest::newRow("jobs zero") << QStringList{"--convert", "-f", "mp3", "--jobs", "0", "a.wav"} << int(R::Error)
                               << "--jobs" << true;
    QTest::newRow("jobs a word") << QStringList{"--convert", "-f", "mp3", "--jobs", "many", "a.wav"}
                                 << int(R::Error) << "\"many\"" << true;
    QTest::newRow("jobs without convert") << QStringList{"--jobs", "2", "a.wav"} << int(R::Error) << "--jobs"
                                          << false;
    QTest::newRow("size of a video") << QStringList{"--convert", "-f", "webm", "--size", "25MiB", "a.mp4"}
                                     << int(R::Convert) << "" << true;
    QTest::newRow("size not a size") << QStringList{"--convert", "-f", "mp4", "--size", "big", "a.mp4"} << int(R::Error)
                                     << "\"big\"" << true;
    QTest::newRow("size of a song") << QStringList{"--convert", "-f", "mp3", "--size", "8MB", "a.wav"} << int(R::Error)
                                    << "mp3 is not" << true;
    QTest::newRow("size without convert")
        << QStringList{"--size", "8MB", "a.mp4"} << int(R::Error) << "--size" << false;
    QTest::newRow("files after --") << QStringList{"--", "--convert"} << int(R::Window) << "" << false;
    QTest::newRow("loudness between the targets") << QStringList{"--convert", "-f", "mp3", "--loudness", "-15", "a.wav"}
                                                  << int(R::Error) << "-14, -16 or -23" << true;
    QTest::newRow("loudness a word") << QStringList{"--convert", "-f", "mp3", "--loudness=loud", "a.wav"}
                                     << int(R::Error) << "\"loud\"" << true;
    QTest::newRow("loudness of a picture") << QStringList{"--convert", "-f", "png", "--loudness=-16", "a.jpg"}
                                           << int(R::Error) << "png has none" << true;
    QTest::newRow("quality of songs") << QStringList{"--convert", "-f", "mp3", "--check-quality", "a.mkv"}
                                      << int(R::Error) << "mp3 is not one" << true;
    QTest::newRow("quality without convert") << QStringList{"--check-quality", "a.mkv"} << int(R::Error)
                                             << "--check-quality" << false;
    QTest::newRow("loudness without convert") << QStringList{"--loudness", "-16", "a.wav"} << int(R::Error)
                                              << "--loudness" << false;
}

void TestCommandLine::requests()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, mode);
    QFETCH(QString, errorPart);
    QFETCH(bool, windowless);
    const CommandLineRequest request = parsed(arguments);
    QCOMPARE(int(request.mode), mode);
    QVERIFY2(request.error.contains(errorPart), qPrintable(request.error));
    QCOMPARE(CommandLine::wantsNoWindow(QStringList{"quillmora"} + arguments), windowless);
}

void TestCommandLine::namesAndPaths()
{
    const CommandLineRequest request =
        parsed({"--convert", "--format", "apple", "-o", "out", "--overwrite", "--keep-dates", "x.mov", "../y.avi"});
    QCOMPARE(request.format.formatId, int(FormatMOV));
    QCOMPARE(request.format.profile, devicePresetProfile(DevicePreset::Apple));
    QCOMPARE(request.outputFolder, QStringLiteral("/work/here/out"));
    QCOMPARE(request.files, (QStringList{"/work/here/x.mov", "/work/y.avi"}));
    QVERIFY(request.overwrite);
    QVERIFY(request.keepDates);
    const CommandLineRequest plain = parsed({"--convert", "-f", "mp3", "a.wav"});
    QCOMPARE(plain.outputFolder, QStringLiteral("/work/here"));
    QVERIFY(!plain.keepDates);
    QVERIFY(!plain.update && !plain.flat);
    const CommandLineRequest update = parsed({"--convert", "-f", "mp3", "--update", "--flat", "Music"});
    QVERIFY(update.update && update.flat);
    QCOMPARE(plain.jobsAtOnce, 0); // automatic
    QCOMPARE(parsed({"--convert", "-f", "mp3", "--jobs", "3", "a.wav"}).jobsAtOnce, 3);
    QCOMPARE(parsed({"--convert", "-f", "mp3", "--jobs", "Auto", "a.wav"}).jobsAtOnce, 0);
    QCOMPARE(plain.loudness, 0);
    QVERIFY(!plain.checkQuality);
    QVERIFY(parsed({"--convert", "-f", "videomerge", "--check-quality", "a.mp4", "b.mp4"}).checkQuality);
    QCOMPARE(parsed({"--convert", "-f", "mp3", "--loudness", "-16", "a.wav"}).loudness, -16); // a value after a blank
    QCOMPARE(parsed({"--convert", "-f", "videomerge", "--loudness=-23", "a.mp4", "b.mp4"}).loudness, -23);
    QCOMPARE(parsed({"--convert", "-f", "mp4", "--loudness=OFF", "a.mkv"}).loudness, 0);
    QCOMPARE(CommandLine::formats().size(), 38); // every button but the GIF maker's
}

void TestCommandLine::planRefusesWhatTheFormatDoesNotTake()
{
    QTemporaryDir dir;
    for (const char *name : {"a.wav", "b.MP4", "c.png", "notes.txt"})
        QVERIFY(testsupport::writeFile(dir.filePath(name), "x"));
    CommandLineRequest request = parsed({"--convert", "-f", "mp3", "-o", dir.filePath("out"), "x.wav"});
    request.files = {dir.filePath("a.wav"), dir.filePath("b.MP4"), dir.filePath("c.png"),
                     dir.filePath("notes.txt"), dir.filePath("missing.wav"), QStringLiteral("/dev/null")};

    const BatchPlan plan = BatchPlan::make(request);
    QCOMPARE(plan.jobs.size(), 2); // an audio format takes video and audio inputs
    QCOMPARE(plan.jobs[0].outputPath, dir.filePath("out/a.mp3"));
    QCOMPARE(plan.jobs[1].inputFiles, QStringList{dir.filePath("b.MP4")});
    QCOMPARE(plan.refused.size(), 4);
    QCOMPARE(plan.refused[0].reason, QStringLiteral("mp3 does not take .png files"));
    QCOMPARE(plan.refused[3].reason, QStringLiteral("not a file"));

    // A join is one job of all the files it takes, named as the window names it.
    QVERIFY(CommandLine::formatNamed("audiomerge", &request.format));
    const BatchPlan join = BatchPlan::make(request);
    QCOMPARE(join.refused.size(), 6); // the single taken file too: a join needs two
    QCOMPARE(join.refused.last().reason, QStringLiteral("a join needs at least two files"));
    request.files.insert(1, dir.filePath("a.wav"));
    const BatchPlan two = BatchPlan::make(request);
    QCOMPARE(two.jobs.size(), 1);
    QCOMPARE(two.jobs[0].outputPath, dir.filePath("out/MergedAudio.mp3"));
    request.loudness = -14; // every job of the batch carries the target, a join as one
    QCOMPARE(BatchPlan::make(request).jobs[0].loudness, -14);
    QCOMPARE(batchJobName(two.jobs[0]), QStringLiteral("2 files"));
}

void TestCommandLine::progressTexts_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<qint64>("elapsedMs");
    QTest::addColumn<QString>("text");
    QTest::newRow("start") << 0 << qint64(0) << "  0%";
    QTest::newRow("too early to tell") << 5 << qint64(400) << "  5%";
    QTest::newRow("a quarter in 10 s") << 25 << qint64(10000) << " 25%  0:30 left";
    QTest::newRow("hours") << 1 << qint64(60000) << "  1%  1:39:00 left";
    QTest::newRow("done") << 100 << qint64(9000) << "100%";
}

void TestCommandLine::progressTexts()
{
    QFETCH(int, percent);
    QFETCH(qint64, elapsedMs);
    QFETCH(QString, text);
    QCOMPARE(BatchReport::progressText(percent, elapsedMs), text);
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_commandline.moc"
