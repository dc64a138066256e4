// The transcoder's own reader of MP4, MOV, M4A and 3GP files against
// libavformat, the probe it stands in for. On files ffmpeg makes of every kind
// a user brings, on damaged and truncated ones and on every AAC configuration
// it must report exactly what libavformat reports from the header, or decline.
#include "tests/support/files.h"
#include "tests/support/media.h"
#include "tests/support/programrun.h"
#include "tools/transcoder/isomedia/isomediafacts.h"
#include "tools/transcoder/mediaprobe.h"

#include <QTemporaryDir>
#include <QtEndian>
#include <QtTest>

#include <optional>
#include <random>

using testsupport::readFile;
using testsupport::writeFile;

namespace {

enum class Expect { Read, Decline, Either };

struct CorpusFile {
    QString name; // its suffix picks the container
    QStringList arguments; // "%1" stands for the corpus folder
    Expect expect;
};

QStringList video(const QString &size = "160x120", const QString &rate = "25", double seconds = 1)
{
    return {"-f", "lavfi", "-i", QStringLiteral("testsrc2=size=%1:rate=%2:duration=%3").arg(size, rate).arg(seconds)};
}

QStringList sound(int rate = 44100, int channels = 2, double seconds = 1)
{
    return {"-f", "lavfi", "-i", QStringLiteral("sine=sample_rate=%1:duration=%2").arg(rate).arg(seconds),
            "-ac", QString::number(channels)};
}

const QStringList h264 = {"-c:v", "libx264", "-preset", "ultrafast", "-pix_fmt", "yuv420p"};
const QStringList hevc = {"-c:v", "libx265", "-preset", "ultrafast", "-x265-params", "log-level=error"};
const QStringList mjpeg = {"-c:v", "mjpeg", "-pix_fmt", "yuvj420p"};

// Files of the kinds the transcoder meets, made by Debian's ffmpeg. Read:
// the reader must follow it; Decline: libavformat holds facts it cannot know
// (a size left to the decoder, fragments) or it is no ISO file at all.
QList<CorpusFile> corpus()
{
    return {
        {"h264-aac.mp4", video() + sound() + h264 + QStringList{"-c:a", "aac"}, Expect::Read},
        {"h264-aac-faststart.mp4", video() + sound() + h264 + QStringList{"-c:a", "aac", "-movflags", "+faststart"}, Expect::Read},
        {"h264-aac.mov", video() + sound() + h264 + QStringList{"-c:a", "aac"}, Expect::Read},
        {"h264-aac.3gp", video("176x144") + sound(8000, 1) + h264 + QStringList{"-c:a", "aac"}, Expect::Read},
        {"hevc-hvc1.mp4", video() + hevc + QStringList{"-tag:v", "hvc1"}, Expect::Read},
        {"hevc-hev1.mp4", video() + sound() + hevc + QStringList{"-c:a", "aac"}, Expect::Read},
        {"mjpeg.mov", video() + sound() + mjpeg + QStringList{"-c:a", "pcm_s16le"}, Expect::Read},
        {"mjpeg.mp4", video() + mjpeg, Expect::Read},
        {"mpeg4-aac.mp4", video() + sound() + QStringList{"-c:v", "mpeg4", "-c:a", "aac"}, Expect::Decline},
        {"mpeg4-aac.3gp", video("176x144") + sound(8000, 1) + QStringList{"-c:v", "mpeg4", "-c:a", "aac"}, Expect::Decline},
        {"vp9.mp4", video() + QStringList{"-c:v", "libvpx-vp9", "-deadline", "realtime"}, Expect::Either},
        {"odd-size-h264.mp4", video("161x121") + QStringList{"-c:v", "libx264", "-pix_fmt", "yuv444p"}, Expect::Read},
        {"odd-size-mjpeg.mov", video("161x121") + QStringList{"-c:v", "mjpeg", "-pix_fmt", "yuvj444p"}, Expect::Read},
        {"rotated.mp4", video() + sound() + h264 + QStringList{"-c:a", "aac", "-metadata:s:v", "rotate=90"}, Expect::Read},
        {"rotated.mov", video() + h264 + QStringList{"-metadata:s:v", "rotate=270"}, Expect::Read},
        {"ntsc-rate.mp4", video("160x120", "30000/1001", 2) + h264, Expect::Read},
        {"variable-rate.mp4",
         video() + h264 + QStringList{"-vf", "setpts='N/(25*TB)+if(gt(N,10),0.3/TB,0)'", "-fps_mode", "vfr"}, Expect::Read},
        {"pictures-only.mov", video() + h264, Expect::Read},
        {"aac.m4a", sound() + QStringList{"-c:a", "aac"}, Expect::Read},
        {"aac-96k-51.mp4", sound(96000, 6) + QStringList{"-c:a", "aac"}, Expect::Read},
        {"aac-8k-mono.mp4", sound(8000, 1) + QStringList{"-c:a", "aac"}, Expect::Read},
        {"aac-51.mov", sound(48000, 6) + QStringList{"-c:a", "aac"}, Expect::Read},
        {"mp3.mp4", sound() + QStringList{"-c:a", "libmp3lame"}, Expect::Read},
        {"mp3-8k-mono.mov", sound(8000, 1) + QStringList{"-c:a", "libmp3lame"}, Expect::Read},
        {"alac.m4a", sound() + QStringList{"-c:a", "alac"}, Expect::Read},
        {"alac-96k-51.mov", sound(96000, 6) + QStringList{"-c:a", "alac"}, Expect::Read},
        {"pcm-s16.mov", sound() + QStringList{"-c:a", "pcm_s16le"}, Expect::Read},
        {"pcm-s24.mov", sound(48000, 1) + QStringList{"-c:a", "pcm_s24le"}, Expect::Read},
        {"pcm-f32.mov", sound() + QStringList{"-c:a", "pcm_f32le"}, Expect::Read},
        {"pcm-96k-51.mov", sound(96000, 6) + QStringList{"-c:a", "pcm_s16le"}, Expect::Read},
        {"pcm-mulaw.mov", sound(8000, 1) + QStringList{"-c:a", "pcm_mulaw"}, Expect::Read},
        {"timecode.mov", video() + mjpeg + QStringList{"-timecode", "01:00:00:00"}, Expect::Read},
        {"cover.m4a",
         sound() + video("64x64", "1", 0.1) + QStringList{"-map", "0:a", "-map", "1:v", "-c:a", "aac", "-c:v", "png",
                                                           "-frames:v", "1", "-disposition:v", "attached_pic"},
         Expect::Either},
        {"subtitles.mp4", video() + QStringList{"-i", "%1/subtitles.srt"} + h264 + QStringList{"-c:s", "mov_text"},
         Expect::Read},
        {"chapters.mp4", video() + QStringList{"-i", "%1/chapters.txt", "-map_metadata", "1"} + h264, Expect::Either},
        {"two-sound-tracks.mp4",
         video() + sound() + h264 + QStringList{"-map", "0:v", "-map", "1:a", "-map", "1:a", "-c:a", "aac"},
         Expect::Decline},
        {"fragmented.mp4", video() + sound() + h264 + QStringList{"-c:a", "aac", "-movflags", "frag_keyframe+empty_moov"},
         Expect::Decline},
        {"fragmented-with-index.mp4", video() + sound() + h264 + QStringList{"-c:a", "aac", "-movflags", "frag_keyframe"},
         Expect::Decline},
        // An edit list that starts the tracks later; libavformat's header facts ignore it.
        {"edit-list.mp4", {"-ss", "0.37", "-i", "%1/h264-aac.mp4", "-c", "copy"}, Expect::Read},
        {"edit-list.mov", {"-ss", "0.5", "-i", "%1/h264-aac.mov", "-c", "copy", "-t", "0.3"}, Expect::Read},
        {"matroska.mkv", video() + sound() + h264 + QStringList{"-c:a", "aac"}, Expect::Decline},
        {"sound.wav", sound(), Expect::Decline},
        {"sound.mp3", sound() + QStringList{"-c:a", "libmp3lame"}, Expect::Decline},
    };
}

QString differences(const MediaFacts &native, const MediaFacts &libav)
{
    QStringList different;
    auto check = [&](const char *field, auto ours, auto theirs) {
        if (ours != theirs)
            different << QStringLiteral("%1 %2 (libav %3)").arg(field).arg(ours, 0, 'g', 17).arg(theirs, 0, 'g', 17);
    };
    check("readable", double(native.readable), double(libav.readable));
    check("duration", native.durationSeconds, libav.durationSeconds);
    check("hasVideo", double(native.hasVideo), double(libav.hasVideo));
    check("width", double(native.width), double(libav.width));
    check("height", double(native.height), double(libav.height));
    check("frameRate", native.frameRate, libav.frameRate);
    check("hasAudio", double(native.hasAudio), double(libav.hasAudio));
    check("sampleRate", double(native.sampleRate), double(libav.sampleRate));
    check("channels", double(native.channels), double(libav.channels));
    return different.join(QStringLiteral(", "));
}

// Empty when the reader declines the file or reads what libavformat reads.
QString mismatchWithLibav(const QString &path)
{
    const std::optional<MediaFacts> native = readIsoMediaFacts(path);
    if (!native)
        return QString();
    const ProbedMedia libav = probeMediaWithLibav(path, ProbeDetail::Facts);
    if (!libav.facts.readable)
        return QStringLiteral("read, but libav cannot: %1").arg(libav.error);
    return differences(*native, libav.facts);
}

// The byte offset of a box's size field, found by its type; -1 when missing.
qsizetype boxOffset(const QByteArray &file, const char *type)
{
    const qsizetype at = file.indexOf(type);
    return at < 4 ? -1 : at - 4;
}

} // namespace

