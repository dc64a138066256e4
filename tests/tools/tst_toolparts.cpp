// The pure pieces of the two tools: progress lines, join lists, the check of
// a join's parts, the choice of ImageMagick's arguments; and which hidden
// files of killed tools a later run removes.
#include "engine/joinparts.h"
#include "tools/common/temporaryoutput.h"
#include "tools/imageconvert/heifmetadata.h"
#include "tools/imageconvert/imagecommand.h"
#include "tools/transcoder/commandline.h"
#include "tools/transcoder/concatlist.h"
#include "tools/transcoder/factstext.h"
#include "tools/transcoder/ffmpegprogress.h"
#include "tools/transcoder/joinplan.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

Q_DECLARE_METATYPE(ProbedMedia)

class TestToolParts : public QObject
{
    Q_OBJECT

private slots:
    void progressFromFfmpegReports_data();
    void progressFromFfmpegReports();
    void joinIsRecognisedBeforeTheInputOnly();

    void concatListIsReadAsFfmpegReadsIt_data();
    void concatListIsReadAsFfmpegReadsIt();
    void concatListRejectsWhatItCannotJoin_data();
    void concatListRejectsWhatItCannotJoin();
    void writtenConcatListReadsBack();

    void joinOfParts_data();
    void joinOfParts();

    void imageTargetBySuffix_data();
    void imageTargetBySuffix();
    void imageInputKeepsItsFrameSelector();
    void imageArgumentsByTarget_data();
    void imageArgumentsByTarget();
    void exifOfAHeifPhotoIsMarkedUpright_data();
    void exifOfAHeifPhotoIsMarkedUpright();

    void leftoversOfEndedToolsAreRemoved();

    void factsTextReadsBack();
    void factsTextRejectsWhatItDidNotWrite_data();
    void factsTextRejectsWhatItDidNotWrite();
};

void TestToolParts::progressFromFfmpegReports_data()
{
    QTest::addColumn<double>("expectedSeconds");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<int>("percent");
    QTest::addColumn<bool>("wroteSomething");

    QTest::newRow("half way") << 10.0 << QStringList{"frame=125", "out_time_us=5000000", "progress=continue"} << 50 << true;
    QTest::newRow("out_time_ms holds microseconds too") << 10.0 << QStringList{"out_time_ms=2500000", "progress=continue"} << 25 << true;
    QTest::newRow("past the expected length stays below 100")
        << 10.0 << QStringList{"frame=260", "out_time_us=10400000", "progress=end"} << 99 << true;
    QTest::newRow("negative time before the first packet") << 10.0 << QStringList{"out_time_us=-9223372036854775807", "progress=continue"} << 0 << false;
    QTest::newRow("N/A keeps the last figure")
        << 10.0 << QStringList{"out_time_us=3000000", "progress=continue", "out_time_us=N/A", "progress=continue"} << 30 << true;
    QTest::newRow("unknown length shows 0") << 0.0 << QStringList{"out_time_us=3000000", "progress=continue"} << 0 << true;
    QTest::newRow("header only: nothing written")
        << 10.0 << QStringList{"frame=0", "total_size=262", "out_time_us=0", "progress=end"} << 0 << false;
    QTest::newRow("sound only counts media time") << 4.0 << QStringList{"frame=0", "out_time_us=4000000", "progress=end"} << 99 << true;
    QTest::newRow("percentage changes only with a report") << 10.0 << QStringList{"out_time_us=5000000"} << 0 << true;
}

void TestToolParts::progressFromFfmpegReports()
{
    QFETCH(double, expectedSeconds);
    QFETCH(QStringList, lines);
    FfmpegProgress progress(expectedSeconds);
    for (const QString &line : lines)
        progress.takeLine(line.toUtf8());
    QTEST(progress.percent(), "percent");
    QTEST(progress.wroteSomething(), "wroteSomething");
}

