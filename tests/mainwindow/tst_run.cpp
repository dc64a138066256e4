#include "platform/progressshare.h"
#include "tests/mainwindow/faketools.h"
#include "tests/mainwindow/windowfixture.h"

#include <QProgressBar>
#include <QRegularExpression>
#include <QtTest>

#include <unistd.h>

class TestRun : public QObject
{
    Q_OBJECT

private slots:
    void passesAreBracketed();
    void overwriteQuestion_data();
    void overwriteQuestion();
    void stopDuringSecondOfThree_data();
    void stopDuringSecondOfThree();
    void resultCounts_data();
    void resultCounts();
    void failedRowTellsWhy();
    void droppedDuringRunIsReached();
    void closingDuringRunEndsIt();
    void timeLeftBesideThePercentage();
    void blocksOfTheirOwn();
    void toolsWriteTheWindowsBlock();
};

namespace {

const QString ProfileMP4 = QStringLiteral("All media files -> MP4");

// A window whose tools are shell scripts, recording what its slots receive.
class RunFixture : public WindowFixture
{
public:
    explicit RunFixture(const QString &toolBody = QStringLiteral("touch \"$out\""))
        : tools(toolBody)
    {
        window->setToolsFolder(tools.folder());
        CQuillmora *w = window.get();
        QObject::connect(w, &CQuillmora::sigInsertProgressBar, w,
                         [this](int row) { events << QStringLiteral("insert %1").arg(row); });
        QObject::connect(w, &CQuillmora::sigRemoveProgressBar, w,
                         [this](int row) { events << QStringLiteral("remove %1").arg(row); });
        QObject::connect(w, &CQuillmora::sigUpdateState, w, [this](int row, int state) {
            events << QStringLiteral("state %1 %2").arg(row).arg(state);
        });
        QObject::connect(w, &CQuillmora::sigSetProcValue, w, [this](int row, int value) {
            events << QStringLiteral("value %1 %2").arg(row).arg(value);
        });
        QObject::connect(w, &CQuillmora::sigFinished, w, [this] { events << QStringLiteral("finished"); });
    }

    void addVideos(const QStringList &names)
    {
        QStringList paths;
        for (const QString &name : names)
            paths << makeFile(name);
        drop(paths);
    }

    void convert() { access().action(WindowAction::Convert)->trigger(); }

    // Until the result box was shown and the run's thread is gone.
    bool waitForEnd()
    {
        return QTest::qWaitFor([this] { return prompts.count(QStringLiteral("dialog")) > 0
                                               && !access().runThreadAlive(); },
                               20000);
    }

    bool waitForText(int row, const QString &text)
    {
        return QTest::qWaitFor([&] { return profileCell(row) == text; }, 10000);
    }

    QString profileCell(int row) { return access().table()->item(row, 2)->text(); }
    QString outputName(const QString &name) { return outputFolderPath() + QLatin1Char('/') + name; }

    // Both lines of the result box, the failures first.
    QString resultText() const
    {
        for (const ScriptedPrompts::Shown &entry : prompts.shown)
            if (entry.kind == QLatin1String("dialog"))
                return entry.text;
        return {};
    }

    FakeTools tools;
    QStringList events;
};

// Each pass of the row: its bar in, Converting (the poller's first value may
// come before it), a final state, then 100 as the last value, then its bar out. Returns the number of passes.
int checkedPasses(const QStringList &events, int row)
{
    int passes = 0;
    bool inPass = false;
    QStringList pass;
    for (const QString &event : events) {
        if (event.section(QLatin1Char(' '), 1, 1) != QString::number(row))
            continue;
        if (event.startsWith(QLatin1String("insert"))) {
            if (inPass)
                return -1; // a second bar before the first went
            inPass = true;
            pass.clear();
        } else if (event.startsWith(QLatin1String("remove"))) {
            const int converting = pass.indexOf(QStringLiteral("state %1 1").arg(row));
            const int hundred = pass.lastIndexOf(QStringLiteral("value %1 100").arg(row));
            const int ended = std::max(pass.indexOf(QStringLiteral("state %1 4").arg(row)),
                                       pass.indexOf(QStringLiteral("state %1 2").arg(row)));
            if (!inPass || converting < 0 || ended < converting || hundred != pass.size() - 1)
                return -1;
            inPass = false;
            ++passes;
        } else {
            if (!inPass)
                return -1; // a value or state outside a pass
            pass << event;
        }
    }
    return inPass ? -1 : passes;
}

} // namespace

