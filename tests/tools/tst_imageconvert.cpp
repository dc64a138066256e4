// build/imageconvert/convert on pictures made by ImageMagick: the eight
// formats, layered and animated inputs, icons, failures and SIGTERM.
#include "tests/support/files.h"
#include "tests/support/programrun.h"
#include "tests/tools/toolrun.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace toolrun;
using testsupport::Finished;
using testsupport::readFile;
using testsupport::runProgram;
using testsupport::writeFile;

class TestImageConvert : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void everyFormatFromPng_data();
    void everyFormatFromPng();
    void firstLayerOfPsd();
    void largePhotoFitsIntoIcon();
    void animatedGifGivesOneStill();
    void failureKeepsTheEarlierFile_data();
    void failureKeepsTheEarlierFile();
    void emptyResultIsFailure();
    void sigtermStopsImageMagick();

private:
    QString path(const QString &name) const { return folder.filePath(name); }
    QString writeFakeImageMagick(const QString &name, const QByteArray &body);

    QTemporaryDir folder;
    const QByteArray earlier = "an earlier output the user keeps";
};

namespace {

// ImageMagick by its full path: a "convert" on PATH may be something else.
QString magick(const QString &program, const QStringList &arguments)
{
    return QString::fromLocal8Bit(runProgram("/usr/bin/" + program + "-im6.q16", arguments).output).trimmed();
}

QString describe(const QString &file)
{
    return magick("identify", {"-format", "%m %w %h|", file});
}

} // namespace

void TestImageConvert::initTestCase()
{
    QVERIFY(folder.isValid());
    // Left half red, right half transparent.
    magick("convert", {"-size", "64x48", "xc:none", "-fill", "red", "-draw", "rectangle 0,0 31,47", path("half.png")});
    magick("convert", {"-size", "1000x700", "gradient:navy-orange", path("photo.jpg")});
    magick("convert", {"-size", "80x60", "xc:green", path("layer2.png")});
    magick("convert", {path("half.png"), path("layer2.png"), path("layers.psd")});
    magick("convert", {"-delay", "10", "-size", "40x30", "xc:red", "xc:green", "xc:blue", path("anim.gif")});
    for (const char *name : {"half.png", "photo.jpg", "layers.psd", "anim.gif"})
        QVERIFY2(QFileInfo::exists(path(name)), name);
}

void TestImageConvert::everyFormatFromPng_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("onWhite"); // no transparency in the format

    QTest::newRow("JPEG") << "jpg" << "JPEG" << true;
    QTest::newRow("PNG") << "png" << "PNG" << false;
    QTest::newRow("BMP") << "bmp" << "BMP" << true;
    QTest::newRow("GIF") << "gif" << "GIF" << false;
    QTest::newRow("PCX") << "pcx" << "PCX" << true;
    QTest::newRow("TGA") << "tga" << "TGA" << false;
    QTest::newRow("ICO") << "ico" << "ICO" << false;
    QTest::newRow("TIFF") << "tif" << "TIFF" << false;
}

void TestImageConvert::everyFormatFromPng()
{
    QFETCH(QString, suffix);
    QFETCH(QString, format);
    QFETCH(bool, onWhite);
    const QString output = path("converted." + suffix);
    writeFile(output, earlier); // the user said Yes to overwriting

    const Finished outcome = runProgram(imageConverter(), {path("half.png"), output});
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    QCOMPARE(describe(output), format + " 64 48|");
    const QString rightHalf = magick("convert", {output, "-crop", "32x48+32+0", "-alpha", "off", "-format", "%[fx:mean]", "info:"});
    if (onWhite)
        QCOMPARE(rightHalf.toDouble(), 1.0);
    else
        QVERIFY(magick("identify", {"-format", "%A", output}) != "False");
    QVERIFY(temporaryFilesIn(folder.path()).isEmpty());
}

void TestImageConvert::firstLayerOfPsd()
{
    const QString output = path("fromPsd.png");
    const Finished outcome = runProgram(imageConverter(), {path("layers.psd") + "[0]", output});
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    QCOMPARE(describe(output), QString("PNG 64 48|"));
}