class TestIsoMediaFacts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void readsWhatLibavReadsOrDeclines_data();
    void readsWhatLibavReadsOrDeclines();
    void declinesWhatIsNoMediaFile_data();
    void declinesWhatIsNoMediaFile();
    void damagedFilesAreDeclinedOrReadAlike_data();
    void damagedFilesAreDeclinedOrReadAlike();
    void truncatedFilesAreDeclined_data();
    void truncatedFilesAreDeclined();
    void quickTimeStringsAreReadWithinTheirBox_data();
    void quickTimeStringsAreReadWithinTheirBox();
    void movieTimesAreRescaledAsLibavDoes_data();
    void movieTimesAreRescaledAsLibavDoes();
    void everyAacConfigurationIsReadAsLibavReadsIt();
    void transcoderDoesNotLoadLibavAtStart();

private:
    QString path(const QString &name) const { return folder.filePath(name); }
    QString variant(const QString &source, const QByteArray &content, const QString &name) const;

    QTemporaryDir folder;
};

void TestIsoMediaFacts::initTestCase()
{
    QVERIFY(folder.isValid());
    QVERIFY(writeFile(path("subtitles.srt"), "1\n00:00:00,100 --> 00:00:00,800\nHello\n"));
    QVERIFY(writeFile(path("chapters.txt"), ";FFMETADATA1\n[CHAPTER]\nTIMEBASE=1/1000\nSTART=0\nEND=500\ntitle=One\n"
                                            "[CHAPTER]\nTIMEBASE=1/1000\nSTART=500\nEND=1000\ntitle=Two\n"));
    for (const CorpusFile &file : corpus()) {
        QStringList arguments;
        for (const QString &argument : file.arguments)
            arguments << QString(argument).replace(QLatin1String("%1"), folder.path());
        QString errors;
        QVERIFY2(testmedia::runFfmpeg(arguments << path(file.name), &errors), qPrintable(file.name + ": " + errors));
    }
}

