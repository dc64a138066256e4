#include "app/formats.h"
#include "app/outputfolder.h"
#include "app/outputprofile.h"

#include <QtTest>

class TestFormats : public QObject
{
    Q_OBJECT

private slots:
    void extensionsAndTexts_data();
    void extensionsAndTexts();
    void stateTexts_data();
    void stateTexts();
    void outputNames_data();
    void outputNames();
    void classify_data();
    void classify();
    void suffixTables();

private:
    QTemporaryDir dir;
};

void TestFormats::extensionsAndTexts_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("extension");
    QTest::addColumn<QString>("text");
    QTest::newRow("MP4") << 0 << ".mp4" << "All media files -> MP4";
    QTest::newRow("MPG") << 7 << ".mpg" << "All media files -> MPG";
    QTest::newRow("RA") << 20 << ".ra" << "All media files -> RA";
    QTest::newRow("JPEG") << 22 << ".jpg" << "All Image files -> JPEG";
    QTest::newRow("ICO") << 28 << ".ico" << "All Image files -> ICON";
    QTest::newRow("TIFF") << 29 << ".tiff" << "All Image files -> TIFF";
    QTest::newRow("video joiner") << 30 << ".mp4" << "Video Joiner";
    QTest::newRow("audio joiner") << 31 << ".aac" << "Audio Joiner";
    QTest::newRow("GIF maker") << 32 << ".gif" << "GIF Maker";
    QTest::newRow("WebM") << 33 << ".webm" << "All media files -> WebM";
    QTest::newRow("Opus") << 36 << ".opus" << "All media files -> Opus";
    QTest::newRow("WebP") << 37 << ".webp" << "All Image files -> WebP";
    QTest::newRow("AVIF") << 38 << ".avif" << "All Image files -> AVIF";
    QTest::newRow("unknown") << 39 << "" << "Unsupported file format!";
    QTest::newRow("negative") << -1 << "" << "Unsupported file format!";
}

void TestFormats::extensionsAndTexts()
{
    QFETCH(int, id);
    QFETCH(QString, extension);
    QFETCH(QString, text);
    QCOMPARE(formatExtension(id), extension);
    QCOMPARE(profileText(id), text);
}

void TestFormats::stateTexts_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<QString>("whileRunning");
    QTest::addColumn<QString>("afterwards");
    QTest::newRow("ready") << 0 << "Ready" << "Ready";
    QTest::newRow("converting") << 1 << "Converting" << "Stopped";
    QTest::newRow("failed") << 2 << "Failed" << "Stopped";
    QTest::newRow("stopped") << 3 << "Stopped" << "Stopped";
    QTest::newRow("succeeded") << 4 << "Successes" << "Successes";
    QTest::newRow("up to date") << 5 << "Up to date" << "Up to date";
    QTest::newRow("other") << 6 << "" << "";
}

void TestFormats::stateTexts()
{
    QFETCH(int, state);
    QFETCH(QString, whileRunning);
    QFETCH(QString, afterwards);
    QCOMPARE(stateText(state, true), whileRunning);
    QCOMPARE(stateText(state, false), afterwards);
    QCOMPARE(profileColumnText(0, state, true), state == 0 ? QString("All media files -> MP4") : whileRunning);
}

void TestFormats::outputNames_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("output");
    QTest::newRow("plain") << "/in/a.avi" << 0 << "/out/a.mp4";
    QTest::newRow("last suffix only") << "/in/x.tar.gz" << 11 << "/out/x.tar.mp3";
    QTest::newRow("no suffix") << "/in/clip" << 5 << "/out/clip.mkv";
    QTest::newRow("blanks and quotes") << "/in/my 'best' clip.mov" << 2 << "/out/my 'best' clip.avi";
}

void TestFormats::outputNames()
{
    QFETCH(QString, input);
    QFETCH(int, id);
    QFETCH(QString, output);
    QCOMPARE(outputPathFor("/out", input, id), output);
}

void TestFormats::classify_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("kind");
    QTest::newRow("video wins over image, case ignored") << "clip.GIF" << int(VideoFile);
    QTest::newRow("audio") << "song.flac" << int(AudioFile);
    QTest::newRow("web video") << "clip.webm" << int(VideoFile);
    QTest::newRow("web audio") << "voice.opus" << int(AudioFile);
    QTest::newRow("image") << "photo.jpg" << int(ImageFile);
    QTest::newRow("phone photo") << "IMG_0001.HEIC" << int(ImageFile);
    QTest::newRow("phone song") << "song.m4a" << int(AudioFile);
    QTest::newRow("phone clip") << "clip.3gp" << int(VideoFile);
    QTest::newRow("layered image") << "art.PSD" << int(ImageFile);
    QTest::newRow("unknown suffix") << "notes.txt" << int(UnknownFile);
    QTest::newRow("no suffix") << "README" << int(UnknownFile);
}

void TestFormats::classify()
{
    QFETCH(QString, name);
    QFETCH(int, kind);
    const QString path = dir.filePath(name);
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.close();
    QCOMPARE(classifyFile(path), kind);
}

void TestFormats::suffixTables()
{
    QCOMPARE(videoSuffixes().size(), 33);
    QCOMPARE(audioSuffixes().size(), 23);
    QCOMPARE(imageSuffixes().size(), imageSuffixes().contains("jxl") ? 41 : 40);
    QCOMPARE(classifyFile(dir.path()), int(UnknownFile));              // a folder
    QCOMPARE(classifyFile(dir.filePath("missing.mp4")), int(UnknownFile)); // not there
}

QTEST_GUILESS_MAIN(TestFormats)
#include "tst_formats.moc"
