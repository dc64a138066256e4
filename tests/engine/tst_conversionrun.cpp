#include "engine/conversionrun.h"
#include "engine/jobqueue.h"
#include "engine/joinworkspace.h"
#include "platform/processprogressblock.h"
#include "platform/progressshare.h"
#include "tests/engine/runrecorder.h"
#include "tests/support/files.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <atomic>
#include <thread>

#include <unistd.h>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

// Stands in for both tools. What it does follows from a word in its arguments
// (the input's name): fail, crash (a line on stderr, then SIGSEGV), hang (until
// stopped), stubborn (ignores SIGTERM),
// p57 / p250 / pneg (writes 57, 250 or -1 into the progress block and lingers),
// finish (writes 57, lingers and ends well whatever SIGTERM says),
// slow (lingers, and notes its progress block beside its output).
// Otherwise, and after writing a figure, it writes its last argument; as the
// real tools do, without "-y" it leaves a file that is there and writes the
// "_1" name instead, and says so.
const char fakeTool[] = R"(#!/bin/sh
for last; do :; done
block="/dev/shm$QUILLMORA_PROGRESS_BLOCK"
put() { printf "$1" | dd of="$block" bs=4 count=1 conv=notrunc 2>/dev/null; sleep 0.3; }
case "$*" in
  *fail*) echo "fake: something went wrong" >&2; echo "fake: cannot read the input" >&2; exit 1 ;;
  *crash*) echo "fake: reading the input" >&2; kill -SEGV $$ ;;
  *hang*) exec sleep 600 ;;
  *stubborn*) trap '' TERM; while :; do sleep 0.05; done ;;
  *p57*) put '\071\000\000\000' ;;
  *finish*) trap '' TERM; put '\071\000\000\000' ;;
  *p250*) put '\372\000\000\000' ;;
  *pneg*) put '\377\377\377\377' ;;
  *slow*) echo "$QUILLMORA_PROGRESS_BLOCK" > "$last.block"; sleep 0.4 ;;
esac
case " $* " in
  *" -y "*) ;;
  *) [ -e "$last" ] && last="${last%.*}_1.${last##*.}" && echo "quillmora:output=$last" ;;
esac
echo converted > "$last"
)";

