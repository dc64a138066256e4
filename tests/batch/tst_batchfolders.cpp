// quillmora --convert given folders: a tree of real songs and pictures
// converted with its folders mirrored (or flat), run again with --update to
// convert only what changed, and a folder joined into one file.
#include "tests/batch/batchrun.h"
#include "tests/support/files.h"
#include "tests/support/media.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestBatchFolders : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void treeMirroredThenUpdated();
    void flatAndPictures();
    void folderJoined();
    void folderOfNothingFails();
    void folderConvertedInPlace();

private:
    QString music() const { return dir.filePath("Music"); }
    // Every file under the folder, relative to it, sorted.
    static QStringList filesUnder(const QString &folder);

    QTemporaryDir dir;
};

QStringList TestBatchFolders::filesUnder(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next().mid(folder.size() + 1);
    files.sort();
    return files;
}

void TestBatchFolders::initTestCase()
{
    testmedia::ClipSpec song;
    song.width = 0;
    const QString album = music() + "/Artist A/Album 1";
    for (const QString &folder : {album, music() + "/Artist B", music() + "/.cache"})
        QVERIFY(QDir().mkpath(folder));
    for (const QString &name : {album + "/2.flac", album + "/10.flac", music() + "/Artist B/x.wav",
                                music() + "/.cache/hidden.flac"})
        QVERIFY(testmedia::makeClip(name, song));
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc=size=64x48", "-frames:v", "1", album + "/cover.png"}));
    QVERIFY(testsupport::writeFile(music() + "/playlist.m3u", "2.flac\n"));
}

