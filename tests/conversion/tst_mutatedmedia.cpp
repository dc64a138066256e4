// Media no one made on purpose: small files of ten kinds, damaged as
// downloads cut short and bad sectors damage them, each converted by
// build/quillmora --convert. Every case ends with a readable output and exit
// code 0, or with its reason on stderr and exit code 1: never a tool's crash,
// a hang, a partial or scratch file left, or a tool left running.
//
// The cases come from a seed, printed at the start: FUZZ_SEED and FUZZ_COUNT
// in the environment run others, and more of them, by hand. A case that
// once went wrong is kept in keptCases, by its kind, damage and seed.
#include "tests/batch/batchrun.h"
#include "tests/support/files.h"
#include "tests/support/media.h"
#include "tests/support/processes.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

namespace {

constexpr int caseTimeoutMs = 60000;
constexpr quint32 ciSeed = 20240521;
constexpr int ciCount = 100;

enum class Damage { Changed, CutShort, Zeroed, Inserted, HeaderAlone };
const char *const damageNames[] = {"changed", "cut-short", "zeroed", "inserted", "header-alone"};
constexpr int damageCount = 5;

struct Kind {
    const char *file;   // its suffix is what the batch mode sees
    QStringList made;   // ffmpeg's inputs and options that make it
    const char *format; // the output, by its button's name
    bool picture;
};

// One thread and bit-exact muxers, so that a seed damages the same bytes on every run.
const QStringList exact{"-threads", "1", "-fflags", "+bitexact", "-flags:v", "+bitexact", "-flags:a", "+bitexact"};

const QStringList clip{"-f",       "lavfi",  "-i", "testsrc=size=64x48:rate=10:duration=1",
                       "-f",       "lavfi",  "-i", "sine=frequency=440:duration=1",
                       "-pix_fmt", "yuv420p"};
const QStringList tone{"-f", "lavfi", "-i", "sine=frequency=440:duration=1"};
const QStringList picture{"-f", "lavfi", "-i", "testsrc=size=64x48", "-frames:v", "1"};
const QStringList moving{"-f", "lavfi", "-i", "testsrc=size=64x48:rate=5:duration=1"};

const Kind kinds[] = {
    {"clip.mp4", clip + QStringList{"-c:v", "libx264", "-c:a", "aac"}, "avi", false},
    {"clip.mkv", clip + QStringList{"-c:v", "libx264", "-c:a", "aac"}, "mp4", false},
    {"clip.webm", clip + QStringList{"-c:v", "libvpx-vp9", "-deadline", "realtime", "-c:a", "libopus"}, "mp4", false},
    {"clip.avi", clip + QStringList{"-c:v", "mpeg4", "-c:a", "libmp3lame"}, "mkv", false},
    {"song.mp3", tone + QStringList{"-c:a", "libmp3lame"}, "m4a", false},
    {"song.flac", tone, "mp3", false},
    {"song.m4a", tone + QStringList{"-c:a", "aac"}, "mp3", false},
    {"photo.jpg", picture, "png", true},
    {"drawing.png", picture, "jpeg", true},
    {"moving.gif", moving, "png", true},
};
constexpr int kindCount = int(std::size(kinds));

struct Case {
    int kind;
    Damage damage;
    quint32 seed;
};

// Cases that once went wrong, each with what its line says now.
const struct KeptCase {
    Case damaged;
    const char *says;
} keptCases[] = {
    // The probe took a stream of no codec, or of no channels, for one ffmpeg converts.
    {{0, Damage::Zeroed, 3572119135}, "no picture or sound of it can be decoded"},
    {{6, Damage::Zeroed, 3771224310}, "no picture or sound of it can be decoded"},
    // ffmpeg's first line of many, or a cut that was never asked for, stood as the reason.
    {{0, Damage::Changed, 1938256325}, "the input is damaged or incomplete (Truncating packet"},
    {{1, Damage::HeaderAlone, 1298181029}, "the input is damaged or incomplete (File ended prematurely)"},
    // libavformat's "Input/output error", "End of file" and "Invalid argument" of a damaged file
    // read as the drive's, or as the program's.
    {{2, Damage::HeaderAlone, 1480216737}, "the file is damaged or cut short (Input/output error)"},
    {{5, Damage::CutShort, 1264340578}, "the file is damaged or cut short (End of file)"},
    {{4, Damage::HeaderAlone, 4289555207}, "the file is damaged or cut short (Invalid argument)"},
    {{5, Damage::Zeroed, 2157209710}, "no frame of the input could be decoded; it is damaged"},
    // A picture read as nothing was blamed for a width of zero, or for its size.
    {{7, Damage::Zeroed, 1319097142}, "the picture is damaged or incomplete"},
    {{9, Damage::Zeroed, 1114763910}, "the picture is damaged, or has a width or a height of zero"},
    // ImageMagick's message kept the file's name and a stray quote.
    {{8, Damage::Changed, 2912478009}, "the picture is damaged or incomplete (IDAT: incorrect header check)\n"},
};

int below(QRandomGenerator &random, qsizetype bound)
{
    return int(random.bounded(quint32(qMax<qsizetype>(bound, 1))));
}

QByteArray damaged(QByteArray bytes, Damage damage, quint32 seed)
{
    QRandomGenerator random(seed);
    const qsizetype size = bytes.size();
    switch (damage) {
    case Damage::Changed:
        for (int changes = 1 + below(random, 16); changes > 0; --changes)
            bytes[below(random, size)] ^= char(1 + below(random, 255));
        break;
    case Damage::CutShort:
        bytes.truncate(1 + below(random, size - 1));
        break;
    case Damage::Zeroed: {
        const int start = below(random, size);
        bytes.replace(start, 1 + below(random, qMin(size - start, qMax<qsizetype>(size / 4, 1))),
                      QByteArray(size, '\0'));
        bytes.truncate(size);
        break;
    }
    case Damage::Inserted: {
        QByteArray inserted(1 + below(random, 64), '\0');
        for (char &byte : inserted)
            byte = char(below(random, 256));
        bytes.insert(below(random, size + 1), inserted);
        break;
    }
    case Damage::HeaderAlone: // all a download cut off at its start leaves
        bytes.truncate(qMin(size - 1, qsizetype(16 + below(random, 1024))));
        break;
    }
    return bytes;
}

QString caseName(const Case &damagedCase)
{
    return QStringLiteral("%1 %2 seed %3")
        .arg(QLatin1String(kinds[damagedCase.kind].file), QLatin1String(damageNames[int(damagedCase.damage)]))
        .arg(damagedCase.seed);
}

quint32 numberFromEnvironment(const char *name, quint32 fallback)
{
    bool ok = false;
    const quint32 value = qEnvironmentVariable(name).toUInt(&ok);
    return ok ? value : fallback;
}

} // namespace

