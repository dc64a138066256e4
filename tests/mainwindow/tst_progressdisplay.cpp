#include "tests/mainwindow/windowfixture.h"

#include <QPaintEvent>
#include <QPointer>
#include <QProgressBar>
#include <QtTest>

#include <thread>

class TestProgressDisplay : public QObject
{
    Q_OBJECT

private slots:
    void stateTexts_data();
    void stateTexts();
    void rowsOutOfRangeChangeNothing();
    void barLifecycle();
    void secondBarReplacesFirst();
    void signalsFromAnotherThread();
    void barPaintsItsCellAlone();
};

namespace {

// A window with two MP4 jobs.
void addTwoJobs(WindowFixture &fixture)
{
    fixture.drop({fixture.makeFile("a.avi"), fixture.makeFile("b.avi")});
    QCOMPARE(fixture.access().jobs().size(), 2);
}

// The area, in pixels, of what a widget was asked to paint.
class PaintedArea : public QObject
{
public:
    qint64 pixels = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            for (const QRect &rect : static_cast<QPaintEvent *>(event)->region())
                pixels += qint64(rect.width()) * rect.height();
        }
        return false;
    }
};

QString profileCell(WindowFixture &fixture, int row)
{
    return fixture.access().cell(row, 2);
}

} // namespace

void TestProgressDisplay::stateTexts_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("running");
    QTest::addColumn<QString>("text");
    QTest::newRow("converting") << 1 << true << "Converting";
    QTest::newRow("failed") << 2 << true << "Failed";
    QTest::newRow("succeeded") << 4 << true << "Successes";
    QTest::newRow("converting after Stop") << 1 << false << "Stopped";
    QTest::newRow("failed after Stop") << 2 << false << "Stopped";
    QTest::newRow("stopped") << 3 << false << "Stopped";
    QTest::newRow("back to ready") << 0 << false << "All media files -> MP4";
    QTest::newRow("unknown state") << 9 << true << "";
}

void TestProgressDisplay::stateTexts()
{
    QFETCH(int, state);
    QFETCH(bool, running);
    QFETCH(QString, text);
    WindowFixture fixture;
    addTwoJobs(fixture);
    fixture.access().startRun();
    fixture.access().invoke("updateJobState", 1, 2); // something other than Ready first
    if (!running)
        fixture.access().stopRun();
    fixture.access().invoke("updateJobState", 1, state);
    QCOMPARE(fixture.access().jobs()[1].state, state);
    QCOMPARE(profileCell(fixture, 1), text);
    QCOMPARE(profileCell(fixture, 0), QStringLiteral("All media files -> MP4"));
}

void TestProgressDisplay::rowsOutOfRangeChangeNothing()
{
    WindowFixture fixture;
    addTwoJobs(fixture);
    CQuillmoraTestAccess access = fixture.access();
    for (int row : {2, -1, 1000}) {
        access.invoke("updateJobState", row, 4);
        access.invoke("insertProgressBar", row);
        access.invoke("setProcValue", row, 50);
        access.invoke("removeProgressBar", row);
    }
    QCOMPARE(access.rowCount(), 2);
    for (int row = 0; row < 2; ++row) {
        QCOMPARE(access.jobs()[row].state, int(Ready));
        QVERIFY(!access.table()->progressBar(row));
        QVERIFY(!access.jobs()[row].progressBar);
    }
}

void TestProgressDisplay::barLifecycle()
{
    WindowFixture fixture;
    addTwoJobs(fixture);
    CQuillmoraTestAccess access = fixture.access();
    access.invoke("insertProgressBar", 1);
    auto *bar = access.table()->progressBar(1);
    QVERIFY(bar);
    QCOMPARE(access.jobs()[1].progressBar, bar);
    QCOMPARE(bar->value(), 0);
    QCOMPARE(bar->maximum(), 100);
    QVERIFY(bar->isTextVisible());

    access.invoke("setProcValue", 1, 42);
    QCOMPARE(bar->value(), 42);
    access.invoke("setProcValue", 1, 150); // outside the range: the bar keeps its value
    QCOMPARE(bar->value(), 42);
    access.invoke("setProcValue", 0, 70); // a row without a bar
    QVERIFY(!access.table()->progressBar(0));

    QPointer<QProgressBar> watched = bar;
    access.invoke("removeProgressBar", 1);
    QVERIFY(!access.table()->progressBar(1));
    QVERIFY(!access.jobs()[1].progressBar);
    access.invoke("setProcValue", 1, 80); // after removal: nothing to move
    QTRY_VERIFY(!watched);
    QCOMPARE(profileCell(fixture, 1), QStringLiteral("All media files -> MP4"));

    // A bar the table dropped by itself (as a row refresh does) is never touched again.
    access.invoke("insertProgressBar", 0);
    watched = access.jobs()[0].progressBar;
    access.table()->setIndexWidget(access.table()->model()->index(0, 2), nullptr);
    QTRY_VERIFY(!watched);
    access.invoke("setProcValue", 0, 10); // a use after free under AddressSanitizer otherwise
}

