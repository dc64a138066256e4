#include "app/convertjob.h"
#include "app/optiontables.h"
#include "app/outputprofile.h"
#include "engine/joinparts.h"
#include "engine/transcoderarguments.h"
#include "engine/transcodervalues.h"

#include <QRandomGenerator>
#include <QSet>
#include <QtTest>

Q_DECLARE_METATYPE(ConvertJob)
Q_DECLARE_METATYPE(ConversionPass)

namespace {

const QString input = QStringLiteral("/in/clip one.mov");
const QString output = QStringLiteral("/out/clip one.mp4");

ConvertJob jobOf(int formatId)
{
    return makeJob(formatId, defaultProfile(formatId));
}

ConversionPass singlePass()
{
    return {input, output, PassKind::Single};
}

// The arguments every run starts with (after "-y" when it replaces an existing output).
QStringList head(const QString &in = input)
{
    return {"-i", in, "-threads", "4", "-preset", "ultrafast"};
}

QString valueAfter(const QStringList &arguments, const QString &option)
{
    const int at = arguments.indexOf(option);
    return at >= 0 && at + 1 < arguments.size() ? arguments[at + 1] : QString();
}

} // namespace

class TestTranscoderArguments : public QObject
{
    Q_OBJECT

private slots:
    void wholeLists_data();
    void wholeLists();
    void filterChain_data();
    void filterChain();
    void trimAndVolume_data();
    void trimAndVolume();
    void editsReachOnlyVideoPasses_data();
    void editsReachOnlyVideoPasses();
    void randomJobsNeverLoseAValue();
    void subtitleCodePagesInTheTabsOrder();
};

