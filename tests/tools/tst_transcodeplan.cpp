// planTranscode on hand-made media facts: every rewrite that Debian's ffmpeg
// 5.1 needs, checked on the exact argument lists it produces.

#include "engine/transcodervalues.h"
#include "tools/transcoder/plan/plainstreamcopy.h"
#include "tools/transcoder/plan/transcodeplan.h"

#include <QtTest>

#include <iconv.h>

Q_DECLARE_METATYPE(MediaFacts)

namespace {

MediaFacts clip(int width, int height, double frameRate, int sampleRate, int channels, double seconds = 60)
{
    MediaFacts facts;
    facts.readable = true;
    facts.durationSeconds = seconds;
    facts.hasVideo = width > 0;
    facts.width = width;
    facts.height = height;
    facts.frameRate = frameRate;
    facts.hasAudio = sampleRate > 0;
    facts.sampleRate = sampleRate;
    facts.channels = channels;
    return facts;
}

const MediaFacts small = clip(160, 120, 25, 44100, 2);

// Arguments written with single blanks between them (no value here holds one).
QStringList words(const QString &text)
{
    return text.split(u' ', Qt::SkipEmptyParts);
}

QString fakeFont(const QString &family, const QString &)
{
    return QStringLiteral("/fonts/") + family + QStringLiteral(".ttf");
}

TranscodePlan plan(const QStringList &given, const MediaFacts &facts = small, const FontLookup &fonts = fakeFont)
{
    return planTranscode(given, facts, fonts);
}

// Every output carries the input's tags and chapters: the options go last,
// before the output.
QString withTags(const QString &expected)
{
    QStringList arguments = words(expected);
    arguments.insert(arguments.size() - 1, QStringLiteral("-map_metadata 0 -map_chapters 0"));
    return arguments.join(u' ');
}

// An input with the codecs that a phone or a download has.
MediaFacts coded(MediaFacts facts, const QString &video, const QString &audio, const QString &pixelFormat = "yuv420p")
{
    facts.videoCodec = video;
    facts.pixelFormat = pixelFormat;
    facts.audioCodec = audio;
    return facts;
}

QString vfOf(const TranscodePlan &result)
{
    const int at = result.ffmpegArguments.indexOf(QStringLiteral("-vf"));
    return at < 0 ? QString() : result.ffmpegArguments.value(at + 1);
}

} // namespace

class TestTranscodePlan : public QObject
{
    Q_OBJECT

private slots:
    void rewrites_data();
    void rewrites();
    void streamCopy_data();
    void streamCopy();
    void plainStreamCopies_data();
    void plainStreamCopies();
    void refusals_data();
    void refusals();
    void mplayerEqBecomesNamedEq();
    void drawtextGetsAFontFileForItsText();
    void drawtextFallsBackToAnyFontOfTheFamily();
    void drawtextWithoutAnyFontFails();
    void subtitleCodePagesAllReachIconv_data();
    void subtitleCodePagesAllReachIconv();
    void wideSubtitleFilesAreRecoded();
    void expectedSeconds_data();
    void expectedSeconds();
    void recodedCopyIsUtf8();
    void recodingNeverReplacesAFile();
    void recodingRefusesTextOfAnotherCodePage();
};

