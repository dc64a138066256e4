// Every output format from its default profile on inputs of every shape, and
// every choice the settings dialog offers, converted by build/transcoder and
// read back with ffprobe and ffmpeg.

#include "app/formats.h"
#include "app/optiontables.h"
#include "app/outputprofile.h"
#include "engine/joinparts.h"
#include "engine/transcoderarguments.h"
#include "engine/transcodervalues.h"
#include "tests/conversion/conversionrun.h"
#include "tests/support/files.h"
#include "tests/support/media.h"
#include "tests/support/programrun.h"

#include <QHash>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>

namespace {

constexpr int formatFLV = 1;
constexpr int formatRM = 10;
constexpr int codecMPEG1 = 6;
constexpr int codecMPEG2 = 7;
constexpr int codecFLAC = 9;

// What ffprobe calls each codec index; the not-applicable values have none.
const char *const videoCodecNames[] = {"h264",       "flv1",       "mpeg4", "msmpeg4v2", "wmv1", "wmv2",
                                       "mpeg1video", "mpeg2video", "mjpeg", "dvvideo",   "rv10", "rv20",
                                       "",           "hevc",       "vp9",   "av1"};
const char *const audioCodecNames[] = {"aac",      "mp3",       "mp2",       "ac3",  "wmav1", "wmav2",
                                       "pcm_alaw", "pcm_s16le", "pcm_s16be", "flac", "",      "opus"};

// What ffprobe calls the container of a format.
QString containerName(int formatId)
{
    static const QHash<QString, QString> bySuffix{{"mp4", "mov,mp4,m4a,3gp,3g2,mj2"},
                                                  {"mov", "mov,mp4,m4a,3gp,3g2,mj2"},
                                                  {"m4a", "mov,mp4,m4a,3gp,3g2,mj2"},
                                                  {"mkv", "matroska,webm"},
                                                  {"webm", "matroska,webm"},
                                                  {"mpg", "mpeg"},
                                                  {"vob", "mpeg"},
                                                  {"wmv", "asf"},
                                                  {"wma", "asf"},
                                                  {"ra", "rm"},
                                                  {"mp2", "mp3"},
                                                  {"opus", "ogg"}};
    const QString suffix = formatExtension(formatId).mid(1);
    return bySuffix.value(suffix, suffix);
}

// The formats the settings dialog offers: every video and audio format.
QVector<int> mediaFormats()
{
    QVector<int> ids;
    for (const OutputProfile &row : profileTable()) {
        if (row.category == Video || row.category == Audio)
            ids << row.formatId;
    }
    return ids;
}

enum class InputKind { Standard, Silent, AudioOnly, OddSize, HiFi, LowMono };

struct Input {
    InputKind kind;
    const char *name;
    testmedia::ClipSpec spec;
    const char *file;
};

const QVector<Input> &inputs()
{
    static const QVector<Input> list{
        {InputKind::Standard, "4:3", {0.6, 160, 120, 10, 44100, 2}, "standard.mkv"},
        {InputKind::Silent, "no sound", {0.6, 160, 120, 10, 0, 0}, "silent.mkv"},
        {InputKind::AudioOnly, "sound only", {0.6, 0, 0, 10, 44100, 2}, "tone.wav"},
        {InputKind::OddSize, "853x479", {0.4, 853, 479, 10, 44100, 2}, "odd.avi"},
        {InputKind::HiFi, "96 kHz 5.1", {0.6, 160, 120, 10, 96000, 6}, "hifi.mkv"},
        {InputKind::LowMono, "8 kHz mono", {0.6, 160, 120, 10, 8000, 1}, "lowmono.mkv"},
    };
    return list;
}

const Input &inputOf(InputKind kind)
{
    for (const Input &input : inputs()) {
        if (input.kind == kind)
            return input;
    }
    return inputs().first();
}

// A job as the main window makes it; the GIF maker's dialog gives a length.
ConvertJob jobFor(const OutputProfile &profile)
{
    ConvertJob job = makeJob(profile.formatId, profile);
    if (profile.category == GifMerge)
        job.edit.trimLength = 1;
    return job;
}

QString expectedAudioCodec(const OutputProfile &profile)
{
    if (profile.formatId == FormatDV)
        return QStringLiteral("pcm_s16le");
    if (profile.formatId == formatFLV && profile.aCodec == codecFLAC)
        return QStringLiteral("pcm_s16le"); // FLV cannot hold FLAC
    return QString::fromLatin1(audioCodecNames[profile.aCodec]);
}

QString expectedVideoCodec(const OutputProfile &profile)
{
    if (profile.category == GifMerge)
        return QStringLiteral("gif");
    if (profile.formatId == FormatDV)
        return QStringLiteral("dvvideo");
    return QString::fromLatin1(videoCodecNames[profile.vCodec]);
}

QString suffixOf(const OutputProfile &profile)
{
    return formatExtension(profile.formatId).mid(1);
}

// The sample rates Debian's ffmpeg cannot write, and the nearest valid one;
// every other rate must arrive as chosen.
int expectedSampleRate(const OutputProfile &profile, int wanted)
{
    const QString codec = expectedAudioCodec(profile);
    if (profile.formatId == FormatDV || codec == QLatin1String("opus")) // Opus is decoded at 48 kHz
        return 48000;
    if (profile.formatId == formatFLV && (codec == QLatin1String("mp3") || codec == QLatin1String("pcm_s16le"))) {
        if (wanted <= 16000)
            return 11025;
        return wanted <= 33075 ? 22050 : 44100;
    }
    if (codec == QLatin1String("ac3") && wanted < 32000)
        return 32000;
    if (codec == QLatin1String("mp2") && wanted < 16000)
        return 16000;
    static const QStringList upTo48k{"mp3", "mp2", "ac3", "wmav1", "wmav2"};
    if (upTo48k.contains(codec) && wanted > 48000)
        return 48000;
    return wanted;
}

int expectedChannels(const OutputProfile &profile, int wanted)
{
    if (profile.formatId == FormatDV)
        return 2;
    const QString codec = expectedAudioCodec(profile);
    static const QStringList stereoCodecs{"mp3", "mp2", "wmav1", "wmav2"};
    const bool stereoAtMost =
        stereoCodecs.contains(codec) || (profile.formatId == formatFLV && codec == QLatin1String("pcm_s16le"));
    return stereoAtMost ? std::min(wanted, 2) : wanted;
}

double ratioOf(const QString &aspect)
{
    const QStringList parts = aspect.split(u':');
    return parts.value(0).toDouble() / parts.value(1).toDouble();
}

double nearestOf(const QVector<double> &values, double wanted)
{
    return *std::min_element(values.begin(), values.end(),
                             [&](double a, double b) { return std::abs(a - wanted) < std::abs(b - wanted); });
}

// The matrix is shared out between CONVERSION_SHARES test programs, so that
// ctest runs its parts side by side; this one takes every row whose number
// modulo the count is CONVERSION_SHARE.
bool isThisShare()
{
    static int row = 0;
    return row++ % CONVERSION_SHARES == CONVERSION_SHARE;
}

QString profileName(const OutputProfile &profile)
{
    return QString::fromLatin1(formatInfo(profile.formatId)->buttonText);
}

} // namespace