void TestRun::passesAreBracketed()
{
    RunFixture fixture;
    fixture.addVideos({QStringLiteral("a.avi")});
    fixture.drop({fixture.makeFile(QStringLiteral("c.png"))});
    fixture.convert();
    QVERIFY(fixture.access().running());
    QVERIFY(!fixture.access().action(WindowAction::Convert)->isEnabled());
    QVERIFY(fixture.waitForEnd());

    const QByteArray events = fixture.events.join(QStringLiteral(", ")).toUtf8();
    QVERIFY2(checkedPasses(fixture.events, 0) == 1, events.constData());
    QVERIFY2(checkedPasses(fixture.events, 1) == 1, events.constData());
    QCOMPARE(fixture.events.count(QStringLiteral("finished")), 1);
    QCOMPARE(fixture.profileCell(0), QStringLiteral("Successes"));
    QCOMPARE(fixture.profileCell(1), QStringLiteral("Successes"));
    QCOMPARE(fixture.tools.outputs(),
             QStringList({fixture.outputName("a.mp4"), fixture.outputName("c.png")}));
    QVERIFY(!fixture.access().table()->cellWidget(0, 2));
    QVERIFY(!fixture.access().running());
    QVERIFY(fixture.access().action(WindowAction::Convert)->isEnabled());
    QVERIFY(!fixture.access().action(WindowAction::Stop)->isEnabled());
    QCOMPARE(fixture.shutdowns.count.load(), 0);

    // Succeeded rows are not run again.
    fixture.prompts.shown.clear();
    fixture.convert();
    QVERIFY(fixture.waitForEnd());
    QCOMPARE(fixture.tools.outputs().size(), 2);
}

void TestRun::overwriteQuestion_data()
{
    QTest::addColumn<bool>("overwrite");
    QTest::addColumn<QStringList>("existing");
    QTest::addColumn<QString>("written");
    QTest::newRow("yes") << true << QStringList{"a.mp4"} << "a.mp4";
    QTest::newRow("no") << false << QStringList{"a.mp4"} << "a_1.mp4";
}

void TestRun::overwriteQuestion()
{
    QFETCH(bool, overwrite);
    QFETCH(QStringList, existing);
    QFETCH(QString, written);
    RunFixture fixture;
    fixture.addVideos({QStringLiteral("a.avi")});
    for (const QString &name : existing)
        QVERIFY(testsupport::writeFile(fixture.outputName(name), "mine"));
    fixture.prompts.questionAnswers << overwrite;
    fixture.convert();
    QVERIFY(fixture.waitForEnd());

    QCOMPARE(fixture.prompts.count(QStringLiteral("question")), 1);
    const ScriptedPrompts::Shown &question = fixture.prompts.shown.first();
    QCOMPARE(question.title, appTitle());
    QCOMPARE(question.text, QStringLiteral("\nOutput file already exists! Do you want to overwrite?"));
    QCOMPARE(fixture.tools.outputs(), QStringList{fixture.outputName(written)});
    // The list keeps the name the user saw.
    QCOMPARE(fixture.access().table()->item(0, 3)->text(), fixture.outputName("a.mp4"));
    QCOMPARE(fixture.access().jobs()[0].outputPath, fixture.outputName("a.mp4"));
}

void TestRun::stopDuringSecondOfThree_data()
{
    QTest::addColumn<bool>("shutDown");
    QTest::newRow("shut down afterwards") << true;
    QTest::newRow("stay on") << false;
}

void TestRun::stopDuringSecondOfThree()
{
    QFETCH(bool, shutDown);
    RunFixture fixture(QStringLiteral("case \"$out\" in *b.mp4) exec sleep 30;; esac\ntouch \"$out\""));
    fixture.addVideos({QStringLiteral("a.avi"), QStringLiteral("b.avi"), QStringLiteral("c.avi")});
    fixture.access().shutDownBox()->setChecked(shutDown);
    fixture.convert();
    QVERIFY(fixture.waitForText(1, QStringLiteral("Converting")));
    QVERIFY(QTest::qWaitFor([&] { return fixture.tools.outputs().size() == 2; }, 5000)); // the tool runs
    fixture.access().action(WindowAction::Stop)->trigger();
    QVERIFY(!fixture.access().running());
    QVERIFY(fixture.access().action(WindowAction::Convert)->isEnabled());
    QVERIFY(fixture.waitForEnd());

    QCOMPARE(fixture.profileCell(0), QStringLiteral("Successes"));
    QCOMPARE(fixture.profileCell(1), QStringLiteral("Stopped"));
    QCOMPARE(fixture.profileCell(2), ProfileMP4);
    QCOMPARE(fixture.access().jobs()[2].state, int(Ready));
    QCOMPARE(fixture.tools.outputs(), QStringList({fixture.outputName("a.mp4"), fixture.outputName("b.mp4")}));
    QCOMPARE(checkedPasses(fixture.events, 1), 1);
    QCOMPARE(fixture.resultText(), QStringLiteral("0  task has been failed\n1  task has been completed"));
    QCOMPARE(fixture.shutdowns.count.load(), shutDown ? 1 : 0);
}

