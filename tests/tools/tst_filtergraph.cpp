// The filtergraph reader and writer against FFmpeg's two escaping levels.

#include "tools/transcoder/plan/filtergraph.h"

#include <QtTest>

class TestFilterGraph : public QObject
{
    Q_OBJECT

private slots:
    void readsValuesAsFfmpegDoes_data();
    void readsValuesAsFfmpegDoes();
    void readsChainsAndLabels();
    void refusesBrokenGraphs_data();
    void refusesBrokenGraphs();
    void writesWhatItReadsBack_data();
    void writesWhatItReadsBack();
};

// description -> the value of drawtext's text option after both levels
void TestFilterGraph::readsValuesAsFfmpegDoes_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << "drawtext=text=Hello:x=1" << "Hello";
    QTest::newRow("quoted at the graph level") << "drawtext=text='a,b;c[d]':x=1" << "a,b;c[d]";
    QTest::newRow("quoted at the option level") << R"(drawtext=text=\'a:b\':x=1)" << "a:b";
    QTest::newRow("escaped colon") << R"(drawtext=text=a\\:b:x=1)" << "a:b";
    QTest::newRow("escaped comma") << R"(drawtext=text=a\,b)" << "a,b";
    QTest::newRow("backslash through both") << R"(drawtext=text=a\\\\b)" << R"(a\b)";
    QTest::newRow("quote inside quotes") << R"(drawtext=text='It\'\''s')" << "It's";
    QTest::newRow("outer blanks trimmed") << "drawtext=text=  a b  :x=1" << "a b";
    QTest::newRow("escaped blanks kept") << R"(drawtext=text=\\ a\\ :x=1)" << " a ";
    QTest::newRow("graph-level quotes do not keep blanks") << "drawtext=text=' a ':x=1" << "a";
    QTest::newRow("non-Latin") << "drawtext=text=中文字幕" << "中文字幕";
}

void TestFilterGraph::readsValuesAsFfmpegDoes()
{
    QFETCH(QString, description);
    QFETCH(QString, text);
    const std::optional<FilterGraph> graph = parseFilterGraph(description);
    QVERIFY(graph);
    QCOMPARE(graph->filters.size(), 1);
    QVERIFY(graph->filters[0].option(QStringLiteral("text")));
    QCOMPARE(*graph->filters[0].option(QStringLiteral("text")), text);
}

void TestFilterGraph::readsChainsAndLabels()
{
    const std::optional<FilterGraph> graph =
        parseFilterGraph(QStringLiteral("movie=logo.png[watermark];[in][watermark]overlay=10:10, hflip"));
    QVERIFY(graph);
    QCOMPARE(graph->filters.size(), 3);
    QCOMPARE(graph->startsChain, (QList<bool>{true, true, false}));
    QCOMPARE(graph->filters[0].name, QStringLiteral("movie"));
    QCOMPARE(*graph->filters[0].positional(0), QStringLiteral("logo.png"));
    QCOMPARE(graph->filters[0].outputLabels, QStringList{"watermark"});
    QCOMPARE(graph->filters[1].inputLabels, (QStringList{"in", "watermark"}));
    QCOMPARE(*graph->filters[1].positional(1), QStringLiteral("10"));
    QVERIFY(!graph->filters[2].hasArguments);
}

void TestFilterGraph::refusesBrokenGraphs_data()
{
    QTest::addColumn<QString>("description");
    QTest::newRow("empty") << "";
    QTest::newRow("unclosed label") << "[in overlay";
    QTest::newRow("empty label") << "[]hflip";
    QTest::newRow("unclosed output label") << "hflip[out";
    QTest::newRow("no filter after comma") << "hflip,";
}

void TestFilterGraph::refusesBrokenGraphs()
{
    QFETCH(QString, description);
    QString error;
    QVERIFY(!parseFilterGraph(description, &error));
    QVERIFY(!error.isEmpty());
}

// description -> what the writer makes of it; reading that gives the same graph
void TestFilterGraph::writesWhatItReadsBack_data()
{
    QTest::addColumn<QString>("description");
    QTest::addColumn<QString>("written");
    QTest::newRow("plain stays plain") << "movie=logo.png[watermark];[in][watermark]overlay=10:10,drawtext=fontfile=/f/a b.ttf:text=Hello:x=10"
                                       << "movie=logo.png[watermark];[in][watermark]overlay=10:10,drawtext=fontfile=/f/a b.ttf:text=Hello:x=10";
    QTest::newRow("quotes become backslashes") << "drawtext=text='a,b'" << R"(drawtext=text=a\,b)";
    QTest::newRow("colon escaped at both levels") << R"(drawtext=text='a\:b')" << R"(drawtext=text=a\\:b)";
    QTest::newRow("positional value with =") << R"(movie='a\=b.png')" << R"(movie=a\\=b.png)";
    QTest::newRow("edge blanks") << R"(drawtext=text=\\ a\\\ )" << R"(drawtext=text=\\ a\\\ )";
    QTest::newRow("label with blank") << "[a b]hflip" << "[a b]hflip";
    QTest::newRow("bare filter and empty arguments") << "hflip,scale=" << "hflip,scale=";
}

void TestFilterGraph::writesWhatItReadsBack()
{
    QFETCH(QString, description);
    QFETCH(QString, written);
    const std::optional<FilterGraph> graph = parseFilterGraph(description);
    QVERIFY(graph);
    QCOMPARE(formatFilterGraph(*graph), written);
    const std::optional<FilterGraph> again = parseFilterGraph(written);
    QVERIFY(again);
    QCOMPARE(*again, *graph);
}

QTEST_GUILESS_MAIN(TestFilterGraph)
#include "tst_filtergraph.moc"
