// The preview's edits seen in converted files: cuts, turns, flips, colours,
// volume, picture and text watermarks, subtitles in every code page. Each is
// compared with the same edit made by ffmpeg directly on the source.

#include "app/outputprofile.h"
#include "engine/transcodervalues.h"
#include "tests/conversion/conversionrun.h"
#include "tests/support/files.h"
#include "tests/support/media.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <functional>

namespace {

using EditChange = std::function<void(EditOptions &)>;

ConvertJob mp4Job(const EditChange &change)
{
    ConvertJob job = makeJob(FormatMP4, defaultProfile(FormatMP4));
    change(job.edit);
    return job;
}

// The subtitle tab's code pages, indices 0..41.
constexpr int codePageCount = 42;

// ASCII text as a file written in the code page; the Unicode ones as a
// Windows editor writes them (with a byte order mark where it puts one).
QByteArray encodedIn(const QString &codePage, const QByteArray &ascii)
{
    auto widen = [&](int width, bool bigEndian, const QByteArray &mark) {
        QByteArray wide = mark;
        for (const char c : ascii) {
            QByteArray unit(width, '\0');
            unit[bigEndian ? width - 1 : 0] = c;
            wide += unit;
        }
        return wide;
    };
    if (codePage == QLatin1String("UTF-16"))
        return widen(2, false, QByteArray("\xFF\xFE", 2));
    if (codePage == QLatin1String("UTF-32"))
        return widen(4, false, QByteArray("\xFF\xFE\0\0", 4));
    if (codePage == QLatin1String("UNICODEBIG"))
        return widen(2, true, QByteArray());
    if (codePage == QLatin1String("UNICODELITTLE"))
        return widen(2, false, QByteArray());
    return ascii;
}

// Pixels of the rectangle brighter than the threshold in every channel.
int brightPixels(const conversion::Picture &picture, int x, int y, int width, int height, int threshold = 160)
{
    int count = 0;
    for (int row = y; row < y + height; ++row) {
        for (int column = x; column < x + width; ++column) {
            const int at = (row * picture.size.width() + column) * 3;
            if (quint8(picture.rgb[at]) > threshold && quint8(picture.rgb[at + 1]) > threshold
                && quint8(picture.rgb[at + 2]) > threshold)
                ++count;
        }
    }
    return count;
}

double wholeDifference(const conversion::Picture &a, const conversion::Picture &b)
{
    return a.differenceFrom(b, 0, 0, a.size.width(), a.size.height());
}

// Pixels that differ by more than compression blurs: a glyph more or less.
int differingPixels(const conversion::Picture &a, const conversion::Picture &b)
{
    if (a.size != b.size || a.isNull() || b.isNull())
        return a.size.width() * a.size.height();
    int count = 0;
    for (int at = 0; at + 2 < a.rgb.size(); at += 3) {
        int largest = 0;
        for (int channel = 0; channel < 3; ++channel)
            largest = std::max(largest, std::abs(int(quint8(a.rgb[at + channel])) - int(quint8(b.rgb[at + channel]))));
        if (largest > 96)
            ++count;
    }
    return count;
}

} // namespace

using testsupport::writeFile;

Q_DECLARE_METATYPE(EditChange)

class TestEdits : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cuts_data();
    void cuts();
    void pictureEdits_data();
    void pictureEdits();
    void brightnessRaisesLuma();
    void volume_data();
    void volume();
    void pictureWatermark_data();
    void pictureWatermark();
    void textIsDrawnExactlyAsTyped_data();
    void textIsDrawnExactlyAsTyped();
    void chineseTextDrawsGlyphs();
    void subtitlesInEveryCodePage_data();
    void subtitlesInEveryCodePage();
    void subtitlesKeepTheirTimesInACut_data();
    void subtitlesKeepTheirTimesInACut();

private:
    QString path(const QString &name) const { return m_folder.filePath(name); }
    // Converts the job into out<n>.mp4; the output's path.
    QString convertMp4(const ConvertJob &job, const QString &input);
    // The source's picture at the time, through the filter, drawn by ffmpeg.
    conversion::Picture reference(const QString &input, const QString &filter, double seconds = 0);

    QTemporaryDir m_folder;
    QString m_moving;  // 3 s test pattern with a tone
    QString m_black;   // 1 s black, 480x120, with a tone
    QString m_dark;    // 3 s black, 640x360: subtitles are drawn in proportion to the height
    int m_count = 0;
};

