// What a converted file keeps of its source: the streams that need no change,
// copied bit for bit, and the tags, creation_time and chapters in every
// format that can hold them. Real conversions through build/transcoder with
// the application's own arguments, read back with ffprobe.

#include "app/outputprofile.h"
#include "engine/transcoderarguments.h"
#include "tests/conversion/conversionrun.h"
#include "tests/support/files.h"
#include "tests/support/media.h"
#include "tests/support/programrun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>
#include <QtTest>

using testsupport::Finished;
using testsupport::runProgram;

namespace {

const char *const suffixes[] = {"mp4", "flv", "avi", "asf", "dv", "mkv", "mov", "mpg", "vob", "wmv", "rm",
                                "mp3", "aac", "ac3", "mp2", "wma", "aiff", "au", "m4a", "ogg", "ra", "flac"};

// The source's tags, as the test writes them (ffmetadata), and its chapters.
const QList<QPair<QString, QString>> sourceTags{
    {"title", "Harbour at dawn"}, {"artist", "Mira Ostrander"}, {"album", "Coastlines"}, {"track", "3"},
    {"date", "2021"}, {"comment", "first light"}, {"creation_time", "2020-05-06T07:08:09.000000Z"},
    {"location", "+48.8577+002.2950/"},
};

// Every tag of the file (container and streams), keys in lower case, the
// sound's language and the chapter titles.
struct ReadBack {
    QHash<QString, QString> tags;
    QString soundLanguage;
    QStringList chapters;
};

ReadBack readBack(const QString &path)
{
    const Finished probed = runProgram(QStringLiteral("ffprobe"), {"-v", "error", "-show_entries",
                                                                   "format_tags:stream=codec_type:stream_tags:chapter_tags", "-of",
                                                                   "json", path});
    const QJsonObject root = QJsonDocument::fromJson(probed.output).object();
    ReadBack read;
    auto take = [&](const QJsonObject &tags) {
        for (auto it = tags.begin(); it != tags.end(); ++it)
            read.tags.insert(it.key().toLower(), it.value().toString());
    };
    take(root.value("format").toObject().value("tags").toObject());
    for (const QJsonValue &value : root.value("streams").toArray()) {
        const QJsonObject stream = value.toObject();
        const QJsonObject tags = stream.value("tags").toObject();
        take(tags);
        if (stream.value("codec_type").toString() == QLatin1String("audio") && read.soundLanguage.isEmpty())
            read.soundLanguage = tags.value("language").toString();
    }
    for (const QJsonValue &chapter : root.value("chapters").toArray())
        read.chapters << chapter.toObject().value("tags").toObject().value("title").toString();
    return read;
}

// The MD5 of every packet of the first video stream, in order.
QByteArray videoPackets(const QString &path)
{
    return runProgram(QStringLiteral("ffmpeg"),
                      {"-v", "error", "-i", path, "-map", "0:v:0", "-c", "copy", "-f", "framemd5", "-"})
        .output;
}

QByteArray packetHashes(const QByteArray &framemd5)
{
    QByteArray hashes;
    for (const QByteArray &line : framemd5.split('\n')) {
        if (!line.startsWith('#') && !line.isEmpty())
            hashes += line.split(',').last().trimmed() + '\n';
    }
    return hashes;
}

} // namespace

class TestKeptSource : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void tagsAndChaptersInEveryFormat_data();
    void tagsAndChaptersInEveryFormat();
    void unchangedStreamsAreCopied_data();
    void unchangedStreamsAreCopied();

private:
    QString path(const QString &name) const { return folder.filePath(name); }

    QTemporaryDir folder;
};