// Whole argument lists, one per rule of the builder.
void TestTranscoderArguments::wholeLists_data()
{
    QTest::addColumn<ConvertJob>("job");
    QTest::addColumn<ConversionPass>("pass");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("MP4 defaults") << jobOf(FormatMP4) << singlePass()
                                  << head() + QStringList{"-vcodec", "libx264", "-acodec", "libfaac", output};

    ConvertJob avi = jobOf(2);
    avi.profile.vCodec = 2;
    avi.profile.vSize = 7;
    avi.profile.vFps = 5;
    avi.profile.vBitrate = 3;
    avi.profile.vAspectRatio = 3;
    avi.profile.aCodec = 1;
    avi.profile.aChannels = 1;
    avi.profile.aSamples = 1;
    avi.profile.aBitrate = 2;
    avi.edit.trimStart = 5000;
    avi.edit.trimLength = 20000;
    avi.edit.rotation = 1;
    QTest::newRow("AVI with every option, trimmed, turned")
        << avi << singlePass()
        << head() + QStringList{"-r", "25", "-ss", "5", "-t", "20", "-vf", "transpose=1",
                                "-s", "640x480", "-aspect", "4:3", "-vcodec", "mpeg4", "-b:v", "1024k",
                                "-ar", "44100", "-ac", "2", "-acodec", "libmp3lame", "-b:a", "128k", output};

    QTest::newRow("MP3 defaults") << jobOf(FormatMP3) << singlePass()
                                  << head() + QStringList{"-acodec", "libmp3lame", "-vn", output};
    QTest::newRow("MP3 replacing the output") << jobOf(FormatMP3) << ConversionPass{input, output, PassKind::Single, true}
                                              << QStringList{"-y"} + head() + QStringList{"-acodec", "libmp3lame", "-vn", output};

    ConvertJob dv = jobOf(FormatDV);
    dv.edit.trimStart = 1000;
    dv.edit.trimLength = 2000;
    dv.edit.rotation = 1;
    dv.edit.volume = 50;
    dv.edit.watermark.imagePath = "/pics/logo.png";
    dv.edit.watermark.text = "Hello";
    QTest::newRow("DV ignores profile and edits")
        << dv << singlePass() << head() + QStringList{"-target", "ntsc-dv", output};

    ConvertJob gif = jobOf(FormatGifMaker);
    gif.edit.trimStart = 5;
    gif.edit.trimLength = 3;
    gif.edit.gifSize = 2;
    QTest::newRow("GIF maker in whole seconds")
        << gif << singlePass()
        << head() + QStringList{"-ss", "5", "-t", "3", "-s", "320x240", "-b:v", "1024k", output};
    gif.edit.gifSize = 7;
    QTest::newRow("GIF maker unknown size")
        << gif << singlePass()
        << head() + QStringList{"-ss", "5", "-t", "3", "-s", "50x50", "-b:v", "1024k", output};

    const QString list = "/out/.quillmora-join-x/file.txt";
    QTest::newRow("join pass copies streams")
        << withJoinPartFormat(jobOf(FormatVideoJoiner)) << ConversionPass{list, output, PassKind::JoinFinal}
        << QStringList{"-f", "concat"} + head(list) + QStringList{"-c", "copy", output};

    QTest::newRow("video join part: the joiner's row as MP4")
        << withJoinPartFormat(jobOf(FormatVideoJoiner)) << ConversionPass{input, "/w/subvideo0.mp4", PassKind::JoinPart}
        << head() + QStringList{"-r", "25", "-s", "720x480", "-aspect", "16:9", "-vcodec", "libx264",
                                "-b:v", "7000k", "-ar", "44100", "-ac", "2", "-acodec", "libmp3lame",
                                "-b:a", "256k", "/w/subvideo0.mp4"};
    QTest::newRow("audio join part: the joiner's row as MP3")
        << withJoinPartFormat(jobOf(FormatAudioJoiner)) << ConversionPass{input, "/w/subaudio1.mp3", PassKind::JoinPart}
        << head() + QStringList{"-ar", "44100", "-ac", "2", "-acodec", "libmp3lame", "-b:a", "256k",
                                "-vn", "/w/subaudio1.mp3"};

    // A joiner job with a single input runs as one pass of its own category.
    QTest::newRow("video joiner, one input: audio group only")
        << jobOf(FormatVideoJoiner) << singlePass()
        << head() + QStringList{"-ar", "44100", "-ac", "2", "-acodec", "libmp3lame", "-b:a", "256k", output};
    QTest::newRow("audio joiner, one input: no -vn")
        << jobOf(FormatAudioJoiner) << singlePass()
        << head() + QStringList{"-ar", "44100", "-ac", "2", "-acodec", "libmp3lame", "-b:a", "256k", output};

    // "Fit in" reaches the pass that writes the output, and only where it can work.
    ConvertJob fitted = jobOf(FormatMP4);
    fitted.fitBytes = 25'000'000;
    QTest::newRow("MP4 fitted in 25 MB") << fitted << singlePass()
                                         << QStringList{"--fit-size=25000000"} + head()
                                                + QStringList{"-vcodec", "libx264", "-acodec", "libfaac", output};
    ConvertJob fittedJoin = withJoinPartFormat(jobOf(FormatVideoJoiner));
    fittedJoin.fitBytes = 8'000'000;
    QTest::newRow("fitted join: the join pass")
        << fittedJoin << ConversionPass{list, output, PassKind::JoinFinal}
        << QStringList{"--fit-size=8000000", "-f", "concat"} + head(list) + QStringList{"-c", "copy", output};
    QTest::newRow("fitted join: not its parts")
        << fittedJoin << ConversionPass{input, "/w/subvideo0.mp4", PassKind::JoinPart}
        << buildTranscoderArguments(withJoinPartFormat(jobOf(FormatVideoJoiner)),
                                    ConversionPass{input, "/w/subvideo0.mp4", PassKind::JoinPart});
    ConvertJob fittedSong = jobOf(FormatMP3);
    fittedSong.fitBytes = 8'000'000;
    QTest::newRow("a song is never fitted")
        << fittedSong << singlePass() << head() + QStringList{"-acodec", "libmp3lame", "-vn", output};

    ConvertJob apple = makeJob(FormatMOV, devicePresetProfile(DevicePreset::Apple));
    QTest::newRow("Apple preset")
        << apple << singlePass()
        << head() + QStringList{"-r", "30", "-s", "720x480", "-aspect", "16:9", "-vcodec", "libx264",
                                "-b:v", "4800k", "-ar", "44100", "-ac", "2", "-acodec", "libfaac",
                                "-b:a", "256k", output};

    ConvertJob notApplicableRate = jobOf(FormatMP4);
    notApplicableRate.profile.vFps = notApplicable(OptionField::VideoFps);
    QTest::newRow("frame rate index 8 gives 25")
        << notApplicableRate << singlePass()
        << head() + QStringList{"-r", "25", "-vcodec", "libx264", "-acodec", "libfaac", output};

    ConvertJob mono = jobOf(13);
    mono.profile.aChannels = 2;
    mono.profile.aSamples = 5;
    mono.profile.aBitrate = 6;
    QTest::newRow("AC3 mono 48000 320k")
        << mono << singlePass()
        << head() + QStringList{"-ar", "48000", "-ac", "1", "-acodec", "ac3", "-b:a", "320k", "-vn", output};
}

