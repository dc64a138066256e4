// Jobs from outside the window's buttons: files on the command line, the
// unfinished jobs of a session that was killed, and the desktop notification
// at the end of a run.
#include "app/unfinishedjobs.h"
#include "mainwindow/cquillmora.h"
#include "tests/mainwindow/windowfixture.h"

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
    void initTestCase();
    void cleanupTestCase();
    void killedSessionIsOfferedBack();
    void noStartsAfresh();
    void runEndIsNotifiedOutsideTheWindow();

private:
    QTemporaryDir dataHome;
    QProcess bus;
};

void TestSessionJobs::initTestCase()
{
    qputenv("XDG_DATA_HOME", dataHome.path().toUtf8());
    QVERIFY(unfinishedJobsFile().startsWith(dataHome.path()));
}

void TestSessionJobs::cleanupTestCase()
{
    if (bus.state() != QProcess::NotRunning) {
        bus.kill();
        bus.waitForFinished();
    }
}

void TestSessionJobs::killedSessionIsOfferedBack()
{
    WindowFixture fixture;
    const QStringList inputs = {fixture.makeFile("song one.wav"), fixture.makeFile("photo.png"),
                                fixture.makeFile("clip.mkv")};

    // The application opens the files as drops, writes its list, and dies.
    QProcess application;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    application.setProcessEnvironment(environment);
    application.start(QStringLiteral(QUILLMORA_BUILD_DIR "/quillmora"), inputs);
    QVERIFY(application.waitForStarted());
    QTRY_COMPARE_WITH_TIMEOUT(loadUnfinishedJobs(unfinishedJobsFile()).size(), 3, 30000);
    application.kill();
    QVERIFY(application.waitForFinished());

    // Every field's trip through the file is the job record's test.
    fixture.prompts.questionAnswers << true;
    QCOMPARE(fixture.window->offerUnfinishedJobs(), 3);
    QCOMPARE(fixture.prompts.shown.last().text, QStringLiteral("Restore the 3 unfinished jobs?"));
    QCOMPARE(fixture.access().table()->rowCount(), 3);
    for (int row = 0; row < 3; ++row)
        QCOMPARE(fixture.window->jobQueue().at(row).inputPath, inputs[row]);
}

void TestSessionJobs::noStartsAfresh()
{
    WindowFixture fixture;
    fixture.window->openFiles({fixture.makeFile("a.mp3"), fixture.makeFile("notes.txt")});
    QCOMPARE(fixture.prompts.count("warning"), 1); // the text file, as a drop refuses it
    QCOMPARE(loadUnfinishedJobs(unfinishedJobsFile()).size(), 1);

    WindowFixture next;
    next.prompts.questionAnswers << false;
    QCOMPARE(next.window->offerUnfinishedJobs(), 0);
    QCOMPARE(next.prompts.shown.last().text, QStringLiteral("Restore the unfinished job?"));
    QCOMPARE(next.window->jobQueue().count(), 0);
    QVERIFY(!QFile::exists(unfinishedJobsFile()));

    // Closing keeps the list as it was before the close clears it.
    fixture.window->openFiles({fixture.makeFile("b.wav")});
    QCOMPARE(loadUnfinishedJobs(unfinishedJobsFile()).size(), 2);
    fixture.window->keepJobListForNextStart();
    fixture.access().invoke("onClearList");
    QCOMPARE(fixture.window->jobQueue().count(), 0);
    QCOMPARE(loadUnfinishedJobs(unfinishedJobsFile()).size(), 2);
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