Q_DECLARE_METATYPE(OutputProfile)
Q_DECLARE_METATYPE(InputKind)

class TestConversion : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void defaultProfiles_data();
    void defaultProfiles();
    void settingChoices_data();
    void settingChoices();
    void realMediaBoundsItsPackets();
    void fullChromaCameraFileGivesPlayablePictures();
    void oddScreenRecordingGivesEvenWebPictures();

private:
    QString inputPath(InputKind kind) const;
    // Converts, or finds the output of an earlier identical conversion.
    conversion::Outcome convertOnce(const ConvertJob &job, const QString &input, QString *output);
    void checkValidFile(const QString &output, const OutputProfile &profile, const Input &input);

    QTemporaryDir m_folder;
    QHash<QString, QPair<conversion::Outcome, QString>> m_done;
    int m_count = 0;
};

void TestConversion::initTestCase()
{
    QVERIFY(m_folder.isValid());
    QVERIFY2(QFile::exists(QStringLiteral(QUILLMORA_BUILD_DIR "/transcoder")), "build/transcoder is not built");
    for (const Input &input : inputs())
        QVERIFY2(testmedia::makeClip(inputPath(input.kind), input.spec), input.file);
}

QString TestConversion::inputPath(InputKind kind) const
{
    return m_folder.filePath(QString::fromLatin1(inputOf(kind).file));
}

