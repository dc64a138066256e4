#include "app/convertjob.h"
#include "engine/ffmpegtoken.h"
#include "engine/passworkspace.h"
#include "engine/transcoderarguments.h"
#include "tests/support/media.h"
#include "tests/support/programrun.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// FFmpeg's av_get_token(): reads up to an unescaped, unquoted terminator,
// removing one level of quotes and backslashes and the unescaped blanks at
// both ends. Used here as an independent model of both parsing levels.
QString avGetToken(const QString &text, int *position, const QString &terminators)
{
    static const QString blanks = QStringLiteral(" \n\t\r");
    int p = *position;
    while (p < text.size() && blanks.contains(text[p]))
        ++p;
    QString out;
    int end = 0;
    while (p < text.size() && !terminators.contains(text[p])) {
        const QChar c = text[p++];
        if (c == u'\\' && p < text.size()) {
            out += text[p++];
            end = out.size();
        } else if (c == u'\'') {
            while (p < text.size() && text[p] != u'\'')
                out += text[p++];
            if (p < text.size()) {
                ++p;
                end = out.size();
            }
        } else {
            out += c;
        }
    }
    while (out.size() > end && blanks.contains(out.back()))
        out.chop(1);
    *position = p;
    return out;
}

// drawtext's expansion of its text with no functions: "\x" gives x. A bare
// "%" would start a function and fails the check.
QString expandDrawtextText(const QString &text, bool *literal)
{
    QString out;
    for (int i = 0; i < text.size(); ++i) {
        if (text[i] == u'\\' && i + 1 < text.size())
            out += text[++i];
        else if (text[i] == u'%')
            *literal = false;
        else
            out += text[i];
    }
    return out;
}

// Parses one "drawtext=..." filter description as FFmpeg would; the whole
// description must be consumed by the one filter.
QMap<QString, QString> parseDrawtext(const QString &description)
{
    const QString prefix = QStringLiteral("drawtext=");
    if (!description.startsWith(prefix))
        return {};
    int position = prefix.size();
    const QString arguments = avGetToken(description, &position, QStringLiteral("[],;"));
    if (position != description.size())
        return {};
    QMap<QString, QString> options;
    int at = 0;
    while (at < arguments.size()) {
        const int equals = arguments.indexOf(u'=', at);
        if (equals < 0)
            return {};
        const QString key = arguments.mid(at, equals - at);
        at = equals + 1;
        options[key] = avGetToken(arguments, &at, QStringLiteral(":"));
        if (at < arguments.size())
            ++at; // the ":" between options
    }
    return options;
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
    void tokensReadAsFfmpegReadsThem();
    void anyTextParsesBackAsTyped();
    void ffmpegDrawsTheTextAsTyped();
    void ffmpegFindsTheWorkspaceCopies();
};

// The shared tokenizer agrees with the model above, and a value written
// either way (escaped or quoted) reads back whole.
void TestFilterEscaping::tokensReadAsFfmpegReadsThem()
{
    static const QString alphabet = QStringLiteral(" '\\:,;[]=\n\r\tab\u4e2d");
    static const QStringList terminatorSets{":", "[],;", "=,;[", "]", " \t\r\n"};
    QRandomGenerator random(QRandomGenerator::global()->generate());
    for (int round = 0; round < 5000; ++round) {
        QString text;
        for (int i = random.bounded(0, 16); i > 0; --i)
            text += alphabet[random.bounded(alphabet.size())];
        const QString &terminators = terminatorSets[random.bounded(terminatorSets.size())];
        const QByteArray context = QStringLiteral("text [%1] terminators [%2]").arg(text, terminators).toUtf8();
        const auto readsBack = [&](const QString &written, const QString &value, int end) {
            int at = 0;
            return readFfmpegToken(written, at, terminators) == value && at == end;
        };

        int modelEnd = 0;
        const QString expected = avGetToken(text, &modelEnd, terminators);
        QVERIFY2(readsBack(text, expected, modelEnd), context.constData());
        const QString escaped = escapeFfmpegToken(text, QStringLiteral("\\'") + terminators);
        QVERIFY2(readsBack(escaped, text, escaped.size()), context.constData());
        const QString quoted = singleQuotedFfmpegToken(text);
        QVERIFY2(readsBack(quoted, text, quoted.size()), context.constData());
    }
}

void TestFilterEscaping::anyTextParsesBackAsTyped()
{
    static const QString alphabet = QStringLiteral(" '\"\\:,;[]%{}=\n\tab\u4e2d");
    QRandomGenerator random(QRandomGenerator::global()->generate());
    for (int round = 0; round < 5000; ++round) {
        QString text, font;
        for (int i = random.bounded(1, 16); i > 0; --i)
            text += alphabet[random.bounded(alphabet.size())];
        for (int i = random.bounded(0, 8); i > 0; --i)
            font += alphabet[random.bounded(alphabet.size())];

        const QMap<QString, QString> options = parseDrawtext(videoFilters(textJob(text, font)));
        bool literal = true;
        const QString drawn = expandDrawtextText(options.value("text"), &literal);
        QVERIFY2(literal && drawn == text && options.value("fontfile") == font,
                 qPrintable(QStringLiteral("text [%1] font [%2]").arg(text, font)));
        QCOMPARE(options.keys(), (QStringList{"fontcolor", "fontfile", "fontsize", "text", "x", "y"}));
    }
}

// The text through our escaping and the same text read verbatim from a file
// give the same pixels; the font is a real file in a folder with an awkward name.
void TestFilterEscaping::ffmpegDrawsTheTextAsTyped()
{
    const QString systemFont = testmedia::fontFile("DejaVu Sans");
    if (systemFont.isEmpty())
        QSKIP("fontconfig knows no DejaVu Sans");
    QTemporaryDir folder;
    QVERIFY(QDir(folder.path()).mkdir("font's, [dir]; 100%"));
    const QString font = folder.path() + "/font's, [dir]; 100%/face.ttf";
    QVERIFY(QFile::copy(systemFont, font));
    QVERIFY(QFile::copy(systemFont, folder.filePath("face.ttf")));

    const QString text = QStringLiteral("  it's \"x\": 50% [a], b; c\\d %{pts} \\n ',drawbox=c=red");
    QFile textFile(folder.filePath("text.txt"));
    QVERIFY(textFile.open(QIODevice::WriteOnly));
    textFile.write(text.toUtf8());
    textFile.close();

    const QByteArray escaped = renderFrame(videoFilters(textJob(text, font)), folder.path());
    const QByteArray verbatim = renderFrame(
        "drawtext=fontfile=face.ttf:textfile=text.txt:expansion=none:fontsize=24:fontcolor=white:x=10:y=10",
        folder.path());
    QVERIFY(!escaped.isEmpty());
    QVERIFY(litPixels(escaped) > 200);
    QVERIFY(escaped == verbatim);

    // Leading blanks move the text: losing them would show.
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
