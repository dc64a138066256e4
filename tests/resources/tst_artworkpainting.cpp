// The pieces behind the artwork: reading icons.table, and the text of the
// labels, whose size and place must not depend on the letters.
#include "resources/artwork/drawing.h"
#include "resources/artwork/iconspec.h"

#include <QtTest>

class TestArtworkPainting : public QObject
{
    Q_OBJECT

private slots:
    void readsWellFormedRows();
    void rejectsMalformedRows_data();
    void rejectsMalformedRows();
    void latinLabelsShareCapHeightAndPlace();
    void longLabelsShrinkToFit();
    void ideographsFillTheirHeight();
};

void TestArtworkPainting::readsWellFormedRows()
{
    const QString table = QStringLiteral(
        "# a comment | with | bars | #000000 | 1\n"
        "\n"
        "res/mp4.png | video | MP4 | #1f6fd6 | 80\n"
        "  res/VideoPlayer/video_icon.png|clapper|-|#3f5873|16 32  \n"
        "res/chinalang.png | badge | 中 | red | 20\n");
    QString error;
    const QList<IconSpec> specs = parseIconTable(table, &error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(specs.size(), 3);
    QCOMPARE(specs[0].path, QStringLiteral("res/mp4.png"));
    QCOMPARE(specs[0].painter, QStringLiteral("video"));
    QCOMPARE(specs[0].text, QStringLiteral("MP4"));
    QCOMPARE(specs[0].colour, QColor(0x1f, 0x6f, 0xd6));
    QCOMPARE(specs[0].displaySizes, QList<int>({80}));
    QCOMPARE(specs[1].path, QStringLiteral("res/VideoPlayer/video_icon.png"));
    QVERIFY2(specs[1].text.isEmpty(), "\"-\" stands for no text");
    QCOMPARE(specs[1].displaySizes, QList<int>({16, 32}));
    QCOMPARE(specs[2].text, QStringLiteral("中"));
    QCOMPARE(specs[2].colour, QColor(Qt::red));
}

void TestArtworkPainting::rejectsMalformedRows_data()
{
    QTest::addColumn<QString>("row");
    QTest::addColumn<QString>("reason");
    QTest::newRow("four fields") << "res/a.png | video | A | #000000" << "5 fields";
    QTest::newRow("six fields") << "res/a.png | video | A | #000000 | 80 | x" << "5 fields";
    QTest::newRow("not a png") << "res/a.jpg | video | A | #000000 | 80" << ".png";
    QTest::newRow("no path") << " | video | A | #000000 | 80" << ".png";
    QTest::newRow("bad colour") << "res/a.png | video | A | #zz0000 | 80" << "colour";
    QTest::newRow("no size") << "res/a.png | video | A | #000000 | " << "sizes";
    QTest::newRow("zero size") << "res/a.png | video | A | #000000 | 0" << "sizes";
    QTest::newRow("word as size") << "res/a.png | video | A | #000000 | 80 big" << "sizes";
}

void TestArtworkPainting::rejectsMalformedRows()
{
    QFETCH(QString, row);
    QFETCH(QString, reason);
    // A good row first, so the message must name the bad row's line.
    const QString table = QStringLiteral("res/ok.png | video | OK | #000000 | 80\n") + row;
    QString error;
    QVERIFY(parseIconTable(table, &error).isEmpty());
    QVERIFY2(error.startsWith(QStringLiteral("line 2:")), qPrintable(error));
    QVERIFY2(error.contains(reason), qPrintable(error));
}

void TestArtworkPainting::latinLabelsShareCapHeightAndPlace()
{
    // "J" descends and "O" overshoots: neither may change a label's size or
    // move it off the line the other labels stand on.
    const QRectF box(0, 0, 200, 40);
    const qreal capHeight = 20;
    const QRectF flat = textPath(QStringLiteral("MP4"), box, capHeight).boundingRect();
    QCOMPARE(qRound(flat.top()), 10);
    QCOMPARE(qRound(flat.bottom()), 30);
    for (const char *label : {"JPEG", "OGG", "ICON", "M4A"}) {
        const QRectF ink = textPath(QString::fromLatin1(label), box, capHeight).boundingRect();
        QVERIFY2(qAbs(ink.top() - flat.top()) < 0.5, label);
        QVERIFY2(qAbs(ink.center().x() - box.center().x()) < 0.5, label);
    }
    const QRectF jpeg = textPath(QStringLiteral("JPEG"), box, capHeight).boundingRect();
    QVERIFY2(jpeg.bottom() > flat.bottom() + 1, "the J keeps its descender below the line");
}

void TestArtworkPainting::longLabelsShrinkToFit()
{
    const QRectF box(10, 10, 60, 30);
    const QRectF ink = textPath(QStringLiteral("WWWWWWWW"), box, 20).boundingRect();
    QVERIFY(ink.width() <= box.width() + 0.01);
    QVERIFY(ink.height() < 20);
    QVERIFY(qAbs(ink.center().x() - box.center().x()) < 0.5);
    QVERIFY(qAbs(ink.center().y() - box.center().y()) < 0.5);
}

void TestArtworkPainting::ideographsFillTheirHeight()
{
    const QRectF box(0, 0, 100, 100);
    for (const QString &text : {QStringLiteral("中"), QStringLiteral("日")}) {
        const QRectF ink = textPath(text, box, 50).boundingRect();
        QVERIFY2(!ink.isEmpty(), "the CJK font draws the character");
        QVERIFY(qAbs(ink.height() - 50) < 0.5);
        QVERIFY(qAbs(ink.center().y() - 50) < 0.5);
        QVERIFY(qAbs(ink.center().x() - 50) < 0.5);
    }
}

QTEST_MAIN(TestArtworkPainting)
#include "tst_artworkpainting.moc"