void TestTranscoderArguments::wholeLists()
{
    QFETCH(ConvertJob, job);
    QFETCH(ConversionPass, pass);
    QFETCH(QStringList, expected);
    QCOMPARE(buildTranscoderArguments(job, pass), expected);
}

void TestTranscoderArguments::filterChain_data()
{
    QTest::addColumn<ConvertJob>("job");
    QTest::addColumn<QString>("chain"); // empty: no "-vf" at all

    const ConvertJob plain = jobOf(FormatMP4);
    QTest::newRow("no edits") << plain << QString();

    ConvertJob job = plain;
    job.edit.watermark.imagePath = "C:/pics/logo.png";
    job.edit.watermark.text = "Hello";
    job.edit.subtitlePath = "D:/s/film.srt";
    QTest::newRow("picture, text and subtitles")
        << job
        << "movie=logo.png[watermark];[in][watermark]overlay=10:10,"
           "drawtext=fontfile='Times New Roman':text='Hello':fontsize=54:fontcolor=white:x=10:y=10,"
           "subtitles=film.srt:charenc=UTF-8";

    job = plain;
    job.edit.watermark.imagePath = "/home/me/my logo's [1].PNG";
    job.edit.watermark.imageX = -5;
    job.edit.watermark.imageY = 300;
    job.edit.subtitlePath = "/home/me/Film, part 1.srt";
    job.edit.subtitleCodePage = 33;
    QTest::newRow("names that would need escaping are replaced")
        << job
        << "movie=watermark.PNG[watermark];[in][watermark]overlay=-5:300,"
           "subtitles=subtitles.srt:charenc=ISO-8859-12";

    job = plain;
    job.edit.watermark.text = "it's 50%: [a], b; c\\d";
    job.edit.watermark.fontName = "Font's: Name";
    job.edit.watermark.fontSize = 20;
    job.edit.watermark.fontColor = 13;
    job.edit.watermark.textX = 0;
    job.edit.watermark.textY = 7;
    QTest::newRow("text and font escaped at both levels")
        << job
        << "drawtext=fontfile='Font\\'\\''s\\: Name':text='it\\'\\''s 50\\\\%\\: [a], b; c\\\\\\\\d'"
           ":fontsize=38:fontcolor=darkgray:x=0:y=7";

    job = plain;
    job.edit.watermark.text = " x ";
    QTest::newRow("blanks at the ends of a text are kept")
        << job << "drawtext=fontfile='Times New Roman':text='\\ x\\ ':fontsize=54:fontcolor=white:x=10:y=10";

    job = plain;
    job.edit.rotation = 2;
    job.edit.horizontalFlip = 1;
    QTest::newRow("half turn and mirror") << job << "transpose=1,transpose=1,hflip";

    job = plain;
    job.edit.rotation = 3;
    job.edit.verticalFlip = 1;
    QTest::newRow("three turns and vflip") << job << "transpose=1,transpose=1,transpose=1,vflip";

    job = plain;
    job.edit.saturation = 20;
    QTest::newRow("saturation") << job << "mp=eq2=1.0:1:0:1.2";

    job = plain;
    job.edit.brightness = -30;
    QTest::newRow("brightness") << job << "mp=eq2=1.0:1:-0.3:1";

    job = plain;
    job.edit.contrast = -65;
    job.edit.brightness = 100;
    job.edit.saturation = -100;
    QTest::newRow("contrast") << job << "mp=eq2=1.0:0.35:1:0";

    job = plain;
    job.edit.watermark.imagePath = "/a/w.png";
    job.edit.watermark.text = "T";
    job.edit.subtitlePath = "/a/s.ass";
    job.edit.subtitleCodePage = 41;
    job.edit.rotation = 1;
    job.edit.verticalFlip = 1;
    job.edit.horizontalFlip = 1;
    job.edit.contrast = 50;
    QTest::newRow("every filter in order")
        << job
        << "movie=w.png[watermark];[in][watermark]overlay=10:10,"
           "drawtext=fontfile='Times New Roman':text='T':fontsize=54:fontcolor=white:x=10:y=10,"
           "subtitles=s.ass:charenc=UNICODELITTLE,transpose=1,vflip,hflip,mp=eq2=1.0:1.5:0:1";

    job = plain;
    job.edit.watermark.imagePath = "/a/same.srt";
    job.edit.subtitlePath = "/b/same.srt";
    QTest::newRow("picture and subtitles of the same name")
        << job
        << "movie=same.srt[watermark];[in][watermark]overlay=10:10,subtitles=subtitles.srt:charenc=UTF-8";
}

