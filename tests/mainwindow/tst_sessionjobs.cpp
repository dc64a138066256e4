// Jobs from outside the window's buttons: files on the command line, the
// unfinished jobs of windows that were killed or closed (never those of a
// window still open), and the desktop notification at the end of a run.
#include "app/joblistkeeper.h"
#include "app/jobrecord.h"
#include "mainwindow/cquillmora.h"
#include "tests/mainwindow/windowfixture.h"
#include "tests/support/files.h"

#include <QSet>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QSignalSpy>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTest>

#include <csignal>
#include <sys/resource.h>

// Stands in for the desktop's notification service on a private bus.
class FakeNotifications : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")

public:
    QStringList received; // "summary|body|icon"

public slots:
    uint Notify(const QString &, uint, const QString &icon, const QString &summary,
                const QString &body, const QStringList &, const QVariantMap &, int)
    {
        received << summary + "|" + body + "|" + icon;
        emit notified();
        return 1;
    }

signals:
    void notified();
};

class TestSessionJobs : public QObject
{
    Q_OBJECT

private slots:
    void cleanupTestCase();
    void killedWindowsAreOfferedTogether();
    void liveWindowsListIsNeverOffered();
    void listsLeaveOnlyWhenAnswered();
    void oldRowsGoOnlyWithTheWriteThatKeepsThem();
    void runEndIsNotifiedOutsideTheWindow();

private:
    QProcess bus;
};

namespace {

// The jobs kept on disk in the folder: of the lists a process owns, or of every list.
int keptIn(const QString &folder, qint64 owner = 0)
{
    int count = -1;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", "look");
        db.setDatabaseName(folder + "/unfinished-jobs.db");
        QSqlQuery query(db);
        if (db.open()
            && query.exec(QString("SELECT count(*) FROM jobs JOIN lists ON jobs.list = lists.id"
                                  " WHERE %1 IN (0, lists.owner_pid)")
                              .arg(owner))
            && query.next())
            count = query.value(0).toInt();
    }
    QSqlDatabase::removeDatabase("look");
    return count;
}

// A list as an older version left it.
QByteArray oldList(const QList<ConvertJob> &jobs)
{
    QJsonArray array;
    for (const ConvertJob &job : jobs)
        array << jobToJson(job);
    return QJsonDocument(QJsonObject{{"version", 1}, {"jobs", array}}).toJson();
}

ConvertJob jobOf(const QString &input, const QString &outputFolder, int formatId = FormatMP3)
{
    ConvertJob job = makeJob(formatId, defaultProfile(FormatMP3));
    job.inputFiles = {input};
    job.inputPath = input;
    job.outputPath = outputFolder + "/" + QFileInfo(input).completeBaseName() + ".mp3";
    return job;
}

// The application as "Open With" starts it, in a home of the test's.
void startWindow(QProcess &application, const QString &home, const QStringList &files)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("HOME", home);
    environment.insert("XDG_CONFIG_HOME", home + "/.config");
    application.setProcessEnvironment(environment);
    application.start(QStringLiteral(QUILLMORA_BUILD_DIR "/quillmora"), files);
    QVERIFY(application.waitForStarted());
}

} // namespace

void TestSessionJobs::cleanupTestCase()
{
    if (bus.state() != QProcess::NotRunning) {
        bus.kill();
        bus.waitForFinished();
    }
}

