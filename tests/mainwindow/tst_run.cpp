#include "app/apptitle.h"
#include "platform/progressshare.h"
#include "tests/mainwindow/faketools.h"
#include "tests/mainwindow/windowfixture.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMenu>
#include <QProgressBar>
#include <QRegularExpression>
#include <QThread>
#include <QtTest>

#include <unistd.h>

class TestRun : public QObject
{
    Q_OBJECT

private slots:
    void passesAreBracketed();
    void overwriteQuestion();
    void stopDuringSecondOfThree();
    void resultCounts_data();
    void resultCounts();
    void failedRowTellsWhy();
    void closingDuringRunEndsIt();
    void timeLeftBesideThePercentage();
    void blocksOfTheirOwn();
    void severalRowsAtOnce();
    void barsKeepTheirRhythmWhileTheRunGoesOn();
};

namespace {

const QString ProfileMP4 = QStringLiteral("All media files -> MP4");

// A window whose tools are shell scripts, recording what its slots receive and when.
class RunFixture : public WindowFixture
{
public:
    explicit RunFixture(const QString &toolBody = QStringLiteral("touch \"$out\""))
        : tools(toolBody)
    {
        window->setToolsFolder(tools.folder());
        clock.start();
        CQuillmora *w = window.get();
        QObject::connect(w, &CQuillmora::sigInsertProgressBar, w,
                         [this](int row) { note(QStringLiteral("insert %1").arg(row)); });
        QObject::connect(w, &CQuillmora::sigRemoveProgressBar, w,
                         [this](int row) { note(QStringLiteral("remove %1").arg(row)); });
        QObject::connect(w, &CQuillmora::sigUpdateState, w, [this](int row, int state) {
            note(QStringLiteral("state %1 %2").arg(row).arg(state));
        });
        QObject::connect(w, &CQuillmora::sigSetProcValue, w, [this](int row, int value) {
            note(QStringLiteral("value %1 %2").arg(row).arg(value));
        });
        QObject::connect(w, &CQuillmora::sigFinished, w, [this] { note(QStringLiteral("finished")); });
    }

    // When the event came the nth time, in ms; -1 if it did not.
    qint64 timeOf(const QString &event, int nth = 0) const
    {
        for (int i = 0; i < events.size(); ++i)
            if (events[i] == event && nth-- == 0)
                return times[i];
        return -1;
    }

    void addFiles(const QStringList &names)
    {
        QStringList paths;
        for (const QString &name : names)
            paths << makeFile(name);
        drop(paths);
    }

    void convert() { access().action(WindowAction::Convert)->trigger(); }

    // Until the result box was shown, the run's thread is gone and its last bar too.
    bool waitForEnd()
    {
        return QTest::qWaitFor([this] { return prompts.count(QStringLiteral("dialog")) > 0
                                               && !access().runThreadAlive() && !access().busy(); },
                               20000);
    }

    bool waitForText(int row, const QString &text)
    {
        return QTest::qWaitFor([&] { return profileCell(row) == text; }, 10000);
    }

    QString profileCell(int row) { return access().cell(row, 2); }
    QString outputName(const QString &name) { return outputFolderPath() + QLatin1Char('/') + name; }

    FakeTools tools;
    QStringList events;
    QList<qint64> times; // of the events

private:
    void note(const QString &event)
    {
        events << event;
        times << clock.elapsed();
    }

    QElapsedTimer clock;
};

// The row's events make one pass: its bar in, Converting (the poller's first value may
// come before it), a final state (Succeeded or Failed), 100 as the last value, then its bar out.
bool onePass(const QStringList &events, int row)
{
    QString own;
    for (const QString &event : events) {
        if (event.section(QLatin1Char(' '), 1, 1) == QString::number(row))
            own += event.section(QLatin1Char(' '), 0, 0) + event.section(QLatin1Char(' '), 2) + QLatin1Char(',');
    }
    static const QRegularExpression pass(QStringLiteral(
        "^insert,(value\\d+,)*state1,((value|state)\\d+,)*state[24],(value\\d+,)*value100,remove,$"));
    return pass.match(own).hasMatch();
}

} // namespace

void TestRun::passesAreBracketed()
{
    RunFixture fixture;
    fixture.addFiles({QStringLiteral("a.avi"), QStringLiteral("c.png")}); // a transcoder and a convert pass
    fixture.convert();
    QVERIFY(fixture.waitForEnd());

    const QByteArray events = fixture.events.join(QStringLiteral(", ")).toUtf8();
    QVERIFY2(onePass(fixture.events, 0), events.constData());
    QVERIFY2(onePass(fixture.events, 1), events.constData());
    QCOMPARE(fixture.events.count(QStringLiteral("finished")), 1);
    QCOMPARE(fixture.profileCell(0), QStringLiteral("Successes"));
    QCOMPARE(fixture.profileCell(1), QStringLiteral("Successes"));
    QVERIFY(!fixture.access().table()->progressBar(0));
    QVERIFY(!fixture.access().running());
    QVERIFY(fixture.access().action(WindowAction::Convert)->isEnabled());
    QVERIFY(!fixture.access().action(WindowAction::Stop)->isEnabled());
    QCOMPARE(fixture.shutdowns.count.load(), 0);
}