// given arguments (input "in", output "out.<suffix>") and facts -> ffmpeg's arguments
void TestTranscodePlan::rewrites_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<MediaFacts>("facts");
    QTest::addColumn<QString>("expected");

    const QString head = QStringLiteral("-y -i in -threads 4 -preset ultrafast ");
    auto row = [&](const char *name, const QString &given, const MediaFacts &facts, const QString &expected) {
        QTest::newRow(name) << head + given << facts << head + expected;
    };
    const MediaFacts odd = clip(853, 479, 25, 44100, 2);
    const MediaFacts hiFi = clip(160, 120, 25, 96000, 6);
    const MediaFacts lowRate = clip(160, 120, 25, 8000, 1);
    const MediaFacts tenFps = clip(160, 120, 10, 44100, 2);

    row("libfaac is aac", "-vcodec libx264 -acodec libfaac out.mp4", small,
        "-vcodec libx264 -acodec aac -pix_fmt yuv420p out.mp4");
    row("mjpeg pictures in 4:2:0", "-vcodec mjpeg -acodec libmp3lame out.avi", small,
        "-vcodec mjpeg -acodec libmp3lame -pix_fmt yuvj420p out.avi");
    row("a picture format asked for stays", "-vcodec libx264 -pix_fmt yuv444p -acodec libfaac out.mp4", small,
        "-vcodec libx264 -pix_fmt yuv444p -acodec aac out.mp4");
    row("mp3 alone unchanged", "-acodec libmp3lame -vn out.mp3", small, "-acodec libmp3lame -vn out.mp3");

    // frame sizes
    row("x264 odd size to even", "-vcodec libx264 -acodec libfaac out.mp4", odd,
        "-vcodec libx264 -acodec aac -s 852x478 -pix_fmt yuv420p out.mp4");
    row("x264 odd size turned", "-vf transpose=1 -vcodec libx264 -acodec libfaac out.mp4", odd,
        "-vf transpose=1 -vcodec libx264 -acodec aac -s 478x852 -pix_fmt yuv420p out.mp4");
    row("x264 odd size turned twice", "-vf transpose=1,transpose=1 -vcodec libx264 -acodec libfaac out.mp4", odd,
        "-vf transpose=1,transpose=1 -vcodec libx264 -acodec aac -s 852x478 -pix_fmt yuv420p out.mp4");
    row("x264 chosen size kept", "-s 640x480 -vcodec libx264 -acodec libfaac out.mp4", odd,
        "-s 640x480 -vcodec libx264 -acodec aac -pix_fmt yuv420p -vf scale=640:360,pad=640:480:0:60,setsar=1 out.mp4");
    row("wmv2 odd size", "-vcodec wmv2 -acodec wmav1 out.wmv", odd, "-vcodec wmv2 -acodec wmav1 -s 852x478 out.wmv");
    row("msmpeg4v2 odd size", "-vcodec msmpeg4v2 -acodec libmp3lame out.avi", odd,
        "-vcodec msmpeg4v2 -acodec libmp3lame -s 852x478 out.avi");
    row("mpeg4 takes odd sizes", "-vcodec mpeg4 -acodec mp2 out.mkv", odd, "-vcodec mpeg4 -acodec mp2 out.mkv");

    // H.265, VP9 and AV1: 4:2:0, even sizes, a laptop's speed, Apple's tag for H.265 in MP4
    row("x265 in mp4", "-vcodec libx265 -acodec libfaac out.mp4", small,
        "-vcodec libx265 -acodec aac -pix_fmt yuv420p -x265-params log-level=error -tag:v hvc1 out.mp4");
    row("x265 in mkv untagged", "-vcodec libx265 -acodec libopus out.mkv", odd,
        "-vcodec libx265 -acodec libopus -ar 48000 -s 852x478 -pix_fmt yuv420p -x265-params log-level=error out.mkv");
    QTest::newRow("vp9 in webm") << head + "-vcodec libvpx-vp9 -acodec libopus out.webm" << odd
                                 << "-y -i in -threads 4 -vcodec libvpx-vp9 -acodec libopus -ar 48000 -s 852x478 "
                                    "-pix_fmt yuv420p -crf 32 -b:v 0 "
                                    "-deadline realtime -cpu-used 8 -row-mt 1 out.webm";
    QTest::newRow("vp9 chosen bitrate kept")
        << head + "-vcodec libvpx-vp9 -b:v 1024k -acodec libopus out.webm" << small
        << "-y -i in -threads 4 -vcodec libvpx-vp9 -b:v 1024k -acodec libopus -ar 48000 -pix_fmt yuv420p "
           "-deadline realtime -cpu-used 8 -row-mt 1 out.webm";
    QTest::newRow("av1 small picture grows to 64")
        << head + "-vcodec libsvtav1 -acodec libfaac out.mp4" << clip(48, 36, 25, 44100, 2)
        << "-y -i in -threads 4 -preset 12 -vcodec libsvtav1 -acodec aac -s 86x64 -pix_fmt yuv420p out.mp4";
    row("opus 5.1 in its own layout", "-acodec libopus -vn out.opus", hiFi,
        "-acodec libopus -vn -ar 48000 -af aformat=channel_layouts=5.1 out.opus");
    row("opus mono at most 256k", "-ac 1 -acodec libopus -b:a 320k -vn out.opus", small,
        "-ac 1 -acodec libopus -b:a 256k -vn -ar 48000 out.opus");

    // RealVideo: multiples of 16, at most 4095 macroblocks, packets below 64 kB
    row("rv10 small", "-vcodec rv10 -acodec ac3 out.rm", small,
        "-vcodec rv10 -acodec ac3 -s 160x112 -maxrate 11775k -bufsize 471k -vf scale=150:112,pad=160:112:4:0,setsar=1 out.rm");
    row("rv10 odd", "-vcodec rv10 -acodec ac3 out.rm", odd,
        "-vcodec rv10 -acodec ac3 -s 848x480 -maxrate 11775k -bufsize 471k out.rm");
    row("rv20 1280x1024 shrinks", "-s 1280x1024 -vcodec rv20 -acodec ac3 out.rm", small,
        "-s 1136x912 -vcodec rv20 -acodec ac3 -maxrate 11775k -bufsize 471k -vf scale=1136:852,pad=1136:912:0:30,setsar=1 out.rm");
    row("rv10 1920x1080 shrinks", "-s 1920x1080 -vcodec rv10 -acodec ac3 out.rm", small,
        "-s 1360x768 -vcodec rv10 -acodec ac3 -maxrate 11775k -bufsize 471k -vf scale=1024:768,pad=1360:768:168:0,setsar=1 out.rm");
    row("rv10 1024x768 fits", "-s 1024x768 -vcodec rv10 -acodec ac3 out.rm", small,
        "-s 1024x768 -vcodec rv10 -acodec ac3 -maxrate 11775k -bufsize 471k out.rm");
    row("rv20 bitrate above one buffer a frame", "-r 15 -vcodec rv20 -b:v 8000k -acodec ac3 out.rm", small,
        "-r 15 -vcodec rv20 -b:v 7065k -acodec ac3 -s 160x112 -maxrate 7065k -bufsize 471k -vf scale=150:112,pad=160:112:4:0,setsar=1,fps=15 out.rm");

    row("rm at 29.97 stores 30", "-r 29.97 -vcodec rv10 -acodec ac3 out.rm", small,
        "-r 30 -vcodec rv10 -acodec ac3 -s 160x112 -maxrate 14130k -bufsize 471k -vf scale=150:112,pad=160:112:4:0,setsar=1,fps=30 out.rm");
    row("rm from an input at 29.97", "-vcodec rv20 -acodec ac3 out.rm", clip(160, 120, 30000.0 / 1001, 44100, 2),
        "-vcodec rv20 -acodec ac3 -s 160x112 -r 30 -maxrate 14130k -bufsize 471k -vf scale=150:112,pad=160:112:4:0,setsar=1,fps=30 out.rm");

    // DV pairs every frame with its samples: gaps in the sound's timestamps are filled
    row("dv", "-target ntsc-dv out.dv", small,
        "-target ntsc-dv -af aresample=async=1:first_pts=0 -aspect 4:3 -vf fps=30000/1001 out.dv");

    // A frame of another shape than the picture gets bars, never a stretched picture.
    MediaFacts phone = clip(720, 1280, 30, 44100, 2); // stored 1280x720 with a quarter-turn tag
    MediaFacts anamorphic = clip(720, 576, 25, 44100, 2);
    anamorphic.pixelAspect = 64.0 / 45; // shown 16:9
    row("portrait into the device preset's frame", "-s 720x480 -aspect 16:9 -vcodec libx264 -acodec libfaac out.mov",
        phone, "-s 720x480 -aspect 16:9 -vcodec libx264 -acodec aac -pix_fmt yuv420p -vf scale=228:480,pad=720:480:246:0 out.mov");
    row("portrait to dv", "-target ntsc-dv out.dv", phone,
        "-target ntsc-dv -af aresample=async=1:first_pts=0 -aspect 4:3 -vf scale=304:480,pad=720:480:208:0,fps=30000/1001 out.dv");
    row("wide to dv is wide dv", "-target ntsc-dv out.dv", anamorphic,
        "-target ntsc-dv -af aresample=async=1:first_pts=0 -aspect 16:9 -vf fps=30000/1001 out.dv");
    row("portrait to realvideo", "-vcodec rv10 -acodec ac3 out.rm", clip(180, 320, 25, 44100, 2),
        "-vcodec rv10 -acodec ac3 -s 176x320 -maxrate 11775k -bufsize 471k out.rm");
    row("a display shape alone", "-aspect 4:3 -vcodec mpeg4 -acodec mp2 out.avi", anamorphic,
        "-aspect 4:3 -vcodec mpeg4 -acodec mp2 -vf scale=720:432,pad=720:576:0:72 out.avi");
    row("turned into the frame, bars after the graph's own filters",
        "-vf movie=logo.png[watermark];[in][watermark]overlay=10:10,transpose=1[out] -s 640x480 -vcodec mpeg4 -acodec mp2 out.avi",
        small,
        "-vf movie=logo.png[watermark];[in][watermark]overlay=10:10,transpose=1,scale=360:480,pad=640:480:140:0,setsar=1[out] -s 640x480 -vcodec mpeg4 -acodec mp2 out.avi");
    row("odd picture, a display shape alone", "-aspect 4:3 -vcodec mpeg4 -acodec mp2 out.avi", clip(853, 479, 25, 44100, 2),
        "-aspect 4:3 -vcodec mpeg4 -acodec mp2 -vf scale=852:358,pad=853:479:0:60 out.avi");
    row("same shape, no bars", "-s 320x240 -vcodec mpeg4 -acodec mp2 out.avi", small,
        "-s 320x240 -vcodec mpeg4 -acodec mp2 out.avi");

    // MPEG-1 frame rates outside the standard need "-strict -1"; a rate it
    // lacks goes to the nearest it has. Any other rate than the input's
    // comes from the fps filter.
    row("mpeg1 at 15", "-r 15 -vcodec mpeg1video -acodec mp2 out.mpg", small,
        "-r 15 -vcodec mpeg1video -acodec mp2 -strict -1 -vf fps=15 out.mpg");
    row("mpeg1 input at 10", "-vcodec mpeg1video -acodec mp2 out.mpg", tenFps,
        "-vcodec mpeg1video -acodec mp2 -strict -1 out.mpg");
    row("mpeg1 at 20 goes to 23.976", "-r 20 -vcodec mpeg1video -acodec mp2 out.mpg", small,
        "-r 24000/1001 -vcodec mpeg1video -acodec mp2 -vf fps=24000/1001 out.mpg");
    row("mpeg1 at 29.97", "-r 29.97 -vcodec mpeg1video -acodec mp2 out.vob", tenFps,
        "-r 29.97 -vcodec mpeg1video -acodec mp2 -vf fps=29.97 out.vob");
    row("a lower rate by the fps filter", "-r 15 -vcodec libx264 -acodec libfaac out.mp4", small,
        "-r 15 -vcodec libx264 -acodec aac -pix_fmt yuv420p -vf fps=15 out.mp4");
    row("the input's own rate needs no filter", "-r 25 -vcodec libx264 -acodec libfaac out.mp4", small,
        "-r 25 -vcodec libx264 -acodec aac -pix_fmt yuv420p out.mp4");
    row("the fps filter after the graph's own filters", "-r 30000/1001 -vf hflip -vcodec mpeg4 -acodec mp2 out.avi",
        clip(160, 120, 30, 44100, 2), "-r 30000/1001 -vf hflip,fps=30000/1001 -vcodec mpeg4 -acodec mp2 out.avi");
    row("mpeg2 any rate", "-vcodec mpeg2video -acodec mp2 out.vob", tenFps,
        "-vcodec mpeg2video -acodec mp2 -pix_fmt yuv420p out.vob");

    // sample rates
    row("flv mp3 48k", "-vcodec flv1 -ar 48000 -acodec libmp3lame out.flv", small,
        "-vcodec flv1 -ar 44100 -acodec libmp3lame out.flv");
    row("flv mp3 8k", "-vcodec flv1 -ar 8000 -acodec libmp3lame out.flv", small,
        "-vcodec flv1 -ar 11025 -acodec libmp3lame out.flv");
    row("flv mp3 24k", "-vcodec flv1 -ar 24000 -acodec libmp3lame out.flv", small,
        "-vcodec flv1 -ar 22050 -acodec libmp3lame out.flv");
    row("flv mp3 from 96k input", "-vcodec flv1 -acodec libmp3lame out.flv", hiFi,
        "-vcodec flv1 -acodec libmp3lame -ar 44100 -ac 2 out.flv");
    row("flv aac any rate", "-vcodec flv1 -ar 8000 -acodec libfaac out.flv", small,
        "-vcodec flv1 -ar 8000 -acodec aac out.flv");
    row("flv flac is pcm", "-vcodec flv1 -acodec flac out.flv", hiFi,
        "-vcodec flv1 -acodec pcm_s16le -ar 44100 -ac 2 out.flv");
    row("ac3 22050", "-ar 22050 -acodec ac3 -vn out.ac3", small, "-ar 32000 -acodec ac3 -vn out.ac3");
    row("ac3 8000", "-ar 8000 -acodec ac3 -vn out.ra", small, "-ar 32000 -acodec ac3 -vn out.ra");
    row("ac3 keeps 5.1", "-acodec ac3 -vn out.ac3", hiFi, "-acodec ac3 -vn -ar 48000 out.ac3");
    row("mp2 8000", "-ar 8000 -acodec mp2 -vn out.mp2", small, "-ar 16000 -acodec mp2 -vn out.mp2");
    row("mp2 from 8k input", "-acodec mp2 -vn out.mp2", lowRate, "-acodec mp2 -vn -ar 16000 out.mp2");
    row("wma 96k 5.1", "-acodec wmav2 -vn out.wma", hiFi, "-acodec wmav2 -vn -ar 48000 -ac 2 out.wma");
    row("wma 8000", "-ar 8000 -acodec wmav1 -vn out.wma", small, "-ar 8000 -acodec wmav1 -vn out.wma");
    row("mp3 5.1", "-acodec libmp3lame -vn out.mp3", hiFi, "-acodec libmp3lame -vn -ar 48000 -ac 2 out.mp3");
    row("aac 96k 5.1 kept", "-acodec libfaac -vn out.m4a", hiFi, "-acodec aac -vn out.m4a");
    row("flac 96k kept", "-acodec flac -vn out.ogg", hiFi, "-acodec flac -vn out.ogg");

    // bitrates
    row("mp2 196k", "-acodec mp2 -b:a 196k -vn out.mp2", small, "-acodec mp2 -b:a 192k -vn out.mp2");
    row("mp2 256k at 22050", "-ar 22050 -acodec mp2 -b:a 256k -vn out.mp2", small,
        "-ar 22050 -acodec mp2 -b:a 160k -vn out.mp2");
    row("mp2 64k at 8000", "-ar 8000 -acodec mp2 -b:a 64k -vn out.mp2", small,
        "-ar 16000 -acodec mp2 -b:a 64k -vn out.mp2");
    row("mp2 320k kept", "-acodec mp2 -b:a 320k -vn out.mp2", small, "-acodec mp2 -b:a 320k -vn out.mp2");

    // MP3 below 16 kHz in MP4
    row("mp4 mp3 8000", "-vcodec libx264 -ar 8000 -acodec libmp3lame out.mp4", small,
        "-vcodec libx264 -ar 8000 -acodec libmp3lame -strict -1 -pix_fmt yuv420p out.mp4");
    row("mp4 mp3 from 8k input", "-vcodec libx264 -acodec libmp3lame out.mp4", lowRate,
        "-vcodec libx264 -acodec libmp3lame -strict -1 -pix_fmt yuv420p out.mp4");
    row("mp4 mp3 22050", "-vcodec libx264 -ar 22050 -acodec libmp3lame out.mp4", small,
        "-vcodec libx264 -ar 22050 -acodec libmp3lame -pix_fmt yuv420p out.mp4");
    row("mp3 8000 alone", "-ar 8000 -acodec libmp3lame -vn out.mp3", small,
        "-ar 8000 -acodec libmp3lame -vn out.mp3");

    // streams the input lacks
    row("audio input to a video format",
        "-r 25 -vf hflip -s 640x480 -aspect 4:3 -vcodec libx264 -b:v 1024k -acodec libfaac out.mp4",
        clip(0, 0, 0, 44100, 2), "-acodec aac -vn out.mp4");
    row("video input without sound", "-af volume=1.5 -vcodec mpeg4 -ar 44100 -ac 2 -acodec libmp3lame -b:a 128k out.avi",
        clip(160, 120, 25, 0, 0), "-vcodec mpeg4 -an out.avi");
    row("dv needs no sound", "-target ntsc-dv out.dv", clip(160, 120, 25, 0, 0), "-target ntsc-dv -an -aspect 4:3 -vf fps=30000/1001 out.dv");

    // cuts: seek on the input where the filters do not look at the time
    QTest::newRow("cut without filters seeks on the input")
        << head + "-ss 12.345 -t 10 -vcodec libx264 -acodec libfaac out.mp4" << small
        << "-y -ss 12.345 -i in -threads 4 -preset ultrafast -t 10 -vcodec libx264 -acodec aac -pix_fmt yuv420p out.mp4";
    QTest::newRow("cut with steady filters seeks on the input")
        << head + "-ss 5 -t 1 -vf movie=logo.png[watermark];[in][watermark]overlay=10:10,transpose=1,hflip -af volume=2 -vcodec libx264 -acodec libfaac out.mp4"
        << small
        << "-y -ss 5 -i in -threads 4 -preset ultrafast -t 1 -vf movie=logo.png[watermark];[in][watermark]overlay=10:10,transpose=1,hflip -af volume=2 -vcodec libx264 -acodec aac -pix_fmt yuv420p out.mp4";
    row("cut with subtitles decodes from the beginning",
        "-ss 5 -t 1 -vf subtitles=film.srt:charenc=UTF-8 -vcodec libx264 -acodec libfaac out.mp4", small,
        "-ss 5 -t 1 -vf subtitles=film.srt:charenc=UTF-8 -vcodec libx264 -acodec aac -pix_fmt yuv420p out.mp4");
    row("cut with a moving watermark decodes from the beginning",
        "-ss 5 -t 1 -vf movie=anim.gif[watermark];[in][watermark]overlay=10:10 -vcodec libx264 -acodec libfaac out.mp4",
        small,
        "-ss 5 -t 1 -vf movie=anim.gif[watermark];[in][watermark]overlay=10:10 -vcodec libx264 -acodec aac -pix_fmt yuv420p out.mp4");
    QTest::newRow("gif maker cut seeks on the input")
        << head + "-ss 5 -t 3 -s 320x240 -b:v 1024k out.gif" << small
        << "-y -ss 5 -i in -threads 4 -preset ultrafast -t 3 -s 320x240 -b:v 1024k out.gif";
}

