// build/imageconvert/convert on pictures made by ImageMagick: the formats,
// layered and animated inputs, phones' HEIC photos, icons, names with "%",
// pictures it refuses, and stops that leave no scratch file.
#include "tests/support/files.h"
#include "tests/support/programrun.h"
#include "tests/tools/toolrun.h"

#include <QColorSpace>
#include <QDirIterator>
#include <QtEndian>
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
    void turnedPhotoComesOutUprightWithItsExifAndProfile_data();
    void turnedPhotoComesOutUprightWithItsExifAndProfile();
    void heicPhotoToJpeg_data();
    void heicPhotoToJpeg();
    void failureKeepsTheEarlierFile_data();
    void failureKeepsTheEarlierFile();
    void emptyResultIsFailure();
    void sigtermStopsImageMagick();
    void percentInNamesIsNoPattern();
    void refusedPictureSaysWhy_data();
    void refusedPictureSaysWhy();
    void stopDuringALargePictureLeavesNoScratchFile_data();
    void stopDuringALargePictureLeavesNoScratchFile();

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

// A JPEG segment: marker, length, payload.
QByteArray segment(char marker, const QByteArray &payload)
{
    QByteArray bytes("\xff");
    bytes += marker;
    const quint16 length = qToBigEndian<quint16>(quint16(payload.size() + 2));
    return bytes + QByteArray(reinterpret_cast<const char *>(&length), 2) + payload;
}

// A camera's EXIF block (little-endian TIFF): the maker, the orientation
// "turned a quarter clockwise to be seen" (6) and the time it was taken.
QByteArray cameraExif()
{
    QByteArray tiff;
    auto put16 = [&](quint16 value) { tiff.append(char(value & 0xff)).append(char(value >> 8)); };
    auto put32 = [&](quint32 value) { put16(quint16(value & 0xffff)); put16(quint16(value >> 16)); };
    auto entry = [&](quint16 tag, quint16 type, quint32 count, quint32 value) {
        put16(tag), put16(type), put32(count), put32(value);
    };
    tiff.append("II*\0", 4);
    put32(8);
    put16(3); // IFD0 at 8: 2 + 3 * 12 + 4 bytes, then the maker's name at 50
    entry(0x010f, 2, 6, 50);
    entry(0x0112, 3, 1, 6);
    entry(0x8769, 4, 1, 56);
    put32(0);
    tiff.append("Maker\0", 6);
    put16(1); // the EXIF IFD at 56: 18 bytes, then the date at 74
    entry(0x9003, 2, 20, 74);
    put32(0);
    tiff.append("2019:04:05 06:07:08\0", 20);
    return QByteArray("Exif\0\0", 6) + tiff;
}

// The value of the first little-endian orientation entry (tag 0x0112, one
// SHORT) in the file's EXIF or TIFF tags; 0 when it has none.
int orientationTag(const QByteArray &file)
{
    const int at = file.indexOf(QByteArray("\x12\x01\x03\x00\x01\x00\x00\x00", 8));
    return at < 0 ? 0 : qFromLittleEndian<quint16>(file.constData() + at + 8);
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
    // A photo stored 40x20, white in its stored top left corner, that the
    // camera marks as turned: upright it is 20x40, white at the top right.
    magick("convert", {"-size", "40x20", "xc:navy", "-fill", "white", "-draw", "rectangle 0,0 9,9", path("stored.jpg")});
    const QByteArray stored = readFile(path("stored.jpg"));
    const QByteArray profile = QColorSpace(QColorSpace::DisplayP3).iccProfile();
    writeFile(path("turned.jpg"), stored.left(2) + segment('\xe1', cameraExif())
                                      + segment('\xe2', QByteArray("ICC_PROFILE\0\x01\x01", 14) + profile)
                                      + stored.mid(2));
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
    QTest::newRow("WebP") << "webp" << "WEBP" << false;
    QTest::newRow("AVIF (ImageMagick 6 reads it as HEIC)") << "avif" << "HEIC" << true;
}