void TestEdits::initTestCase()
{
    QVERIFY(m_folder.isValid());
    m_moving = path(QStringLiteral("moving.mkv"));
    m_black = path(QStringLiteral("black.mkv"));
    QVERIFY(testmedia::makeClip(m_moving, {3.0, 160, 120, 25, 44100, 2, QStringLiteral("testsrc2")}));
    QVERIFY(testmedia::makeClip(m_black, {1.0, 480, 120, 10, 44100, 2, QStringLiteral("color")}));
    m_dark = path(QStringLiteral("dark.mkv"));
    QVERIFY(testmedia::makeClip(m_dark, {3.0, 640, 360, 10, 44100, 2, QStringLiteral("color")}));
}

QString TestEdits::convertMp4(const ConvertJob &job, const QString &input)
{
    const QString output = path(QStringLiteral("out%1.mp4").arg(++m_count));
    const conversion::Outcome outcome = conversion::convert(job, input, output);
    if (!outcome.succeeded)
        qWarning().noquote() << outcome.arguments.join(u' ') << '\n' << outcome.errors;
    return outcome.succeeded ? output : QString();
}

conversion::Picture TestEdits::reference(const QString &input, const QString &filter, double seconds)
{
    const QString picture = path(QStringLiteral("reference%1.png").arg(++m_count));
    QStringList arguments{"-ss", QString::number(seconds), "-i", input, "-frames:v", "1"};
    if (!filter.isEmpty())
        arguments << "-vf" << filter;
    if (!testmedia::runFfmpeg(arguments << picture))
        return {};
    return conversion::pictureAt(picture);
}

// start and length in milliseconds -> the output's length, its first picture
// taken at the start
void TestEdits::cuts_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<int>("length");
    QTest::addColumn<double>("expected");
    QTest::newRow("one second from the first") << 1000 << 1000 << 1.0;
    QTest::newRow("a quarter second") << 520 << 250 << 0.25;
    QTest::newRow("past the end") << 2500 << 2000 << 0.5;
    QTest::newRow("from the beginning") << 0 << 1200 << 1.2;
}

void TestEdits::cuts()
{
    QFETCH(int, start);
    QFETCH(int, length);
    QFETCH(double, expected);
    const QString output = convertMp4(mp4Job([&](EditOptions &edit) {
        edit.trimStart = start;
        edit.trimLength = length;
    }), m_moving);
    QVERIFY(!output.isEmpty());
    const testmedia::Probe probed = testmedia::probe(output);
    QVERIFY2(std::abs(probed.duration - expected) < 0.06, qPrintable(QString::number(probed.duration)));
    const conversion::Picture first = conversion::pictureAt(output);
    QVERIFY(wholeDifference(first, reference(m_moving, QString(), start / 1000.0)) < 6);
    if (start > 0)
        QVERIFY(wholeDifference(first, reference(m_moving, QString())) > 20);
}

// the edit -> the same picture made by ffmpeg's own filter
void TestEdits::pictureEdits_data()
{
    QTest::addColumn<EditChange>("change");
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QSize>("size");
    QTest::newRow("quarter turn") << EditChange([](EditOptions &e) { e.rotation = 1; }) << "transpose=1" << QSize(120, 160);
    QTest::newRow("half turn") << EditChange([](EditOptions &e) { e.rotation = 2; }) << "hflip,vflip" << QSize(160, 120);
    QTest::newRow("three quarter turns") << EditChange([](EditOptions &e) { e.rotation = 3; }) << "transpose=2" << QSize(120, 160);
    QTest::newRow("vertical flip") << EditChange([](EditOptions &e) { e.verticalFlip = 1; }) << "vflip" << QSize(160, 120);
    QTest::newRow("horizontal flip") << EditChange([](EditOptions &e) { e.horizontalFlip = 1; }) << "hflip" << QSize(160, 120);
    QTest::newRow("brightness") << EditChange([](EditOptions &e) { e.brightness = 30; }) << "eq=brightness=0.3" << QSize(160, 120);
    QTest::newRow("contrast") << EditChange([](EditOptions &e) { e.contrast = -60; }) << "eq=contrast=0.4" << QSize(160, 120);
    QTest::newRow("saturation") << EditChange([](EditOptions &e) { e.saturation = -100; }) << "eq=saturation=0" << QSize(160, 120);
    QTest::newRow("turn and flip") << EditChange([](EditOptions &e) { e.rotation = 1; e.horizontalFlip = 1; })
                                   << "transpose=1,hflip" << QSize(120, 160);
}