void TestTranscodePlan::rewrites()
{
    QFETCH(QString, given);
    QFETCH(MediaFacts, facts);
    QFETCH(QString, expected);
    const TranscodePlan result = plan(words(given), facts);
    QCOMPARE(result.error, QString());
    QCOMPARE(result.ffmpegArguments.join(u' '), withTags(expected));
}

// given arguments and facts -> ffmpeg's arguments after "ultrafast", the
// streams copied, and whether the plan asks for the input's details first
void TestTranscodePlan::streamCopy_data()
{
    QTest::addColumn<QString>("given");
    QTest::addColumn<MediaFacts>("facts");
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("copied");
    QTest::addColumn<QString>("needs"); // the fact the plan asks for first

    const MediaFacts download = coded(clip(1920, 1080, 25, 48000, 2), "h264", "aac");
    MediaFacts phone = coded(clip(720, 1280, 30, 48000, 2), "h264", "aac", "yuvj420p");
    phone.rotation = 90;
    MediaFacts unknownFormat = download;
    unknownFormat.pixelFormat.clear();
    MediaFacts song = coded(clip(0, 0, 0, 44100, 2), "", "mp3");
    song.audioBitRate = 256000;
    MediaFacts unknownBitrate = song;
    unknownBitrate.audioBitRate = 0;
    const QString mp4 = QStringLiteral("-vcodec libx264 -acodec libfaac out.mp4");

    auto row = [](const char *name, const QString &given, const MediaFacts &facts, const QString &expected,
                  const QString &copied, const QString &needs = QString()) {
        QTest::newRow(name) << given << facts << expected << copied << needs;
    };
    row("H.264 and AAC to MP4", mp4, download, "-vcodec copy -acodec copy out.mp4", "video,audio");
    row("H.264 and AAC to MOV", "-vcodec libx264 -acodec libfaac out.mov", download,
        "-vcodec copy -acodec copy out.mov", "video,audio");
    row("full-range pictures", mp4, coded(download, "h264", "aac", "yuvj420p"), "-vcodec copy -acodec copy out.mp4",
        "video,audio");
    row("pixel format still unknown", mp4, unknownFormat, "-vcodec libx264 -acodec copy -pix_fmt yuv420p out.mp4",
        "audio", "pixel format");
    row("4:4:4 pictures are encoded for players", mp4, coded(download, "h264", "aac", "yuv444p"),
        "-vcodec libx264 -acodec copy -pix_fmt yuv420p out.mp4", "audio");
    row("another codec chosen", "-vcodec mpeg4 -acodec libfaac out.mp4", download,
        "-vcodec mpeg4 -acodec copy out.mp4", "audio");
    row("MPEG-4 Part 2 input", mp4, coded(download, "mpeg4", "mp3"),
        "-vcodec libx264 -acodec aac -pix_fmt yuv420p out.mp4", "");
    row("a cut is encoded", "-ss 5 -t 10 " + mp4, download,
        "-t 10 -vcodec libx264 -acodec aac -pix_fmt yuv420p out.mp4", "");
    row("volume encodes the sound only", "-af volume=1.5 " + mp4, download,
        "-af volume=1.5 -vcodec copy -acodec aac out.mp4", "video");
    row("a filter encodes the pictures only", "-vf hflip " + mp4, download,
        "-vf hflip -vcodec libx264 -acodec copy -pix_fmt yuv420p out.mp4", "audio");
    row("the input's own size and rate", "-r 25 -s 1920x1080 " + mp4, download, "-vcodec copy -acodec copy out.mp4",
        "video,audio");
    row("another size", "-s 1280x720 " + mp4, download,
        "-s 1280x720 -vcodec libx264 -acodec copy -pix_fmt yuv420p out.mp4", "audio");
    row("a bitrate is encoded", "-vcodec libx264 -b:v 4800k -acodec libfaac out.mp4", download,
        "-vcodec libx264 -b:v 4800k -acodec copy -pix_fmt yuv420p out.mp4", "audio");
    row("turned phone clip keeps its tag in MP4", mp4, phone, "-vcodec copy -acodec copy out.mp4", "video,audio");
    row("AVI stores no picture times", "-vcodec libx264 -acodec libfaac out.avi", download,
        "-vcodec libx264 -acodec copy -pix_fmt yuv420p out.avi", "audio");
    row("FLV would drop the turn", "-vcodec flv1 -acodec libfaac out.flv", coded(phone, "flv1", "aac"),
        "-vcodec flv1 -acodec copy out.flv", "audio");
    row("MPEG-4 from an old AVI into MKV", "-vcodec mpeg4 -acodec mp2 out.mkv", coded(download, "mpeg4", "mp3"),
        "-vcodec copy -acodec mp2 -bsf:v mpeg4_unpack_bframes out.mkv", "video");
    row("AAC to ADTS with an ID3 tag", "-acodec libfaac -vn out.aac", download,
        "-acodec copy -vn -map_metadata 0 -map_chapters 0 -write_id3v2 1 out.aac", "audio");
    row("MP3 to MP3", "-acodec libmp3lame -vn out.mp3", song, "-acodec copy -vn out.mp3", "audio");
    row("join part already at the join's format", "-ar 44100 -ac 2 -acodec libmp3lame -b:a 256k -vn out.mp3", song,
        "-acodec copy -vn out.mp3", "audio");
    row("join part at another bitrate", "-ar 44100 -ac 2 -acodec libmp3lame -b:a 320k -vn out.mp3", song,
        "-ar 44100 -ac 2 -acodec libmp3lame -b:a 320k -vn out.mp3", "");
    row("join part of unknown bitrate", "-ar 44100 -ac 2 -acodec libmp3lame -b:a 256k -vn out.mp3", unknownBitrate,
        "-ar 44100 -ac 2 -acodec libmp3lame -b:a 256k -vn out.mp3", "", "bitrate");
    row("MP3 at 48 kHz into FLV", "-vcodec flv1 -acodec libmp3lame out.flv", coded(download, "h264", "mp3"),
        "-vcodec flv1 -acodec libmp3lame -ar 44100 out.flv", "");
    row("a phone's H.265 copied into MP4 keeps Apple's tag", "-vcodec libx265 -acodec libfaac out.mp4",
        coded(phone, "hevc", "aac", "yuv420p"), "-vcodec copy -acodec copy -tag:v hvc1 out.mp4", "video,audio");
    row("RealVideo into RealMedia is encoded", "-vcodec rv10 -acodec ac3 out.rm",
        coded(clip(320, 240, 25, 44100, 2), "rv10", "ac3"),
        "-vcodec rv10 -acodec copy -maxrate 11775k -bufsize 471k out.rm", "audio");
}