void TestBatchFolders::treeMirroredThenUpdated()
{
    const QString out = dir.filePath("phone");
    testsupport::Finished run = runQuillmora({"--convert", "-f", "mp3", "-o", out, "Music/"}, dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    // The album in name order; the picture, the playlist and the hidden folder passed over without a word.
    QVERIFY2(run.output.contains("[1/3] 2.flac: done") && run.output.contains("[2/3] 10.flac: done"),
             run.output.constData());
    QVERIFY2(run.errors.isEmpty(), qPrintable(run.errors));
    QCOMPARE(filesUnder(out), QStringList({"Artist A/Album 1/10.mp3", "Artist A/Album 1/2.mp3", "Artist B/x.mp3"}));
    QCOMPARE(testmedia::probe(out + "/Artist A/Album 1/10.mp3").first("audio")->codec, QStringLiteral("mp3"));

    // Again with --update: nothing to do, no output touched.
    const QDateTime written = QFileInfo(out + "/Artist B/x.mp3").lastModified();
    run = runQuillmora({"--convert", "-f", "mp3", "-o", out, "--update", "Music"}, dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    QVERIFY2(run.output.contains("[3/3] x.wav: up to date\n"), run.output.constData());
    QVERIFY2(run.output.contains("Done: 0 of 3 jobs converted, 3 up to date."), run.output.constData());
    QCOMPARE(QFileInfo(out + "/Artist B/x.mp3").lastModified(), written);

    // A source changed since and an output left empty are converted again, in place.
    QFile source(music() + "/Artist A/Album 1/10.flac");
    QVERIFY(source.open(QIODevice::ReadWrite)
            && source.setFileTime(written.addSecs(60), QFileDevice::FileModificationTime));
    source.close();
    QVERIFY(testsupport::writeFile(out + "/Artist B/x.mp3", {}));
    run = runQuillmora({"--convert", "-f", "mp3", "-o", out, "--update", "Music"}, dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    QVERIFY2(run.output.contains("[1/3] 2.flac: up to date\n") && run.output.contains("[2/3] 10.flac: done\n")
                 && run.output.contains("[3/3] x.wav: done\n"),
             run.output.constData());
    QVERIFY2(run.output.contains("Done: 2 of 3 jobs converted, 1 up to date."), run.output.constData());
    QCOMPARE(filesUnder(out), QStringList({"Artist A/Album 1/10.mp3", "Artist A/Album 1/2.mp3", "Artist B/x.mp3"}));
    QVERIFY(testmedia::probe(out + "/Artist B/x.mp3").duration > 0.5);
}

void TestBatchFolders::flatAndPictures()
{
    const QString flat = dir.filePath("flat");
    testsupport::Finished run = runQuillmora({"--convert", "-f", "opus", "--flat", "-o", flat, "Music"}, dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    QCOMPARE(filesUnder(flat), QStringList({"10.opus", "2.opus", "x.opus"}));

    // A picture format takes the picture of the same tree, and a file given beside the folder.
    const QString pictures = dir.filePath("pictures");
    run = runQuillmora({"--convert", "-f", "jpeg", "-o", pictures, "Music", "Music/Artist A/Album 1/cover.png"},
                       dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    QCOMPARE(filesUnder(pictures), QStringList({"Artist A/Album 1/cover.jpg", "cover.jpg"}));
    QCOMPARE(testmedia::probe(pictures + "/Artist A/Album 1/cover.jpg").first("video")->codec, QStringLiteral("mjpeg"));

    // Flat, the two covers take cover.jpg and cover_1.jpg; again with --update both are up to date, no third is made.
    const QString covers = dir.filePath("covers");
    const QStringList twoCovers = {"--convert", "-f", "jpeg", "--flat", "--update", "-o", covers, "Music",
                                   "Music/Artist A/Album 1/cover.png"};
    QCOMPARE(runQuillmora(twoCovers, dir.path()).exitCode, 0);
    run = runQuillmora(twoCovers, dir.path());
    QVERIFY2(run.output.contains("Done: 0 of 2 jobs converted, 2 up to date."), run.output.constData());
    QCOMPARE(filesUnder(covers), QStringList({"cover.jpg", "cover_1.jpg"}));
}

void TestBatchFolders::folderJoined()
{
    const QString out = dir.filePath("joined");
    const testsupport::Finished run =
        runQuillmora({"--convert", "-f", "audiomerge", "-o", out, "Music/Artist A/Album 1"}, dir.path());
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    QVERIFY2(run.output.contains("[1/1] 2 files: done"), run.output.constData());
    QCOMPARE(filesUnder(out), QStringList{"MergedAudio.mp3"});
    QVERIFY(testmedia::probe(out + "/MergedAudio.mp3").duration > 1.8); // both songs
}

// An empty folder (a drive not mounted) or one of no file the format takes is
// no success of no jobs: it is named and the exit code says so.
void TestBatchFolders::folderOfNothingFails()
{
    QVERIFY(QDir().mkpath(dir.filePath("unmounted")));
    const testsupport::Finished run =
        runQuillmora({"--convert", "-f", "mp3", "-o", "nothing", "--update", "unmounted", "Music/Artist A/Album 1",
                      "Music/.cache/hidden.flac"},
                     dir.path());
    QCOMPARE(run.exitCode, 1);
    QVERIFY2(run.errors.contains(dir.filePath("unmounted").toUtf8() + ": failed: no file in it that mp3 takes\n"),
             qPrintable(run.errors));
    QVERIFY2(run.output.contains("[1/3] 2.flac: done") && run.output.contains("[3/3] hidden.flac: done"),
             run.output.constData()); // a hidden file named by the user is taken
}

// "." with no -o: the output folder is the folder given, the outputs go beside their sources.
void TestBatchFolders::folderConvertedInPlace()
{
    const QString artist = music() + "/Artist B";
    const testsupport::Finished run = runQuillmora({"--convert", "-f", "mp3", "."}, artist);
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    QCOMPARE(filesUnder(artist), QStringList({"x.mp3", "x.wav"}));
}

QTEST_GUILESS_MAIN(TestBatchFolders)
#include "tst_batchfolders.moc"
