// The kept job lists' database: what is on disk follows the list row by row,
// a list of an ended window is offered to one window only and keeps what
// cannot run now, a database that cannot be used is never removed, and older
// versions' list files come in once.
#include "app/joblistkeeper.h"
#include "app/jobrecord.h"
#include "app/keptjobstore.h"
#include "engine/jobqueue.h"
#include "tests/support/files.h"

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

class TestKeptJobStore : public QObject
{
    Q_OBJECT

private slots:
    void diskFollowsTheList();
    void leftListsKeepWhatCannotRun();
    void unusableDatabase_data();
    void unusableDatabase();
    void olderVersionsListsComeInOnce();

private:
    ConvertJob jobFor(const QString &input, int formatId = FormatMP3);
    QTemporaryDir dir;
};

ConvertJob TestKeptJobStore::jobFor(const QString &input, int formatId)
{
    ConvertJob job = makeJob(formatId, defaultProfile(FormatMP3));
    job.inputPath = dir.filePath(input);
    job.inputFiles = {job.inputPath};
    job.outputPath = dir.filePath("out/" + input + ".mp3");
    testsupport::writeFile(job.inputPath, "x");
    return job;
}

namespace {

QStringList inputsOf(const QList<ConvertJob> &jobs)
{
    QStringList inputs;
    for (const ConvertJob &job : jobs)
        inputs << QFileInfo(job.inputPath).fileName();
    return inputs;
}

// Runs SQL on a database file with a connection of the test's own.
void runSql(const QString &file, const QStringList &statements)
{
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "test");
        db.setDatabaseName(file);
        QVERIFY(db.open());
        for (const QString &statement : statements)
            QVERIFY2(QSqlQuery(db).exec(statement), qPrintable(statement));
    }
    QSqlDatabase::removeDatabase("test");
}

} // namespace

void TestKeptJobStore::diskFollowsTheList()
{
    const QString folder = dir.filePath("follows");
    JobQueue queue;
    JobListKeeper keeper([&] { return queue.takeChanges(); }, folder);
    QSignalSpy writes(&keeper, &JobListKeeper::written);
    const auto onDisk = [&] {
        keeper.writeNow();
        return inputsOf(keeper.storedJobs());
    };

    // A burst of changes: the first is written at once, the rest together a while later.
    for (int i = 0; i < 200; ++i) {
        queue.append(jobFor(QString("%1.wav").arg(i, 3, 10, QChar('0'))));
        keeper.requestWrite();
    }
    QTRY_VERIFY(keeper.isIdle());
    QCOMPARE(writes.size(), 2);
    QCOMPARE(keeper.storedJobs().size(), 200);

    // Rows leave, change and join in any order; a converted one is not kept.
    queue.removeAt(0);
    queue.setState(0, Failed);
    queue.removeAt(197);
    queue.setOutputPath(1, dir.filePath("out/elsewhere.mp3"));
    queue.setState(2, Succeeded);
    queue.append({jobFor("late.wav"), jobFor("later.wav")});
    queue.removeAt(queue.count() - 1);
    QStringList expected = inputsOf(queue.all());
    expected.removeAt(2);
    QCOMPARE(onDisk(), expected);
    QCOMPARE(keeper.storedJobs().value(1).outputPath, dir.filePath("out/elsewhere.mp3"));
    QCOMPARE(keeper.storedJobs().value(0).state, int(Failed));

    queue.clear();
    queue.append(jobFor("after clearing.wav"));
    QCOMPARE(onDisk(), QStringList{"after clearing.wav"});

    // Once stopped, the disk keeps the list as it was.
    keeper.stop();
    queue.clear();
    keeper.requestWrite();
    QVERIFY(!keeper.writeNow());
    QCOMPARE(inputsOf(keeper.storedJobs()), QStringList{"after clearing.wav"});
}

void TestKeptJobStore::leftListsKeepWhatCannotRun()
{
    const QString folder = dir.filePath("left");
    auto ended = std::make_unique<KeptJobStore>(folder);
    QVERIFY(ended->open());
    JobListChanges changes;
    qint64 id = 0;
    for (const int state : {Ready, Converting, Failed, Stopped, Succeeded}) {
        ConvertJob job = jobFor(QString("state %1.wav").arg(state));
        job.state = state;
        changes.ids << ++id;
        changes.jobs << job;
    }
    ConvertJob gone = jobFor("on a drive not mounted.wav");
    QVERIFY(QFile::remove(gone.inputPath));
    changes.ids << id + 1 << id + 2;
    changes.jobs << gone << jobFor("of a newer version.wav", 999);
    QVERIFY(ended->write(changes));

    // While its window lives, nobody else is offered its list.
    KeptJobStore next(folder);
    QVERIFY(next.open());
    QCOMPARE(next.claimLeft().jobs.size(), 0);

    ended->release();
    ended.reset();
    KeptJobStore::Left left = next.claimLeft();
    QCOMPARE(inputsOf(left.jobs), QStringList({"state 0.wav", "state 1.wav", "state 2.wav", "state 3.wav"}));
    for (const ConvertJob &job : std::as_const(left.jobs))
        QCOMPARE(job.state, int(Ready));
    QCOMPARE(left.keptBack, 2);
    // Claimed: a third window is not offered them too.
    KeptJobStore third(folder);
    QVERIFY(third.open());
    QCOMPARE(third.claimLeft().jobs.size(), 0);

    // The offered rows go; the two kept back stay for a later start.
    QVERIFY(next.write({}, left.rows));
    next.release();
    left = third.claimLeft();
    QCOMPARE(left.jobs.size(), 0);
    QCOMPARE(left.keptBack, 2);
    QFile::copy(dir.filePath("state 0.wav"), gone.inputPath); // the drive is back
    third.release();
    KeptJobStore fourth(folder);
    QVERIFY(fourth.open());
    QCOMPARE(inputsOf(fourth.claimLeft().jobs), QStringList{"on a drive not mounted.wav"});
}