conversion::Outcome TestConversion::convertOnce(const ConvertJob &job, const QString &input, QString *output)
{
    const ConversionPass pass{input, QStringLiteral("OUT"), PassKind::Single};
    const QString key = input + u'|' + buildTranscoderArguments(job, pass).join(u'|') + suffixOf(job.profile);
    if (const auto done = m_done.find(key); done != m_done.end()) {
        *output = done->second;
        return done->first;
    }
    *output = m_folder.filePath(QStringLiteral("out%1.%2").arg(++m_count).arg(suffixOf(job.profile)));
    const conversion::Outcome outcome = conversion::convert(job, input, *output);
    m_done.insert(key, {outcome, *output});
    return outcome;
}

// Container, codecs, streams, sample rate, channels, length, and a clean decode.
void TestConversion::checkValidFile(const QString &output, const OutputProfile &profile, const Input &input)
{
    QString errors;
    QVERIFY2(conversion::decodesCleanly(output, &errors), qPrintable(errors));
    const testmedia::Probe probed = testmedia::probe(output);
    QVERIFY(probed.ok);
    QCOMPARE(probed.formatName, containerName(profile.formatId));

    const bool wantsVideo = profile.category != Audio && input.spec.width > 0;
    const bool wantsAudio = profile.category != GifMerge && input.spec.sampleRate > 0;
    const testmedia::Stream *video = probed.first(QStringLiteral("video"));
    const testmedia::Stream *audio = probed.first(QStringLiteral("audio"));
    QCOMPARE(video != nullptr, wantsVideo);
    QCOMPARE(audio != nullptr, wantsAudio);
    if (video)
        QCOMPARE(video->codec, expectedVideoCodec(profile));
    if (audio) {
        QCOMPARE(audio->codec, expectedAudioCodec(profile));
        const int rate = profile.aSamples == 0 ? input.spec.sampleRate
                                               : optionValue(OptionField::AudioSamples, profile.aSamples).toInt();
        QCOMPARE(audio->sampleRate, expectedSampleRate(profile, rate));
        const int channels = profile.aChannels == 0
            ? input.spec.channels
            : optionValue(OptionField::AudioChannels, profile.aChannels).toInt();
        QCOMPARE(audio->channels, expectedChannels(profile, channels));
    }
    const double length = profile.category == GifMerge ? std::min(1.0, input.spec.seconds) : input.spec.seconds;
    QVERIFY2(std::abs(probed.duration - length) < 0.25,
             qPrintable(QStringLiteral("%1 s long, not %2 s").arg(probed.duration).arg(length)));
}

// Every format (and both device presets) from its defaults, on every input.
void TestConversion::defaultProfiles_data()
{
    QTest::addColumn<OutputProfile>("profile");
    QTest::addColumn<InputKind>("input");
    QVector<QPair<QString, OutputProfile>> profiles;
    for (const int id : mediaFormats())
        profiles.append({profileName(defaultProfile(id)), defaultProfile(id)});
    profiles.append({QStringLiteral("GIF maker"), defaultProfile(FormatGifMaker)});
    profiles.append({QStringLiteral("Apple"), devicePresetProfile(DevicePreset::Apple)});
    profiles.append({QStringLiteral("Android"), devicePresetProfile(DevicePreset::Android)});
    // A join converts each input with the joiner's options into MP4 or MP3 first.
    OutputProfile videoPart = defaultProfile(FormatVideoJoiner);
    videoPart.formatId = FormatMP4;
    videoPart.category = Video;
    profiles.append({QStringLiteral("video joiner part"), videoPart});
    OutputProfile audioPart = defaultProfile(FormatAudioJoiner);
    audioPart.formatId = FormatMP3;
    audioPart.category = Audio;
    profiles.append({QStringLiteral("audio joiner part"), audioPart});
    for (const auto &[name, profile] : profiles) {
        for (const Input &input : inputs()) {
            if (isThisShare())
                QTest::newRow(qPrintable(name + QStringLiteral(" from ") + QLatin1String(input.name)))
                    << profile << input.kind;
        }
    }
}