void TestIsoMediaFacts::readsWhatLibavReadsOrDeclines_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("expect");
    for (const CorpusFile &file : corpus())
        QTest::newRow(qPrintable(file.name)) << file.name << int(file.expect);
}

void TestIsoMediaFacts::readsWhatLibavReadsOrDeclines()
{
    QFETCH(QString, name);
    QFETCH(int, expect);
    const std::optional<MediaFacts> native = readIsoMediaFacts(path(name));
    const ProbedMedia libav = probeMediaWithLibav(path(name), ProbeDetail::Facts);
    QVERIFY2(libav.facts.readable, qPrintable(libav.error));
    if (expect == int(Expect::Read))
        QVERIFY2(native, "declined a file it should read");
    if (expect == int(Expect::Decline))
        QVERIFY2(!native, "read a file it should decline");
    if (native)
        QVERIFY2(differences(*native, libav.facts).isEmpty(), qPrintable(differences(*native, libav.facts)));
    // What the transcoder uses: the native facts when there are some.
    QVERIFY(differences(probeMedia(path(name), ProbeDetail::Facts).facts, libav.facts).isEmpty());
}

void TestIsoMediaFacts::declinesWhatIsNoMediaFile_data()
{
    QTest::addColumn<bool>("exists");
    QTest::addColumn<QByteArray>("content");
    QTest::newRow("missing") << false << QByteArray();
    QTest::newRow("empty") << true << QByteArray();
    QTest::newRow("text") << true << QByteArray("ftyp moov mdat, but only words\n");
    QTest::newRow("a lone file type box") << true << QByteArray::fromHex("00000014667479706973366d0000020069736f6d");
    QTest::newRow("a box larger than the file") << true << QByteArray::fromHex("7fffffff6674797069736f6d00000200");
    QTest::newRow("a 64-bit size cut short") << true << QByteArray::fromHex("0000000166747970000000");
    QTest::newRow("a box smaller than its header") << true << QByteArray::fromHex("0000000466747970");
    QTest::newRow("an empty movie box")
        << true << QByteArray::fromHex("00000014667479706973366d0000020069736f6d000000086d6f6f76");
}