void TestImageConvert::everyFormatFromPng()
{
    QFETCH(QString, suffix);
    QFETCH(QString, format);
    QFETCH(bool, onWhite);
    const QString output = path("converted." + suffix);
    writeFile(output, earlier); // the user said Yes to overwriting

    const Finished outcome = runProgram(imageConverter(), {"-y", path("half.png"), output});
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    QCOMPARE(describe(output), format + " 64 48|");
    const QString rightHalf = magick("convert", {output, "-colorspace", "sRGB", "-crop", "32x48+32+0", "-alpha", "off", "-format", "%[fx:mean]", "info:"});
    if (onWhite)
        QVERIFY2(rightHalf.toDouble() > 0.98, qPrintable(rightHalf)); // AVIF is lossy; ImageMagick reads it as YCbCr
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

// Each format keeps what it can hold of the photo's EXIF and colour profile,
// and the picture comes out upright with an orientation that no viewer turns
// again.
void TestImageConvert::turnedPhotoComesOutUprightWithItsExifAndProfile_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<bool>("keepsExif");
    QTest::addColumn<bool>("keepsProfile");
    QTest::addColumn<int>("orientation"); // the tag written: 1 is "top-left", 0 none
    QTest::newRow("JPEG") << "jpg" << true << true << 1;
    QTest::newRow("PNG") << "png" << true << true << 1;
    QTest::newRow("TIFF: ImageMagick 6 writes no EXIF into it") << "tif" << false << true << 1;
    QTest::newRow("GIF") << "gif" << false << true << 0;
    QTest::newRow("BMP") << "bmp" << false << true << 0;
    QTest::newRow("PCX") << "pcx" << false << false << 0;
    QTest::newRow("TGA") << "tga" << false << false << 0;
    QTest::newRow("ICO") << "ico" << false << false << 0;
    QTest::newRow("WebP: its EXIF only as the tag shows") << "webp" << false << true << 1;
    QTest::newRow("AVIF: ImageMagick 6 writes neither into it") << "avif" << false << false << 0;
}

void TestImageConvert::turnedPhotoComesOutUprightWithItsExifAndProfile()
{
    QFETCH(QString, suffix);
    QFETCH(bool, keepsExif);
    QFETCH(bool, keepsProfile);
    QCOMPARE(magick("identify", {"-format", "%[orientation]", path("turned.jpg")}), QString("RightTop"));
    const QString output = path("upright." + suffix);
    const Finished outcome = runProgram(imageConverter(), {path("turned.jpg"), output});
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));

    QCOMPARE(magick("identify", {"-format", "%w %h", output + "[0]"}), QString("20 40"));
    const QString topRight = magick("convert", {output + "[0]", "-colorspace", "sRGB", "-crop", "8x8+11+1", "-format", "%[fx:mean]", "info:"});
    QVERIFY2(topRight.toDouble() > 0.9, qPrintable(topRight));
    QTEST(orientationTag(readFile(output)), "orientation");

    const QString exif = magick("identify", {"-format", "%[exif:DateTimeOriginal]|%[exif:Make]", output + "[0]"});
    if (keepsExif)
        QCOMPARE(exif, QString("2019:04:05 06:07:08|Maker"));
    const QString profile = magick("identify", {"-format", "%[icc:description]", output + "[0]"});
    QCOMPARE(profile == QLatin1String("Display P3"), keepsProfile);
}

// A phone's photo comes out as a JPEG as a camera's does: upright, with its
// EXIF and colour profile, which ImageMagick 6 does not read from a HEIC.
// ImageMagick writes HEIC pictures without either; libheif's heif-enc makes
// one of the camera's JPEG as a phone would: the EXIF block (which still says
// "turned") and the profile kept, the picture stored as the camera took it.
void TestImageConvert::heicPhotoToJpeg_data()
{
    QTest::addColumn<QString>("heic");
    QTest::addColumn<QSize>("shown");
    QTest::addColumn<bool>("withMetadata");
    QTest::newRow("made by ImageMagick") << "upright.heic" << QSize(20, 40) << false;
    QTest::newRow("made by heif-enc from a camera's JPEG") << "phone.heic" << QSize(40, 20) << true;
}