void TestTranscodePlan::streamCopy()
{
    QFETCH(QString, given);
    QFETCH(MediaFacts, facts);
    QFETCH(QString, expected);
    const QString head = QStringLiteral("-y -i in -threads 4 -preset ultrafast ");
    const TranscodePlan result = plan(words(head + given), facts);
    QCOMPARE(result.error, QString());
    const QStringList options = result.ffmpegArguments.mid(result.ffmpegArguments.indexOf(QStringLiteral("ultrafast")) + 1);
    QCOMPARE(options.join(u' '), expected.contains(QLatin1String("-map_metadata")) ? expected : withTags(expected));
    QTEST(result.copiedStreams.join(u','), "copied");
    QTEST(QString(result.needsPixelFormat ? "pixel format" : result.needsAudioBitRate ? "bitrate" : ""), "needs");

    // When the muxer refuses a copy, the transcoder plans again without one.
    const TranscodePlan encoded = planTranscode(words(head + given), facts, fakeFont, StreamCopyChoice::Never);
    QVERIFY(encoded.copiedStreams.isEmpty());
    QVERIFY(!encoded.ffmpegArguments.contains(QStringLiteral("copy")));
}

// ffmpeg's arguments before the output -> what the transcoder copies itself
// ("" when it leaves the command to ffmpeg)
void TestTranscodePlan::plainStreamCopies_data()
{
    QTest::addColumn<QString>("arguments");
    QTest::addColumn<QString>("copies");
    const QString head = QStringLiteral("-y -i in.mkv -threads 4 -preset ultrafast ");
    const QString tags = QStringLiteral(" -map_metadata 0 -map_chapters 0");
    QTest::newRow("MP4 of the same codecs") << head + "-vcodec copy -acodec copy" + tags << "video,audio";
    QTest::newRow("M4A: the sound alone") << head + "-acodec copy -vn" + tags << "audio";
    QTest::newRow("a film without its sound") << "-i in.mkv -c:v copy -an" << "video";
    QTest::newRow("the sound encoded") << head + "-vcodec copy -acodec aac" + tags << "";
    QTest::newRow("the sound left to ffmpeg's default") << head + "-vcodec copy" + tags << "";
    QTest::newRow("a cut") << head + "-ss 5 -vcodec copy -acodec copy" << "";
    QTest::newRow("a filter") << head + "-vcodec copy -acodec copy -af volume=2" << "";
    QTest::newRow("streams mapped") << head + "-map 0 -vcodec copy -acodec copy" << "";
    QTest::newRow("a tag of its own") << head + "-vcodec copy -acodec copy -metadata title=x" << "";
    QTest::newRow("another input's tags") << head + "-vcodec copy -acodec copy -map_metadata 1" << "";
    QTest::newRow("an input format") << "-f concat -i list.txt -vcodec copy -acodec copy" << "";
    QTest::newRow("two inputs") << head + "-i other.mkv -vcodec copy -acodec copy" << "";
    QTest::newRow("nothing kept") << head + "-vn -an" << "";
    QTest::newRow("an option without its value") << head + "-vcodec copy -acodec" << "";
}