void TestKeptSource::initTestCase()
{
    QVERIFY(folder.isValid());
    QString metadata = QStringLiteral(";FFMETADATA1\n");
    for (const auto &[key, value] : sourceTags)
        metadata += key + u'=' + value + u'\n';
    metadata += QStringLiteral("[CHAPTER]\nTIMEBASE=1/1000\nSTART=0\nEND=1000\ntitle=Tide\n"
                               "[CHAPTER]\nTIMEBASE=1/1000\nSTART=1000\nEND=2000\ntitle=Gulls\n");
    QVERIFY(testsupport::writeFile(path("tags.txt"), metadata.toUtf8()));
    // A phone's or a download's file: H.264 and AAC, tagged, with chapters and a French sound track.
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=10:duration=2", "-f", "lavfi",
                                  "-i", "sine=duration=2", "-i", path("tags.txt"), "-map", "0", "-map", "1",
                                  "-map_metadata", "2", "-map_chapters", "2", "-metadata:s:a", "language=fra",
                                  "-pix_fmt", "yuv420p", "-c:v", "libx264", "-c:a", "aac", path("source.mkv")}));
    QVERIFY(testmedia::runFfmpeg({"-i", path("source.mkv"), "-vn", "-c:a", "libmp3lame", path("song.mp3")}));
    QVERIFY(testmedia::runFfmpeg({"-i", path("source.mkv"), "-vn", "-c:a", "copy", path("song.m4a")}));
    // A camera's: B-frames, an NTSC frame rate, sound at 44.1 kHz.
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=30000/1001:duration=2", "-f",
                                  "lavfi", "-i", "sine=duration=2:sample_rate=44100", "-pix_fmt", "yuv420p", "-c:v",
                                  "libx264", "-bf", "3", "-c:a", "aac", path("camera.mp4")}));
    // A download with subtitles.
    QVERIFY(testsupport::writeFile(path("words.srt"), "1\n00:00:00,500 --> 00:00:01,500\nAhoy\n"));
    QVERIFY(testmedia::runFfmpeg({"-i", path("camera.mp4"), "-i", path("words.srt"), "-map", "0", "-map", "1",
                                  "-c", "copy", "-c:s", "srt", path("subtitled.mkv")}));
}

// Each format's default job; the items its container holds, which must
// arrive with the source's values.
void TestKeptSource::tagsAndChaptersInEveryFormat_data()
{
    QTest::addColumn<int>("formatId");
    QTest::addColumn<QStringList>("kept");
    const QStringList all{"title",         "artist",   "album",    "track",   "date", "comment",
                          "creation_time", "location", "language", "chapters"};
    const QStringList id3{"title", "artist", "album", "track", "date", "comment", "creation_time", "location",
                          "chapters"};
    const QStringList asf{"title", "artist", "album", "track", "date", "comment", "location", "chapters"};
    const QStringList vorbis{"title", "artist", "album", "track", "date", "comment", "creation_time", "location"};
    const QList<QStringList> kept{
        all,                                                                      // MP4
        {"title", "artist", "album", "track", "date", "comment", "creation_time", "location"}, // FLV
        {"title", "artist", "track", "date", "comment"},                          // AVI
        asf,                                                                      // ASF
        {},                                                                       // DV
        all,                                                                      // MKV
        {"title", "artist", "album", "date", "comment", "creation_time", "location", "language", "chapters"}, // MOV
        {},                                                                       // MPG
        {},                                                                       // VOB
        asf,                                                                      // WMV
        {"title", "comment"},                                                     // RM
        id3,                                                                      // MP3
        id3,                                                                      // AAC, an ID3 tag before the ADTS frames
        {},                                                                       // AC3
        {},                                                                       // MP2
        asf,                                                                      // WMA
        id3,                                                                      // AIFF
        {"title", "artist", "album", "track"},                                    // AU
        all,                                                                      // M4A
        vorbis + QStringList{"language"},                                         // OGG
        {"title", "comment"},                                                     // RA
        vorbis,                                                                   // FLAC
    };
    for (int id = 0; id <= 21; ++id)
        QTest::newRow(suffixes[id]) << id << kept[id];
}