void TestImageConvert::largePhotoFitsIntoIcon()
{
    const QString output = path("photo.ico");
    const Finished outcome = runProgram(imageConverter(), {path("photo.jpg"), output});
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    QCOMPARE(describe(output), QString("ICO 256 179|"));
}

void TestImageConvert::animatedGifGivesOneStill()
{
    QCOMPARE(runProgram(imageConverter(), {path("anim.gif"), path("still.png")}).exitCode, 0);
    QCOMPARE(describe(path("still.png")), QString("PNG 40 30|"));
    QVERIFY(QDir(folder.path()).entryList({"still-*"}).isEmpty());

    QCOMPARE(runProgram(imageConverter(), {path("anim.gif"), path("copy.gif")}).exitCode, 0);
    QCOMPARE(describe(path("copy.gif")), QString("GIF 40 30|GIF 40 30|GIF 40 30|"));
}

void TestImageConvert::failureKeepsTheEarlierFile_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");

    QTest::newRow("missing input") << "none.png" << "kept.jpg";
    QTest::newRow("missing psd with its layer") << "none.psd[0]" << "kept.png";
    QTest::newRow("input is no picture") << "notapicture.png" << "kept.jpg";
    QTest::newRow("format it does not write") << "half.png" << "kept.webp";
    QTest::newRow("output folder missing") << "half.png" << "missing/kept.jpg";
}

void TestImageConvert::failureKeepsTheEarlierFile()
{
    QFETCH(QString, input);
    QFETCH(QString, output);
    writeFile(path("notapicture.png"), "plain text, not a picture");
    const QString outputPath = path(output);
    const bool folderExists = QFileInfo(outputPath).absoluteDir().exists();
    if (folderExists)
        writeFile(outputPath, earlier);

    const Finished outcome = runProgram(imageConverter(), {path(input), outputPath});
    QVERIFY2(outcome.exitCode >= 0, "the converter crashed or hung");
    QVERIFY(outcome.exitCode != 0);
    QVERIFY2(outcome.errors.startsWith("convert: ") && outcome.errors.count('\n') == 1, qPrintable(outcome.errors));
    if (folderExists)
        QCOMPARE(readFile(outputPath), earlier);
    else
        QVERIFY(!QFileInfo::exists(outputPath));
    QVERIFY(temporaryFilesIn(folder.path()).isEmpty());
}

QString TestImageConvert::writeFakeImageMagick(const QString &name, const QByteArray &body)
{
    const QString script = path(name);
    writeFile(script, "#!/bin/sh\nfor last; do :; done\nout=${last#*:}\n" + body);
    QFile::setPermissions(script, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return script;
}

void TestImageConvert::emptyResultIsFailure()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QUILLMORA_IMAGEMAGICK", writeFakeImageMagick("writes-nothing", "exit 0\n"));
    const QString output = path("empty.png");
    writeFile(output, earlier);
    QVERIFY(runProgram(imageConverter(), {path("half.png"), output}, QString(), environment).exitCode != 0);
    QCOMPARE(readFile(output), earlier);
}

void TestImageConvert::sigtermStopsImageMagick()
{
    const QString output = path("stopped.png");
    writeFile(output, earlier);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QUILLMORA_IMAGEMAGICK", writeFakeImageMagick("slow", "printf partial > \"$out\"\nexec sleep 60\n"));

    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(imageConverter(), {path("half.png"), output});
    QVERIFY(process.waitForStarted());
    const pid_t tool = pid_t(process.processId());
    QList<pid_t> children;
    QVERIFY(waitFor([&] { return !(children = childrenOf(tool)).isEmpty(); }, 5000));
    const QStringList hidden = temporaryFilesIn(folder.path());
    QVERIFY(waitFor([&] { return !hidden.isEmpty() && QFileInfo(path(hidden.first())).size() > 0; }, 5000));

    kill(tool, SIGTERM);
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 128 + SIGTERM);
    QVERIFY(waitFor([&] { return hasEnded(children.first()); }, 5000));
    QCOMPARE(readFile(output), earlier);
    QVERIFY(temporaryFilesIn(folder.path()).isEmpty());
}

QTEST_GUILESS_MAIN(TestImageConvert)
#include "tst_imageconvert.moc"