void TestTranscodePlan::plainStreamCopies()
{
    QFETCH(QString, arguments);
    const std::optional<PlainStreamCopy> copy = plainStreamCopyOf(words(arguments));
    QStringList copies;
    if (copy && copy->copyVideo)
        copies << "video";
    if (copy && copy->copyAudio)
        copies << "audio";
    QTEST(copies.join(u','), "copies");
    if (copy)
        QCOMPARE(copy->input, QStringLiteral("in.mkv"));
}

void TestTranscodePlan::refusals_data()
{
    QTest::addColumn<QStringList>("given");
    QTest::addColumn<MediaFacts>("facts");
    QTest::addColumn<QString>("error");

    const QString head = QStringLiteral("-y -i in -threads 4 -preset ultrafast ");
    MediaFacts unreadable = small;
    unreadable.readable = false;
    QTest::newRow("no input") << words("-y out.mp4") << small << "the arguments name no input and output";
    QTest::newRow("no output") << words("-y -i in") << small << "the arguments name no input and output";
    QTest::newRow("unreadable") << words(head + "-vcodec libx264 out.mp4") << unreadable
                                << "the input cannot be read as media";
    QTest::newRow("neither picture nor sound") << words(head + "-vcodec libx264 out.mp4") << clip(0, 0, 0, 0, 0)
                                               << "the input has neither picture nor sound";
    QTest::newRow("video input to an audio format") << words(head + "-acodec libmp3lame -vn out.mp3")
                                                    << clip(160, 120, 25, 0, 0) << "the input has no sound to convert";
    QTest::newRow("audio input to DV") << words(head + "-target ntsc-dv out.dv") << clip(0, 0, 0, 44100, 2)
                                       << "the input has no picture, and a DV file needs one";
    QTest::newRow("audio input to the GIF maker") << words(head + "-ss 0 -t 3 -s 150x112 -b:v 1024k out.gif")
                                                  << clip(0, 0, 0, 44100, 2)
                                                  << "the input has no picture, and a GIF file needs one";
    QTest::newRow("start beyond the end") << words(head + "-ss 61 -t 3 -vcodec libx264 out.mp4") << small
                                          << "the start (61 s) lies beyond the end of the input (60 s)";
    QTest::newRow("empty cut") << words(head + "-ss 1 -t 0 -vcodec libx264 out.mp4") << small
                               << "the part to convert is empty (its length is 0)";
    QTest::newRow("start not a time") << words(head + "-ss 1,5 -t 1 -vcodec libx264 out.mp4") << small
                                      << "the start \"1,5\" is not a time";
    QTest::newRow("broken filters") << QStringList{"-i", "in", "-vf", "hflip,[a", "out.mp4"} << small
                                    << "the filters \"hflip,[a\" cannot be read: ";
}