void TestRun::overwriteQuestion()
{
    RunFixture fixture;
    fixture.addFiles({QStringLiteral("a.avi")});
    QVERIFY(testsupport::writeFile(fixture.outputName("a.mp4"), "mine"));
    fixture.prompts.questionAnswers << false;
    fixture.convert();
    QVERIFY(fixture.waitForEnd());

    QCOMPARE(fixture.prompts.count(QStringLiteral("question")), 1);
    const ScriptedPrompts::Shown &question = fixture.prompts.shown.first();
    QCOMPARE(question.title, appTitle());
    QCOMPARE(question.text, "\nOutput file already exists! Do you want to overwrite?\n" + fixture.outputName("a.mp4"));
    QCOMPARE(fixture.tools.outputs(), QStringList{fixture.outputName("a_1.mp4")});
    // The row shows the name really written.
    QCOMPARE(fixture.access().cell(0, 3), fixture.outputName("a_1.mp4"));
}

void TestRun::stopDuringSecondOfThree()
{
    // The second tool takes its time to end after Stop (ignores SIGTERM until killed).
    RunFixture fixture(QStringLiteral(
        "case \"$out\" in *b.mp4) trap '' TERM; while :; do sleep 0.1; done;; esac\ntouch \"$out\""));
    fixture.addFiles({QStringLiteral("a.avi"), QStringLiteral("b.avi"), QStringLiteral("c.avi")});
    fixture.access().shutDownBox()->setChecked(true);
    fixture.convert();
    QVERIFY(fixture.waitForText(1, QStringLiteral("Converting")));
    QVERIFY(QTest::qWaitFor([&] { return fixture.tools.outputs().size() == 2; }, 5000)); // the tool runs
    // During the run files are still taken, but the list and its formats are locked.
    fixture.addFiles({QStringLiteral("d.avi")});
    QCOMPARE(fixture.access().rowCount(), 4);
    for (WindowAction id : {WindowAction::Convert, WindowAction::RemoveList, WindowAction::Edit})
        QVERIFY(!fixture.access().action(id)->isEnabled());
    QVERIFY(!fixture.button(QStringLiteral("btnMP4"))->isEnabled());

    fixture.access().setCurrentRow(0); // a video row: Edit and Setting would apply
    fixture.access().action(WindowAction::Stop)->trigger();
    QVERIFY(!fixture.access().running());
    // Nothing may change the list until the tool has really ended.
    for (int wait = 0; wait < 3; ++wait) {
        for (WindowAction id : {WindowAction::Convert, WindowAction::Stop, WindowAction::RemoveItem,
                                WindowAction::RemoveList, WindowAction::Edit, WindowAction::Setting})
            QVERIFY2(!fixture.access().action(id)->isEnabled(), qPrintable(QString::number(int(id))));
        QVERIFY(!fixture.button(QStringLiteral("btnMP4"))->isEnabled());
        QTest::qWait(300);
    }
    QVERIFY(fixture.waitForEnd());
    for (WindowAction id : {WindowAction::Convert, WindowAction::RemoveItem, WindowAction::RemoveList,
                            WindowAction::Edit, WindowAction::Setting})
        QVERIFY(fixture.access().action(id)->isEnabled());
    QVERIFY(fixture.button(QStringLiteral("btnMP4"))->isEnabled());

    QCOMPARE(fixture.profileCell(0), QStringLiteral("Successes"));
    QCOMPARE(fixture.profileCell(1), QStringLiteral("Stopped"));
    QCOMPARE(fixture.profileCell(2), ProfileMP4);
    QCOMPARE(fixture.profileCell(3), ProfileMP4);
    QVERIFY(onePass(fixture.events, 1));
    QCOMPARE(fixture.prompts.shown.last().text, QStringLiteral("0  task has been failed\n1  task has been completed"));
    QCOMPARE(fixture.shutdowns.count.load(), 1); // a stopped run still ends as asked
}

void TestRun::resultCounts_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty list") << QStringList() << "0  task has been failed\n0  task has been completed";
    QTest::newRow("three done, one failed")
        << QStringList{"a.avi", "bad.avi", "b.avi", "c.avi"}
        << "1  task has been failed\n3  tasks have been completed";
    QTest::newRow("two failed") << QStringList{"bad1.avi", "bad2.avi"}
                                << "2  tasks have been failed\n0  task has been completed";
}

