// The two passes of loudness normalisation on hand-made media facts: what is
// measured (the output's cut, filters and channels), how ebur128's summary is
// read, and which loudnorm the second pass gets.

#include "tools/transcoder/plan/loudness.h"
#include "tools/transcoder/plan/transcodeplan.h"

#include <QtTest>

#include <cmath>

Q_DECLARE_METATYPE(LoudnessMeasure)

namespace {

QStringList words(const QString &text)
{
    return text.split(u' ', Qt::SkipEmptyParts);
}

MediaFacts song(const QString &codec)
{
    MediaFacts facts;
    facts.readable = true;
    facts.durationSeconds = 180;
    facts.hasAudio = true;
    facts.sampleRate = 44100;
    facts.channels = 2;
    facts.audioCodec = codec;
    facts.audioBitRate = 128000;
    return facts;
}

MediaFacts film()
{
    MediaFacts facts = song("aac");
    facts.hasVideo = true;
    facts.width = 320;
    facts.height = 240;
    facts.frameRate = 25;
    facts.videoCodec = "h264";
    facts.pixelFormat = "yuv420p";
    return facts;
}

TranscodePlan markedPlan(const QString &given, const MediaFacts &facts)
{
    return planTranscode(withLoudnessMark(words(given)), facts,
                         [](const QString &, const QString &) { return QStringLiteral("/font.ttf"); });
}

QString optionOf(const QStringList &arguments, const QString &name)
{
    const int at = arguments.indexOf(name);
    return at < 0 ? QString() : arguments.value(at + 1);
}

const QByteArray summary = "[Parsed_ebur128_0 @ 0x55e0] Summary:\n\n"
                           "  Integrated loudness:\n    I:         -42.0 LUFS\n    Threshold: -52.5 LUFS\n\n"
                           "  Loudness range:\n    LRA:         4.2 LU\n    Threshold: -62.0 LUFS\n"
                           "    LRA low:   -44.0 LUFS\n    LRA high:  -40.0 LUFS\n\n"
                           "  True peak:\n    Peak:      -37.1 dBFS\n";

} // namespace

class TestLoudnessPlan : public QObject
{
    Q_OBJECT

private slots:
    void targets_data();
    void targets();
    void measuresWhatTheOutputGets_data();
    void measuresWhatTheOutputGets();
    void soundlessInputLosesTheMark();
    void summaryIsRead_data();
    void summaryIsRead();
    void secondPassByMode_data();
    void secondPassByMode();
    void joinIsEncodedAgainNormalised();
};

void TestLoudnessPlan::targets_data()
{
    QTest::addColumn<QString>("value");
    QTest::addColumn<double>("target"); // 0: refused
    QTest::newRow("streaming") << "-14" << -14.0;
    QTest::newRow("broadcast") << "-23" << -23.0;
    QTest::newRow("a fraction") << "-16.5" << -16.5;
    QTest::newRow("louder than loudnorm reaches") << "-4" << 0.0;
    QTest::newRow("quieter than it reaches") << "-71" << 0.0;
    QTest::newRow("positive") << "16" << 0.0;
    QTest::newRow("not a number") << "loud" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
}

void TestLoudnessPlan::targets()
{
    QFETCH(QString, value);
    QFETCH(double, target);
    const std::optional<double> parsed = parseLoudnessTarget(value);
    QCOMPARE(parsed.value_or(0), target);
}

void TestLoudnessPlan::measuresWhatTheOutputGets_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<MediaFacts>("facts");
    QTest::addColumn<QString>("measure");
    const QString ebur128 = "ebur128=peak=true:framelog=verbose";
    const QString tail = " -vn -sn -dn -af %1 -f null -";

    // An MP3 to MP3 would be copied: marked, it is encoded again.
    QTest::newRow("song that would be copied")
        << "-y -i in.mp3 -threads 4 -preset ultrafast -acodec libmp3lame -vn out.mp3" << song("mp3")
        << "-loglevel info -y -i in.mp3" + tail.arg(ebur128);
    QTest::newRow("cut clip with a volume change, mixed to mono")
        << "-i in.mkv -ss 5 -t 10 -af volume=2 -ac 1 -vcodec libx264 -acodec aac out.mp4" << film()
        << "-loglevel info -ss 5 -i in.mkv -t 10" + tail.arg("volume=2,aformat=channel_layouts=mono," + ebur128);
}

void TestLoudnessPlan::measuresWhatTheOutputGets()
{
    QFETCH(QString, given);
    QFETCH(MediaFacts, facts);
    const TranscodePlan plan = markedPlan(given, facts);
    QVERIFY2(plan.error.isEmpty(), qPrintable(plan.error));
    QVERIFY(!plan.copiedStreams.contains("audio"));
    QVERIFY(hasLoudnessMark(plan.ffmpegArguments));
    QTEST(loudnessMeasureArgumentsOf(plan.ffmpegArguments).join(' '), "measure");
}

void TestLoudnessPlan::soundlessInputLosesTheMark()
{
    MediaFacts silentFilm = film();
    silentFilm.hasAudio = false;
    const TranscodePlan plan = markedPlan("-i in.mkv -vcodec libx264 -acodec aac out.mp4", silentFilm);
    QVERIFY(!hasLoudnessMark(plan.ffmpegArguments));
    QVERIFY(loudnessMeasureArgumentsOf(plan.ffmpegArguments).isEmpty());
}