void TestTranscodePlan::refusals()
{
    QFETCH(QStringList, given);
    QFETCH(MediaFacts, facts);
    QFETCH(QString, error);
    const TranscodePlan result = plan(given, facts);
    if (error.endsWith(QLatin1String(": ")))
        QVERIFY2(result.error.startsWith(error), qPrintable(result.error));
    else
        QCOMPARE(result.error, error);
    QVERIFY(result.ffmpegArguments.isEmpty());
}

void TestTranscodePlan::mplayerEqBecomesNamedEq()
{
    const TranscodePlan result =
        plan({"-i", "in", "-vf", "hflip,mp=eq2=1.0:0.5:-0.3:1.2", "-vcodec", "libx264", "out.mp4"});
    QCOMPARE(vfOf(result), QStringLiteral("hflip,eq=gamma=1.0:contrast=0.5:brightness=-0.3:saturation=1.2"));
}

// The text as the application escapes it for both levels and for drawtext's
// own "%" expansion; the lookup must see it as typed, and ffmpeg must get the
// same text back.
void TestTranscodePlan::drawtextGetsAFontFileForItsText()
{
    const QString typed = QStringLiteral("It's a:b, c\\d 100% [x];y 中文");
    const QString given = QStringLiteral(
        R"(drawtext=fontfile='Times New Roman':text='It\'\''s a\:b, c\\\\d 100\\% [x];y 中文')"
        ":fontsize=54:fontcolor=white:x=10:y=10");
    QString askedFamily, askedText;
    const FontLookup recording = [&](const QString &family, const QString &text) {
        askedFamily = family;
        askedText = text;
        return QStringLiteral("/usr/share/fonts/x/Noto CJK.ttc");
    };
    const TranscodePlan result = plan({"-i", "in", "-vf", given, "-vcodec", "libx264", "out.mp4"}, small, recording);
    QCOMPARE(result.error, QString());
    QCOMPARE(askedFamily, QStringLiteral("Times New Roman"));
    QCOMPARE(askedText, typed);
    QCOMPARE(vfOf(result),
             QStringLiteral(R"(drawtext=fontfile=/usr/share/fonts/x/Noto CJK.ttc)"
                            R"(:text=It\\\'s a\\:b\, c\\\\\\\\d 100\\\\% \[x\]\;y 中文)"
                            ":fontsize=54:fontcolor=white:x=10:y=10"));
}