void TestEdits::pictureEdits()
{
    QFETCH(EditChange, change);
    QFETCH(QString, filter);
    QFETCH(QSize, size);
    const QString output = convertMp4(mp4Job(change), m_moving);
    QVERIFY(!output.isEmpty());
    const conversion::Picture picture = conversion::pictureAt(output, 1);
    QCOMPARE(picture.size, size);
    const double toReference = wholeDifference(picture, reference(m_moving, filter, 1));
    QVERIFY2(toReference < 6, qPrintable(QString::number(toReference)));
    if (size == QSize(160, 120)) // an unedited picture is far from it
        QVERIFY(wholeDifference(picture, reference(m_moving, QString(), 1)) > 3 * toReference);
}

void TestEdits::brightnessRaisesLuma()
{
    const QString plain = convertMp4(mp4Job([](EditOptions &) {}), m_moving);
    const QString brighter = convertMp4(mp4Job([](EditOptions &e) { e.brightness = 40; }), m_moving);
    QVERIFY(!plain.isEmpty() && !brighter.isEmpty());
    QVERIFY(testmedia::meanLuma(brighter, 1) > testmedia::meanLuma(plain, 1) + 40);
}

// percent -> change of loudness in dB
void TestEdits::volume_data()
{
    QTest::addColumn<int>("percent");
    QTest::addColumn<double>("decibels");
    QTest::newRow("double") << 200 << 6.02;
    QTest::newRow("half") << 50 << -6.02;
    QTest::newRow("a tenth") << 10 << -20.0;
}

void TestEdits::volume()
{
    QFETCH(int, percent);
    QFETCH(double, decibels);
    const QString plain = convertMp4(mp4Job([](EditOptions &) {}), m_moving);
    const QString changed = convertMp4(mp4Job([&](EditOptions &e) { e.volume = percent; }), m_moving);
    QVERIFY(!plain.isEmpty() && !changed.isEmpty());
    const double difference = conversion::meanVolume(changed) - conversion::meanVolume(plain);
    QVERIFY2(std::abs(difference - decibels) < 0.5, qPrintable(QString::number(difference)));
}

// with and without a cut (seeking on the input must keep the picture on)
void TestEdits::pictureWatermark_data()
{
    QTest::addColumn<int>("start");
    QTest::newRow("whole file") << 0;
    QTest::newRow("cut") << 2000;
}

void TestEdits::pictureWatermark()
{
    QFETCH(int, start);
    const QString logo = path(QStringLiteral("red logo.png"));
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "color=c=red:size=40x30", "-frames:v", "1", logo}));
    const QString output = convertMp4(mp4Job([&](EditOptions &e) {
        e.watermark.imagePath = logo;
        e.watermark.imageX = 60;
        e.watermark.imageY = 50;
        e.trimStart = start;
        e.trimLength = start ? 500 : 0;
    }), m_moving);
    QVERIFY(!output.isEmpty());
    const conversion::Picture picture = conversion::pictureAt(output, 0.2);
    const conversion::Picture expected = reference(
        m_moving, QStringLiteral("movie='%1'[logo];[in][logo]overlay=60:50").arg(logo), start / 1000.0 + 0.2);
    QVERIFY(wholeDifference(picture, expected) < 6);
    const int at = (65 * 160 + 80) * 3; // inside the logo
    QVERIFY(quint8(picture.rgb[at]) > 200 && quint8(picture.rgb[at + 1]) < 60 && quint8(picture.rgb[at + 2]) < 60);
}

// The text from a file with drawtext's expansion off is the text as typed.
void TestEdits::textIsDrawnExactlyAsTyped_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("plain") << "Hello";
    QTest::newRow("filter syntax") << "a'b:c,d\\e%f[g]h;i";
    QTest::newRow("expansion look-alike") << "%{pts} \\n 100%";
    QTest::newRow("edge blanks") << "  spaced  ";
}

