// "Fit in" as the application writes and reads it: the sizes a user types
// or passes to --size, the figures the window shows, the refusal's words,
// and which jobs may be fitted.
#include "app/fitsize.h"
#include "engine/fitrefusal.h"

#include <QTest>

class TestFitSize : public QObject
{
    Q_OBJECT

private slots:
    void parsesSizes_data();
    void parsesSizes();
    void writesSizes_data();
    void writesSizes();
    void refusalReadsAsTheFigures();
    void offeredForTwoPassVideoOnly();
};

void TestFitSize::parsesSizes_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<qint64>("bytes"); // -1: refused
    QTest::newRow("MB") << "25MB" << qint64(25'000'000);
    QTest::newRow("spaced, lower case") << " 25 mb " << qint64(25'000'000);
    QTest::newRow("bare number is MB") << "8" << qint64(8'000'000);
    QTest::newRow("kB") << "640kB" << qint64(640'000);
    QTest::newRow("GB with a fraction") << "1.5GB" << qint64(1'500'000'000);
    QTest::newRow("KiB") << "100KiB" << qint64(102'400);
    QTest::newRow("MiB") << "25MiB" << qint64(26'214'400);
    QTest::newRow("GiB") << "1GiB" << qint64(1'073'741'824);
    QTest::newRow("fraction without a whole part") << ".5GB" << qint64(500'000'000);
    QTest::newRow("empty") << "" << qint64(-1);
    QTest::newRow("a word") << "big" << qint64(-1);
    QTest::newRow("unknown unit") << "25XB" << qint64(-1);
    QTest::newRow("megabit is no unit of size") << "25Mbit" << qint64(-1);
    QTest::newRow("negative") << "-5MB" << qint64(-1);
    QTest::newRow("zero") << "0" << qint64(-1);
    QTest::newRow("a tenth of a kB") << "0.1kB" << qint64(100);
    QTest::newRow("less than a byte") << "0.0005kB" << qint64(-1);
    QTest::newRow("comma decimal") << "1,5GB" << qint64(-1);
    QTest::newRow("two numbers") << "25 25MB" << qint64(-1);
    QTest::newRow("beyond any disk") << "99999999GB" << qint64(-1);
}

void TestFitSize::parsesSizes()
{
    QFETCH(QString, text);
    QFETCH(qint64, bytes);
    qint64 read = -1;
    const bool parsed = FitSize::parse(text, &read);
    QCOMPARE(parsed, bytes >= 0);
    if (parsed)
        QCOMPARE(read, bytes);
}

void TestFitSize::writesSizes_data()
{
    QTest::addColumn<qint64>("bytes");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("roundedUp"); // text(roundedUp(bytes))
    QTest::newRow("whole MB") << qint64(25'000'000) << "25 MB"
                              << "25 MB";
    QTest::newRow("GB") << qint64(1'000'000'000) << "1 GB"
                        << "1 GB";
    QTest::newRow("MiB in tenths") << qint64(26'214'400) << "26.2 MB"
                                   << "27 MB";
    QTest::newRow("just over a whole MB") << qint64(61'000'001) << "61 MB"
                                          << "62 MB";
    QTest::newRow("tenths below ten") << qint64(8'430'000) << "8.4 MB"
                                      << "8.5 MB";
    QTest::newRow("up into the next unit's step") << qint64(9'960'000) << "10 MB"
                                                  << "10 MB";
    QTest::newRow("kB") << qint64(31'700) << "31.7 kB"
                        << "32 kB";
}

void TestFitSize::writesSizes()
{
    QFETCH(qint64, bytes);
    QFETCH(QString, text);
    QFETCH(QString, roundedUp);
    QCOMPARE(FitSize::text(bytes), text);
    const qint64 up = FitSize::roundedUp(bytes);
    QVERIFY(up >= bytes);
    QCOMPARE(FitSize::text(up), roundedUp);
    // The figure shown for the rounded size is the size itself: it works when typed in.
    qint64 typed = 0;
    QVERIFY(FitSize::parse(roundedUp.remove(u' '), &typed));
    QCOMPARE(typed, up);
}

void TestFitSize::refusalReadsAsTheFigures()
{
    QCOMPARE(fitrefusal::text(25'000'000, 2400, 60'300'000),
             QStringLiteral("25 MB is too small for 40:00 of video; 61 MB is the least that works"));
    const QHash<QString, QString> told{{"fit-size", "8000000"}, {"fit-seconds", "3725.4"}, {"fit-least", "9000000"}};
    QCOMPARE(fitrefusal::reason(told),
             QStringLiteral("8 MB is too small for 1:02:05 of video; 9 MB is the least that works"));
    QHash<QString, QString> partial = told;
    partial.remove("fit-least");
    QVERIFY(fitrefusal::reason(partial).isEmpty());
    QVERIFY(fitrefusal::reason({{"output", "/x.mp4"}}).isEmpty());
}

void TestFitSize::offeredForTwoPassVideoOnly()
{
    for (int format : {int(FormatMP4), int(FormatWebM), int(FormatHEVC), int(FormatAV1), int(FormatVideoJoiner)})
        QVERIFY2(FitSize::offered(defaultProfile(format)), qPrintable(QString::number(format)));
    QVERIFY(FitSize::offered(devicePresetProfile(DevicePreset::Apple)));
    OutputProfile mpeg4 = defaultProfile(FormatMP4);
    mpeg4.vCodec = 2;
    QVERIFY(!FitSize::offered(mpeg4));
    for (int format : {int(FormatDV), int(FormatMP3), int(FormatPNG), int(FormatGifMaker), int(FormatAudioJoiner)})
        QVERIFY2(!FitSize::offered(defaultProfile(format)), qPrintable(QString::number(format)));
}

QTEST_GUILESS_MAIN(TestFitSize)
#include "tst_fitsize.moc"