void TestRun::resultCounts_data()
{
    QTest::addColumn<QStringList>("inputs");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty list") << QStringList() << "0  task has been failed\n0  task has been completed";
    QTest::newRow("one failed") << QStringList{"bad.avi"}
                                << "1  task has been failed\n0  task has been completed";
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
        fixture.addVideos(inputs);
    fixture.window->move(100, 80);
    fixture.window->resize(1300, 700);
    fixture.access().invoke("onStart");
    QVERIFY(fixture.waitForEnd());

    const ScriptedPrompts::Shown &box = fixture.prompts.shown.last();
    QCOMPARE(box.detail, QStringLiteral("ResultShow"));
    QCOMPARE(box.title, QStringLiteral("Information"));
    QCOMPARE(box.text, text);
    const QRect boxArea = fixture.prompts.dialogGeometries.last();
    QCOMPARE(boxArea.size(), QSize(288, 205));
    QCOMPARE(boxArea.center(), fixture.window->geometry().center());
}

void TestRun::failedRowTellsWhy()
{
    RunFixture fixture(QStringLiteral("echo 'frame=1'; echo 'a.avi: Invalid data found when processing input' >&2\nexit 1"));
    fixture.addVideos({QStringLiteral("a.avi")});
    fixture.convert();
    QVERIFY(fixture.waitForEnd());
    const QTableWidgetItem *cell = fixture.access().table()->item(0, 2);
    QCOMPARE(cell->text(), QStringLiteral("Failed"));
    QVERIFY2(cell->toolTip().contains(QLatin1String("Invalid data found when processing input")),
             qPrintable(cell->toolTip()));

    // Converting again clears the old reason.
    fixture.tools.setBody(QStringLiteral("touch \"$out\""));
    fixture.convert();
    QVERIFY(fixture.waitForText(0, QStringLiteral("Successes")));
    QVERIFY(cell->toolTip().isEmpty());
}

void TestRun::droppedDuringRunIsReached()
{
    RunFixture fixture(QStringLiteral("case \"$out\" in *a.mp4) sleep 1;; esac\ntouch \"$out\""));
    fixture.addVideos({QStringLiteral("a.avi")});
    fixture.convert();
    QVERIFY(fixture.waitForText(0, QStringLiteral("Converting")));
    fixture.addVideos({QStringLiteral("b.avi")});
    QCOMPARE(fixture.access().table()->rowCount(), 2);
    QVERIFY(!fixture.access().action(WindowAction::Convert)->isEnabled());
    QVERIFY(!fixture.access().action(WindowAction::RemoveList)->isEnabled());
    QVERIFY(!fixture.access().action(WindowAction::Edit)->isEnabled());
    QVERIFY(!fixture.button(QStringLiteral("btnMP4"))->isEnabled());
    QVERIFY(fixture.waitForEnd());
    QCOMPARE(fixture.profileCell(1), QStringLiteral("Successes"));
    QCOMPARE(fixture.tools.outputs(), QStringList({fixture.outputName("a.mp4"), fixture.outputName("b.mp4")}));
}

void TestRun::closingDuringRunEndsIt()
{
    RunFixture fixture(QStringLiteral("echo $$ > \"$out.pid\"\nexec sleep 30"));
    fixture.addVideos({QStringLiteral("a.avi")});
    fixture.access().shutDownBox()->setChecked(true);
    fixture.convert();
    QVERIFY(fixture.waitForText(0, QStringLiteral("Converting")));
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
    fixture.addVideos({QStringLiteral("a.avi")});
    CQuillmoraTestAccess access = fixture.access();
    access.invoke("insertProgressBar", 0);
    auto *bar = qobject_cast<QProgressBar *>(access.table()->cellWidget(0, 2));
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
        RunFixture fixture;
        ownName = fixture.access().progressBlockName();
        QVERIFY(ownName.endsWith(QLatin1Char('.') + QString::number(getpid())));
        QVERIFY(QFileInfo::exists(QStringLiteral("/dev/shm") + ownName));
        QVERIFY(fixture.access().convertBlockName().endsWith(QLatin1Char('.') + QString::number(getpid())));
        QCOMPARE(other.percent(), 57);
    }
    QVERIFY2(!QFileInfo::exists(QStringLiteral("/dev/shm") + ownName), "released with the window");
    QCOMPARE(other.percent(), 57);
    other.release();
    QFile::remove(QStringLiteral("/dev/shm") + otherName);
}

void TestRun::toolsWriteTheWindowsBlock()
{
    // 57 at offset 0, little-endian, into the block the tool was told of.
    RunFixture fixture(QStringLiteral(
        "printf '\\071\\000\\000\\000' | dd of=\"/dev/shm$QUILLMORA_PROGRESS_BLOCK\" bs=4 count=1 conv=notrunc 2>/dev/null\n"
        "echo \"$QUILLMORA_PROGRESS_BLOCK\" > \"$out\"\nsleep 0.5"));
    fixture.addVideos({QStringLiteral("a.avi")});
    fixture.convert();
    QVERIFY(fixture.waitForEnd());
    QCOMPARE(testsupport::readFile(fixture.outputName("a.mp4")).trimmed(),
             fixture.access().progressBlockName().toUtf8());
    QVERIFY2(fixture.events.contains(QStringLiteral("value 0 57")), qPrintable(fixture.events.join(", ")));
}

QTEST_MAIN(TestRun)
#include "tst_run.moc"
