#include "app/convertjob.h"
#include "engine/ffmpegtoken.h"
#include "engine/filterescaping.h"
#include "engine/passworkspace.h"
#include "engine/transcoderarguments.h"
#include "tests/support/media.h"
#include "tests/support/programrun.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

QString randomText(QRandomGenerator &random, const QString &alphabet, int longest)
{
    QString text;
    for (int i = random.bounded(1, longest + 1); i > 0; --i)
        text += alphabet[random.bounded(alphabet.size())];
    return text;
}

ConvertJob textJob(const QString &text, const QString &font)
{
    ConvertJob job = makeJob(FormatMP4, defaultProfile(FormatMP4));
    job.edit.watermark.text = text;
    job.edit.watermark.fontName = font;
    job.edit.watermark.fontSize = 14; // 24 pt
    return job;
}

QString videoFilters(const ConvertJob &job)
{
    const QStringList arguments = buildTranscoderArguments(job, {"/in.mp4", "/out.mp4", PassKind::Single});
    return arguments.value(arguments.indexOf("-vf") + 1);
}

// One grey frame with the filters applied, run in workingFolder.
QByteArray renderFrame(const QString &filters, const QString &workingFolder)
{
    const QString frame = workingFolder + "/frame.gray";
    const testsupport::Finished ffmpeg = testsupport::runProgram(
        "ffmpeg",
        {"-y", "-v", "error", "-f", "lavfi", "-i", "color=c=black:s=480x240:d=0.1", "-vf", filters, "-frames:v", "1",
         "-f", "rawvideo", "-pix_fmt", "gray", frame},
        workingFolder);
    QFile file(frame);
    if (ffmpeg.exitCode != 0 || !file.open(QIODevice::ReadOnly)) {
        qWarning("%s", qPrintable(ffmpeg.errors));
        return {};
    }
    return file.readAll();
}

int litPixels(const QByteArray &frame)
{
    return int(std::count_if(frame.begin(), frame.end(), [](char luma) { return quint8(luma) > 128; }));
}

} // namespace

class TestFilterEscaping : public QObject
{
    Q_OBJECT

private slots:
    void valuesReachTheFilterWhole_data();
    void valuesReachTheFilterWhole();
    void ffmpegDrawsTheTextAsTyped_data();
    void ffmpegDrawsTheTextAsTyped();
    void ffmpegFindsTheWorkspaceCopies();
};

void TestFilterEscaping::valuesReachTheFilterWhole_data()
{
    QTest::addColumn<bool>("quoted");
    QTest::newRow("quoted") << true;
    QTest::newRow("escaped") << false; // for the option parser, then for the filtergraph parser
}

// Random values, each written into one filter of a chain, reach ffmpeg's
// filters exactly as given: ffmpeg's own metadata filter prints what it got.
// The shared token reader, which the transcoder's plan parses the arguments
// with, reads back from the written chain what ffmpeg read.
void TestFilterEscaping::valuesReachTheFilterWhole()
{
    QFETCH(bool, quoted);
    const auto write = [quoted](const QString &value) {
        return quoted ? quotedFilterValue(value)
                      : escapeFfmpegToken(escapeFfmpegToken(value, u"\\':"), u"\\'[],;");
    };
    static const QString alphabet = QStringLiteral(" '\"\\:,;[]=%{}\n\tab\u4e2d");
    QRandomGenerator random(QRandomGenerator::global()->generate());
    QStringList values, filters;
    QString printed = QStringLiteral("\n");
    for (int i = 0; i < 300; ++i) {
        values << randomText(random, alphabet, 16);
        filters << QStringLiteral("mode=add:key=k%1:value=%2").arg(i).arg(write(values.last()));
        printed += QStringLiteral("k%1=%2\n").arg(i).arg(values.last());
    }
    QTemporaryDir folder;
    const testsupport::Finished ffmpeg = testsupport::runProgram(
        "ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "color=c=black:s=16x16:d=0.1", "-frames:v", "1", "-vf",
                   "metadata=" + filters.join(",metadata=") + ",metadata=mode=print:file=values.txt", "-f",
                   "null", "-"},
        folder.path());
    QVERIFY2(ffmpeg.exitCode == 0, qPrintable(ffmpeg.errors));
    QFile file(folder.filePath("values.txt"));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString got = QString::fromUtf8(file.readAll());
    const int frameLineEnd = got.indexOf(u'\n');
    QCOMPARE(got.mid(frameLineEnd), printed);

    for (int i = 0; i < values.size(); ++i) {
        int at = 0;
        const QString arguments = readFfmpegToken(filters[i], at, u"[],;");
        at = int(arguments.indexOf(u"value=")) + 6;
        QCOMPARE(readFfmpegToken(arguments, at, u":"), values[i]);
        QCOMPARE(at, arguments.size());
    }
}