void TestTranscoderArguments::filterChain()
{
    QFETCH(ConvertJob, job);
    QFETCH(QString, chain);
    const QStringList arguments = buildTranscoderArguments(job, singlePass());
    QCOMPARE(arguments.contains("-vf"), !chain.isEmpty());
    QCOMPARE(valueAfter(arguments, "-vf"), chain);
}

void TestTranscoderArguments::trimAndVolume_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<int>("volume");
    QTest::addColumn<QStringList>("edits"); // what stands between "ultrafast" and "-vcodec"

    QTest::newRow("milliseconds kept") << 12345 << 10999 << 100 << QStringList{"-ss", "12.345", "-t", "10.999"};
    QTest::newRow("whole seconds") << 5000 << 20000 << 100 << QStringList{"-ss", "5", "-t", "20"};
    QTest::newRow("below a second") << 0 << 999 << 100 << QStringList{"-ss", "0", "-t", "0.999"};
    QTest::newRow("trailing zeros dropped") << 1500 << 2050 << 100 << QStringList{"-ss", "1.5", "-t", "2.05"};
    QTest::newRow("start without length ignored") << 7000 << 0 << 100 << QStringList{};
    QTest::newRow("louder") << 0 << 0 << 150 << QStringList{"-af", "volume=1.5"};
    QTest::newRow("silent") << 0 << 0 << 0 << QStringList{"-af", "volume=0"};
    QTest::newRow("quieter, trimmed")
        << 61001 << 1 << 35 << QStringList{"-ss", "61.001", "-t", "0.001", "-af", "volume=0.35"};
}

void TestTranscoderArguments::trimAndVolume()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(int, volume);
    QFETCH(QStringList, edits);
    ConvertJob job = jobOf(FormatMP4);
    job.edit.trimStart = start;
    job.edit.trimLength = length;
    job.edit.volume = volume;
    QCOMPARE(buildTranscoderArguments(job, singlePass()),
             (head() + edits + QStringList{"-vcodec", "libx264", "-acodec", "libfaac", output}));
}

