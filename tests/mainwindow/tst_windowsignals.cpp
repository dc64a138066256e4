// A converting window killed from outside: with SIGKILL its tools die with
// it; with SIGTERM it stops the run, keeps the job for the next start and
// quits. The window runs in a child process: this same program, started
// with --converting-window.
#include "platform/progressshare.h"
#include "tests/engine/runrecorder.h"
#include "tests/mainwindow/windowfixture.h"
#include "tests/support/files.h"
#include "tests/support/media.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

namespace {

// The child: a window converting the file with the built tools, until a signal ends it.
int convertingWindow(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QString folder = application.arguments().value(2);
    WindowFixture::useSettingsFolder(folder + QStringLiteral("/config"));
    WindowFixture::openStore().setValue(QStringLiteral("outFolder"), folder + QStringLiteral("/out"));
    ScriptedPrompts prompts;
    RecordedShutdowns shutdowns;
    CQuillmora window;
    window.setToolsFolder(QStringLiteral(QUILLMORA_BUILD_DIR));
    window.openFiles({folder + QStringLiteral("/long.flac")});
    CQuillmoraTestAccess(window).action(WindowAction::Convert)->trigger();
    return application.exec();
}

} // namespace

class TestWindowSignals : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void killedWindowTakesItsToolsAlong();
    void terminatedWindowStopsAndKeepsTheJob();

private:
    // Starts the child and returns once its transcoder and ffmpeg run.
    bool startConverting();
    QStringList tools() const { return processesUsing(block); }
    QString outputs() const { return testsupport::entriesOf(folder.filePath("out")).join(u' '); }

    QTemporaryDir folder;
    QProcess child;
    QString block;
};

void TestWindowSignals::initTestCase()
{
    // Half an hour of sound: far more than the test waits.
    testmedia::ClipSpec song;
    song.seconds = 1800;
    song.width = 0;
    QVERIFY(testmedia::makeClip(folder.filePath("long.flac"), song));
}

void TestWindowSignals::init()
{
    QDir(folder.filePath("out")).removeRecursively();
    QDir(folder.filePath("config")).removeRecursively();
    QDir(folder.filePath("data")).removeRecursively();
}

void TestWindowSignals::cleanup()
{
    if (child.state() != QProcess::NotRunning) {
        child.kill();
        child.waitForFinished();
    }
}

bool TestWindowSignals::startConverting()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", folder.filePath("data"));
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), {"--converting-window", folder.path()});
    if (!child.waitForStarted())
        return false;
    block = ProgressShare::nameOf(ProgressShare::Block::Ffmpeg) + '.' + QString::number(child.processId());
    return QTest::qWaitFor([this] { return tools().join(u' ').contains("ffmpeg"); }, 30000);
}

void TestWindowSignals::killedWindowTakesItsToolsAlong()
{
    QVERIFY(startConverting());
    QVERIFY(tools().join(u' ').contains("transcoder"));
    ::kill(pid_t(child.processId()), SIGKILL);
    QVERIFY(child.waitForFinished());

    QTRY_COMPARE_WITH_TIMEOUT(tools(), QStringList(), 5000);
    QTest::qWait(1000); // long enough for a survivor's output to show up
    QCOMPARE(outputs(), QString());
}

void TestWindowSignals::terminatedWindowStopsAndKeepsTheJob()
{
    QVERIFY(startConverting());
    ::kill(pid_t(child.processId()), SIGTERM);
    QVERIFY(child.waitForFinished(10000));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 128 + SIGTERM);
    QCOMPARE(tools(), QStringList());
    QCOMPARE(outputs(), QString());

    // The next start offers the job back.
    WindowFixture next({}, folder.filePath("data"));
    next.prompts.questionAnswers << true;
    QCOMPARE(next.window->offerUnfinishedJobs(), 1);
    QCOMPARE(next.window->jobQueue().at(0).inputPath, folder.filePath("long.flac"));
}

int main(int argc, char *argv[])
{
    if (argc > 2 && qstrcmp(argv[1], "--converting-window") == 0)
        return convertingWindow(argc, argv);
    QApplication application(argc, argv);
    TestWindowSignals test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_windowsignals.moc"
