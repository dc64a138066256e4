// What the built tools do with a file that is already under the output's
// name: replace it only when told to ("-y"), else write the next free "_N"
// name and say so on stdout.
#include "tests/support/files.h"
#include "tests/support/media.h"
#include "tests/support/programrun.h"
#include "tests/tools/toolrun.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace toolrun;
using testsupport::readFile;
using testsupport::writeFile;

class TestToolsOutputName : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase() { removePrivateProgressBlock(); }
    void existingOutputIsReplacedOnlyWhenTold_data();
    void existingOutputIsReplacedOnlyWhenTold();

private:
    QTemporaryDir folder;
};

void TestToolsOutputName::initTestCase()
{
    testmedia::ClipSpec song;
    song.width = 0;
    QVERIFY(testmedia::makeClip(folder.filePath("song.wav"), song));
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc=size=64x48", "-frames:v", "1", folder.filePath("picture.png")}));
}

void TestToolsOutputName::existingOutputIsReplacedOnlyWhenTold_data()
{
    QTest::addColumn<bool>("picture");
    QTest::addColumn<bool>("replace");
    QTest::addColumn<QStringList>("taken"); // already in the output folder
    QTest::addColumn<QString>("written");   // where the conversion must land
    QTest::newRow("transcoder, free name") << false << false << QStringList() << "out.mp3";
    QTest::newRow("transcoder, taken") << false << false << QStringList{"out.mp3"} << "out_1.mp3";
    QTest::newRow("transcoder, _1 taken too") << false << false << QStringList{"out.mp3", "out_1.mp3"} << "out_2.mp3";
    QTest::newRow("transcoder -y") << false << true << QStringList{"out.mp3"} << "out.mp3";
    QTest::newRow("convert, taken") << true << false << QStringList{"out.jpg"} << "out_1.jpg";
    QTest::newRow("convert -y") << true << true << QStringList{"out.jpg"} << "out.jpg";
}

void TestToolsOutputName::existingOutputIsReplacedOnlyWhenTold()
{
    QFETCH(bool, picture);
    QFETCH(bool, replace);
    QFETCH(QStringList, taken);
    QFETCH(QString, written);
    QTemporaryDir out;
    for (const QString &name : taken)
        QVERIFY(writeFile(out.filePath(name), "the user's " + name.toUtf8()));

    const QString output = out.filePath(picture ? "out.jpg" : "out.mp3");
    QStringList arguments;
    if (replace)
        arguments << "-y";
    if (picture)
        arguments << folder.filePath("picture.png") << output;
    else
        arguments << "-i" << folder.filePath("song.wav") << "-acodec" << "libmp3lame" << output;
    const testsupport::Finished finished =
        testsupport::runProgram(picture ? imageConverter() : transcoder(), arguments, QString(), privateEnvironment());
    QVERIFY2(finished.exitCode == 0, qPrintable(finished.errors));

    const QString writtenPath = out.filePath(written);
    QVERIFY(testmedia::probe(writtenPath).ok);
    for (const QString &name : taken) {
        if (name != written)
            QCOMPARE(readFile(out.filePath(name)), "the user's " + name.toUtf8());
    }
    const QByteArray told = writtenPath == output ? QByteArray() : "quillmora:output=" + writtenPath.toUtf8() + '\n';
    QCOMPARE(finished.output, told);
    QCOMPARE(testsupport::entriesOf(out.path()).size(), int(taken.size() + !taken.contains(written)));
}

QTEST_GUILESS_MAIN(TestToolsOutputName)
#include "tst_toolsoutputname.moc"