void TestSessionJobs::killedWindowsAreOfferedTogether()
{
    WindowFixture fixture;
    const QString lists = QString::fromLocal8Bit(qgetenv("XDG_DATA_HOME")) + "/quillmora";
    const QStringList firstFiles = {fixture.makeFile("song one.wav"), fixture.makeFile("photo.png")};
    const QStringList secondFiles = {fixture.makeFile("clip.mkv")};

    // Two windows of their own open files, keep them on disk, and are killed.
    QProcess first;
    QProcess second;
    startWindow(first, fixture.dir.path(), firstFiles);
    startWindow(second, fixture.dir.path(), secondFiles);
    QTRY_COMPARE_WITH_TIMEOUT(keptIn(lists, first.processId()), 2, 30000);
    QTRY_COMPARE_WITH_TIMEOUT(keptIn(lists, second.processId()), 1, 30000);
    for (QProcess *application : {&first, &second}) {
        application->kill();
        QVERIFY(application->waitForFinished());
    }

    // Every field's trip through the file is the job record's test.
    fixture.prompts.questionAnswers << true;
    QCOMPARE(fixture.window->offerUnfinishedJobs(), 3);
    QCOMPARE(fixture.prompts.count("question"), 1);
    QCOMPARE(fixture.prompts.shown.last().text, QStringLiteral("Restore the 3 unfinished jobs?"));
    QStringList restored;
    for (const ConvertJob &job : fixture.access().jobs())
        restored << job.inputPath;
    QCOMPARE(QSet<QString>(restored.cbegin(), restored.cend()),
             QSet<QString>({firstFiles[0], firstFiles[1], secondFiles[0]}));
    QCOMPARE(fixture.access().rowCount(), 3);

    // They are this window's now, and offered no more.
    QTRY_COMPARE(fixture.access().keptJobs().size(), 3);
    QCOMPARE(keptIn(lists), 3);
    QCOMPARE(fixture.window->offerUnfinishedJobs(), 0);
}

void TestSessionJobs::liveWindowsListIsNeverOffered()
{
    QTemporaryDir dataHome;
    const QString legacy = dataHome.path() + "/quillmora/unfinished-jobs.json";
    WindowFixture live({}, dataHome.path());

    // A list that an older version left counts as a window's that has ended.
    QVERIFY(QDir().mkpath(QFileInfo(legacy).path()));
    QVERIFY(testsupport::writeFile(legacy, oldList({jobOf(live.makeFile("old.wav"), live.outputFolderPath())})));

    live.window->openFiles({live.makeFile("a.mp3"), live.makeFile("notes.txt"), live.makeFile("c.wav")});
    QCOMPARE(live.prompts.count("warning"), 1); // the text file, as a drop refuses it
    QTRY_COMPARE(live.access().keptJobs().size(), 2);

    // A second window is offered the old list alone; No removes that one only.
    WindowFixture next({}, dataHome.path());
    next.prompts.questionAnswers << false;
    QCOMPARE(next.window->offerUnfinishedJobs(), 0);
    QCOMPARE(next.prompts.shown.last().text, QStringLiteral("Restore the unfinished job?"));
    QVERIFY(!QFile::exists(legacy));
    QCOMPARE(live.access().keptJobs().size(), 2);

    // Closing keeps the list as it was before the close clears it; once the
    // window has gone, the next start is offered it.
    live.window->openFiles({live.makeFile("b.wav")});
    live.window->keepJobListForNextStart();
    live.access().invoke("onClearList");
    QCOMPARE(live.window->jobQueue().count(), 0);
    QCOMPARE(live.access().keptJobs().size(), 3);
    live.window.reset();
    next.prompts.questionAnswers << true;
    QCOMPARE(next.window->offerUnfinishedJobs(), 3);
}

void TestSessionJobs::listsLeaveOnlyWhenAnswered()
{
    QTemporaryDir dataHome;
    const QString folder = dataHome.path() + "/quillmora";
    QTemporaryDir drive; // not there at first, as a drive not mounted
    const QString unmounted = drive.path() + "/usb/song.wav";
    QVERIFY(QDir().mkpath(folder));
    auto window = std::make_unique<WindowFixture>(QVariantMap(), dataHome.path());
    const QString out = window->outputFolderPath();
    const QString here = window->makeFile("here.wav");
    const QByteArray whole = oldList({jobOf(unmounted, out), jobOf(here, out, 999), jobOf(here, out)});
    QVERIFY(testsupport::writeFile(folder + "/unfinished-jobs-41-1.json", whole.chopped(30)));
    QVERIFY(testsupport::writeFile(folder + "/unfinished-jobs-42-1.json",
                                   oldList({jobOf(unmounted, out), jobOf(here, out, 999)})));

    // Nothing can run now: no question, nothing removed; the list cut short
    // is set aside, and the user told once where it is.
    QCOMPARE(window->window->offerUnfinishedJobs(), 0);
    QCOMPARE(window->prompts.count("question"), 0);
    QCOMPARE(window->prompts.count("warning"), 1);
    const QString aside = folder + "/unfinished-jobs-41-1-unreadable.json";
    QVERIFY2(window->prompts.shown.last().text.contains(aside), qPrintable(window->prompts.shown.last().text));
    QCOMPARE(testsupport::readFile(aside), whole.chopped(30));
    QCOMPARE(window->window->offerUnfinishedJobs(), 0);
    QCOMPARE(window->prompts.count("warning"), 1);
    window.reset();
    QCOMPARE(keptIn(folder), 2);

    // The drive is back: its job is offered, the question says what stays; No removes that one only.
    QVERIFY(QDir().mkpath(QFileInfo(unmounted).path()));
    QVERIFY(testsupport::writeFile(unmounted, "x"));
    window = std::make_unique<WindowFixture>(QVariantMap(), dataHome.path());
    QCOMPARE(window->window->offerUnfinishedJobs(), 0);
    QCOMPARE(window->prompts.shown.last().text,
             QString("Restore the unfinished job?\n\nOne more job stays kept for a later start: a file of it is "
                     "not there now, or this version cannot read it."));
    window.reset();
    QCOMPARE(keptIn(folder), 1); // of a format this version cannot convert: never dropped unasked
    window = std::make_unique<WindowFixture>(QVariantMap(), dataHome.path());
    QCOMPARE(window->window->offerUnfinishedJobs(), 0);
    QCOMPARE(window->prompts.count("question"), 0);
}