void TestRun::resultCounts()
{
    QFETCH(QStringList, inputs);
    QFETCH(QString, text);
    RunFixture fixture(QStringLiteral("case \"$out\" in *bad*) exit 1;; esac\ntouch \"$out\""));
    if (!inputs.isEmpty())
        fixture.addFiles(inputs);
    fixture.window->setGeometry(100, 80, 1300, 700);
    fixture.access().invoke("onStart");
    QVERIFY(fixture.waitForEnd());

    const ScriptedPrompts::Shown &box = fixture.prompts.shown.last();
    QCOMPARE(box.detail, QStringLiteral("ResultShow"));
    QCOMPARE(box.title, QStringLiteral("Information"));
    QCOMPARE(box.text, text);
    const QRect boxArea = fixture.prompts.dialogGeometries.last();
    // The form's 288x205, wider where a count's line needs it.
    QVERIFY2(boxArea.width() >= 288 && boxArea.height() == 205,
             qPrintable(QStringLiteral("%1x%2").arg(boxArea.width()).arg(boxArea.height())));
    QCOMPARE(boxArea.center(), fixture.window->geometry().center());
}

void TestRun::failedRowTellsWhy()
{
    RunFixture fixture(QStringLiteral("echo 'frame=1'; echo 'a.avi: Invalid data found when processing input' >&2\nexit 1"));
    fixture.addFiles({QStringLiteral("a.avi")});
    fixture.convert();
    QVERIFY(fixture.waitForEnd());
    const QString tip = fixture.access().cell(0, 2, Qt::ToolTipRole);
    QCOMPARE(fixture.access().cell(0, 2), QStringLiteral("Failed"));
    QVERIFY2(tip.contains(QLatin1String("Invalid data found when processing input")), qPrintable(tip));

    // Converting again clears the old reason.
    fixture.tools.setBody(QStringLiteral("touch \"$out\""));
    fixture.convert();
    QVERIFY(fixture.waitForText(0, QStringLiteral("Successes")));
    QVERIFY(fixture.access().cell(0, 2, Qt::ToolTipRole).isEmpty());
}

void TestRun::closingDuringRunEndsIt()
{
    RunFixture fixture(QStringLiteral("echo $$ > \"$out.pid\"\nexec sleep 30"));
    fixture.addFiles({QStringLiteral("a.avi")});
    fixture.access().shutDownBox()->setChecked(true);
    fixture.convert();
    const QString pidFile = fixture.outputName("a.mp4.pid");
    QVERIFY(QTest::qWaitFor([&] { return !testsupport::readFile(pidFile).isEmpty(); }, 5000));
    const QByteArray pid = testsupport::readFile(pidFile).trimmed();

    fixture.window.reset(); // returns only once the run's thread has ended
    QVERIFY2(!QFileInfo::exists(QStringLiteral("/proc/") + QString::fromLatin1(pid)), pid.constData());
    // No result box and no shutdown for a run that was ended by closing.
    QCOMPARE(fixture.prompts.count(QStringLiteral("dialog")), 0);
    QCOMPARE(fixture.shutdowns.count.load(), 0);
}

void TestRun::timeLeftBesideThePercentage()
{
    RunFixture fixture;
    fixture.addFiles({QStringLiteral("a.avi")});
    CQuillmoraTestAccess access = fixture.access();
    access.invoke("insertProgressBar", 0);
    auto *bar = access.table()->progressBar(0);
    QVERIFY(bar);
    access.invoke("setProcValue", 0, 10);
    QCOMPARE(bar->text(), QStringLiteral("10%"));
    QTest::qWait(int(TimeLeftSettleMs) + 100);
    access.invoke("setProcValue", 0, 40);
    // 30 points in a little over two seconds: 60 more take four or a little more.
    QVERIFY2(QRegularExpression(QStringLiteral("^40% · 0:0[4-9] left$")).match(bar->text()).hasMatch(),
             qPrintable(bar->text()));
    access.invoke("setProcValue", 0, 100);
    QCOMPARE(bar->text(), QStringLiteral("100%"));
}