Q_DECLARE_METATYPE(Case)

class TestMutatedMedia : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void endsCleanly_data();
    void endsCleanly();

private:
    QTemporaryDir dir;
    QByteArray sources[kindCount];
    quint32 seed = ciSeed;
    int count = ciCount;
};

void TestMutatedMedia::initTestCase()
{
    seed = numberFromEnvironment("FUZZ_SEED", ciSeed);
    count = int(numberFromEnvironment("FUZZ_COUNT", ciCount));
    qInfo("FUZZ_SEED=%u FUZZ_COUNT=%d", seed, count);
    for (int kind = 0; kind < kindCount; ++kind) {
        const QString path = dir.filePath(kinds[kind].file);
        QString errors;
        QVERIFY2(testmedia::runFfmpeg(kinds[kind].made + exact + QStringList{path}, &errors), qPrintable(errors));
        sources[kind] = testsupport::readFile(path);
        QVERIFY(!sources[kind].isEmpty());
    }
}

void TestMutatedMedia::endsCleanly_data()
{
    QTest::addColumn<Case>("damagedCase");
    QTest::addColumn<QString>("says"); // what its line must say
    for (const KeptCase &kept : keptCases)
        QTest::newRow(qPrintable("kept: " + caseName(kept.damaged))) << kept.damaged << QString(kept.says);
    // Every kind with every damage, over and over, each case with a seed of its own.
    QRandomGenerator caseSeeds(seed);
    for (int index = 0; index < count; ++index) {
        const Case next{index % kindCount, Damage(index / kindCount % damageCount), caseSeeds.generate()};
        QTest::newRow(qPrintable(QString::number(index) + u' ' + caseName(next))) << next << QString();
    }
}