void TestToolParts::joinIsRecognisedBeforeTheInputOnly()
{
    QVERIFY(commandline::isJoin({"-f", "concat", "-y", "-i", "list.txt", "-c", "copy", "out.mp4"}));
    QVERIFY(!commandline::isJoin({"-y", "-i", "in.mp4", "-f", "concat", "out.mp4"}));
    QVERIFY(!commandline::isComplete({"-y", "-i", "in.mp4"}));
    QVERIFY(!commandline::isComplete({"-y", "in.mp4", "out.mp4"}));
    QVERIFY(commandline::isComplete({"-y", "-i", "in.mp4", "out.mp4"}));

    // The tool's own options lie before the ffmpeg-style ones, and only there.
    QStringList arguments{"--size=25", "--flag", "-i", "--size=9", "out.mp4"};
    QString value;
    QVERIFY(commandline::takeOption(&arguments, "size", &value));
    QCOMPARE(value, QString("25"));
    QVERIFY(commandline::takeOption(&arguments, "flag", &value));
    QCOMPARE(value, QString());
    QVERIFY(!commandline::takeOption(&arguments, "size", &value));
    QCOMPARE(arguments, QStringList({"-i", "--size=9", "out.mp4"}));
}

void TestToolParts::concatListIsReadAsFfmpegReadsIt_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("files");

    QTest::newRow("quoted with a blank") << QByteArray("file '/m/my clip.mp4'\n") << QStringList{"/m/my clip.mp4"};
    QTest::newRow("quote inside") << QByteArray("file '/m/it'\\''s.mp4'\n") << QStringList{"/m/it's.mp4"};
    QTest::newRow("unquoted with escapes") << QByteArray("file /m/a\\ b.mp4\n") << QStringList{"/m/a b.mp4"};
    QTest::newRow("relative to the list's folder") << QByteArray("file sub/p0.mp4\n") << QStringList{"/lists/sub/p0.mp4"};
    QTest::newRow("header, comments, blank lines and CRLF")
        << QByteArray("ffconcat version 1.0\r\n# parts\r\n\r\nfile 'a.mp3'\r\nfile 'b.mp3'\r\n")
        << QStringList{"/lists/a.mp3", "/lists/b.mp3"};
    QTest::newRow("no line end after the last") << QByteArray("file '/x.mp4'") << QStringList{"/x.mp4"};
}

void TestToolParts::concatListIsReadAsFfmpegReadsIt()
{
    QFETCH(QByteArray, text);
    QStringList files;
    QString error;
    QVERIFY2(parseConcatList(text, "/lists", &files, &error), qPrintable(error));
    QTEST(files, "files");
}

void TestToolParts::concatListRejectsWhatItCannotJoin_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray("");
    QTest::newRow("only comments") << QByteArray("# nothing\n");
    QTest::newRow("a directive it does not follow") << QByteArray("file 'a.mp4'\ninpoint 5\n");
    QTest::newRow("file without a name") << QByteArray("file\n");
}

void TestToolParts::concatListRejectsWhatItCannotJoin()
{
    QFETCH(QByteArray, text);
    QStringList files;
    QString error;
    QVERIFY(!parseConcatList(text, "/lists", &files, &error));
    QVERIFY(!error.isEmpty());
}

void TestToolParts::writtenConcatListReadsBack()
{
    const QStringList paths = {"/out/plain.mp4", "/out/a b/it's.mp4", "/out/''/x.mp4", "/out/back\\slash.mp4", "/out/日本.mp4"};
    QStringList files;
    QString error;
    QVERIFY(parseConcatList(formatConcatList(paths), "/elsewhere", &files, &error));
    QCOMPARE(files, paths);
    QVERIFY(!canListPath("/out/line\nbreak.mp4"));
}