void TestImageConvert::heicPhotoToJpeg()
{
    QFETCH(QString, heic);
    QFETCH(QSize, shown);
    QFETCH(bool, withMetadata);
    if (!QFileInfo::exists(path("upright.heic"))) {
        magick("convert", {path("stored.jpg"), "-rotate", "90", path("upright.heic")});
        QCOMPARE(runProgram("/usr/bin/heif-enc", {path("turned.jpg"), "-o", path("phone.heic")}).exitCode, 0);
    }
    QCOMPARE(describe(path(heic)).section(' ', 0, 0), QString("HEIC"));

    const QString output = path(QFileInfo(heic).baseName() + "-heic.jpg");
    const Finished outcome = runProgram(imageConverter(), {path(heic), output});
    QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
    QCOMPARE(describe(output), QString("JPEG %1 %2|").arg(shown.width()).arg(shown.height()));
    // The white corner of the stored picture: top left as stored, top right turned.
    const QString corner = shown.width() > shown.height() ? "8x8+1+1" : "8x8+11+1";
    QVERIFY(magick("convert", {output, "-crop", corner, "-format", "%[fx:mean]", "info:"}).toDouble() > 0.9);
    QVERIFY(orientationTag(readFile(output)) <= 1); // nothing that turns it again
    const QString kept = magick("identify", {"-format", "%[exif:DateTimeOriginal]|%[icc:description]", output});
    QCOMPARE(kept, withMetadata ? QString("2019:04:05 06:07:08|Display P3") : QString("|"));
    QVERIFY(temporaryFilesIn(folder.path()).isEmpty());
}

void TestImageConvert::failureKeepsTheEarlierFile_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("output");

    QTest::newRow("missing input") << "none.png" << "kept.jpg";
    QTest::newRow("missing psd with its layer") << "none.psd[0]" << "kept.png";
    QTest::newRow("input is no picture") << "notapicture.png" << "kept.jpg";
    QTest::newRow("format it does not write") << "half.png" << "kept.heic";
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
    // $out: where to write; the tool may hand over a descriptor ("fd:3").
    writeFile(script, "#!/bin/sh\nfor last; do :; done\nout=${last#*:}\n"
                      "case $out in fd:*) out=/dev/fd/${out#fd:};; esac\n" + body);
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
    const QString started = path("slow-started");
    environment.insert("QUILLMORA_IMAGEMAGICK",
                       writeFakeImageMagick("slow", "printf partial > \"$out\"\n: > '" + started.toUtf8() + "'\nexec sleep 60\n"));

    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(imageConverter(), {path("half.png"), output});
    QVERIFY(process.waitForStarted());
    const pid_t tool = pid_t(process.processId());
    QList<pid_t> children;
    QVERIFY(waitFor([&] { return !(children = childrenOf(tool)).isEmpty(); }, 5000));
    QVERIFY(waitFor([&] { return QFileInfo::exists(started); }, 5000));

    kill(tool, SIGTERM);
    QVERIFY(process.waitForFinished(5000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 128 + SIGTERM);
    QVERIFY(waitFor([&] { return hasEnded(children.first()); }, 5000));
    QCOMPARE(readFile(output), earlier);
    QVERIFY(temporaryFilesIn(folder.path()).isEmpty());
}

// ImageMagick reads "%d", "%o" and "%x" in names as numbers to fill in.
void TestImageConvert::percentInNamesIsNoPattern()
{
    const QString percentFolder = path("100%d");
    QVERIFY(QDir().mkpath(percentFolder));
    for (const QString &name : QStringList{"100%d.png", "50%x%o.png"}) {
        QVERIFY(QFile::copy(path("half.png"), percentFolder + "/" + name));
        const QString output = percentFolder + "/" + QFileInfo(name).completeBaseName() + ".jpg";
        const Finished outcome = runProgram(imageConverter(), {percentFolder + "/" + name, output});
        QVERIFY2(outcome.exitCode == 0, qPrintable(outcome.errors));
        QCOMPARE(describe(output), QString("JPEG 64 48|"));
    }
    QCOMPARE(QDir(percentFolder).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

namespace {

quint32 crc32(const QByteArray &bytes)
{
    quint32 crc = 0xffffffff;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xedb88320 & (0u - (crc & 1)));
    }
    return ~crc;
}

QByteArray bigEndian(quint32 value)
{
    const char bytes[4] = {char(value >> 24), char(value >> 16), char(value >> 8), char(value)};
    return QByteArray(bytes, 4);
}

// A PNG whose header says width x height, with a little grey data.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    const auto chunk = [](const QByteArray &type, const QByteArray &data) {
        return bigEndian(quint32(data.size())) + type + data + bigEndian(crc32(type + data));
    };
    const QByteArray header = bigEndian(width) + bigEndian(height) + QByteArray("\x08\x00\x00\x00\x00", 5);
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + chunk("IHDR", header) + chunk("IDAT", qCompress(QByteArray(4, 0)).mid(4))
        + chunk("IEND", {});
}

} // namespace

