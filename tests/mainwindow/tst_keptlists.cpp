// The kept job lists when a window process is ended from outside: a signal
// while a question or box is on screen ends it at once and keeps the lists
// as they were; SIGKILL at any moment of a run keeps every job that had not
// succeeded. The windows run in child processes: this same program, started
// with --window.
#include "app/joblistkeeper.h"
#include "mainwindow/cquillmora.h"
#include "tests/mainwindow/faketools.h"
#include "tests/mainwindow/windowfixture.h"
#include "tests/support/files.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <ctime>

namespace {

qint64 monotonicMs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1'000'000;
}

void tell(const QString &line)
{
    std::printf("%s\n", qPrintable(line));
    std::fflush(stdout);
}

// Says on stdout which question or box is up, then shows Qt's own, as a user sees it.
class AnnouncingPrompts : public ScriptedPrompts
{
public:
    bool question(QWidget *parent, const QString &title, const QString &text) override
    {
        tell(QStringLiteral("asking"));
        UserPrompts *self = installUserPrompts(nullptr);
        const bool yes = userPrompts().question(parent, title, text);
        installUserPrompts(self);
        return yes;
    }
    int runDialog(QDialog &dialog) override
    {
        tell(QStringLiteral("asking"));
        return dialog.exec();
    }
};

// The child. "ask <then> <files...>": a window started as main() starts it,
// which then closes (the close question), converts (with tools that fail on
// a name with "fail" in it) or does nothing more, showing real boxes. "run
// <add|restore|nothing>": restores what is offered (or adds every file of in/
// and waits until they are on disk), prints the jobs of its list, and
// converts them (unless "nothing"), printing each success with its time.
int windowProcess(int argc, char *argv[])
{
    QApplication application(argc, argv);
    const QStringList arguments = application.arguments();
    const QString mode = arguments.value(2);
    const QString then = arguments.value(3);
    const QString folder = arguments.value(4);
    WindowFixture::useSettingsFolder(folder + QStringLiteral("/config"));
    WindowFixture::openStore().setValue(QStringLiteral("outFolder"), folder + QStringLiteral("/out"));
    FakeTools tools(QStringLiteral("case \"$out\" in *fail*) exit 1;; esac\ntouch \"$out\""));
    std::unique_ptr<ScriptedPrompts> prompts;
    if (mode == QLatin1String("ask"))
        prompts = std::make_unique<AnnouncingPrompts>();
    else
        prompts = std::make_unique<ScriptedPrompts>();
    prompts->questionAnswers << true; // to the restore question; No to every overwrite question
    RecordedShutdowns shutdowns;
    CQuillmora window;
    window.setToolsFolder(tools.folder());
    auto *keeper = window.findChild<JobListKeeper *>();
    CQuillmoraTestAccess access(window);
    QObject::connect(&window, &CQuillmora::sigUpdateState, &window, [&](int row, int state) {
        if (state == Succeeded && mode == QLatin1String("run"))
            tell(QStringLiteral("done %1 %2").arg(window.jobQueue().at(row).inputPath).arg(monotonicMs()));
    });

    QStringList files = arguments.mid(5);
    if (mode == QLatin1String("ask")) {
        window.show();
        window.startSession(files);
    } else {
        window.offerUnfinishedJobs();
        if (then == QLatin1String("add")) {
            const QDir in(folder + QStringLiteral("/in"));
            for (const QString &name : in.entryList(QDir::Files))
                files << in.filePath(name);
            window.openFiles(files);
        }
    }
    // Once every file is a row (and, when they were added, on disk): the next step.
    QTimer step;
    QObject::connect(&step, &QTimer::timeout, &window, [&] {
        if (window.jobQueue().count() < files.size() || access.adding() || (!files.isEmpty() && !keeper->isIdle()))
            return;
        step.stop();
        if (mode == QLatin1String("run")) {
            QStringList listed;
            for (const ConvertJob &job : window.jobQueue().all())
                listed << job.inputPath;
            tell(QStringLiteral("listed ") + listed.join(u'|'));
        }
        if (then == QLatin1String("close"))
            window.close();
        else if (then != QLatin1String("nothing"))
            access.action(WindowAction::Convert)->trigger();
    });
    step.start(20);
    return application.exec();
}

} // namespace

class TestKeptLists : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void signalWhileAsking_data();
    void signalWhileAsking();
    void killedAtRandomMoments();

private:
    void startWindow(const QStringList &arguments);
    // The next line the child prints; empty when it ended or took too long.
    QString nextLine(int timeoutMs = 30000);
    QString dataHome() const { return folder->filePath("data"); }

    std::unique_ptr<QTemporaryDir> folder;
    QProcess child;
};

void TestKeptLists::init()
{
    folder = std::make_unique<QTemporaryDir>();
    QDir().mkpath(folder->filePath("in"));
    QDir().mkpath(folder->filePath("out"));
}

void TestKeptLists::cleanup()
{
    if (child.state() != QProcess::NotRunning) {
        child.kill();
        child.waitForFinished();
    }
}

void TestKeptLists::startWindow(const QStringList &arguments)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("XDG_DATA_HOME", dataHome());
    child.setProcessEnvironment(environment);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), QStringList{"--window"} + arguments);
    QVERIFY(child.waitForStarted());
}

QString TestKeptLists::nextLine(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!child.canReadLine() && child.state() == QProcess::Running && !deadline.hasExpired())
        child.waitForReadyRead(int(qMax<qint64>(1, deadline.remainingTime())));
    return child.canReadLine() ? QString::fromUtf8(child.readLine()).trimmed() : QString();
}