void TestRun::blocksOfTheirOwn()
{
    // Another window's block, running at 57.
    const QString otherName = ProgressShare::nameOf(ProgressShare::Block::Ffmpeg) + QStringLiteral(".1");
    ProgressShare other;
    QVERIFY(other.open(otherName));
    other.setPercent(57);

    QString ownName;
    {
        // 33 at offset 0, little-endian, into the block the tool was told of.
        RunFixture fixture(QStringLiteral(
            "printf '\\041\\000\\000\\000' | dd of=\"/dev/shm$QUILLMORA_PROGRESS_BLOCK\" bs=4 count=1 conv=notrunc 2>/dev/null\n"
            "echo \"$QUILLMORA_PROGRESS_BLOCK $FC_CONFIG_DIR $FC_CONFIG_FILE\" > \"$out\"\nsleep 0.5"));
        const QString pidSuffix = QLatin1Char('.') + QString::number(getpid());
        ownName = fixture.access().progressBlockName();
        QVERIFY(ownName.endsWith(pidSuffix));
        QVERIFY(fixture.access().convertBlockName().endsWith(pidSuffix));
        fixture.addFiles({QStringLiteral("a.avi")});
        fixture.convert();
        QVERIFY(fixture.waitForEnd());
        // The tools also find their font configuration beside them.
        QCOMPARE(testsupport::readFile(fixture.outputName("a.mp4")).trimmed(),
                 (ownName + ' ' + fixture.tools.folder() + "/fonts fonts.conf").toUtf8());
        QVERIFY2(fixture.events.contains(QStringLiteral("value 0 33")), qPrintable(fixture.events.join(", ")));
        QCOMPARE(other.percent(), 57);
    }
    QVERIFY2(!QFileInfo::exists(QStringLiteral("/dev/shm") + ownName), "released with the window");
    QCOMPARE(other.percent(), 57);
    other.release();
    QFile::remove(QStringLiteral("/dev/shm") + otherName);
}

// Two jobs at once: both rows hold a bar at the same time, and the result box
// comes once, after the last.
void TestRun::severalRowsAtOnce()
{
    if (QThread::idealThreadCount() < 2)
        QSKIP("one core: the menu offers no second job");
    RunFixture fixture(QStringLiteral("sleep 1; touch \"$out\""));
    fixture.addFiles({QStringLiteral("a.wav"), QStringLiteral("b.wav"), QStringLiteral("c.wav")});
    fixture.window->findChild<QMenu *>(QStringLiteral("menuJobsAtOnce"))->actions().at(2)->trigger();
    fixture.convert();
    JobTable *table = fixture.access().table();
    QVERIFY(QTest::qWaitFor([&] { return table->progressBar(0) && table->progressBar(1); }, 5000));
    QVERIFY(!table->progressBar(2));
    QVERIFY(fixture.waitForEnd());
    for (int row = 0; row < 3; ++row) {
        QCOMPARE(fixture.profileCell(row), QStringLiteral("Successes"));
        QVERIFY2(onePass(fixture.events, row), qPrintable(fixture.events.join(", ")));
    }
    QCOMPARE(fixture.prompts.count(QStringLiteral("dialog")), 1);
    QCOMPARE(fixture.events.count(QStringLiteral("finished")), 1);
    QVERIFY(fixture.window->findChild<QLabel *>(QStringLiteral("listTimeLeft"))->text().isEmpty());
}

// One job at a time, two songs and a join of two: the next job starts as soon
// as a tool has ended, while the window still shows each bar at 100 for a
// pause before it goes, and a pause between the bars of a join's parts.
void TestRun::barsKeepTheirRhythmWhileTheRunGoesOn()
{
    constexpr qint64 pauseMs = 400;
    RunFixture fixture;
    fixture.access().setBarPauseMs(int(pauseMs));
    fixture.addFiles({QStringLiteral("a.wav"), QStringLiteral("b.wav")});
    fixture.chooseFiles(QStringLiteral("btnAudioMerge"),
                        {fixture.makeFile(QStringLiteral("c.wav")), fixture.makeFile(QStringLiteral("d.wav"))});
    fixture.window->findChild<QMenu *>(QStringLiteral("menuJobsAtOnce"))->actions().at(1)->trigger();
    fixture.convert();
    QVERIFY(fixture.waitForEnd());

    const QByteArray events = fixture.events.join(QStringLiteral(", ")).toUtf8();
    for (int row = 0; row < 3; ++row) {
        const QString r = QString::number(row);
        const int passes = row < 2 ? 1 : 3;
        QCOMPARE(fixture.profileCell(row), QStringLiteral("Successes"));
        QCOMPARE(fixture.events.count("value " + r + " 100"), passes);
        QCOMPARE(fixture.events.count("remove " + r), passes);
        for (int pass = 0; pass < passes; ++pass) {
            QVERIFY2(fixture.timeOf("remove " + r, pass) - fixture.timeOf("value " + r + " 100", pass)
                         >= pauseMs * 9 / 10,
                     events.constData());
            if (pass > 0)
                QVERIFY2(fixture.timeOf("insert " + r, pass) - fixture.timeOf("remove " + r, pass - 1)
                             >= pauseMs * 9 / 10,
                         events.constData());
        }
    }
    // The second song's bar came while the first's still showed 100: its slot was free at once.
    QVERIFY2(fixture.events.indexOf("insert 1") < fixture.events.indexOf("remove 0"), events.constData());
    QCOMPARE(fixture.events.last(), QStringLiteral("finished"));
}

QTEST_MAIN(TestRun)
#include "tst_run.moc"