namespace {

ProbedMedia clip(int width = 720, int height = 480, int sampleRate = 44100, double seconds = 2)
{
    ProbedMedia media;
    media.facts.readable = true;
    media.facts.durationSeconds = seconds;
    if (width > 0) {
        media.facts.hasVideo = true;
        media.facts.width = width;
        media.facts.height = height;
        media.facts.videoCodec = QStringLiteral("h264");
        media.facts.pixelFormat = QStringLiteral("yuv420p");
    }
    if (sampleRate > 0) {
        media.facts.hasAudio = true;
        media.facts.sampleRate = sampleRate;
        media.facts.channels = 2;
        media.facts.audioCodec = QStringLiteral("mp3");
    }
    return media;
}

} // namespace

void TestToolParts::joinOfParts_data()
{
    QTest::addColumn<QList<ProbedMedia>>("parts");
    QTest::addColumn<bool>("works");
    QTest::addColumn<bool>("video");
    QTest::addColumn<QList<int>>("silentParts");
    QTest::addColumn<int>("audioModel");

    ProbedMedia unreadable;
    unreadable.error = "Invalid data found when processing input";

    QTest::newRow("alike video parts") << QList<ProbedMedia>{clip(), clip(), clip()} << true << true << QList<int>{} << 0;
    QTest::newRow("middle part without sound gets silence")
        << QList<ProbedMedia>{clip(), clip(720, 480, 0), clip()} << true << true << QList<int>{1} << 0;
    QTest::newRow("first part without sound takes the next one's format")
        << QList<ProbedMedia>{clip(720, 480, 0), clip()} << true << true << QList<int>{0} << 1;
    QTest::newRow("no sound anywhere needs no silence")
        << QList<ProbedMedia>{clip(720, 480, 0), clip(720, 480, 0)} << true << true << QList<int>{} << -1;
    QTest::newRow("song in the video joiner") << QList<ProbedMedia>{clip(), clip(0, 0)} << false << true << QList<int>{} << 0;
    QTest::newRow("another picture size") << QList<ProbedMedia>{clip(), clip(640, 480)} << false << true << QList<int>{} << 0;
    QTest::newRow("another sample rate") << QList<ProbedMedia>{clip(), clip(720, 480, 48000)} << false << true << QList<int>{} << 0;
    QTest::newRow("songs") << QList<ProbedMedia>{clip(0, 0), clip(0, 0)} << true << false << QList<int>{} << 0;
    QTest::newRow("a part that cannot be read") << QList<ProbedMedia>{clip(), unreadable} << false << true << QList<int>{} << 0;
    QTest::newRow("no parts") << QList<ProbedMedia>{} << false << false << QList<int>{} << -1;
}

void TestToolParts::joinOfParts()
{
    QFETCH(QList<ProbedMedia>, parts);
    QList<JoinPart> joinParts;
    double total = 0;
    for (const ProbedMedia &media : parts) {
        joinParts.append(JoinPart{QStringLiteral("/out/part%1.mp4").arg(joinParts.size()), media});
        total += media.facts.durationSeconds;
    }
    const JoinPlan plan = planJoin(joinParts);
    QFETCH(bool, works);
    QCOMPARE(plan.error.isEmpty(), works);
    if (!works)
        return;
    QTEST(plan.video, "video");
    QTEST(plan.silentParts, "silentParts");
    QTEST(plan.audioModel, "audioModel");
    QCOMPARE(plan.audio, plan.audioModel >= 0);
    QCOMPARE(plan.expectedSeconds, total);
}

void TestToolParts::imageTargetBySuffix_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("format"); // empty: not written
    QTest::addColumn<bool>("flatten");
    QTest::addColumn<bool>("fitInIcon");

    QTest::newRow("jpg") << "jpg" << "JPEG" << true << false;
    QTest::newRow("JPEG") << "JPEG" << "JPEG" << true << false;
    QTest::newRow("png") << "png" << "PNG" << false << false;
    QTest::newRow("bmp") << "bmp" << "BMP" << true << false;
    QTest::newRow("gif") << "gif" << "GIF" << false << false;
    QTest::newRow("pcx") << "pcx" << "PCX" << true << false;
    QTest::newRow("tga") << "tga" << "TGA" << false << false;
    QTest::newRow("ico") << "ico" << "ICO" << false << true;
    QTest::newRow("tif") << "tif" << "TIFF" << false << false;
    QTest::newRow("Tiff") << "Tiff" << "TIFF" << false << false;
    QTest::newRow("webp") << "webp" << "WEBP" << false << false;
    QTest::newRow("AVIF") << "AVIF" << "AVIF" << true << false;
    QTest::newRow("heic: read, not written") << "heic" << "" << false << false;
    QTest::newRow("none") << "" << "" << false << false;
}