void TestImageConvert::refusedPictureSaysWhy_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("reason");

    const QByteArray good = readFile(path("half.png"));
    QByteArray corrupt = good;
    corrupt[40] = char(corrupt[40] ^ 0x5a);
    QTest::newRow("0x0") << pngClaiming(0, 0) << "a width or a height of zero";
    QTest::newRow("truncated") << good.left(good.size() / 2) << "damaged or incomplete";
    QTest::newRow("corrupt") << corrupt << "damaged or incomplete";
    // Read as no picture, then written empty: the writer's "zero" is no reason.
    QByteArray jpeg = readFile(path("stored.jpg"));
    jpeg.replace(jpeg.indexOf("\xff\xdb") + 2, 2, QByteArray(2, '\0'));
    QTest::newRow("JPEG of a bogus marker length") << jpeg << "damaged or incomplete (Bogus marker length)";
    QTest::newRow("decompression bomb") << pngClaiming(100000, 100000) << "too large";
    QTest::newRow("not a picture") << QByteArray("plain text") << "not a picture";
    QTest::newRow("empty") << QByteArray() << "empty";
}

void TestImageConvert::refusedPictureSaysWhy()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, reason);
    writeFile(path("refused.png"), content);

    const Finished outcome = runProgram(imageConverter(), {path("refused.png"), path("refused.jpg")});
    QVERIFY(outcome.exitCode > 0);
    const QString lastLine = outcome.errors.trimmed().section('\n', -1);
    QVERIFY2(lastLine.contains("refused.png") && lastLine.contains(reason), qPrintable(outcome.errors));
    QVERIFY2(!outcome.errors.contains(".quillmora") && !outcome.errors.contains("no images defined"),
             qPrintable(outcome.errors));
    QVERIFY(!QFileInfo::exists(path("refused.jpg")));
}

void TestImageConvert::stopDuringALargePictureLeavesNoScratchFile_data()
{
    QTest::addColumn<int>("signalNumber");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGKILL, then another conversion") << int(SIGKILL);
}

// A 7000x5000 picture outgrows ImageMagick's memory limit: its pixels go to a
// scratch file of 280 MB.
void TestImageConvert::stopDuringALargePictureLeavesNoScratchFile()
{
    QFETCH(int, signalNumber);
    const QString large = path("large.pgm");
    if (!QFileInfo::exists(large))
        QVERIFY(writeFile(large, "P5\n7000 5000\n255\n" + QByteArray(7000 * 5000, '\x80')));
    const QString outputFolder = path(QString("stop%1").arg(signalNumber));
    QVERIFY(QDir().mkpath(outputFolder));
    QTemporaryDir systemScratch; // where ImageMagick would put it by itself
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("TMPDIR", systemScratch.path());

    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(imageConverter(), {large, outputFolder + "/large.png"});
    QVERIFY(process.waitForStarted());
    const auto scratchFiles = [&] {
        QStringList files;
        for (const QString &scanned : {outputFolder, systemScratch.path()}) {
            QDirIterator found(scanned, {"magick-*"}, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
            while (found.hasNext())
                files << found.next();
        }
        return files;
    };
    QVERIFY2(waitFor([&] { return !scratchFiles().isEmpty(); }, 60000), "ImageMagick made no scratch file");
    const pid_t tool = pid_t(process.processId());
    const QList<pid_t> children = childrenOf(tool);
    QCOMPARE(children.size(), 1);
    kill(tool, signalNumber);
    QVERIFY(process.waitForFinished(20000));
    QVERIFY(waitFor([&] { return hasEnded(children.first()); }, 10000));

    if (signalNumber == SIGKILL) {
        const Finished later = runProgram(imageConverter(), {path("half.png"), outputFolder + "/later.png"});
        QVERIFY2(later.exitCode == 0, qPrintable(later.errors));
        QVERIFY(QFile::remove(outputFolder + "/later.png"));
    } else {
        QCOMPARE(process.exitCode(), 128 + SIGTERM);
    }
    QCOMPARE(scratchFiles(), QStringList());
    QCOMPARE(QDir(outputFolder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot), QStringList());
}

QTEST_GUILESS_MAIN(TestImageConvert)
#include "tst_imageconvert.moc"