void TestKeptSource::tagsAndChaptersInEveryFormat()
{
    QFETCH(int, formatId);
    QFETCH(QStringList, kept);
    const QString output = path(QStringLiteral("tagged.") + QLatin1String(suffixes[formatId]));
    const conversion::Outcome outcome =
        conversion::convert(makeJob(formatId, defaultProfile(formatId)), path("source.mkv"), output);
    QVERIFY2(outcome.succeeded, qPrintable(outcome.errors));

    const ReadBack read = readBack(output);
    for (const auto &[key, value] : sourceTags) {
        if (kept.contains(key))
            QVERIFY2(read.tags.value(key) == value, qPrintable(key + u'=' + read.tags.value(key)));
    }
    if (kept.contains(QLatin1String("language")))
        QCOMPARE(read.soundLanguage, QStringLiteral("fra"));
    if (kept.contains(QLatin1String("chapters")))
        QCOMPARE(read.chapters, QStringList({"Tide", "Gulls"}));
}

// The everyday cases, with the arguments the application gives: the tool
// says which streams it copied, and a copied picture is the source's, packet
// for packet.
void TestKeptSource::unchangedStreamsAreCopied_data()
{
    QTest::addColumn<QString>("input");
    QTest::addColumn<int>("formatId");
    QTest::addColumn<QString>("copied");
    QTest::newRow("H.264 and AAC .mkv to MP4") << "source.mkv" << int(FormatMP4) << "video,audio";
    QTest::newRow("H.264 and AAC .mkv to MOV") << "source.mkv" << 6 << "video,audio";
    QTest::newRow("to AVI: no picture times, and MP3") << "source.mkv" << 2 << "";
    QTest::newRow("AAC .m4a to AAC") << "song.m4a" << 12 << "audio";
    QTest::newRow("MP3 to MP3") << "song.mp3" << int(FormatMP3) << "audio";
    QTest::newRow("MKV's own codecs are others") << "source.mkv" << 5 << "";
    QTest::newRow("B-frames and 44.1 kHz .mp4 to MP4") << "camera.mp4" << int(FormatMP4) << "video,audio";
    QTest::newRow("the sound of an .mp4 to M4A") << "camera.mp4" << 18 << "audio";
    QTest::newRow("subtitles go along into MP4") << "subtitled.mkv" << int(FormatMP4) << "video,audio";
}

void TestKeptSource::unchangedStreamsAreCopied()
{
    QFETCH(QString, input);
    QFETCH(int, formatId);
    QFETCH(QString, copied);
    const QString output = path(QStringLiteral("copy-%1.%2").arg(QFileInfo(input).baseName(), suffixes[formatId]));
    const ConvertJob job = makeJob(formatId, defaultProfile(formatId));
    const QString transcoder = QStringLiteral(QUILLMORA_BUILD_DIR "/transcoder");
    const QStringList arguments = buildTranscoderArguments(job, {path(input), output, PassKind::Single});
    const Finished run = runProgram(transcoder, arguments);
    QVERIFY2(run.exitCode == 0, qPrintable(run.errors));
    const QString report = QString::fromUtf8(run.output).trimmed();
    QCOMPARE(report, copied.isEmpty() ? QString() : QStringLiteral("quillmora:copied=") + copied);

    QString errors;
    QVERIFY2(conversion::decodesCleanly(output, &errors), qPrintable(errors));
    if (copied.isEmpty())
        return;
    QVERIFY(std::abs(testmedia::probe(output).duration - testmedia::probe(path(input)).duration) < 0.1);
    if (copied.startsWith(QLatin1String("video")))
        QCOMPARE(packetHashes(videoPackets(output)), packetHashes(videoPackets(path(input))));

    // The copy is what ffmpeg itself writes when given the same command,
    // byte for byte: tags, chapters, timestamps and all.
    QStringList own = QString::fromUtf8(runProgram(transcoder, QStringList{"--print-ffmpeg-arguments"} + arguments).output)
                          .split(u'\n', Qt::SkipEmptyParts);
    own.last() = path(QStringLiteral("ffmpeg-") + QFileInfo(output).fileName());
    QVERIFY(testmedia::runFfmpeg(own));
    QVERIFY(testsupport::readFile(output) == testsupport::readFile(own.last()));
}

QTEST_GUILESS_MAIN(TestKeptSource)
#include "tst_keptsource.moc"
