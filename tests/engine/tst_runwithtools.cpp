#include "engine/conversionrun.h"
#include "engine/jobqueue.h"
#include "platform/processprogressblock.h"
#include "tests/engine/runrecorder.h"
#include "tests/support/files.h"
#include "tests/support/media.h"

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>

#include <thread>

using testsupport::entriesOf;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

constexpr int formatJpeg = 22;

} // namespace

// The run with the built transcoder and image converter: what bad inputs and
// Stop leave behind. Every kind of job converting is the window's end-to-end test.
class TestRunWithTools : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void badInputsFailWithAReason();
    void stopLeavesNoToolAndNoFile();

private:
    void runJobs(RunRecorder &recorder, int stopAfterMs = -1);

    QTemporaryDir media;
    ProcessProgressBlock ownBlock;
    JobQueue jobs;
    std::unique_ptr<ConversionRun> run;
};

void TestRunWithTools::initTestCase()
{
    testmedia::ClipSpec sound;
    sound.seconds = 1;
    sound.width = 0;
    QVERIFY(testmedia::makeClip(media.filePath("a.wav"), sound));
}

void TestRunWithTools::runJobs(RunRecorder &recorder, int stopAfterMs)
{
    RunSettings settings;
    settings.toolsFolder = QUILLMORA_BUILD_DIR;
    settings.progressBlock = ownBlock.name();
    settings.passPauseMs = 0;
    run = std::make_unique<ConversionRun>(jobs, recorder, settings);
    std::thread stopper;
    if (stopAfterMs >= 0) {
        recorder.onEvent = [&](const QString &event) {
            if (event == "state 0 1")
                stopper = std::thread([&] { QThread::msleep(stopAfterMs); run->stop(); });
        };
    }
    run->run();
    if (stopper.joinable())
        stopper.join();
    QCOMPARE(recorder.bracketingFault(), QString());
}

void TestRunWithTools::badInputsFailWithAReason()
{
    QTemporaryDir out;
    QVERIFY(writeFile(out.filePath("empty.mp4"), ""));
    QVERIFY(writeFile(out.filePath("text.mp4"), "not a video at all\n"));
    QVERIFY(writeFile(out.filePath("text.png"), "not a picture\n"));
    QVERIFY(writeFile(out.filePath("aFile"), "a file, not a folder"));
    QVERIFY(writeFile(out.filePath("kept.mp3"), "the user's own file"));
    jobs.clear();
    jobs.append(jobFor(FormatMP3, {out.filePath("missing.mp4")}, out.filePath("missing.mp3")));
    jobs.append(jobFor(FormatMP3, {out.filePath("empty.mp4")}, out.filePath("empty.mp3")));
    jobs.append(jobFor(FormatMP3, {out.filePath("text.mp4")}, out.filePath("kept.mp3")));
    jobs.append(jobFor(formatJpeg, {out.filePath("text.png")}, out.filePath("text.jpg")));
    jobs.append(jobFor(FormatMP3, {media.filePath("a.wav")}, out.filePath("aFile/a.mp3")));
    jobs.append(jobFor(FormatAudioJoiner, {media.filePath("a.wav"), out.filePath("missing.wav")},
                       out.filePath("aFile/MergedAudio.mp3")));
    jobs.append(jobFor(FormatAudioJoiner, {media.filePath("a.wav"), out.filePath("text.mp4")},
                       out.filePath("MergedAudio.mp3")));
    const QStringList before = entriesOf(out.path());
    RunRecorder recorder;
    recorder.answers = {true}; // overwrite kept.mp3: the failed pass must still leave it
    runJobs(recorder);

    for (int row = 0; row < jobs.count(); ++row) {
        QVERIFY2(jobs.state(row) == Failed, qPrintable(QString::number(row)));
        QVERIFY2(recorder.reason(row).size() > 10, qPrintable(QString::number(row) + ": " + recorder.reason(row)));
        qInfo("row %d: %s", row, qPrintable(recorder.reason(row)));
    }
    QVERIFY(recorder.reason(0).contains("missing.mp4"));
    QVERIFY(recorder.reason(6).startsWith("text.mp4: ")); // the part that broke the join
    QCOMPARE(entriesOf(out.path()), before);
    QCOMPARE(readFile(out.filePath("kept.mp3")), QByteArray("the user's own file"));
    QCOMPARE(readFile(out.filePath("aFile")), QByteArray("a file, not a folder"));
}

void TestRunWithTools::stopLeavesNoToolAndNoFile()
{
    QTemporaryDir out;
    testmedia::ClipSpec clip;
    clip.seconds = 30;
    clip.width = 320;
    clip.height = 240;
    clip.frameRate = 25;
    QVERIFY(testmedia::makeClip(out.filePath("long.mkv"), clip));
    jobs.clear();
    jobs.append(jobFor(FormatMP4, {out.filePath("long.mkv")}, out.filePath("long.mp4")));
    jobs.append(jobFor(FormatVideoJoiner, {out.filePath("long.mkv"), out.filePath("long.mkv")},
                       out.filePath("MergedVideo.mp4")));
    RunRecorder recorder;
    runJobs(recorder, 700);

    QCOMPARE(jobs.state(0), int(Failed));
    QCOMPARE(jobs.state(1), int(Ready));
    QCOMPARE(processesUsing(ownBlock.name()), QStringList());
    QCOMPARE(entriesOf(out.path()), QStringList{"long.mkv"});
}

QTEST_GUILESS_MAIN(TestRunWithTools)
#include "tst_runwithtools.moc"