void TestConversion::defaultProfiles()
{
    QFETCH(OutputProfile, profile);
    QFETCH(InputKind, input);
    const Input &source = inputOf(input);
    QString output;
    const conversion::Outcome outcome = convertOnce(jobFor(profile), inputPath(input), &output);

    // Where the input cannot give what the format needs, a clear failure and no file.
    const bool impossible = (source.spec.width == 0 && (profile.formatId == FormatDV || profile.category == GifMerge))
        || (source.spec.sampleRate == 0 && profile.category == Audio);
    if (impossible) {
        QVERIFY(!outcome.succeeded);
        QVERIFY2(outcome.errors.contains(QLatin1String("the input has no")), qPrintable(outcome.errors));
        QVERIFY(!QFile::exists(output));
        return;
    }
    QVERIFY2(outcome.succeeded, qPrintable(outcome.arguments.join(u' ') + u'\n' + outcome.errors));
    checkValidFile(output, profile, source);
    const testmedia::Probe probed = testmedia::probe(output);
    if (const testmedia::Stream *video = probed.first(QStringLiteral("video")); video && profile.category == Video) {
        const bool chosenSize = profile.vSize != 0 || profile.formatId == FormatDV;
        if (!chosenSize && input == InputKind::OddSize) // odd sizes become even, or multiples of 16 for RealVideo
            QVERIFY(std::abs(video->width - 853) <= 8 && std::abs(video->height - 479) <= 8);
        else if (!chosenSize && profile.formatId != formatRM)
            QCOMPARE(QSize(video->width, video->height), QSize(source.spec.width, source.spec.height));
    }
}

// One choice of the settings dialog at a time, from the format's defaults.
void TestConversion::settingChoices_data()
{
    QTest::addColumn<OutputProfile>("profile");
    QTest::addColumn<int>("field");
    const QVector<OptionField> videoFields{OptionField::VideoCodec, OptionField::VideoSize, OptionField::VideoFps,
                                           OptionField::VideoBitrate, OptionField::AspectRatio};
    const QVector<OptionField> audioFields{OptionField::AudioCodec, OptionField::AudioChannels,
                                           OptionField::AudioSamples, OptionField::AudioBitrate};
    for (const int id : mediaFormats()) {
        const OutputProfile defaults = defaultProfile(id);
        QVector<OptionField> fields = audioFields;
        if (defaults.category == Video)
            fields = videoFields + audioFields;
        for (const OptionField field : fields) {
            const int position = profilePosition(field);
            QVector<int> entries = optionListOrder(field);
            if (field == OptionField::VideoCodec)
                entries = videoCodecsOffered(id);
            else if (field == OptionField::AudioCodec)
                entries = audioCodecsOffered(id);
            for (const int entry : entries) {
                if (entry == defaults.field(position) || !isThisShare())
                    continue; // the default's conversion is one of defaultProfiles
                OutputProfile profile = defaults;
                profile.setField(position, entry);
                QTest::newRow(qPrintable(QStringLiteral("%1 %2").arg(profileName(defaults),
                                                                     QLatin1String(optionLabel(field, entry)))))
                    << profile << int(field);
            }
        }
    }
}