void TestSessionJobs::oldRowsGoOnlyWithTheWriteThatKeepsThem()
{
    QTemporaryDir dataHome;
    const QString folder = dataHome.path() + "/quillmora";
    auto ended = std::make_unique<WindowFixture>(QVariantMap(), dataHome.path());
    ended->window->openFiles({ended->makeFile("a.wav"), ended->makeFile("b.wav"), ended->makeFile("c.wav")});
    QTRY_COMPARE(ended->access().keptJobs().size(), 3);
    ended->window.reset();

    WindowFixture next({}, dataHome.path());
    auto *keeper = next.window->findChild<JobListKeeper *>();
    QSignalSpy writes(keeper, &JobListKeeper::written);
    // The disk fills up while the question is on screen: no file grows from then on.
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit unlimited{};
    QCOMPARE(getrlimit(RLIMIT_FSIZE, &unlimited), 0);
    struct DiskFillsUp : ScriptedPrompts {
        rlimit full;
        bool question(QWidget *, const QString &, const QString &) override
        {
            return setrlimit(RLIMIT_FSIZE, &full) == 0;
        }
    } yes;
    yes.full = unlimited;
    yes.full.rlim_cur = 0;
    QCOMPARE(next.window->offerUnfinishedJobs(), 3);
    QVERIFY(!keeper->writeNow());
    QTRY_VERIFY(!writes.isEmpty() && !writes.last().first().toBool());
    QCOMPARE(setrlimit(RLIMIT_FSIZE, &unlimited), 0);

    // Once the disk has room, the window's list holds them and the list they came from is gone,
    // together: the next start is offered each job once.
    next.window.reset();
    QCOMPARE(keptIn(folder), 3);
    WindowFixture third({}, dataHome.path());
    third.prompts.questionAnswers << true;
    QCOMPARE(third.window->offerUnfinishedJobs(), 3);
}

void TestSessionJobs::runEndIsNotifiedOutsideTheWindow()
{
    bus.start("dbus-daemon", {"--session", "--nofork", "--print-address=1"});
    if (!bus.waitForStarted())
        QSKIP("dbus-daemon is not installed");
    QTRY_VERIFY(bus.canReadLine());
    const QString address = QString::fromUtf8(bus.readLine()).trimmed();
    qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8()); // before the first use of the session bus

    QDBusConnection service = QDBusConnection::connectToBus(address, "notifications");
    FakeNotifications notifications;
    QVERIFY(service.registerObject("/org/freedesktop/Notifications", &notifications,
                                   QDBusConnection::ExportAllSlots));
    QVERIFY(service.registerService("org.freedesktop.Notifications"));

    WindowFixture fixture; // never shown, so never the active window
    QSignalSpy spy(&notifications, &FakeNotifications::notified);
    fixture.window->run().notifyEnded(4, 1);
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(notifications.received.first(),
             QStringLiteral("Conversion finished|Succeeded: 4, failed: 1|" QUILLMORA_DESKTOP_ID));
}

QTEST_MAIN(TestSessionJobs)
#include "tst_sessionjobs.moc"