void TestToolParts::imageTargetBySuffix()
{
    QFETCH(QString, suffix);
    QFETCH(QString, format);
    const ImageTarget *target = imageTargetFor(suffix);
    QCOMPARE(target != nullptr, !format.isEmpty());
    if (!target)
        return;
    QCOMPARE(QString::fromLatin1(target->magickFormat), format);
    QTEST(target->flatten, "flatten");
    QTEST(target->fitInIcon, "fitInIcon");
}

void TestToolParts::imageInputKeepsItsFrameSelector()
{
    QTemporaryDir folder;
    const QString psd = folder.filePath("photo.PSD");
    const QString bracketed = folder.filePath("b[0].png");
    for (const QString &path : {psd, bracketed}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    ImageInput input = resolveImageInput(psd + "[0]");
    QVERIFY(input.exists);
    QCOMPARE(input.path, psd);
    QCOMPARE(input.selector, QString("[0]"));

    input = resolveImageInput(bracketed); // the brackets belong to the name
    QVERIFY(input.exists);
    QCOMPARE(input.path, bracketed);
    QVERIFY(input.selector.isEmpty());

    QVERIFY(!resolveImageInput(folder.filePath("missing.psd[0]")).exists);
    QVERIFY(!resolveImageInput(folder.path()).exists);

    QDir::setCurrent(folder.path());
    QCOMPARE(resolveImageInput("photo.PSD").path, psd); // absolute: "name:" is never a format
}

void TestToolParts::imageArgumentsByTarget_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<QString>("selector");
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QStringList>("arguments");

    const QStringList flatten = {"-background", "white", "-alpha", "remove", "-alpha", "off"};
    QTest::newRow("png to jpg: first frame, on white")
        << "/p/a.png" << "" << "jpg" << QStringList{"/p/a.png[0]", "-auto-orient"} + flatten + QStringList{"JPEG:/o/x.jpg"};
    QTest::newRow("layer chosen by the caller stays")
        << "/p/a.psd" << "[0]" << "png" << QStringList{"/p/a.psd[0]", "-auto-orient", "PNG:/o/x.png"};
    QTest::newRow("icon is fitted into 256x256")
        << "/p/a.jpg" << "" << "ico" << QStringList{"/p/a.jpg[0]", "-auto-orient", "-resize", "256x256>", "ICO:/o/x.ico"};
    QTest::newRow("gif from gif keeps its frames")
        << "/p/a.GIF" << "" << "gif" << QStringList{"/p/a.GIF", "-auto-orient", "GIF:/o/x.gif"};
    QTest::newRow("a % in a name is no pattern")
        << "/p/100%d.png" << "" << "png" << QStringList{"/p/100%%d.png[0]", "-auto-orient", "PNG:/o/x.png"};
    QTest::newRow("gif to tiff gives one picture")
        << "/p/a.gif" << "" << "tif" << QStringList{"/p/a.gif[0]", "-auto-orient", "TIFF:/o/x.tif"};
    QTest::newRow("a phone's photo with the EXIF and profile ImageMagick does not read")
        << "/p/a.heic" << "" << "jpg"
        << QStringList{"/p/a.heic[0]", "-profile", "/s/exif.app1", "-profile", "/s/profile.icc", "-auto-orient"}
               + flatten + QStringList{"JPEG:/o/x.jpg"};
}

