// Jobs from outside the window's buttons: files on the command line, the
// unfinished jobs of windows that were killed or closed (never those of a
// window still open), and the desktop notification at the end of a run.
#include "app/unfinishedjobs.h"
#include "mainwindow/cquillmora.h"
#include "tests/mainwindow/windowfixture.h"

#include <QSet>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QProcess>
#include <QSignalSpy>
#include <QTest>

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
    void runEndIsNotifiedOutsideTheWindow();

private:
    QProcess bus;
};

namespace {

// The jobs on disk of the window that the process runs.
int keptBy(const QString &folder, qint64 pid)
{
    const QStringList lists = QDir(folder).entryList({QStringLiteral("unfinished-jobs-%1-*.json").arg(pid)});
    return lists.isEmpty() ? 0 : int(loadUnfinishedJobs(folder + "/" + lists.first()).size());
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
    QTRY_COMPARE_WITH_TIMEOUT(keptBy(lists, first.processId()), 2, 30000);
    QTRY_COMPARE_WITH_TIMEOUT(keptBy(lists, second.processId()), 1, 30000);
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
    QCOMPARE(QDir(lists).entryList({"*.json"}), QStringList{QFileInfo(fixture.access().keptListFile()).fileName()});
    QCOMPARE(loadUnfinishedJobs(fixture.access().keptListFile()).size(), 3);
    QCOMPARE(fixture.window->offerUnfinishedJobs(), 0);
}

void TestSessionJobs::liveWindowsListIsNeverOffered()
{
    QTemporaryDir dataHome;
    const QString legacy = dataHome.path() + "/quillmora/unfinished-jobs.json";
    WindowFixture live({}, dataHome.path());

    // A list that an older version left counts as a window's that has ended.
    ConvertJob old = makeJob(FormatMP3, defaultProfile(FormatMP3));
    old.inputFiles = {live.makeFile("old.wav")};
    old.inputPath = old.inputFiles.first();
    old.outputPath = live.outputFolderPath() + "/old.mp3";
    QVERIFY(saveUnfinishedJobs({old}, legacy));

    live.window->openFiles({live.makeFile("a.mp3"), live.makeFile("notes.txt"), live.makeFile("c.wav")});
    QCOMPARE(live.prompts.count("warning"), 1); // the text file, as a drop refuses it
    const QString liveList = live.access().keptListFile();
    QTRY_COMPARE(loadUnfinishedJobs(liveList).size(), 2);

    // A second window is offered the old list alone; No removes that one only.
    WindowFixture next({}, dataHome.path());
    next.prompts.questionAnswers << false;
    QCOMPARE(next.window->offerUnfinishedJobs(), 0);
    QCOMPARE(next.prompts.shown.last().text, QStringLiteral("Restore the unfinished job?"));
    QVERIFY(!QFile::exists(legacy));
    QCOMPARE(loadUnfinishedJobs(liveList).size(), 2);

    // Closing keeps the list as it was before the close clears it; once the
    // window has gone, the next start is offered it.
    live.window->openFiles({live.makeFile("b.wav")});
    live.window->keepJobListForNextStart();
    live.access().invoke("onClearList");
    QCOMPARE(live.window->jobQueue().count(), 0);
    QCOMPARE(loadUnfinishedJobs(liveList).size(), 3);
    live.window.reset();
    next.prompts.questionAnswers << true;
    QCOMPARE(next.window->offerUnfinishedJobs(), 3);
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