bool installTool(const QString &path)
{
    return QDir().mkpath(QFileInfo(path).absolutePath()) && writeFile(path, fakeTool)
           && QFile::setPermissions(path, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class TestConversionRun : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void exitCodeDecidesTheState();
    void progressFromTheBlock_data();
    void progressFromTheBlock();
    void overwriteQuestion();
    void overwriteInJobOrderNeverTakesAnInput();
    void toolThatEndsWellAfterStopSucceeds();
    void rowAddedDuringTheRunTakesAFreeSlot();
    void stopDuringTheSecondOfThreeRows();
    void stopDuringAJoinPart();
    void stopBetweenTheJoinsPasses();
    void missingToolFailsWithAReason();
    void severalJobsAtOnce();
    void stopWhileSeveralRun();
    void staleJoinFoldersOfDeadProcessesGo();

private:
    ConversionRun *makeRun(RunRecorder &recorder, const QString &toolsFolder = QString(), int jobsAtOnce = 1,
                           int stopGraceMs = 300);
    void stopOn(RunRecorder &recorder, const QString &event, const std::function<bool()> &when = {});
    QString input(const QString &name);
    QString out(const QString &name) const { return output.filePath(name); }

    QTemporaryDir tools;
    QTemporaryDir output;
    ProcessProgressBlock ownBlock;
    QString block;
    JobQueue jobs;
    std::unique_ptr<ConversionRun> run;
    std::thread stopper;
};

void TestConversionRun::initTestCase()
{
    QVERIFY(installTool(tools.filePath("transcoder")));
    QVERIFY(installTool(tools.filePath("imageconvert/convert")));
    block = ownBlock.name();
}

void TestConversionRun::init()
{
    output.remove();
    QVERIFY(QDir().mkpath(output.path()));
    jobs.clear();
}

void TestConversionRun::cleanup()
{
    if (stopper.joinable())
        stopper.join();
    run.reset();
    // A killed shell's last short sleep may end a moment later.
    QTRY_COMPARE_WITH_TIMEOUT(processesUsing(block), QStringList(), 1000);
}

ConversionRun *TestConversionRun::makeRun(RunRecorder &recorder, const QString &toolsFolder, int jobsAtOnce,
                                          int stopGraceMs)
{
    RunSettings settings;
    settings.toolsFolder = toolsFolder.isEmpty() ? tools.path() : toolsFolder;
    settings.progressBlock = block;
    settings.pollIntervalMs = 20;
    settings.stopGraceMs = stopGraceMs;
    settings.jobsAtOnce = jobsAtOnce;
    settings.cores = 2;
    run = std::make_unique<ConversionRun>(jobs, recorder, settings);
    return run.get();
}

// Stop is pressed 200 ms after the event (and the condition, if any, holds).
void TestConversionRun::stopOn(RunRecorder &recorder, const QString &event, const std::function<bool()> &when)
{
    recorder.onEvent = [this, event, when](const QString &seen) {
        if (seen == event && (!when || when()))
            stopper = std::thread([this] { QThread::msleep(200); run->stop(); });
    };
}

QString TestConversionRun::input(const QString &name)
{
    const QString path = output.filePath(name);
    if (!QFileInfo::exists(path))
        writeFile(path, "media");
    return path;
}

void TestConversionRun::exitCodeDecidesTheState()
{
    RunRecorder recorder;
    makeRun(recorder)->run(); // an empty list just ends
    QCOMPARE(recorder.events(), QStringList());

    jobs.append(jobFor(FormatMP4, {input("good.avi")}, out("good.mp4")));
    jobs.append(jobFor(FormatMP4, {input("fail.avi")}, out("fail.mp4")));
    jobs.append(jobFor(FormatPNG, {input("photo.bmp")}, out("photo.png")));
    jobs.append(jobFor(FormatMP4, {input("crash.avi")}, out("crash.mp4")));
    ConvertJob done = jobFor(FormatMP4, {input("done.avi")}, out("done.mp4"));
    done.state = Succeeded;
    jobs.append(done);
    makeRun(recorder)->run();

    QCOMPARE(recorder.bracketingFault(), QString());
    QCOMPARE(jobs.state(0), int(Succeeded));
    QCOMPARE(jobs.state(1), int(Failed));
    QCOMPARE(jobs.state(2), int(Succeeded));
    const QStringList first = recorder.eventsOf(0);
    QCOMPARE(first.first(), QString("start 0"));
    QVERIFY(first.indexOf("state 0 1") >= 1 && first.indexOf("state 0 1") < first.indexOf("state 0 4"));
    QVERIFY(recorder.eventsOf(1).contains("state 1 2"));
    QCOMPARE(recorder.reason(1), QString("fake: something went wrong\nfake: cannot read the input"));
    QCOMPARE(readFile(out("photo.png")), QByteArray("converted\n"));
    // A crash is named, whatever the tool printed before it.
    QCOMPARE(recorder.reason(3), QString("fake: reading the input\ntranscoder crashed."));
    QVERIFY(!QFileInfo::exists(out("crash.mp4")));
    QCOMPARE(recorder.eventsOf(4), QStringList()); // converted before: skipped
    QVERIFY(!QFileInfo::exists(out("done.mp4")));
    QCOMPARE(run->totals().succeeded, 2);
    QCOMPARE(run->totals().failed, 2);
}

void TestConversionRun::progressFromTheBlock_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("seen");
    QTest::newRow("57") << "p57.avi" << "progress 0 57";
    QTest::newRow("250 is cut at 100") << "p250.avi" << "progress 0 100";
    QTest::newRow("-1 passes unchanged") << "pneg.avi" << "progress 0 -1";
}

void TestConversionRun::progressFromTheBlock()
{
    QFETCH(QString, name);
    QFETCH(QString, seen);
    jobs.append(jobFor(FormatMP4, {input(name)}, out("out.mp4")));
    RunRecorder recorder;
    makeRun(recorder)->run();

    const QStringList events = recorder.eventsOf(0);
    // Seen while the tool runs, before the pass's own 100.
    QVERIFY2(events.indexOf(seen) >= 0 && events.indexOf(seen) < events.indexOf("state 0 4"),
             qPrintable(events.join(", ")));
    QCOMPARE(recorder.bracketingFault(), QString());
    ProgressShare share;
    QVERIFY(share.open(block));
    QCOMPARE(share.percent(), 0); // cleared after the pass
}