void TestFilterEscaping::ffmpegDrawsTheTextAsTyped_data()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("every special") << QStringLiteral("  it's \"x\": 50% [a], b; c\\d %{pts} \\n ',drawbox=c=red");
    QTest::newRow("ends in a backslash") << QStringLiteral("C:\\films\\ ");
    QRandomGenerator random(QRandomGenerator::global()->generate());
    for (int i = 0; i < 3; ++i)
        QTest::newRow(qPrintable(QStringLiteral("random %1").arg(i)))
            << QStringLiteral("Wx") + randomText(random, QStringLiteral("'\"\\:,;[]=%{}ab"), 20);
}

// The text through our escaping and the same text read verbatim from a file
// give the same pixels; the font is a real file in a folder with an awkward name.
void TestFilterEscaping::ffmpegDrawsTheTextAsTyped()
{
    QFETCH(QString, text);
    const QString systemFont = testmedia::fontFile("DejaVu Sans");
    if (systemFont.isEmpty())
        QSKIP("fontconfig knows no DejaVu Sans");
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir("font's, [dir]; 100%"));
    const QString font = folder.path() + "/font's, [dir]; 100%/face.ttf";
    QVERIFY(QFile::copy(systemFont, font));
    QVERIFY(QFile::copy(systemFont, folder.filePath("face.ttf")));

    QFile textFile(folder.filePath("text.txt"));
    QVERIFY(textFile.open(QIODevice::WriteOnly));
    textFile.write(text.toUtf8());
    textFile.close();

    const QByteArray escaped = renderFrame(videoFilters(textJob(text, font)), folder.path());
    const QByteArray verbatim = renderFrame(
        "drawtext=fontfile=face.ttf:textfile=text.txt:expansion=none:fontsize=24:fontcolor=white:x=10:y=10",
        folder.path());
    QVERIFY(!escaped.isEmpty());
    QVERIFY(litPixels(escaped) > 100); // at least the random cases' leading "Wx"
    QVERIFY(escaped == verbatim);

    // Leading blanks move the text: losing them would show.
    if (!text.startsWith(u' '))
        return;
    const QByteArray trimmed = renderFrame(videoFilters(textJob(text.trimmed(), font)), folder.path());
    QVERIFY(!trimmed.isEmpty());
    QVERIFY(trimmed != escaped);
}

// The bare names in the filters resolve to the workspace's copies when the
// tool runs there, for names that could not stand in a filter themselves.
void TestFilterEscaping::ffmpegFindsTheWorkspaceCopies()
{
    QTemporaryDir userFolder;
    const QString picture = userFolder.filePath("my logo's [1].png");
    const QString subtitles = userFolder.filePath("film, part 1.srt");
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "color=c=white:s=40x40", "-frames:v", "1", picture}));
    QFile srt(subtitles);
    QVERIFY(srt.open(QIODevice::WriteOnly));
    srt.write("1\n00:00:00,000 --> 00:00:05,000\nHELLO\n");
    srt.close();

    ConvertJob job = makeJob(FormatMP4, defaultProfile(FormatMP4));
    job.edit.watermark.imagePath = picture;
    job.edit.watermark.imageX = 400;
    const PassWorkspace withPicture(job, {"/in.mp4", "/out.mp4", PassKind::Single});
    QVERIFY(withPicture.isValid());
    const QByteArray marked = renderFrame(videoFilters(job), withPicture.path());
    QVERIFY(litPixels(marked) >= 40 * 40);

    job.edit.watermark.imagePath.clear();
    job.edit.subtitlePath = subtitles;
    const PassWorkspace withSubtitles(job, {"/in.mp4", "/out.mp4", PassKind::Single});
    QVERIFY(withSubtitles.isValid());
    QVERIFY(litPixels(renderFrame(videoFilters(job), withSubtitles.path())) > 20);
}

QTEST_GUILESS_MAIN(TestFilterEscaping)
#include "tst_filterescaping.moc"