void TestConversion::settingChoices()
{
    QFETCH(OutputProfile, profile);
    QFETCH(int, field);
    const Input &source = inputOf(InputKind::Standard);
    QString output;
    const conversion::Outcome outcome = convertOnce(jobFor(profile), inputPath(InputKind::Standard), &output);
    QVERIFY2(outcome.succeeded, qPrintable(outcome.arguments.join(u' ') + u'\n' + outcome.errors));
    checkValidFile(output, profile, source);
    if (profile.category != Video)
        return;

    const testmedia::Probe probed = testmedia::probe(output);
    const testmedia::Stream *video = probed.first(QStringLiteral("video"));
    QVERIFY(video);
    const bool isDv = profile.formatId == FormatDV;
    const QSize size(video->width, video->height);
    switch (OptionField(field)) {
    case OptionField::VideoSize: {
        const QStringList wanted = optionValue(OptionField::VideoSize, profile.vSize).split(u'x');
        const QSize asked(wanted[0].toInt(), wanted[1].toInt());
        if (isDv) {
            QCOMPARE(size, QSize(720, 480));
        } else if (profile.formatId == formatRM) {
            // RealVideo: multiples of 16, at most 4095 macroblocks, the shape kept
            QCOMPARE(size.width() % 16, 0);
            QCOMPARE(size.height() % 16, 0);
            QVERIFY(size.width() * size.height() / 256 <= 4095);
            QVERIFY(size.width() <= asked.width() && size.height() <= asked.height() + 8);
            const double shape = double(size.width()) / size.height();
            QVERIFY2(std::abs(shape / (double(asked.width()) / asked.height()) - 1) < 0.03, qPrintable(QString::number(shape)));
        } else {
            QCOMPARE(size, asked);
        }
        break;
    }
    case OptionField::VideoFps: {
        const double asked = optionValue(OptionField::VideoFps, profile.vFps).toDouble();
        double expected = isDv ? 30000.0 / 1001 : asked;
        if (profile.vCodec == codecMPEG1 && !isDv && asked == 20) // no 20 in MPEG-1: the nearest standard rate
            expected = 24000.0 / 1001;
        if (profile.formatId == formatRM) // RealMedia stores whole frames a second
            expected = std::round(asked);
        if (video->frameRate > 0)
            QVERIFY2(std::abs(video->frameRate - expected) < 0.01,
                     qPrintable(QStringLiteral("%1 frames/s, not %2").arg(video->frameRate).arg(expected)));
        break;
    }
    case OptionField::AspectRatio: {
        const QString aspect = conversion::displayAspect(output);
        const QString asked = optionValue(OptionField::AspectRatio, profile.vAspectRatio);
        if (isDv || aspect.isEmpty())
            break;
        const double got = ratioOf(aspect);
        double expected = ratioOf(asked);
        double tolerance = 0.02;
        if (profile.vCodec == codecMPEG2) { // MPEG-2 knows three shapes only
            expected = nearestOf({4.0 / 3, 16.0 / 9, 2.21}, expected);
        } else if (profile.vCodec == codecMPEG1) { // MPEG-1's table of pixel shapes is coarse
            tolerance = 0.12;
        }
        QVERIFY2(std::abs(got / expected - 1) < tolerance, qPrintable(aspect + QStringLiteral(" for ") + asked));
        break;
    }
    default:
        break;
    }
}

// RealMedia packets above 64 kB are refused by the muxer: a detailed 720p
// picture at a high bitrate must still give a file.
void TestConversion::realMediaBoundsItsPackets()
{
    if (CONVERSION_SHARE != 0)
        QSKIP("run by the first share of the matrix");
    const QString input = m_folder.filePath(QStringLiteral("detailed720p.mkv"));
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc2=size=1280x720:rate=25:duration=0.6,noise=alls=15:allf=t",
                                  "-f", "lavfi", "-i", "sine=duration=0.6", "-pix_fmt", "yuv420p", "-c:v", "ffv1", input}));
    for (const int codec : {10, 11}) {
        OutputProfile profile = defaultProfile(formatRM);
        profile.vCodec = codec;
        profile.vBitrate = 9; // 8000k
        const QString output = m_folder.filePath(QStringLiteral("detailed%1.rm").arg(codec));
        const conversion::Outcome outcome = conversion::convert(jobFor(profile), input, output);
        QVERIFY2(outcome.succeeded, qPrintable(outcome.errors));
        QString errors;
        QVERIFY2(conversion::decodesCleanly(output, &errors), qPrintable(errors));
        QCOMPARE(testmedia::probe(output).first(QStringLiteral("video"))->width, 1280);
    }
}