void TestConversionRun::overwriteQuestion()
{
    QVERIFY(writeFile(out("yes.mp4"), "old yes"));
    QVERIFY(writeFile(out("no.mp4"), "old no"));
    QVERIFY(QDir().mkpath(out("no_1.mp4"))); // a folder takes a name too
    QVERIFY(writeFile(out("a.b.mp4"), "old a.b"));
    jobs.append(jobFor(FormatMP4, {input("a.avi")}, out("yes.mp4")));
    jobs.append(jobFor(FormatMP4, {input("b.avi")}, out("no.mp4")));
    jobs.append(jobFor(FormatMP4, {input("c.avi")}, out("a.b.mp4")));
    // Its own input (added from the output folder): never replaced, never asked.
    jobs.append(jobFor(FormatMP3, {input("self.mp3")}, out("self.mp3")));
    // Free when the row starts, taken by someone else before the tool ends.
    jobs.append(jobFor(FormatMP4, {input("late.avi")}, out("late.mp4")));
    RunRecorder recorder;
    recorder.answers = {true, false, false};
    recorder.onEvent = [&](const QString &event) {
        if (event == "start 4")
            writeFile(out("late.mp4"), "another window's");
    };
    makeRun(recorder)->run();

    QCOMPARE(recorder.askedPaths(), (QStringList{out("yes.mp4"), out("no.mp4"), out("a.b.mp4")}));
    QCOMPARE(recorder.bracketingFault(), QString());
    QCOMPARE(readFile(out("yes.mp4")), QByteArray("converted\n"));
    QCOMPARE(readFile(out("no.mp4")), QByteArray("old no"));
    QCOMPARE(readFile(out("no_2.mp4")), QByteArray("converted\n"));
    QCOMPARE(readFile(out("a.b.mp4")), QByteArray("old a.b"));
    QCOMPARE(readFile(out("a.b_1.mp4")), QByteArray("converted\n"));
    QCOMPARE(readFile(out("self.mp3")), QByteArray("media"));
    QCOMPARE(readFile(out("self_1.mp3")), QByteArray("converted\n"));
    QCOMPARE(readFile(out("late.mp4")), QByteArray("another window's"));
    QCOMPARE(readFile(out("late_1.mp4")), QByteArray("converted\n"));
    // Each row tells, and keeps, the name really written.
    const QStringList written{out("yes.mp4"), out("no_2.mp4"), out("a.b_1.mp4"), out("self_1.mp3"), out("late_1.mp4")};
    for (int row = 0; row < written.size(); ++row) {
        QCOMPARE(jobs.state(row), int(Succeeded));
        QCOMPARE(jobs.at(row).outputPath, written[row]);
        QCOMPARE(recorder.eventsOf(row).contains("renamed " + QString::number(row) + ' ' + written[row]), row > 0);
    }
}

// Names go in job order, each name taken after a Yes of its own; a file that
// a job of the list reads (its own input, another's, a join's part, a row's
// added meanwhile, under any spelling or hard link) is never replaced or asked about.
void TestConversionRun::overwriteInJobOrderNeverTakesAnInput()
{
    QVERIFY(writeFile(out("a.mp3"), "earlier run's a"));
    QVERIFY(writeFile(out("a_1.mp3"), "earlier run's a_1"));
    const QString mine = input("mine.wav");
    QVERIFY(::link(qPrintable(mine), qPrintable(out("a_2.mp3"))) == 0);
    QVERIFY(QFile::link(output.path(), out("again")));
    QVERIFY(writeFile(out("c.mp3"), "the user's c"));
    jobs.append(jobFor(FormatMP3, {input("x.wav")}, out("a.mp3")));
    jobs.append(jobFor(FormatMP3, {input("y.wav")}, out("a.mp3")));
    jobs.append(jobFor(FormatMP3, {input("z.wav")}, out("a.mp3")));
    jobs.append(jobFor(FormatAudioJoiner, {mine, input("part.wav")}, out("joined.mp3")));
    jobs.append(jobFor(FormatMP3, {input("w.wav")}, out("again/part.wav")));
    jobs.append(jobFor(FormatMP3, {input("v.wav")}, out("c.mp3")));
    RunRecorder recorder;
    recorder.answers = {true, true, true};
    recorder.onEvent = [&](const QString &event) {
        if (event == "start 0")
            jobs.append(jobFor(FormatMP3, {out("c.mp3")}, out("d.mp3")));
    };
    makeRun(recorder)->run();

    QCOMPARE(recorder.askedPaths(), (QStringList{out("a.mp3"), out("a_1.mp3")}));
    const QStringList written{out("a.mp3"),      out("a_1.mp3"),          out("a_3.mp3"),
                              out("joined.mp3"), out("again/part_1.wav"), out("c_1.mp3"),
                              out("d.mp3")};
    for (int row = 0; row < written.size(); ++row) {
        QCOMPARE(jobs.state(row), int(Succeeded));
        QCOMPARE(jobs.at(row).outputPath, written[row]);
        QCOMPARE(readFile(written[row]), QByteArray("converted\n"));
    }
    for (const QString &kept : {mine, out("a_2.mp3"), out("part.wav")})
        QCOMPARE(readFile(kept), QByteArray("media"));
    QCOMPARE(readFile(out("c.mp3")), QByteArray("the user's c"));
}