// Every category but Video (and DV among the videos) drops the edit settings;
// every pass that writes a sound's output carries its loudness, first.
void TestTranscoderArguments::editsReachOnlyVideoPasses_data()
{
    QTest::addColumn<int>("formatId");
    QTest::addColumn<int>("kind");
    QTest::addColumn<bool>("edited");
    QTest::addColumn<bool>("normalised"); // the loudness goes to the pass that writes the output
    QTest::newRow("MP4") << 0 << int(PassKind::Single) << true << true;
    QTest::newRow("RM") << 10 << int(PassKind::Single) << true << true;
    QTest::newRow("DV") << int(FormatDV) << int(PassKind::Single) << false << true;
    QTest::newRow("FLAC") << int(FormatFLAC) << int(PassKind::Single) << false << true;
    QTest::newRow("video joiner") << int(FormatVideoJoiner) << int(PassKind::Single) << false << true;
    QTest::newRow("audio joiner") << int(FormatAudioJoiner) << int(PassKind::Single) << false << true;
    QTest::newRow("GIF maker") << int(FormatGifMaker) << int(PassKind::Single) << false << false;
    QTest::newRow("MP4 join part") << 0 << int(PassKind::JoinPart) << true << false;
    QTest::newRow("MP4 join pass") << 0 << int(PassKind::JoinFinal) << false << true;
}

void TestTranscoderArguments::editsReachOnlyVideoPasses()
{
    QFETCH(int, formatId);
    QFETCH(int, kind);
    QFETCH(bool, edited);
    ConvertJob job = jobOf(formatId);
    job.edit.trimStart = 2000;
    job.edit.trimLength = 3000;
    job.edit.volume = 200;
    job.edit.verticalFlip = 1;
    job.loudness = -16;
    const ConversionPass pass{input, output, PassKind(kind)};
    const QStringList arguments = buildTranscoderArguments(job, pass);
    QTEST(arguments.first() == "--loudness=-16", "normalised");
    QCOMPARE(passAppliesEdits(job, pass), edited);
    QCOMPARE(arguments.contains("-vf"), edited);
    QCOMPARE(arguments.contains("-af"), edited);
    // The GIF maker has its own "-ss"/"-t"; only a video pass carries the trim in milliseconds.
    QCOMPARE(valueAfter(arguments, "-t") == "3", edited);
}

namespace {

// Every option is followed by a non-empty value that is not itself an option,
// no option repeats, the input follows "-i" and the output is last.
void checkWellFormed(const QStringList &arguments, const ConversionPass &pass)
{
    static const QSet<QString> flags{"-y", "-vn"};
    QVERIFY(arguments.size() >= 4);
    QCOMPARE(arguments.last(), pass.outputPath);
    QSet<QString> seen;
    int i = 0;
    while (i < arguments.size() - 1) {
        const QString &option = arguments[i];
        QVERIFY2(option.size() > 1 && option.startsWith('-'), qPrintable("not an option: " + option));
        QVERIFY2(!seen.contains(option), qPrintable("repeated: " + option));
        seen.insert(option);
        if (flags.contains(option)) {
            ++i;
            continue;
        }
        QVERIFY2(i + 1 < arguments.size() - 1, qPrintable("no value after " + option));
        const QString &value = arguments[i + 1];
        QVERIFY2(!value.isEmpty() && !value.startsWith('-'), qPrintable(option + " has value '" + value + "'"));
        if (option == "-i")
            QCOMPARE(value, pass.inputPath);
        i += 2;
    }
    QVERIFY(seen.contains("-i"));
}

QString randomText(QRandomGenerator &random)
{
    static const QString alphabet = QStringLiteral(" '\":,;[]\\%{}=ab-Z\t\u4e2d\u6587");
    QString text;
    const int length = random.bounded(0, 12);
    for (int i = 0; i < length; ++i)
        text += alphabet[random.bounded(alphabet.size())];
    return text;
}

QString randomPath(QRandomGenerator &random)
{
    static const QStringList paths{"", "/p/logo.png", "/p/my logo's.png", "/p/-x.srt", "/p/a,b;c.ass",
                                   "/p/noext", "/p/.hidden.png", "/p/film.srt"};
    return paths[random.bounded(paths.size())];
}

} // namespace