void TestKeptJobStore::unusableDatabase_data()
{
    QTest::addColumn<QStringList>("sql");
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("setAside");
    QTest::newRow("not a database") << QStringList() << QByteArray(5000, 'x') << true;
    QTest::newRow("another program's") << QStringList{"CREATE TABLE notes (text)"} << QByteArray() << true;
    QTest::newRow("of a newer version") << QStringList{"CREATE TABLE lists (id)", "PRAGMA user_version = 2"}
                                        << QByteArray() << false;
}

void TestKeptJobStore::unusableDatabase()
{
    QFETCH(QStringList, sql);
    QFETCH(QByteArray, bytes);
    QFETCH(bool, setAside);
    const QString folder = dir.filePath(QTest::currentDataTag());
    const QString file = folder + "/unfinished-jobs.db";
    QVERIFY(QDir().mkpath(folder));
    if (!bytes.isEmpty())
        QVERIFY(testsupport::writeFile(file, bytes));
    runSql(file, sql);
    const QByteArray before = testsupport::readFile(file);

    KeptJobStore store(folder);
    QCOMPARE(store.open(), setAside);
    const KeptJobStore::Left left = store.claimLeft();
    if (setAside) {
        QCOMPARE(QFileInfo(left.damagedSetAside).path(), folder);
        QVERIFY(QFileInfo(left.damagedSetAside).fileName().startsWith("unfinished-jobs-damaged-"));
        QCOMPARE(testsupport::readFile(left.damagedSetAside), before);
        // A new database keeps this window's jobs.
        QVERIFY(store.write({false, {}, {1}, {jobFor("kept.wav")}}));
        QCOMPARE(store.ownJobs().size(), 1);
    } else {
        QCOMPARE(left.newerDatabase, file);
        QVERIFY(!store.write({false, {}, {1}, {jobFor("kept.wav")}}));
        QCOMPARE(testsupport::readFile(file), before);
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{"unfinished-jobs.db"});
    }
    // Told once.
    QCOMPARE(store.claimLeft().damagedSetAside, QString());
    QCOMPARE(store.claimLeft().newerDatabase, QString());
}

void TestKeptJobStore::olderVersionsListsComeInOnce()
{
    const QString folder = dir.filePath("older");
    const auto document = [](const QList<ConvertJob> &jobs, int version) {
        QJsonArray array;
        for (const ConvertJob &job : jobs)
            array << jobToJson(job);
        return QJsonDocument(QJsonObject{{"version", version}, {"jobs", array}}).toJson();
    };
    QVERIFY(QDir().mkpath(folder));
    const QByteArray twoJobs = document({jobFor("a.wav"), jobFor("b.wav", 999)}, 1);
    QVERIFY(testsupport::writeFile(folder + "/unfinished-jobs.json", twoJobs));
    QVERIFY(testsupport::writeFile(folder + "/unfinished-jobs-10-1.json", twoJobs.chopped(30)));
    QVERIFY(testsupport::writeFile(folder + "/unfinished-jobs-11-1.json", document({jobFor("c.wav")}, 2)));
    // A window of the older version still open holds its lock.
    QVERIFY(testsupport::writeFile(folder + "/unfinished-jobs-12-1.json", document({jobFor("d.wav")}, 1)));
    QVERIFY(testsupport::writeFile(folder + "/unfinished-jobs-12-1.lock", {}));
    const int held = ::open(QFile::encodeName(folder + "/unfinished-jobs-12-1.lock").constData(), O_RDONLY);
    QCOMPARE(flock(held, LOCK_EX), 0);

    KeptJobStore store(folder);
    QVERIFY(store.open());
    const KeptJobStore::Left left = store.claimLeft();
    QCOMPARE(inputsOf(left.jobs), QStringList{"a.wav"});
    QCOMPARE(left.keptBack, 1); // of a format this version does not know: kept, not dropped
    QCOMPARE(left.listsSetAside, QStringList{folder + "/unfinished-jobs-10-1-unreadable.json"});
    QCOMPARE(testsupport::readFile(left.listsSetAside.value(0)), twoJobs.chopped(30));
    QCOMPARE(QDir(folder).entryList({"*.json", "*.lock"}),
             QStringList({"unfinished-jobs-10-1-unreadable.json", "unfinished-jobs-11-1.json",
                          "unfinished-jobs-12-1.json", "unfinished-jobs-12-1.lock"}));
    ::close(held);
}

QTEST_GUILESS_MAIN(TestKeptJobStore)
#include "tst_keptjobstore.moc"