void TestIsoMediaFacts::declinesWhatIsNoMediaFile()
{
    QFETCH(bool, exists);
    QFETCH(QByteArray, content);
    const QString file = path(QStringLiteral("nomedia-%1.mp4").arg(QTest::currentDataTag()));
    if (exists)
        QVERIFY(writeFile(file, content));
    QVERIFY(!readIsoMediaFacts(file));
}

QString TestIsoMediaFacts::variant(const QString &source, const QByteArray &content, const QString &name) const
{
    const QString target = path(QStringLiteral("%1-%2").arg(name, source));
    return writeFile(target, content) ? target : QString();
}

void TestIsoMediaFacts::damagedFilesAreDeclinedOrReadAlike_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("index at the end") << "h264-aac.mp4";
    QTest::newRow("index in front") << "h264-aac-faststart.mp4";
    QTest::newRow("quicktime") << "h264-aac.mov";
    QTest::newRow("quicktime pcm") << "pcm-96k-51.mov";
}

// Bytes of the index overwritten at random (seeded, so a failure repeats):
// sizes, counts, versions, codes and rates that make no sense, or some other sense.
void TestIsoMediaFacts::damagedFilesAreDeclinedOrReadAlike()
{
    QFETCH(QString, source);
    const QByteArray original = readFile(path(source));
    const qsizetype movie = boxOffset(original, "moov");
    QVERIFY(movie >= 0);
    const quint32 movieSize = qFromBigEndian<quint32>(original.constData() + movie);
    std::mt19937 random(20240607);
    const quint8 replacements[] = {0x00, 0x01, 0x7f, 0x80, 0xff};
    QStringList mismatches;
    int read = 0;
    for (int i = 0; i < 500; ++i) {
        QByteArray damaged = original;
        const qsizetype at = movie + qsizetype(random() % movieSize);
        damaged[at] = char(i % 2 ? replacements[random() % 5] : quint8(damaged[at]) ^ (1u << (random() % 8)));
        const QString file = variant(source, damaged, QStringLiteral("damaged"));
        const QString mismatch = mismatchWithLibav(file);
        read += readIsoMediaFacts(file).has_value();
        if (!mismatch.isEmpty())
            mismatches << QStringLiteral("byte %1 = %2: %3").arg(at).arg(quint8(damaged[at])).arg(mismatch);
    }
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.mid(0, 5).join('\n')));
    QVERIFY2(read > 0, "no damage was harmless: the reader declines too much"); // metadata bytes change nothing
}