void TestEdits::textIsDrawnExactlyAsTyped()
{
    QFETCH(QString, text);
    const QString output = convertMp4(mp4Job([&](EditOptions &e) {
        e.watermark.text = text;
        e.watermark.fontName = QStringLiteral("DejaVu Sans");
        e.watermark.fontSize = 10; // 18 points
        e.watermark.textX = 10;
        e.watermark.textY = 40;
    }), m_black);
    QVERIFY(!output.isEmpty());
    const QString textFile = path(QStringLiteral("text%1.txt").arg(m_count));
    QVERIFY(writeFile(textFile, text.toUtf8()));
    QString shorter = text; // one glyph less: what the comparison must tell apart
    shorter.remove(shorter.lastIndexOf(QRegularExpression(QStringLiteral("\\S"))), 1);
    const QString shorterFile = path(QStringLiteral("shorter%1.txt").arg(m_count));
    QVERIFY(writeFile(shorterFile, shorter.toUtf8()));
    const QString font = testmedia::fontFile(QStringLiteral("DejaVu Sans"));
    const QString drawn = QStringLiteral("drawtext=fontfile='%1':textfile='%2':expansion=none:fontsize=18:"
                                         "fontcolor=white:x=10:y=40");
    const conversion::Picture picture = conversion::pictureAt(output, 0.5);
    const conversion::Picture expected = reference(m_black, drawn.arg(font, textFile), 0.5);
    QVERIFY(brightPixels(picture, 0, 0, 480, 120) > 40);
    const int differing = differingPixels(picture, expected);
    const int missingOne = differingPixels(expected, reference(m_black, drawn.arg(font, shorterFile), 0.5));
    QVERIFY2(missingOne >= 10, qPrintable(QString::number(missingOne)));
    QVERIFY2(differing < 5, qPrintable(QString::number(differing)));
}

void TestEdits::chineseTextDrawsGlyphs()
{
    const QString text = QStringLiteral("中文字幕");
    const QString output = convertMp4(mp4Job([&](EditOptions &e) {
        e.watermark.text = text;
        e.watermark.fontSize = 14; // 24 points
        e.watermark.textX = 10;
        e.watermark.textY = 40;
    }), m_black);
    QVERIFY(!output.isEmpty());
    const QString drawn = QStringLiteral("drawtext=fontfile='%1':text='%2':fontsize=24:fontcolor=white:x=10:y=40");
    const QString cjkFont = testmedia::fontFile(QStringLiteral("Times New Roman:charset=4e2d"));
    const QString latinFont = testmedia::fontFile(QStringLiteral("Times New Roman"));
    QVERIFY(cjkFont != latinFont);
    const conversion::Picture picture = conversion::pictureAt(output, 0.5);
    const conversion::Picture glyphs = reference(m_black, drawn.arg(cjkFont, text), 0.5);
    const conversion::Picture boxes = reference(m_black, drawn.arg(latinFont, text), 0.5);
    const int toGlyphs = differingPixels(picture, glyphs);
    const int toBoxes = differingPixels(picture, boxes);
    QVERIFY2(toBoxes > 100, qPrintable(QString::number(toBoxes)));
    QVERIFY2(toGlyphs < 5, qPrintable(QString::number(toGlyphs)));
}

void TestEdits::subtitlesInEveryCodePage_data()
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < codePageCount; ++i)
        QTest::newRow(qPrintable(subtitleCharset(i))) << i;
}

void TestEdits::subtitlesInEveryCodePage()
{
    QFETCH(int, index);
    const QString subtitles = path(QStringLiteral("sub%1.srt").arg(index));
    const QByteArray cue = "1\r\n00:00:00,000 --> 00:00:05,000\r\nHELLO WORLD\r\n\r\n";
    QVERIFY(writeFile(subtitles, encodedIn(subtitleCharset(index), cue)));
    const QString output = convertMp4(mp4Job([&](EditOptions &e) {
        e.subtitlePath = subtitles;
        e.subtitleCodePage = index;
    }), m_dark);
    QVERIFY(!output.isEmpty());
    QVERIFY(brightPixels(conversion::pictureAt(output, 0.5), 0, 270, 640, 90) > 40);
}

// Subtitles are timed from the file's beginning, also in a cut.
void TestEdits::subtitlesKeepTheirTimesInACut_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<bool>("shown");
    QTest::newRow("cut inside the subtitle's time") << 1000 << true;
    QTest::newRow("cut after it") << 2200 << false;
}

void TestEdits::subtitlesKeepTheirTimesInACut()
{
    QFETCH(int, start);
    QFETCH(bool, shown);
    const QString subtitles = path(QStringLiteral("timed.srt"));
    QVERIFY(writeFile(subtitles, "1\n00:00:00,900 --> 00:00:02,000\nHELLO\n\n"));
    const QString output = convertMp4(mp4Job([&](EditOptions &e) {
        e.subtitlePath = subtitles;
        e.trimStart = start;
        e.trimLength = 500;
    }), m_dark);
    QVERIFY(!output.isEmpty());
    const int bright = brightPixels(conversion::pictureAt(output, 0.2), 0, 270, 640, 90);
    QCOMPARE(bright > 40, shown);
    if (!shown)
        QCOMPARE(bright, 0);
}

QTEST_GUILESS_MAIN(TestEdits)
#include "tst_edits.moc"