void TestMutatedMedia::endsCleanly()
{
    QFETCH(Case, damagedCase);
    const Kind &kind = kinds[damagedCase.kind];
    const QString folder = dir.filePath(QString::number(damagedCase.seed));
    const QString in = folder + "/in", out = folder + "/out", scratch = folder + "/tmp";
    QVERIFY(QDir().mkpath(in) && QDir().mkpath(scratch));
    const QString input = in + u'/' + kind.file;
    QVERIFY(testsupport::writeFile(input, damaged(sources[damagedCase.kind], damagedCase.damage, damagedCase.seed)));

    // Children inherit the marker, whoever starts them; the run's private folders go to scratch.
    const QByteArray marker = "QUILLMORA_MUTATED_CASE=" + QByteArray::number(QCoreApplication::applicationPid()) + '-'
                              + QByteArray::number(damagedCase.seed);
    QProcessEnvironment environment = batchEnvironment();
    environment.insert(QString::fromLatin1(marker.split('=').first()), QString::fromLatin1(marker.split('=').last()));
    environment.insert("TMPDIR", scratch);
    QElapsedTimer clock;
    clock.start();
    const testsupport::Finished finished =
        testsupport::runProgram(QStringLiteral(QUILLMORA_BUILD_DIR "/quillmora"),
                                {"--convert", "--jobs", "1", "--format", kind.format, "--output", out, input}, folder,
                                environment, caseTimeoutMs);
    const QByteArray said = finished.output + finished.errors.toUtf8();
    const QByteArray report = "exit code " + QByteArray::number(finished.exitCode) + " after "
                              + QByteArray::number(clock.elapsed()) + " ms:\n" + said;
    qInfo("%s", said.simplified().constData()); // a run by hand is read for reasons that say too little

    QVERIFY2(finished.exitCode == 0 || finished.exitCode == 1, report.constData()); // -1: it crashed or hung
    QVERIFY2(!said.contains("crashed"), report.constData());
    QFETCH(QString, says);
    QVERIFY2(said.contains(says.toUtf8()), report.constData());
    QCOMPARE(testsupport::processesWhere([&](const QByteArray &held) { return held.contains(marker + '\0'); }),
             QStringList());
    QCOMPARE(testsupport::entriesOf(scratch), QStringList());
    QCOMPARE(testsupport::entriesOf(in), QStringList{kind.file});
    const QStringList written = testsupport::entriesOf(out);
    if (finished.exitCode == 0) {
        QVERIFY2(said.contains("Done: 1 of 1 jobs converted."), report.constData());
        QCOMPARE(written.size(), 1);
        QVERIFY2(!written.first().startsWith(u'.'), qPrintable(written.first()));
        const testmedia::Probe probe = testmedia::probe(out + u'/' + written.first());
        QVERIFY2(probe.ok && !probe.streams.isEmpty(), report.constData());
        if (kind.picture)
            QVERIFY(probe.first("video") && probe.first("video")->width > 0 && probe.first("video")->height > 0);
    } else {
        // "[1/1] name: failed: <reason>", or the batch mode's refusal of the file.
        const qsizetype failed = finished.errors.indexOf(QLatin1String(": failed: "));
        QVERIFY2(failed >= 0, report.constData());
        QVERIFY2(!finished.errors.mid(failed + 10).section(u'\n', 0, 0).trimmed().isEmpty(), report.constData());
        QCOMPARE(written, QStringList());
    }
    QDir(folder).removeRecursively(); // a thousand cases by hand leave no pile
}

QTEST_GUILESS_MAIN(TestMutatedMedia)
#include "tst_mutatedmedia.moc"