void TestIsoMediaFacts::truncatedFilesAreDeclined_data()
{
    QTest::addColumn<QString>("source");
    QTest::newRow("index at the end") << "h264-aac.mp4";
    QTest::newRow("index in front") << "h264-aac-faststart.mp4";
    QTest::newRow("quicktime") << "aac-51.mov";
}

// A download cut short: the last box reaches past the end of the file.
void TestIsoMediaFacts::truncatedFilesAreDeclined()
{
    QFETCH(QString, source);
    const QByteArray original = readFile(path(source));
    QVERIFY(!original.isEmpty());
    for (qsizetype length = 0; length < original.size(); length += qMax<qsizetype>(1, original.size() / 300)) {
        const QString file = variant(source, original.left(length), QStringLiteral("cut"));
        QVERIFY2(!readIsoMediaFacts(file), qPrintable(QStringLiteral("read %1 cut at %2").arg(source).arg(length)));
    }
    for (qsizetype length = original.size() - 40; length < original.size(); ++length)
        QVERIFY(!readIsoMediaFacts(variant(source, original.left(length), QStringLiteral("cut"))));
}

void TestIsoMediaFacts::quickTimeStringsAreReadWithinTheirBox_data()
{
    QTest::addColumn<quint16>("length");
    QTest::addColumn<bool>("libavReads");
    QTest::newRow("as written") << quint16(13) << true;
    QTest::newRow("past the box, at the end of the file") << quint16(15) << false;
    QTest::newRow("longer than the box: read whole") << quint16(0xffff) << true;
}

// The encoder string ffmpeg writes into a QuickTime file's user data, last in
// the file, with its length rewritten: libavformat fails the whole file when
// the string reaches past the end of it.
void TestIsoMediaFacts::quickTimeStringsAreReadWithinTheirBox()
{
    QFETCH(quint16, length);
    QFETCH(bool, libavReads);
    QByteArray file = readFile(path("h264-aac.mov"));
    const qsizetype string = boxOffset(file, "\xa9swr");
    QVERIFY(string > 0);
    QCOMPARE(qFromBigEndian<quint16>(file.constData() + string + 8), quint16(13));
    qToBigEndian(length, file.data() + string + 8);
    const QString patched = variant("h264-aac.mov", file, QStringLiteral("string"));
    QCOMPARE(probeMediaWithLibav(patched, ProbeDetail::Facts).facts.readable, libavReads);
    QCOMPARE(readIsoMediaFacts(patched).has_value(), libavReads);
    QVERIFY2(mismatchWithLibav(patched).isEmpty(), qPrintable(mismatchWithLibav(patched)));
}

void TestIsoMediaFacts::movieTimesAreRescaledAsLibavDoes_data()
{
    QTest::addColumn<quint32>("timescale");
    QTest::addColumn<quint32>("duration");
    QTest::newRow("milliseconds") << 1000u << 1500u;
    QTest::newRow("90 kHz") << 90000u << 135001u;
    QTest::newRow("half a microsecond rounds up") << 2000000u << 3u;
    QTest::newRow("below half a microsecond") << 3000000u << 1u;
    QTest::newRow("one tick a second") << 1u << 7u;
    QTest::newRow("sevenths") << 7u << 10u;
    QTest::newRow("largest of both") << 0x7fffffffu << 0xfffffffeu;
    QTest::newRow("no duration") << 1000u << 0u;
    QTest::newRow("no time scale") << 0u << 1000u;
    QTest::newRow("a time scale libav takes for negative") << 0x80000000u << 1000u;
}

// The movie header's time scale and duration, rewritten.
void TestIsoMediaFacts::movieTimesAreRescaledAsLibavDoes()
{
    QFETCH(quint32, timescale);
    QFETCH(quint32, duration);
    QByteArray file = readFile(path("h264-aac-faststart.mp4"));
    const qsizetype header = boxOffset(file, "mvhd");
    QVERIFY(header >= 0);
    QCOMPARE(file[header + 8], char(0)); // version 0: 32-bit times
    qToBigEndian(timescale, file.data() + header + 20);
    qToBigEndian(duration, file.data() + header + 24);
    const QString patched = variant("movie-times.mp4", file, QStringLiteral("patched"));
    QVERIFY2(mismatchWithLibav(patched).isEmpty(), qPrintable(mismatchWithLibav(patched)));
    if (timescale > 0 && timescale < 0x80000000u && duration > 1)
        QVERIFY(readIsoMediaFacts(patched));
}