// A camera's MJPEG file holds 4:4:4 or 4:2:2 pictures, which encoders keep
// when they can: H.264 then writes High 4:4:4, which phones and browsers do
// not play, and a join of such a part with ordinary ones fails.
void TestConversion::fullChromaCameraFileGivesPlayablePictures()
{
    if (CONVERSION_SHARE != 1)
        QSKIP("run by the second share of the matrix");
    const QString camera = m_folder.filePath(QStringLiteral("camera444.avi"));
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc2=size=160x120:rate=10:duration=0.6", "-f", "lavfi",
                                  "-i", "sine=duration=0.6", "-c:v", "mjpeg", "-pix_fmt", "yuvj444p", "-c:a",
                                  "pcm_s16le", camera}));
    QVector<OutputProfile> profiles{devicePresetProfile(DevicePreset::Apple), devicePresetProfile(DevicePreset::Android)};
    for (const int id : mediaFormats()) {
        if (defaultProfile(id).category != Video)
            continue;
        for (const int codec : videoCodecsOffered(id)) {
            profiles.append(defaultProfile(id));
            profiles.last().vCodec = codec;
        }
    }
    for (const OutputProfile &profile : profiles) {
        const QString output = m_folder.filePath(QStringLiteral("chroma%1.%2").arg(++m_count).arg(suffixOf(profile)));
        const conversion::Outcome outcome = conversion::convert(jobFor(profile), camera, output);
        QVERIFY2(outcome.succeeded, qPrintable(outcome.errors));
        const QString codec = expectedVideoCodec(profile);
        QStringList playable{QStringLiteral("yuv420p")};
        if (codec == QLatin1String("mjpeg"))
            playable = QStringList{QStringLiteral("yuvj420p")};
        else if (codec == QLatin1String("dvvideo"))
            playable = QStringList{QStringLiteral("yuv411p"), QStringLiteral("yuv420p")}; // NTSC, PAL
        const QString format = conversion::pixelFormat(output);
        QVERIFY2(playable.contains(format), qPrintable(profileName(profile) + u' ' + codec + u' ' + format));
    }

    // A video join with the camera file between two ordinary clips.
    const ConvertJob joiner = withJoinPartFormat(jobFor(defaultProfile(FormatVideoJoiner)));
    const QStringList inputs{inputPath(InputKind::Standard), camera, inputPath(InputKind::Standard)};
    QString list;
    for (int part = 0; part < inputs.size(); ++part) {
        const QString partFile = m_folder.filePath(joinPartFileName(JoinKind::Video, part));
        const conversion::Outcome outcome = conversion::convert(joiner, inputs[part], partFile);
        QVERIFY2(outcome.succeeded, qPrintable(outcome.errors));
        list += concatListLine(partFile) + u'\n';
    }
    const QString listFile = m_folder.filePath(QStringLiteral("file.txt"));
    QVERIFY(testsupport::writeFile(listFile, list.toUtf8()));
    const QString joined = m_folder.filePath(QStringLiteral("MergedVideo.mp4"));
    const testsupport::Finished join = testsupport::runProgram(
        QStringLiteral(QUILLMORA_BUILD_DIR "/transcoder"),
        {"-f", "concat", "-y", "-i", listFile, "-threads", "4", "-preset", "ultrafast", "-c", "copy", joined});
    QVERIFY2(join.exitCode == 0, qPrintable(join.errors));
    QCOMPARE(conversion::pixelFormat(joined), QStringLiteral("yuv420p"));
}

// A screen recording of an odd size in full chroma: every H.264, H.265, VP9
// and AV1 output has even sides and 4:2:0 pictures, which browsers and
// phones play; the size is kept where no size was chosen.
void TestConversion::oddScreenRecordingGivesEvenWebPictures()
{
    if (CONVERSION_SHARE != 2)
        QSKIP("run by the third share of the matrix");
    const QString screen = m_folder.filePath(QStringLiteral("screen1919x1079.mkv"));
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc2=size=1919x1079:rate=5:duration=0.6", "-pix_fmt",
                                  "yuv444p", "-c:v", "ffv1", screen}));
    QVector<OutputProfile> profiles{devicePresetProfile(DevicePreset::Apple),
                                    devicePresetProfile(DevicePreset::Android)};
    const QStringList webCodecs{"h264", "hevc", "vp9", "av1"};
    for (const int id : mediaFormats()) {
        for (const int codec : videoCodecsOffered(id)) {
            OutputProfile profile = defaultProfile(id);
            profile.vCodec = codec;
            if (webCodecs.contains(expectedVideoCodec(profile)))
                profiles.append(profile);
        }
    }
    for (const OutputProfile &profile : profiles) {
        const QString name = profileName(profile) + u' ' + expectedVideoCodec(profile);
        const QString output = m_folder.filePath(QStringLiteral("screen%1.%2").arg(++m_count).arg(suffixOf(profile)));
        const conversion::Outcome outcome = conversion::convert(jobFor(profile), screen, output);
        QVERIFY2(outcome.succeeded, qPrintable(name + u'\n' + outcome.errors));
        QCOMPARE(conversion::pixelFormat(output), QStringLiteral("yuv420p"));
        const testmedia::Stream *video = testmedia::probe(output).first(QStringLiteral("video"));
        QVERIFY2(video, qPrintable(name));
        const QSize size(video->width, video->height);
        QVERIFY2(size.width() % 2 == 0 && size.height() % 2 == 0, qPrintable(name));
        if (profile.vSize == 0)
            QCOMPARE(size, QSize(1918, 1078));
    }
}

QTEST_GUILESS_MAIN(TestConversion)
#include "tst_conversion.moc"