void TestTranscodePlan::drawtextFallsBackToAnyFontOfTheFamily()
{
    const FontLookup onlyWithoutText = [](const QString &family, const QString &text) {
        return text.isEmpty() ? QStringLiteral("/fonts/%1.ttf").arg(family) : QString();
    };
    const TranscodePlan result = plan(
        {"-i", "in", "-vf", "drawtext=fontfile=Foo:text=\U0001F600:x=1:y=1", "-vcodec", "libx264", "out.mp4"}, small,
        onlyWithoutText);
    QCOMPARE(vfOf(result), QStringLiteral("drawtext=fontfile=/fonts/Foo.ttf:text=\U0001F600:x=1:y=1"));
}

void TestTranscodePlan::drawtextWithoutAnyFontFails()
{
    const TranscodePlan result =
        plan({"-i", "in", "-vf", "drawtext=fontfile=Foo:text=a", "out.mp4"}, small,
             [](const QString &, const QString &) { return QString(); });
    QCOMPARE(result.error, QStringLiteral("no font file found for the font \"Foo\""));
}

// Every code page the subtitle tab offers reaches ffmpeg as a name iconv
// knows, or as a UTF-8 copy of the file.
void TestTranscodePlan::subtitleCodePagesAllReachIconv_data()
{
    QTest::addColumn<QString>("codePage");
    for (int index = 0; index < 42; ++index)
        QTest::newRow(qPrintable(subtitleCharset(index))) << subtitleCharset(index);
}