void TestLoudnessPlan::summaryIsRead_data()
{
    QTest::addColumn<QByteArray>("log");
    QTest::addColumn<bool>("read");
    QTest::addColumn<LoudnessMeasure>("measured");
    QTest::newRow("after ffmpeg's own lines") << QByteArray("Input #0, flac, from 'a.flac':\n") + summary << true
                                              << LoudnessMeasure{-42.0, -52.5, 4.2, -37.1};
    QByteArray silence = summary;
    silence.replace("-42.0", "-70.0").replace("-37.1", " -inf");
    QTest::newRow("silence") << silence << true
                             << LoudnessMeasure{-70.0, -52.5, 4.2, -std::numeric_limits<double>::infinity()};
    QTest::newRow("cut off before the peak")
        << summary.left(summary.indexOf("True peak")) << false << LoudnessMeasure{};
    QTest::newRow("no summary") << QByteArray("Conversion failed!\n") << false << LoudnessMeasure{};
}

void TestLoudnessPlan::summaryIsRead()
{
    QFETCH(QByteArray, log);
    QFETCH(bool, read);
    QFETCH(LoudnessMeasure, measured);
    const std::optional<LoudnessMeasure> parsed = parseLoudnessSummary(log);
    QCOMPARE(parsed.has_value(), read);
    if (!parsed)
        return;
    QCOMPARE(parsed->integrated, measured.integrated);
    QCOMPARE(parsed->threshold, measured.threshold);
    QCOMPARE(parsed->range, measured.range);
    QCOMPARE(parsed->truePeak, measured.truePeak);
}

// A song at -42 LUFS whose true peak is -37.1 dBTP: to -16, one gain of 26 dB
// (the volume filter) leaves its peak at -11.1; a peak of -10 would end at +16
// and needs the dynamic mode, whose 192 kHz the output's rate undoes.
void TestLoudnessPlan::secondPassByMode_data()
{
    QTest::addColumn<LoudnessMeasure>("measured");
    QTest::addColumn<QString>("filters"); // of the output
    QTest::addColumn<QString>("rate");    // "-ar" of the output
    const QString measuredValues =
        ":measured_I=-42.00:measured_TP=%1:measured_LRA=%2:measured_thresh=-52.50:linear=true";
    QTest::newRow("one gain: volume, no 192 kHz") << LoudnessMeasure{-42, -52.5, 4.2, -37.1}
                                                   << "volume=2,volume=26.00dB" << "";
    QTest::newRow("one gain that would end 0.1 dB over the aim")
        << LoudnessMeasure{-42, -52.5, 4.2, -27.4}
        << "volume=2,loudnorm=I=-16.00:TP=-1.50:LRA=7.00" + measuredValues.arg("-27.40", "4.20") << "44100";
    QTest::newRow("dynamic, wide range kept")
        << LoudnessMeasure{-42, -52.5, 12.3, -10}
        << "volume=2,loudnorm=I=-16.00:TP=-1.50:LRA=13.00" + measuredValues.arg("-10.00", "12.30") << "44100";
    QTest::newRow("steady tone: a range of 0 would read as unmeasured")
        << LoudnessMeasure{-42, -52.5, 0, -10}
        << "volume=2,loudnorm=I=-16.00:TP=-1.50:LRA=7.00" + measuredValues.arg("-10.00", "0.10") << "44100";
    QTest::newRow("silence is left alone")
        << LoudnessMeasure{-70, -70, 0, -std::numeric_limits<double>::infinity()} << "volume=2"
        << "";
}

void TestLoudnessPlan::secondPassByMode()
{
    QFETCH(LoudnessMeasure, measured);
    const TranscodePlan plan = markedPlan("-i in.flac -af volume=2 -acodec libmp3lame -vn out.mp3", song("flac"));
    const QStringList applied = loudnessApplyArguments(plan.ffmpegArguments, -16, measured, 44100);
    QTEST(optionOf(applied, "-af"), "filters");
    QTEST(optionOf(applied, "-ar"), "rate");
    QCOMPARE(applied.last(), QString("out.mp3"));
}

void TestLoudnessPlan::joinIsEncodedAgainNormalised()
{
    const QStringList join = words("-f concat -safe 0 -i list -i first.mp4 -map 0:v:0 -map 0:a:0 -c copy out.mp4");
    const QStringList applied =
        loudnessJoinArguments(join, -23, LoudnessMeasure{-18, -28, 3, -2}, "libmp3lame", 44100, 256000);
    QCOMPARE(applied.mid(0, 12), join.mid(0, 12));
    QCOMPARE(applied.mid(12, 8), words("-c:v copy -c:a libmp3lame -b:a 256000 -ar 44100"));
    QCOMPARE(optionOf(applied, "-af"), QString("volume=-5.00dB"));
    const QStringList peaky =
        loudnessJoinArguments(join, -14, LoudnessMeasure{-18, -28, 3, -2}, "libmp3lame", 44100, 256000);
    QVERIFY(optionOf(peaky, "-af").startsWith("loudnorm=I=-14.00:TP=-1.50:LRA=7.00:measured_I=-18.00"));
    QCOMPARE(applied.last(), QString("out.mp4"));
}

QTEST_GUILESS_MAIN(TestLoudnessPlan)
#include "tst_loudnessplan.moc"