void TestToolParts::imageArgumentsByTarget()
{
    QFETCH(QString, input);
    QFETCH(QString, selector);
    QFETCH(QString, suffix);
    ImageInput image;
    image.path = input;
    image.selector = selector;
    image.exists = true;
    if (input.endsWith(".heic"))
        image.profiles = QStringList{"/s/exif.app1", "/s/profile.icc"};
    QTEST(imageMagickArguments(image, *imageTargetFor(suffix), "/o/x." + suffix), "arguments");
}

// An IFD0 of two entries, the orientation (SHORT) second, in either byte order.
void TestToolParts::exifOfAHeifPhotoIsMarkedUpright_data()
{
    QTest::addColumn<QByteArray>("tiff");
    QTest::addColumn<QByteArray>("upright");
    const QByteArray little = QByteArray("II*\0\x08\0\0\0\x02\0", 10) + QByteArray("\x0f\x01\x02\0\x01\0\0\0X\0\0\0", 12);
    const QByteArray big = QByteArray("MM\0*\0\0\0\x08\0\x02", 10) + QByteArray("\x01\x0f\0\x02\0\0\0\x01X\0\0\0", 12);
    QTest::newRow("little-endian, turned (6)")
        << little + QByteArray("\x12\x01\x03\0\x01\0\0\0\x06\0\0\0", 12)
        << little + QByteArray("\x12\x01\x03\0\x01\0\0\0\x01\0\0\0", 12);
    QTest::newRow("big-endian, mirrored and turned (8)")
        << big + QByteArray("\x01\x12\0\x03\0\0\0\x01\0\x08\0\0", 12)
        << big + QByteArray("\x01\x12\0\x03\0\0\0\x01\0\x01\0\0", 12);
    const QByteArray withoutTag = little + QByteArray("\x10\x01\x02\0\x01\0\0\0Y\0\0\0", 12);
    QTest::newRow("no orientation") << withoutTag << withoutTag;
    QTest::newRow("cut short") << little.left(9) << little.left(9);
    QTest::newRow("no TIFF header") << QByteArray("Exif") << QByteArray("Exif");
}

void TestToolParts::exifOfAHeifPhotoIsMarkedUpright()
{
    QFETCH(QByteArray, tiff);
    QTEST(uprightExif(tiff), "upright");
}