void TestConversionRun::toolThatEndsWellAfterStopSucceeds()
{
    // Stop comes too late for the tool, which ends with exit code 0 and its file.
    jobs.append(jobFor(FormatMP3, {input("finish.wav")}, out("finish.mp3")));
    jobs.append(jobFor(FormatMP3, {input("next.wav")}, out("next.mp3")));
    RunRecorder recorder;
    recorder.onEvent = [&](const QString &event) {
        if (event == "progress 0 57")
            run->stop();
    };
    makeRun(recorder, QString(), 1, 5000)->run();

    QVERIFY(run->isStopped());
    QCOMPARE(jobs.state(0), int(Succeeded));
    QCOMPARE(readFile(out("finish.mp3")), QByteArray("converted\n"));
    QCOMPARE(run->totals().succeeded, 1);
    QCOMPARE(jobs.state(1), int(Ready));
    QCOMPARE(recorder.bracketingFault(), QString());
}

void TestConversionRun::rowAddedDuringTheRunTakesAFreeSlot()
{
    jobs.append(jobFor(FormatMP3, {input("hang.wav")}, out("long.mp3")));
    const QString later = input("short.wav");
    RunRecorder recorder;
    std::atomic<bool> shortDone{false};
    recorder.onEvent = [&](const QString &event) {
        if (event == "state 0 1")
            jobs.append(jobFor(FormatMP3, {later}, out("short.mp3")));
        if (event == "state 1 4")
            shortDone = true;
    };
    ConversionRun *conversion = makeRun(recorder, QString(), 2);
    // The hanging job ends at Stop: once the added one is done, or after five seconds.
    stopper = std::thread([&] {
        for (int wait = 0; wait < 100 && !shortDone; ++wait)
            QThread::msleep(50);
        conversion->stop();
    });
    conversion->run();
    stopper.join();

    QVERIFY(shortDone);
    QCOMPARE(jobs.state(1), int(Succeeded));
    QCOMPARE(jobs.state(0), int(Failed));
    QCOMPARE(recorder.bracketingFault(), QString());
}

void TestConversionRun::stopDuringTheSecondOfThreeRows()
{
    // The tool ignores SIGTERM: asked first, killed once the grace time is over.
    jobs.append(jobFor(FormatMP4, {input("a.avi")}, out("a.mp4")));
    jobs.append(jobFor(FormatMP4, {input("stubborn.avi")}, out("stubborn.mp4")));
    jobs.append(jobFor(FormatMP4, {input("c.avi")}, out("c.mp4")));
    RunRecorder recorder;
    stopOn(recorder, "state 1 1");
    QElapsedTimer clock;
    clock.start();
    makeRun(recorder)->run();
    const qint64 took = clock.elapsed();

    QVERIFY(took >= 200 + 300 && took < 5000);
    QVERIFY(run->isStopped());
    QCOMPARE(recorder.bracketingFault(), QString());
    QCOMPARE(jobs.state(0), int(Succeeded));
    QCOMPARE(jobs.state(1), int(Failed));
    QVERIFY(recorder.reason(1).contains("stopped"));
    QCOMPARE(jobs.state(2), int(Ready));
    QCOMPARE(recorder.eventsOf(2), QStringList());
    QVERIFY(!QFileInfo::exists(out("c.mp4")));
    QCOMPARE(run->totals().succeeded, 1);
    QCOMPARE(run->totals().failed, 1);
}