void TestTranscoderArguments::randomJobsNeverLoseAValue()
{
    const quint32 seed = QRandomGenerator::global()->generate();
    QRandomGenerator random(seed);
    for (int round = 0; round < 3000; ++round) {
        ConvertJob job = jobOf(random.bounded(FormatCount));
        for (int field = 0; field < OptionFieldCount; ++field) {
            // Up to and including the not-applicable value.
            const int index = random.bounded(optionCount(OptionField(field)) + 1);
            job.profile.setField(profilePosition(OptionField(field)), index);
        }
        EditOptions &edit = job.edit;
        edit.trimStart = random.bounded(3) ? 0 : random.bounded(0, 7200000);
        edit.trimLength = random.bounded(2) ? 0 : random.bounded(0, 7200000);
        edit.gifSize = random.bounded(-1, 5);
        edit.rotation = random.bounded(0, 4);
        edit.verticalFlip = random.bounded(2);
        edit.horizontalFlip = random.bounded(2);
        edit.volume = random.bounded(2) ? 100 : random.bounded(0, 500);
        edit.brightness = random.bounded(2) ? 0 : random.bounded(-100, 101);
        edit.contrast = random.bounded(2) ? 0 : random.bounded(-100, 101);
        edit.saturation = random.bounded(2) ? 0 : random.bounded(-100, 101);
        edit.watermark.imagePath = randomPath(random);
        edit.watermark.text = randomText(random);
        edit.watermark.fontName = randomText(random);
        edit.watermark.fontSize = random.bounded(24);
        edit.watermark.fontColor = random.bounded(14);
        edit.subtitlePath = randomPath(random);
        edit.subtitleCodePage = random.bounded(42);

        ConversionPass pass{"/in/a b.mp4", "/out/a b.mp4", PassKind(random.bounded(3))};
        if (pass.kind == PassKind::JoinPart)
            job = withJoinPartFormat(job);
        checkWellFormed(buildTranscoderArguments(job, pass), pass);
        if (QTest::currentTestFailed()) {
            qWarning("seed %u, round %d, format %d", seed, round, job.profile.formatId);
            return;
        }
    }
}

// The 42 code pages of the subtitle tab, by index; any other index is UTF-8.
void TestTranscoderArguments::subtitleCodePagesInTheTabsOrder()
{
    const QStringList expected = {
        "UTF-8", "CP874", "CP936",
        "CP1250", "CP1251", "CP1252", "CP1253", "CP1254", "CP1255", "CP1256", "CP1257", "CP1258",
        "LATIN1", "LATIN2", "LATIN3", "LATIN4", "LATIN5", "LATIN6", "LATIN7", "LATIN8", "LATIN9", "LATIN10",
        "ISO-8859-1", "ISO-8859-2", "ISO-8859-3", "ISO-8859-4", "ISO-8859-5", "ISO-8859-6", "ISO-8859-7",
        "ISO-8859-8", "ISO-8859-9", "ISO-8859-10", "ISO-8859-11", "ISO-8859-12", "ISO-8859-13", "ISO-8859-14",
        "ISO-8859-15", "ISO-8859-16",
        "UTF-16", "UTF-32", "UNICODEBIG", "UNICODELITTLE",
    };
    QCOMPARE(expected.size(), 42);
    QStringList names;
    for (int index = 0; index < expected.size(); ++index)
        names << subtitleCharset(index);
    QCOMPARE(names, expected);
    QCOMPARE(subtitleCharset(-1), QStringLiteral("UTF-8"));
    QCOMPARE(subtitleCharset(42), QStringLiteral("UTF-8"));
}

QTEST_GUILESS_MAIN(TestTranscoderArguments)
#include "tst_transcoderarguments.moc"