void TestKeptLists::signalWhileAsking_data()
{
    QTest::addColumn<bool>("leftList");
    QTest::addColumn<QString>("then");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("signalNumber");
    QTest::addColumn<int>("offeredNext");
    // The restore question: the two jobs an ended window left stay.
    QTest::newRow("restore question, SIGTERM") << true << "nothing" << QStringList() << SIGTERM << 2;
    QTest::newRow("restore question, SIGINT") << true << "nothing" << QStringList{"a.wav"} << SIGINT << 2;
    QTest::newRow("close question, SIGHUP") << false << "close" << QStringList{"a.wav"} << SIGHUP << 1;
    QTest::newRow("overwrite question, SIGTERM") << false << "convert" << QStringList{"exists.wav"} << SIGTERM << 1;
    QTest::newRow("result box, SIGINT") << false << "convert" << QStringList{"a.wav", "fail.wav"} << SIGINT << 1;
}

void TestKeptLists::signalWhileAsking()
{
    QFETCH(bool, leftList);
    QFETCH(QString, then);
    QFETCH(QStringList, files);
    QFETCH(int, signalNumber);
    QFETCH(int, offeredNext);
    if (leftList) {
        const QStringList left = {folder->filePath("in/left 1.wav"), folder->filePath("in/left 2.wav")};
        for (const QString &input : left)
            QVERIFY(testsupport::writeFile(input, {}));
        WindowFixture ended({}, dataHome());
        ended.window->openFiles(left);
        QTRY_COMPARE(ended.access().keptJobs().size(), 2);
    }
    QStringList paths;
    for (const QString &file : std::as_const(files)) {
        paths << folder->filePath("in/" + file);
        QVERIFY(testsupport::writeFile(paths.last(), {}));
    }
    QVERIFY(testsupport::writeFile(folder->filePath("out/exists.mp3"), "mine"));

    startWindow(QStringList{"ask", then, folder->path()} + paths);
    QCOMPARE(nextLine(), QString("asking"));
    QElapsedTimer clock;
    clock.start();
    ::kill(pid_t(child.processId()), signalNumber);
    QVERIFY(child.waitForFinished(2000));
    QVERIFY2(clock.elapsed() < 2000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(child.exitStatus(), QProcess::NormalExit);
    QCOMPARE(child.exitCode(), 128 + signalNumber);
    QCOMPARE(testsupport::readFile(folder->filePath("out/exists.mp3")), QByteArray("mine"));

    WindowFixture next({}, dataHome());
    next.prompts.questionAnswers << true;
    QCOMPARE(next.window->offerUnfinishedJobs(), offeredNext);
}

void TestKeptLists::killedAtRandomMoments()
{
    constexpr int JobCount = 2000;
    constexpr int Kills = 20;
    const quint32 seed = qEnvironmentVariableIsSet("KILL_SEED") ? quint32(qEnvironmentVariableIntValue("KILL_SEED"))
                                                                : QRandomGenerator::system()->generate();
    qInfo("seed %u (KILL_SEED=%u repeats the moments)", seed, seed);
    QRandomGenerator random(seed);
    QSet<QString> kept;  // what the next start may offer: the jobs that had not succeeded a second before the kill
    QSet<QString> mayGo; // of those, the ones that succeeded in the last second
    for (int i = 0; i < JobCount; ++i) {
        const QString input = folder->filePath(QString("in/job%1.wav").arg(i, 4, 10, QChar('0')));
        QVERIFY(testsupport::writeFile(input, {}));
        kept << input;
    }
    const auto readDone = [this](QHash<QString, qint64> &done) {
        while (child.canReadLine()) {
            const QStringList words = QString::fromUtf8(child.readLine()).trimmed().split(u' ');
            if (words.first() == "done")
                done.insert(words.value(1), words.value(2).toLongLong());
        }
    };

    for (int start = 0; start <= Kills; ++start) {
        startWindow({"run", start == 0 ? "add" : start == Kills ? "nothing" : "restore", folder->path()});
        const QString listed = nextLine(60000);
        QVERIFY2(listed.startsWith("listed"), qPrintable(listed));
        const QStringList offered = listed.mid(int(qstrlen("listed "))).split(u'|', Qt::SkipEmptyParts);
        const QSet<QString> offeredSet(offered.cbegin(), offered.cend());
        const QString where = QString("start %1 (seed %2)").arg(start).arg(seed);
        QVERIFY2(offeredSet.size() == offered.size(), qPrintable(where + ": a job offered twice"));
        QVERIFY2((offeredSet - kept).isEmpty(), qPrintable(where + ": a job offered that had succeeded"));
        QVERIFY2((kept - mayGo - offeredSet).isEmpty(), qPrintable(where + ": an unfinished job not offered"));
        kept = offeredSet;
        mayGo.clear();
        if (start == Kills)
            break;

        // Killed at a random moment of its run; what it printed until then says what had succeeded when.
        const qint64 killAt = monotonicMs() + random.bounded(2500);
        QHash<QString, qint64> done;
        while (monotonicMs() < killAt) {
            child.waitForReadyRead(int(qMax<qint64>(1, killAt - monotonicMs())));
            readDone(done);
        }
        const qint64 killed = monotonicMs();
        ::kill(pid_t(child.processId()), SIGKILL);
        QVERIFY(child.waitForFinished());
        readDone(done);
        for (auto job = done.cbegin(); job != done.cend(); ++job) {
            if (job.value() < killed - 1000)
                kept.remove(job.key());
            else
                mayGo << job.key();
        }
        qInfo("start %d: %d offered, killed after %d succeeded", start, int(offered.size()), int(done.size()));
    }
}

int main(int argc, char *argv[])
{
    if (argc > 4 && qstrcmp(argv[1], "--window") == 0)
        return windowProcess(argc, argv);
    QApplication application(argc, argv);
    TestKeptLists test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_keptlists.moc"