void TestConversionRun::stopDuringAJoinPart()
{
    jobs.append(jobFor(FormatVideoJoiner, {input("a.avi"), input("hang.avi"), input("c.avi")},
                       out("MergedVideo.mp4")));
    RunRecorder recorder;
    QStringList partsDuringStop;
    stopOn(recorder, "state 0 1", [&] {
        if (recorder.passesOf(0) != 2)
            return false;
        for (const QString &folder : QDir(output.path()).entryList({".quillmora-join-*"}, QDir::Dirs | QDir::Hidden))
            partsDuringStop << QDir(out(folder)).entryList({"sub*"}, QDir::Files);
        return true;
    });
    makeRun(recorder)->run();

    QCOMPARE(partsDuringStop, QStringList{"subvideo0.mp4"});
    QCOMPARE(recorder.passesOf(0), 2);
    QCOMPARE(recorder.bracketingFault(), QString());
    QCOMPARE(jobs.state(0), int(Failed));
    // The part made and its folder go.
    QCOMPARE(testsupport::entriesOf(output.path()), (QStringList{"a.avi", "c.avi", "hang.avi"}));
}

void TestConversionRun::stopBetweenTheJoinsPasses()
{
    // Stop right after the last part's pass ended: the join pass never ran.
    jobs.append(jobFor(FormatAudioJoiner, {input("a.wav"), input("b.wav")}, out("MergedAudio.mp3")));
    RunRecorder recorder;
    recorder.onEvent = [&](const QString &event) {
        if (event == "end 0" && recorder.passesOf(0) == 2)
            run->stop();
    };
    makeRun(recorder)->run();

    QCOMPARE(recorder.passesOf(0), 2);
    QVERIFY2(!recorder.eventsOf(0).contains("state 0 4"), qPrintable(recorder.eventsOf(0).join(", ")));
    QCOMPARE(recorder.eventsOf(0).last(), QString("state 0 2"));
    QCOMPARE(recorder.bracketingFault(), QString());
    QCOMPARE(jobs.state(0), int(Failed));
    QVERIFY(recorder.reason(0).contains("stopped"));
    QCOMPARE(run->totals().succeeded, 0);
    QCOMPARE(run->totals().failed, 1);
    QVERIFY(!QFileInfo::exists(out("MergedAudio.mp3")));
}

// The largest number of passes open at once, and whether the row's passes were always alone.
int mostAtOnce(const QStringList &events, int aloneRow, bool *alone)
{
    QSet<int> open;
    int most = 0;
    *alone = true;
    for (const QString &event : events) {
        const int row = event.section(' ', 1, 1).toInt();
        if (event.startsWith("start "))
            open.insert(row);
        else if (event.startsWith("end "))
            open.remove(row);
        most = std::max(most, int(open.size()));
        *alone = *alone && (!open.contains(aloneRow) || open.size() == 1);
    }
    return most;
}

void TestConversionRun::severalJobsAtOnce()
{
    // Automatic on two cores: sound and pictures two at a time, a video alone.
    jobs.append(jobFor(FormatMP3, {input("slow1.wav")}, out("song.mp3")));
    jobs.append(jobFor(FormatMP3, {input("slow2.wav")}, out("song.mp3"))); // the same name
    jobs.append(jobFor(FormatPNG, {input("slow3.bmp")}, out("photo.png")));
    jobs.append(jobFor(FormatMP4, {input("slow4.avi")}, out("video.mp4")));
    jobs.append(jobFor(FormatMP3, {input("slow5.wav")}, out("five.mp3")));
    RunRecorder recorder;
    recorder.onEvent = [&](const QString &event) {
        if (event == "end 4") // added while the last job runs
            jobs.append(jobFor(FormatMP3, {input("slow6.wav")}, out("six.mp3")));
    };
    makeRun(recorder, QString(), 0)->run();

    QCOMPARE(recorder.bracketingFault(), QString());
    bool videoAlone = false;
    QCOMPARE(mostAtOnce(recorder.events(), 3, &videoAlone), 2);
    QVERIFY(videoAlone);
    QCOMPARE(run->totals().succeeded, 6);
    // The second job of one name takes the next, without a question.
    QCOMPARE(recorder.askedPaths(), QStringList());
    QCOMPARE(jobs.at(1).outputPath, out("song_1.mp3"));
    QCOMPARE(readFile(out("song.mp3")), QByteArray("converted\n"));
    QCOMPARE(readFile(out("song_1.mp3")), QByteArray("converted\n"));
    // The two songs ran together, each with a progress block of its own.
    const QByteArray first = readFile(out("song.mp3.block")).trimmed();
    const QByteArray second = readFile(out("song_1.mp3.block")).trimmed();
    QCOMPARE(first, block.toUtf8());
    QCOMPARE(second, block.toUtf8() + "-1");
}

