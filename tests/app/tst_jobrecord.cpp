// The unfinished-jobs file: every field survives the trip to disk, damage
// costs only the damaged jobs, nothing finished comes back, and a burst of
// changes costs one write.
#include "app/joblistkeeper.h"
#include "app/jobrecord.h"
#include "app/unfinishedjobs.h"
#include "tests/support/files.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

class TestJobRecord : public QObject
{
    Q_OBJECT

private slots:
    void everyFieldRoundTrips();
    void damagedDocuments_data();
    void damagedDocuments();
    void onlyUnfinishedJobsAreKept();
    void keeperWritesOnceASecondAtMost();
};

namespace {

// A job with no field left at its default.
ConvertJob unusualJob(const QString &input)
{
    ConvertJob job = makeJob(FormatFLAC, defaultProfile(FormatFLAC));
    job.inputPath = input;
    job.inputFiles = {input};
    job.outputPath = QStringLiteral("/out/ünïcode name.flac");
    job.state = Failed;
    job.loudness = -23;
    for (int position = 2; position < OutputProfile::FieldCount; ++position)
        job.profile.setField(position, position + 1);
    EditOptions &edit = job.edit;
    edit = {1500, 2500, 2, 3, 1, 1, 150, 10, -20, 30, {}, "/subs/a b.srt", 4, 18};
    edit.watermark = {"/marks/logo.png", 11, 12, "Text, \"quoted\"", "DejaVu Sans", 5, 6, 13, 14};
    return job;
}

} // namespace

void TestJobRecord::everyFieldRoundTrips()
{
    ConvertJob join = makeJob(FormatVideoJoiner, defaultProfile(FormatVideoJoiner));
    join.inputFiles = {"/in/a.mp4", "/in/b.mkv", "/in/c.avi"};
    join.outputPath = "/out/MergedVideo.mp4";
    const QList<ConvertJob> jobs = {unusualJob("/in/song.wav"), join};

    bool ok = false;
    const QList<ConvertJob> read = jobListFromJson(jobListToJson(jobs), &ok);
    QVERIFY(ok);
    QCOMPARE(read.size(), 2);
    // The serialised form of the copy equals the original's: nothing lost or changed.
    QCOMPARE(jobListToJson(read), jobListToJson(jobs));
    QCOMPARE(read[0].edit.watermark.text, QStringLiteral("Text, \"quoted\""));
    QCOMPARE(read[0].profile, jobs[0].profile);
    QCOMPARE(read[0].outputPath, jobs[0].outputPath);
    QCOMPARE(read[0].loudness, -23);
    QVERIFY(read[1].inputFiles.size() >= 2);
}

void TestJobRecord::damagedDocuments_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<bool>("isList");
    QTest::addColumn<int>("jobs");
    const QByteArray good = R"({"formatId": 11, "inputFiles": ["/a.wav"], "outputPath": "/a.mp3"})";
    QTest::newRow("empty file") << QByteArray() << false << 0;
    QTest::newRow("cut short") << jobListToJson({unusualJob("/a.wav")}).left(100) << false << 0;
    QTest::newRow("not a list") << QByteArray(R"({"jobs": 3})") << false << 0;
    QTest::newRow("unknown format dropped")
        << QByteArray(R"({"jobs": [{"formatId": 99, "inputFiles": ["/x"], "outputPath": "/y"}, )" + good + "]}")
        << true << 1;
    QTest::newRow("no input dropped")
        << QByteArray(R"({"jobs": [{"formatId": 11, "outputPath": "/y"}, )" + good + "]}") << true << 1;
    QTest::newRow("mistyped fields keep defaults")
        << QByteArray(R"({"jobs": [{"formatId": 11, "inputFiles": ["/a.wav"], "outputPath": "/a.mp3",
                          "profile": "x", "edit": {"volume": "loud"}, "state": null}]})")
        << true << 1;
    QTest::newRow("a loudness never offered is off")
        << QByteArray(R"({"jobs": [{"formatId": 11, "inputFiles": ["/a.wav"], "outputPath": "/a.mp3", "loudness": 7}]})")
        << true << 1;
}

void TestJobRecord::damagedDocuments()
{
    QFETCH(QByteArray, document);
    QFETCH(bool, isList);
    QFETCH(int, jobs);
    bool ok = !isList;
    const QList<ConvertJob> read = jobListFromJson(document, &ok);
    QCOMPARE(ok, isList);
    QCOMPARE(read.size(), jobs);
    for (const ConvertJob &job : read) {
        QCOMPARE(job.profile, defaultProfile(FormatMP3));
        QCOMPARE(job.edit.volume, 100);
        QCOMPARE(job.loudness, 0);
    }
}

void TestJobRecord::onlyUnfinishedJobsAreKept()
{
    QTemporaryDir dir;
    const QString input = dir.filePath("song.wav");
    QVERIFY(testsupport::writeFile(input, "x"));
    const QString file = dir.filePath("state/quillmora/unfinished-jobs.json");

    QList<ConvertJob> jobs;
    for (int state : {Ready, Converting, Failed, Stopped, Succeeded}) {
        ConvertJob job = unusualJob(input);
        job.state = state;
        jobs << job;
    }
    ConvertJob gone = unusualJob(dir.filePath("deleted meanwhile.wav"));
    jobs << gone;

    QVERIFY(saveUnfinishedJobs(jobs, file));
    const QList<ConvertJob> restored = loadUnfinishedJobs(file);
    QCOMPARE(restored.size(), 4); // not the succeeded one, not the one whose input went
    for (const ConvertJob &job : restored)
        QCOMPARE(job.state, int(Ready));

    // Nothing left to do: no file, so the next start offers nothing.
    QVERIFY(saveUnfinishedJobs({jobs[4]}, file));
    QVERIFY(!QFile::exists(file));
    QVERIFY(loadUnfinishedJobs(file).isEmpty());
}

void TestJobRecord::keeperWritesOnceASecondAtMost()
{
    QTemporaryDir dir;
    const QString input = dir.filePath("song.wav");
    QVERIFY(testsupport::writeFile(input, "x"));
    QList<ConvertJob> jobs;
    JobListKeeper keeper([&] { return jobs; }, dir.filePath("kept.json"));
    QSignalSpy writes(&keeper, &JobListKeeper::written);

    // A burst of changes: the first is written at once, the rest together a second later.
    for (int i = 0; i < 200; ++i) {
        jobs << unusualJob(input);
        keeper.requestWrite();
    }
    QTRY_VERIFY(keeper.isIdle());
    QCOMPARE(writes.size(), 2);
    QCOMPARE(loadUnfinishedJobs(keeper.file()).size(), 200);

    // Closing writes what waits at once, and nothing after.
    jobs.removeLast();
    keeper.requestWrite();
    keeper.stop();
    QCOMPARE(loadUnfinishedJobs(keeper.file()).size(), 199);
    jobs.clear();
    keeper.requestWrite();
    QTest::qWait(JobListKeeper::IntervalMs + 200);
    QCOMPARE(loadUnfinishedJobs(keeper.file()).size(), 199);
}

QTEST_GUILESS_MAIN(TestJobRecord)
#include "tst_jobrecord.moc"