void TestToolParts::leftoversOfEndedToolsAreRemoved()
{
    QProcess ended;
    ended.start("true", {});
    QVERIFY(ended.waitForStarted());
    const QString gone = QString::number(ended.processId());
    QVERIFY(ended.waitForFinished());
    const QString alive = QString::number(getpid());

    QTemporaryDir folder;
    QTemporaryDir elsewhere;
    const auto make = [&](const QString &name) {
        QFile file(folder.filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write("x") == 1;
    };
    const QStringList removed = {".quillmora-" + gone + "-abcdefghij.mp4", ".quillmora-" + gone + "-bcdefghijk.scratch"};
    const QStringList kept = {".quillmora-" + alive + "-cdefghijkl.mp4", ".quillmora-" + gone + "-defghijklm.jpg",
                              ".quillmora-" + gone + "-efghijklmn.png", ".quillmora-notes.txt",
                              ".quillmora-" + gone + "-short.mp4", "film.mp4"};
    QVERIFY(make(removed[0]));
    QVERIFY(QDir(folder.path()).mkpath(removed[1] + "/sub"));
    QVERIFY(make(removed[1] + "/sub/magick-cache"));
    for (const QString &name : kept)
        QVERIFY(name == kept[2] || make(name));
    // Held by a live process in another pid namespace, say: its lock counts.
    const int held = ::open(QFile::encodeName(folder.filePath(kept[1])).constData(), O_RDONLY | O_CLOEXEC);
    QVERIFY(held >= 0 && flock(held, LOCK_EX) == 0);
    // A link is never followed, nor removed.
    QVERIFY(QFile::link(elsewhere.filePath("target"), folder.filePath(kept[2])));
    QFile target(elsewhere.filePath("target"));
    QVERIFY(target.open(QIODevice::WriteOnly));
    target.close();

    TemporaryOutput output(folder.filePath("out.mp4"));
    QString error;
    QVERIFY2(output.create(&error), qPrintable(error));
    ::close(held);

    QDir::Filters all = QDir::Files | QDir::Dirs | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;
    QStringList expected = kept;
    expected.sort();
    QCOMPARE(QDir(folder.path()).entryList(all, QDir::Name), expected);
    QVERIFY(QFile::exists(elsewhere.filePath("target")));
}

QTEST_APPLESS_MAIN(TestToolParts)
void TestToolParts::factsTextReadsBack()
{
    ProbedMedia media;
    MediaFacts &facts = media.facts;
    facts.readable = true;
    facts.durationSeconds = 59.96;
    facts.hasVideo = true;
    facts.width = 1080;
    facts.height = 1920;
    facts.pixelAspect = 4.0 / 3;
    facts.frameRate = 30000.0 / 1001;
    facts.rotation = 90;
    facts.videoCodec = "h264";
    facts.pixelFormat = "yuvj420p";
    facts.hasAudio = true;
    facts.sampleRate = 48000;
    facts.channels = 6;
    facts.audioCodec = "aac";
    facts.audioBitRate = 384000;
    media.channelLayout = "5.1(side)";

    ProbedMedia read;
    ProbeDetail detail = ProbeDetail::Facts;
    QString muxer;
    QVERIFY(factstext::read(factstext::write(media, ProbeDetail::PixelFormat, "mp4"), &read, &detail, &muxer));
    QCOMPARE(detail, ProbeDetail::PixelFormat);
    QCOMPARE(muxer, QString("mp4"));
    QCOMPARE(read.channelLayout, media.channelLayout);
    const MediaFacts &back = read.facts;
    QVERIFY(back.readable && back.hasVideo && back.hasAudio);
    QCOMPARE(back.durationSeconds, facts.durationSeconds);
    QCOMPARE(back.pixelAspect, facts.pixelAspect);
    QCOMPARE(back.frameRate, facts.frameRate);
    QCOMPARE(QList<int>({back.width, back.height, back.rotation, back.sampleRate, back.channels}),
             QList<int>({1080, 1920, 90, 48000, 6}));
    QCOMPARE(QStringList({back.videoCodec, back.pixelFormat, back.audioCodec}), QStringList({"h264", "yuvj420p", "aac"}));
    QCOMPARE(back.audioBitRate, facts.audioBitRate);

    // Sound alone: no picture facts come back.
    ProbedMedia song;
    song.facts.hasAudio = true;
    song.facts.audioCodec = "flac";
    QVERIFY(factstext::read(factstext::write(song, ProbeDetail::Facts, QString()), &read, &detail, &muxer));
    QVERIFY(!read.facts.hasVideo && read.facts.videoCodec.isEmpty() && muxer.isEmpty());
}

void TestToolParts::factsTextRejectsWhatItDidNotWrite_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("no stream") << QByteArray("detail=0;duration=2");
    QTest::newRow("no detail") << QByteArray("duration=2;audio=flac");
    QTest::newRow("detail out of range") << QByteArray("detail=7;audio=flac");
    QTest::newRow("bad number") << QByteArray("detail=0;audio=flac;samplerate=44.1k");
    QTest::newRow("unknown key") << QByteArray("detail=0;audio=flac;loudness=-14");
    QTest::newRow("pair without a value") << QByteArray("detail=0;audio");
}

void TestToolParts::factsTextRejectsWhatItDidNotWrite()
{
    QFETCH(QByteArray, text);
    ProbedMedia media;
    ProbeDetail detail = ProbeDetail::Facts;
    QString muxer;
    QVERIFY(!factstext::read(text, &media, &detail, &muxer));
}

#include "tst_toolparts.moc"