void TestConversionRun::stopWhileSeveralRun()
{
    jobs.append(jobFor(FormatMP3, {input("hang1.wav")}, out("one.mp3")));
    jobs.append(jobFor(FormatMP3, {input("stubborn.wav")}, out("two.mp3")));
    jobs.append(jobFor(FormatMP3, {input("three.wav")}, out("three.mp3")));
    RunRecorder recorder;
    int converting = 0;
    recorder.onEvent = [&](const QString &event) {
        if (event == "state 0 1" || event == "state 1 1")
            if (++converting == 2)
                stopper = std::thread([this] { QThread::msleep(200); run->stop(); });
    };
    makeRun(recorder, QString(), 2)->run();

    QCOMPARE(recorder.bracketingFault(), QString());
    for (int row : {0, 1}) {
        QCOMPARE(jobs.state(row), int(Failed));
        QVERIFY(recorder.reason(row).contains("stopped"));
    }
    QCOMPARE(jobs.state(2), int(Ready));
    QCOMPARE(recorder.eventsOf(2), QStringList());
    QTRY_COMPARE_WITH_TIMEOUT(processesUsing(block), QStringList(), 500); // a killed shell's sleep ends too
    QCOMPARE(testsupport::entriesOf(output.path()), (QStringList{"hang1.wav", "stubborn.wav", "three.wav"}));
}

void TestConversionRun::missingToolFailsWithAReason()
{
    jobs.append(jobFor(FormatMP4, {input("a.avi")}, out("a.mp4")));
    jobs.append(jobFor(FormatVideoJoiner, {input("a.avi"), input("b.avi")}, out("MergedVideo.mp4")));
    RunRecorder recorder;
    QTemporaryDir empty;
    makeRun(recorder, empty.path())->run();
    QCOMPARE(jobs.state(0), int(Failed));
    QVERIFY2(recorder.reason(0).startsWith("Cannot start " + empty.path() + "/transcoder"),
             qPrintable(recorder.reason(0)));
    QCOMPARE(recorder.passesOf(1), 3);
    QCOMPARE(jobs.state(1), int(Failed));
    QCOMPARE(recorder.bracketingFault(), QString());
}

void TestConversionRun::staleJoinFoldersOfDeadProcessesGo()
{
    // A join folder of a process that has ended, as a crash would leave it.
    QProcess leaver;
    leaver.start("/bin/sh", {"-c", "exit 0"});
    QVERIFY(leaver.waitForFinished());
    const qint64 deadPid = leaver.processId() > 0 ? leaver.processId() : 999999;
    QString dead;
    {
        JoinWorkspace model(output.path(), JoinKind::Video);
        QVERIFY(model.isValid());
        QVERIFY(writeFile(model.partPath(0), "half a part"));
        const QString name = QFileInfo(model.folderPath()).fileName();
        dead = out(name.section('-', 0, 1) + '-' + QString::number(deadPid) + '-' + name.section('-', 3));
        QVERIFY(QDir().rename(model.folderPath(), dead));
        QVERIFY(QDir().mkpath(model.folderPath())); // for the model to remove
    }
    QVERIFY(QFileInfo::exists(dead + "/subvideo0.mp4"));
    // Kept: one without an owner file, one of another machine, a file of the user's.
    const QString unowned = out(".quillmora-join-" + QString::number(deadPid) + "-abcdef");
    const QString foreign = out(".quillmora-join-" + QString::number(deadPid) + "-ghijkl");
    QVERIFY(QDir().mkpath(unowned));
    QVERIFY(QDir().mkpath(foreign));
    QVERIFY(writeFile(foreign + "/owner", "another-machine\nsome-boot\n"));
    QVERIFY(writeFile(out(".quillmora-join-notes"), "mine"));

    // The next join into the folder clears it up; its own folder, alive, stays.
    JoinWorkspace live(output.path(), JoinKind::Audio);
    QVERIFY(!QFileInfo::exists(dead));
    QCOMPARE(JoinWorkspace::removeStale(output.path()), 0);
    QVERIFY(QFileInfo::exists(live.listFilePath()));
    QVERIFY(QFileInfo::exists(unowned));
    QVERIFY(QFileInfo::exists(foreign + "/owner"));
    QCOMPARE(readFile(out(".quillmora-join-notes")), QByteArray("mine"));
}

QTEST_GUILESS_MAIN(TestConversionRun)
#include "tst_conversionrun.moc"
