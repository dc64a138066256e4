#include "engine/conversionrun.h"
#include "engine/jobqueue.h"
#include "platform/processprogressblock.h"
#include "tests/engine/runrecorder.h"
#include "tests/support/files.h"
#include "tests/support/media.h"

#include <QDir>
#include <QRegularExpression>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

using testsupport::entriesOf;
using testsupport::readFile;
using testsupport::writeFile;

namespace {

constexpr int formatJpeg = 22;

} // namespace

// The run with the built transcoder and image converter: what bad inputs leave
// behind, dates kept, copies in a join, the quality check's words. Every kind of job converting is the window's end-to-end test; Stop
// with the real tools is the batch mode's.
class TestRunWithTools : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void badInputsFailWithAReason();
    void keptDatesAreTheSources();
    void joinCopiesSongsAlreadyInItsFormat();
    void qualityIsToldOfVideoJobs();

private:
    QTemporaryDir media;
    ProcessProgressBlock ownBlock;
    JobQueue jobs;
};

void TestRunWithTools::initTestCase()
{
    testmedia::ClipSpec sound;
    sound.seconds = 1;
    sound.width = 0;
    QVERIFY(testmedia::makeClip(media.filePath("a.wav"), sound));
}

void TestRunWithTools::badInputsFailWithAReason()
{
    QTemporaryDir out;
    QVERIFY(writeFile(out.filePath("text.mp4"), "not a video at all\n"));
    QVERIFY(writeFile(out.filePath("text.png"), "not a picture\n"));
    QVERIFY(writeFile(out.filePath("aFile"), "a file, not a folder"));
    QVERIFY(writeFile(out.filePath("kept.mp3"), "the user's own file"));
    jobs.append(jobFor(FormatMP3, {out.filePath("missing.mp4")}, out.filePath("missing.mp3")));
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
    RunSettings settings;
    settings.toolsFolder = QUILLMORA_BUILD_DIR;
    settings.progressBlock = ownBlock.name();
    ConversionRun(jobs, recorder, settings).run();
    QCOMPARE(recorder.bracketingFault(), QString());

    for (int row = 0; row < jobs.count(); ++row) {
        QVERIFY2(jobs.state(row) == Failed, qPrintable(QString::number(row)));
        QVERIFY2(recorder.reason(row).size() > 10, qPrintable(QString::number(row) + ": " + recorder.reason(row)));
    }
    QVERIFY(recorder.reason(0).contains("missing.mp4"));
    QVERIFY(recorder.reason(5).startsWith("text.mp4: ")); // the part that broke the join
    QCOMPARE(entriesOf(out.path()), before);
    QCOMPARE(readFile(out.filePath("kept.mp3")), QByteArray("the user's own file"));
    QCOMPARE(readFile(out.filePath("aFile")), QByteArray("a file, not a folder"));
}

// With the setting, every output takes its source's modification time, a
// join its first part's; without it, outputs are dated when they were written.
void TestRunWithTools::keptDatesAreTheSources()
{
    QTemporaryDir out;
    const QDateTime taken(QDate(2001, 2, 3), QTime(4, 5, 6, 789), Qt::UTC);
    const QStringList sources{out.filePath("first.wav"), out.filePath("second.wav"), out.filePath("photo.png")};
    QVERIFY(QFile::copy(media.filePath("a.wav"), sources[0]) && QFile::copy(media.filePath("a.wav"), sources[1]));
    QVERIFY(QProcess::execute("/usr/bin/convert-im6.q16", {"-size", "8x8", "xc:red", sources[2]}) == 0);
    for (const QString &source : sources) {
        QFile file(source);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.setFileTime(source == sources[1] ? taken.addYears(9) : taken, QFileDevice::FileModificationTime));
    }

    for (const bool keep : {true, false}) {
        const QString folder = out.filePath(keep ? "kept" : "new");
        QVERIFY(QDir().mkpath(folder));
        JobQueue queue;
        queue.append(jobFor(FormatMP3, {sources[0]}, folder + "/first.mp3"));
        queue.append(jobFor(FormatAudioJoiner, {sources[0], sources[1]}, folder + "/MergedAudio.mp3"));
        queue.append(jobFor(formatJpeg, {sources[2]}, folder + "/photo.jpg"));
        RunRecorder recorder;
        RunSettings settings;
        settings.toolsFolder = QUILLMORA_BUILD_DIR;
        settings.progressBlock = ownBlock.name();
        settings.keepSourceDates = keep;
        ConversionRun(queue, recorder, settings).run();
        for (const char *name : {"first.mp3", "MergedAudio.mp3", "photo.jpg"}) {
            const QDateTime date = QFileInfo(folder + "/" + name).lastModified();
            if (keep)
                QCOMPARE(date, taken);
            else
                QVERIFY2(date.secsTo(QDateTime::currentDateTime()) < 600, name);
        }
    }
}