namespace {

// An AudioSpecificConfig of the given bit fields (value, width), padded to
// five bytes with zero bits.
QByteArray audioConfig(std::initializer_list<std::pair<int, int>> fields)
{
    quint64 bits = 0;
    int width = 0;
    for (const auto &[value, size] : fields) {
        bits = bits << size | quint64(value);
        width += size;
    }
    bits <<= 40 - width;
    QByteArray config;
    for (int shift = 32; shift >= 0; shift -= 8)
        config += char(bits >> shift);
    return config;
}

} // namespace

// The five-byte configuration in an M4A file replaced by plain AAC of every
// object type, rate index and channel configuration, by SBR signalled
// explicitly and in the backward compatible way at every pair of rates, and
// by types libavformat names other codecs for.
void TestIsoMediaFacts::everyAacConfigurationIsReadAsLibavReadsIt()
{
    QByteArray file = readFile(path("aac.m4a"));
    const qsizetype info = file.indexOf(QByteArray::fromHex("0580808005")); // tag, length 5
    QVERIFY(info > 0);
    QList<QByteArray> configs;
    for (int rate = 0; rate < 16; ++rate) {
        for (int channels = 0; channels < 16; ++channels) {
            for (int objectType : {1, 2, 4, 29})
                configs << audioConfig({{objectType, 5}, {rate, 4}, {channels, 4}, {0, 3}});
        }
        for (int extended = 0; extended < 16; ++extended) {
            configs << audioConfig({{5, 5}, {rate, 4}, {2, 4}, {extended, 4}, {2, 5}, {0, 3}})
                    << audioConfig({{2, 5}, {rate, 4}, {1, 4}, {0, 3}, {0x2b7, 11}, {5, 5}, {1, 1}, {extended, 4}});
        }
        configs << audioConfig({{2, 5}, {rate, 4}, {2, 4}, {0, 3}, {0x2b7, 11}, {5, 5}, {0, 1}})
                << audioConfig({{31, 5}, {4, 6}, {rate, 4}, {2, 4}}); // escaped object type: ALS
    }
    QStringList mismatches;
    int read = 0;
    for (const QByteArray &config : configs) {
        file.replace(info + 5, config.size(), config);
        const QString patched = variant("aac.m4a", file, QStringLiteral("config"));
        const QString mismatch = mismatchWithLibav(patched);
        if (!mismatch.isEmpty())
            mismatches << QStringLiteral("%1: %2").arg(QString::fromLatin1(config.toHex()), mismatch);
        read += readIsoMediaFacts(patched).has_value();
    }
    QVERIFY2(mismatches.isEmpty(), qPrintable(mismatches.mid(0, 5).join('\n')));
    // At least plain AAC of types 1, 2 and 4, the 13 listed rates and channel
    // configurations 1 to 7, and both kinds of SBR at listed rates.
    QVERIFY2(read >= 3 * 13 * 7 + 2 * 13 * 13, qPrintable(QString::number(read)));
}

// The point of the reader: no run of the transcoder pays for loading libav.
void TestIsoMediaFacts::transcoderDoesNotLoadLibavAtStart()
{
    const testsupport::Finished dynamic =
        testsupport::runProgram("readelf", {"--dynamic", QStringLiteral(QUILLMORA_BUILD_DIR "/transcoder")});
    QCOMPARE(dynamic.exitCode, 0);
    QVERIFY(dynamic.output.contains("(NEEDED)"));
    QVERIFY2(!dynamic.output.contains("libav"), dynamic.output.constData());
}

QTEST_GUILESS_MAIN(TestIsoMediaFacts)
#include "tst_isomediafacts.moc"