void TestTranscodePlan::subtitleCodePagesAllReachIconv()
{
    QFETCH(QString, codePage);
    const TranscodePlan result = plan(
        {"-i", "in", "-vf", QStringLiteral("subtitles=film.srt:charenc=%1").arg(codePage), "out.mp4"});
    QCOMPARE(result.error, QString());
    const QString vf = vfOf(result);
    QString used = codePage;
    if (result.recodes.isEmpty()) {
        QVERIFY(vf.startsWith(QLatin1String("subtitles=film.srt:charenc=")));
        used = vf.section(u'=', 2);
    } else {
        QCOMPARE(vf, QStringLiteral("subtitles=film.utf8.srt"));
    }
    const iconv_t converter = iconv_open("UTF-8", used.toLatin1().constData());
    QVERIFY2(converter != reinterpret_cast<iconv_t>(-1), qPrintable(used));
    iconv_close(converter);
    if (codePage == QLatin1String("ISO-8859-12"))
        QCOMPARE(used, QStringLiteral("ISO-8859-1"));
}

void TestTranscodePlan::wideSubtitleFilesAreRecoded()
{
    const TranscodePlan result =
        plan({"-i", "in", "-vf", "subtitles=f=sub.titles.ass:charenc=unicodelittle,hflip", "out.mp4"});
    QCOMPARE(result.recodes, (QList<TextRecode>{{"sub.titles.ass", "UNICODELITTLE", "sub.titles.utf8.ass"}}));
    QCOMPARE(vfOf(result), QStringLiteral("subtitles=f=sub.titles.utf8.ass,hflip"));
}

void TestTranscodePlan::expectedSeconds_data()
{
    QTest::addColumn<QString>("cut");
    QTest::addColumn<double>("duration");
    QTest::addColumn<double>("expected");
    QTest::newRow("whole file") << "" << 60.0 << 60.0;
    QTest::newRow("start only") << "-ss 50" << 60.0 << 10.0;
    QTest::newRow("inside") << "-ss 12.345 -t 10.5" << 60.0 << 10.5;
    QTest::newRow("past the end") << "-ss 50 -t 20" << 60.0 << 10.0;
    QTest::newRow("sub-second") << "-ss 0.25 -t 0.5" << 1.0 << 0.5;
    QTest::newRow("clock form") << "-ss 00:00:30 -t 00:01:00" << 120.0 << 60.0;
    QTest::newRow("unknown length") << "-ss 5 -t 3" << 0.0 << 3.0;
    QTest::newRow("unknown length, no cut") << "" << 0.0 << 0.0;
}

void TestTranscodePlan::expectedSeconds()
{
    QFETCH(QString, cut);
    QFETCH(double, duration);
    QFETCH(double, expected);
    const TranscodePlan result =
        plan(words(QStringLiteral("-i in %1 -vcodec libx264 out.mp4").arg(cut)), clip(160, 120, 25, 44100, 2, duration));
    QCOMPARE(result.error, QString());
    QCOMPARE(result.expectedSeconds, expected);
}

void TestTranscodePlan::recodedCopyIsUtf8()
{
    QTemporaryDir folder;
    const TextRecode recode{folder.filePath("sub.srt"), "UTF-16", folder.filePath("sub.utf8.srt")};
    QFile source(recode.sourcePath);
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write(QByteArray("\xFF\xFEH\0\xE9\0\x2D\x4E", 8)); // "Hé中" with a byte order mark
    source.close();
    QString error;
    QVERIFY2(writeRecodedText(recode, &error), qPrintable(error));
    QFile target(recode.targetPath);
    QVERIFY(target.open(QIODevice::ReadOnly));
    QCOMPARE(QString::fromUtf8(target.readAll()), QStringLiteral("Hé中"));
}

void TestTranscodePlan::recodingNeverReplacesAFile()
{
    QTemporaryDir folder;
    const TextRecode recode{folder.filePath("sub.srt"), "UTF-16", folder.filePath("mine.srt")};
    for (const QString &path : {recode.sourcePath, recode.targetPath}) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("\xFF\xFE" "a\0", 4));
    }
    QString error;
    QVERIFY(!writeRecodedText(recode, &error));
    QVERIFY(error.startsWith(QLatin1String("cannot create")));
    QFile kept(recode.targetPath);
    QVERIFY(kept.open(QIODevice::ReadOnly));
    QCOMPARE(kept.readAll(), QByteArray("\xFF\xFE" "a\0", 4));
}

void TestTranscodePlan::recodingRefusesTextOfAnotherCodePage()
{
    QTemporaryDir folder;
    const TextRecode recode{folder.filePath("sub.srt"), "UTF-16", folder.filePath("sub.utf8.srt")};
    QFile source(recode.sourcePath);
    QVERIFY(source.open(QIODevice::WriteOnly));
    source.write("odd"); // three bytes cannot be UTF-16
    source.close();
    QString error;
    QVERIFY(!writeRecodedText(recode, &error));
    QCOMPARE(error, QStringLiteral("the subtitle file is not written in UTF-16"));
    QVERIFY(!QFile::exists(recode.targetPath));
}

QTEST_GUILESS_MAIN(TestTranscodePlan)
#include "tst_transcodeplan.moc"
