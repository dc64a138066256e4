// A job as the kept lists hold it: every field survives the trip, a damaged
// field keeps its default, and older versions' list files are read as written.
#include "app/jobrecord.h"

#include <QJsonDocument>
#include <QTest>

class TestJobRecord : public QObject
{
    Q_OBJECT

private slots:
    void everyFieldRoundTrips();
    void olderVersionsLists_data();
    void olderVersionsLists();
    void forgivingFieldByField();
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
    job.fitBytes = 26'214'400;
    return job;
}

} // namespace

void TestJobRecord::everyFieldRoundTrips()
{
    ConvertJob join = makeJob(FormatVideoJoiner, defaultProfile(FormatVideoJoiner));
    join.inputFiles = {"/in/a.mp4", "/in/b.mkv", "/in/c.avi"};
    join.outputPath = "/out/MergedVideo.mp4";
    for (const ConvertJob &job : {unusualJob("/in/song.wav"), join}) {
        // Through the text a row of the database holds.
        const QByteArray stored = QJsonDocument(jobToJson(job)).toJson(QJsonDocument::Compact);
        ConvertJob read;
        QVERIFY(jobFromJson(QJsonDocument::fromJson(stored).object(), &read));
        // The serialised form of the copy equals the original's: nothing lost or changed.
        QCOMPARE(jobToJson(read), jobToJson(job));
        QCOMPARE(read.profile, job.profile);
        QCOMPARE(read.inputFiles, job.inputFiles);
        QCOMPARE(read.loudness, job.loudness);
    }
}

void TestJobRecord::olderVersionsLists_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<bool>("isList");
    QTest::addColumn<int>("version");
    QTest::addColumn<int>("jobs");
    const QByteArray good = R"({"formatId": 11, "inputFiles": ["/a.wav"], "outputPath": "/a.mp3"})";
    const QByteArray whole = R"({"version": 1, "jobs": [)" + good + "]}";
    QTest::newRow("empty file") << QByteArray() << false << 0 << 0;
    QTest::newRow("cut short") << whole.chopped(3) << false << 0 << 0;
    QTest::newRow("not a list") << QByteArray(R"({"jobs": 3})") << false << 0 << 0;
    QTest::newRow("unknown format kept as written") << QByteArray(
        R"({"version": 1, "jobs": [{"formatId": 99, "inputFiles": ["/x"], "outputPath": "/y"}, )" + good + "]}")
                                                    << true << 1 << 2;
    QTest::newRow("no version is the first") << QByteArray(R"({"jobs": [)" + good + "]}") << true << 1 << 1;
    QTest::newRow("newer version") << QByteArray(R"({"version": 7, "jobs": []})") << true << 7 << 0;
}

void TestJobRecord::olderVersionsLists()
{
    QFETCH(QByteArray, document);
    QFETCH(bool, isList);
    QFETCH(int, version);
    QFETCH(int, jobs);
    const JobListDocument read = readJobList(document);
    QCOMPARE(read.isList, isList);
    QCOMPARE(read.version, version);
    QCOMPARE(read.jobs.size(), jobs);
}

void TestJobRecord::forgivingFieldByField()
{
    ConvertJob job;
    QVERIFY(
        !jobFromJson(QJsonDocument::fromJson(R"({"formatId": 99, "inputFiles": ["/x"], "outputPath": "/y"})").object(),
                     &job));
    QVERIFY(!jobFromJson(QJsonDocument::fromJson(R"({"formatId": 11, "outputPath": "/y"})").object(), &job));
    QVERIFY(jobFromJson(QJsonDocument::fromJson(R"({"formatId": 11, "inputFiles": ["/a.wav"], "outputPath": "/a.mp3",
                                                    "profile": "x", "edit": {"volume": "loud"}, "state": null})")
                            .object(),
                        &job));
    QCOMPARE(job.profile, defaultProfile(FormatMP3));
    QCOMPARE(job.edit.volume, 100);
    // A loudness never offered is off.
    QVERIFY(jobFromJson(QJsonDocument::fromJson(R"({"formatId": 11, "inputFiles": ["/a.wav"], "outputPath": "/a.mp3",
                                                    "loudness": 7})")
                            .object(),
                        &job));
    QCOMPARE(job.loudness, 0);
}

QTEST_GUILESS_MAIN(TestJobRecord)
#include "tst_jobrecord.moc"
