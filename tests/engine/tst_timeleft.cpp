#include "engine/timeleft.h"

#include <QtTest>

class TestTimeLeft : public QObject
{
    Q_OBJECT

private slots:
    void estimate_data();
    void estimate();
    void clock_data();
    void clock();
    void clockFollowsAPass();
    void listCountsRunningJobsInPart();
};

void TestTimeLeft::estimate_data()
{
    QTest::addColumn<qint64>("firstMs");
    QTest::addColumn<int>("firstPercent");
    QTest::addColumn<qint64>("latestMs");
    QTest::addColumn<int>("latestPercent");
    QTest::addColumn<int>("seconds");
    QTest::newRow("pace from the first reading on") << qint64(1000) << 50 << qint64(3000) << 60 << 8;
    QTest::newRow("rounded to the nearest second") << qint64(0) << 1 << qint64(3000) << 4 << 96;
    QTest::newRow("almost done") << qint64(0) << 1 << qint64(9900) << 99 << 0;
    QTest::newRow("watched too briefly") << qint64(0) << 10 << qint64(1999) << 40 << -1;
    QTest::newRow("no progress yet") << qint64(0) << 10 << qint64(5000) << 10 << -1;
    QTest::newRow("went back") << qint64(0) << 40 << qint64(5000) << 30 << -1;
    QTest::newRow("finished") << qint64(0) << 10 << qint64(5000) << 100 << -1;
}

void TestTimeLeft::estimate()
{
    QFETCH(qint64, firstMs);
    QFETCH(int, firstPercent);
    QFETCH(qint64, latestMs);
    QFETCH(int, latestPercent);
    QFETCH(int, seconds);
    QCOMPARE(estimateSecondsLeft({firstMs, firstPercent}, {latestMs, latestPercent}), seconds);
}

void TestTimeLeft::clock_data()
{
    QTest::addColumn<int>("seconds");
    QTest::addColumn<QString>("text");
    QTest::newRow("seconds") << 12 << "0:12";
    QTest::newRow("minutes") << 725 << "12:05";
    QTest::newRow("hours") << 3723 << "1:02:03";
}

void TestTimeLeft::clock()
{
    QFETCH(int, seconds);
    QFETCH(QString, text);
    QCOMPARE(clockText(seconds), text);
}

void TestTimeLeft::clockFollowsAPass()
{
    TimeLeftClock clock;
    clock.restart();
    QCOMPARE(clock.secondsLeft(0), -1); // the tool is still starting
    QTest::qWait(300);
    QCOMPARE(clock.secondsLeft(20), -1); // the pace starts here
    QTest::qWait(int(TimeLeftSettleMs));
    const int left = clock.secondsLeft(40);
    // 20 points in two seconds or a little more (a busy machine): 60 more take six or more.
    QVERIFY2(left >= 6 && left <= 15, qPrintable(QString::number(left)));

    clock.restart(); // the next pass starts afresh
    QCOMPARE(clock.secondsLeft(50), -1);
}

void TestTimeLeft::listCountsRunningJobsInPart()
{
    ListTimeLeft list;
    list.start(3);
    list.progress(0, 50);
    QCOMPARE(list.secondsLeft(), -1); // too early for a pace
    QTest::qWait(int(TimeLeftSettleMs) + 100);
    list.finished(0);
    list.progress(0, 100); // the finished pass's own 100 comes after its state
    list.progress(1, 60);
    list.progress(2, 40);
    // Two of three jobs done in two seconds or a little more: one more takes one or more.
    const int left = list.secondsLeft();
    QVERIFY2(left >= 1 && left <= 3, qPrintable(QString::number(left)));
    list.jobAdded(); // and a dropped file makes it two
    QVERIFY2(list.secondsLeft() >= 2 * left - 1, qPrintable(QString::number(list.secondsLeft())));
    list.finished(1);
    list.finished(2);
    list.finished(3);
    QCOMPARE(list.secondsLeft(), -1); // nothing left
}

QTEST_GUILESS_MAIN(TestTimeLeft)
#include "tst_timeleft.moc"