void TestProgressDisplay::secondBarReplacesFirst()
{
    WindowFixture fixture;
    addTwoJobs(fixture);
    CQuillmoraTestAccess access = fixture.access();
    access.invoke("insertProgressBar", 0);
    QPointer<QProgressBar> first = access.jobs()[0].progressBar;
    access.invoke("insertProgressBar", 0);
    QProgressBar *second = access.jobs()[0].progressBar;
    QVERIFY(second && second != first);
    access.invoke("setProcValue", 0, 30);
    QCOMPARE(second->value(), 30);
    QTRY_VERIFY(!first);
}

void TestProgressDisplay::signalsFromAnotherThread()
{
    WindowFixture fixture;
    addTwoJobs(fixture);
    fixture.access().startRun();
    CQuillmora *window = fixture.window.get();
    ConvertJob seenByWorker;
    std::thread worker([window, &seenByWorker] {
        seenByWorker = window->jobQueue().at(window->jobQueue().count() - 1);
        emit window->sigInsertProgressBar(1);
        emit window->sigUpdateState(1, Converting);
        emit window->sigSetProcValue(1, 64);
    });
    worker.join();
    QCOMPARE(seenByWorker.inputPath, fixture.access().jobs()[1].inputPath);
    // Nothing may happen on the worker's thread; the window handles all in order.
    QVERIFY(!fixture.access().table()->progressBar(1));
    QTRY_VERIFY(fixture.access().jobs()[1].progressBar);
    QTRY_COMPARE(fixture.access().jobs()[1].progressBar->value(), 64);
    QCOMPARE(fixture.access().jobs()[1].state, int(Converting));
    QCOMPARE(profileCell(fixture, 1), QStringLiteral("Converting"));

    std::thread finisher([window] { emit window->sigFinished(); });
    finisher.join();
    QTRY_VERIFY(fixture.access().action(WindowAction::Convert)->isEnabled());
}

void TestProgressDisplay::barPaintsItsCellAlone()
{
    // A long list shown: each job's bar and its figures repaint its own cell,
    // never the whole table (which, row after row, cost the window more than the job).
    WindowFixture fixture;
    QStringList files;
    for (int i = 0; i < 30; ++i)
        files << fixture.makeFile(QStringLiteral("song %1.flac").arg(i));
    fixture.drop(files);
    fixture.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(fixture.window.get()));
    CQuillmoraTestAccess access = fixture.access();
    JobTable *table = access.table();
    QTest::qWait(50); // the first paint of the rows is over
    PaintedArea painted;
    table->viewport()->installEventFilter(&painted);

    const QRect cell = table->visualRect(table->model()->index(3, JobTable::ProfileColumn));
    for (int pass = 0; pass < 3; ++pass) {
        access.invoke("insertProgressBar", 3);
        QProgressBar *bar = table->progressBar(3);
        QVERIFY(bar);
        QCOMPARE(access.jobs()[3].progressBar, bar);
        QCOMPARE(bar->geometry(), cell);
        for (int percent : {0, 40, 100})
            access.invoke("setProcValue", 3, percent);
        QCOMPARE(bar->value(), 100);
        QTest::qWait(20);
        access.invoke("removeProgressBar", 3);
        QTest::qWait(20);
    }
    const qint64 cellPixels = qint64(cell.width()) * cell.height();
    QVERIFY2(painted.pixels > 0, "nothing was painted again");
    // Each pass repaints the cell a few times (under the bar, and once it has gone).
    QVERIFY2(painted.pixels <= 3 * 6 * cellPixels,
             qPrintable(QStringLiteral("%1 pixels painted, %2 a cell").arg(painted.pixels).arg(cellPixels)));
}

QTEST_MAIN(TestProgressDisplay)
#include "tst_progressdisplay.moc"