// Songs that already have the audio joiner's format (MP3, 44.1 kHz, stereo,
// 256 kbit/s) go into the join as they are, and the row says so; a join with
// one part at another bitrate encodes that part and says nothing.
void TestRunWithTools::joinCopiesSongsAlreadyInItsFormat()
{
    QTemporaryDir out;
    const auto song = [&](const QString &name, const char *bitrate) {
        const QString path = out.filePath(name);
        return testmedia::runFfmpeg({"-i", media.filePath("a.wav"), "-ac", "2", "-ar", "44100", "-c:a", "libmp3lame",
                                     "-b:a", bitrate, path})
                   ? path
                   : QString();
    };
    const QStringList same{song("one.mp3", "256k"), song("two.mp3", "256k"), song("three.mp3", "256k")};
    const QStringList mixed{same[0], same[1], song("other.mp3", "128k")};
    QVERIFY(!same.contains(QString()) && !mixed.contains(QString()));
    jobs.assign({jobFor(FormatAudioJoiner, same, out.filePath("MergedAudio.mp3")),
                 jobFor(FormatAudioJoiner, mixed, out.filePath("Mixed.mp3"))});
    RunRecorder recorder;
    RunSettings settings;
    settings.toolsFolder = QUILLMORA_BUILD_DIR;
    settings.progressBlock = ownBlock.name();
    ConversionRun(jobs, recorder, settings).run();
    QCOMPARE(jobs.state(0), int(Succeeded));
    QCOMPARE(jobs.state(1), int(Succeeded));
    QCOMPARE(recorder.events().filter("copied"), QStringList({"copied 0 audio"}));

    for (const QString name : {"MergedAudio.mp3", "Mixed.mp3"}) {
        QString errors;
        QVERIFY2(testmedia::runFfmpeg({"-i", out.filePath(name), "-f", "null", "-"}, &errors) && errors.isEmpty(),
                 qPrintable(errors));
        const double seconds = testmedia::probe(out.filePath(name)).duration;
        QVERIFY2(std::abs(seconds - 3) < 0.2, qPrintable(name + ": " + QString::number(seconds)));
    }
}

// With "Check quality" a video job's row hears its figures before it is
// Succeeded, an edited or joined one why there are none; a song, a picture
// copied as it was and a run without the setting hear nothing of it.
void TestRunWithTools::qualityIsToldOfVideoJobs()
{
    QTemporaryDir out;
    const QString clip = media.filePath("clip.mp4");
    QVERIFY(testmedia::makeClip(clip));
    ConvertJob turned = jobFor(FormatWebM, {clip}, out.filePath("turned.webm"));
    turned.edit.rotation = 1;
    for (const bool check : {true, false}) {
        JobQueue queue;
        queue.assign({jobFor(FormatWebM, {clip}, out.filePath("clip.webm")), turned,
                      jobFor(FormatVideoJoiner, {clip, clip}, out.filePath("MergedVideo.mp4")),
                      jobFor(FormatMP3, {clip}, out.filePath("clip.mp3")),
                      jobFor(FormatMP4, {clip}, out.filePath("copied.mp4"))});
        RunRecorder recorder;
        RunSettings settings;
        settings.toolsFolder = QUILLMORA_BUILD_DIR;
        settings.progressBlock = ownBlock.name();
        settings.checkQuality = check;
        ConversionRun(queue, recorder, settings).run();
        for (int row = 0; row < queue.count(); ++row)
            QCOMPARE(queue.state(row), int(Succeeded));
        const QStringList told = recorder.events().filter(QRegularExpression("^quality "));
        if (!check) {
            QCOMPARE(told, QStringList());
            continue;
        }
        QVERIFY(recorder.events().filter("copied 4 ").first().contains("video"));
        QCOMPARE(told.size(), 3);
        QVERIFY2(QRegularExpression("^quality 0 SSIM 0\\.9\\d\\d, PSNR \\d\\d\\.\\d dB$").match(told[0]).hasMatch(),
                 qPrintable(told[0]));
        QCOMPARE(told[1], QStringLiteral("quality 1 quality not measured: the picture was edited"));
        QCOMPARE(told[2], QStringLiteral("quality 2 quality not measured: a join has no one source to compare with"));
        const QStringList first = recorder.eventsOf(0);
        QVERIFY(first.indexOf(told[0]) < first.indexOf(QStringLiteral("state 0 %1").arg(int(Succeeded))));
    }
}

QTEST_GUILESS_MAIN(TestRunWithTools)
#include "tst_runwithtools.moc"
