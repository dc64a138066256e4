#include "tests/mainwindow/windowfixture.h"
#include "tests/support/files.h"
#include "tests/support/media.h"

#include <QtTest>

// One job of each kind converted by pressing Convert, with the real tools,
// each output dated as its source ("Keep the source's file date"), each
// video job's quality told in its tooltip ("Check quality").
class TestRunConversion : public QObject
{
    Q_OBJECT

private slots:
    void everyKindConverts();
    void folderTreeThenUpToDate();
};

void TestRunConversion::everyKindConverts()
{
    WindowFixture fixture;
    fixture.window->setToolsFolder(QStringLiteral(QUILLMORA_BUILD_DIR));
    const QString in = fixture.inputFolder() + QLatin1Char('/');
    testmedia::ClipSpec video;
    video.seconds = 2;
    testmedia::ClipSpec audio;
    audio.width = 0;
    QVERIFY(testmedia::makeClip(in + "film.mkv", video));
    QVERIFY(testmedia::makeClip(in + "part1.mp4", video));
    QVERIFY(testmedia::makeClip(in + "part2.webm", video)); // a join takes today's formats too
    QVERIFY(testmedia::makeClip(in + "song.wav", audio));
    QVERIFY(testmedia::makeClip(in + "take1.wav", audio));
    QVERIFY(testmedia::makeClip(in + "take2.opus", audio));
    for (const char *name : {"web.avi", "phone.avi", "small.avi"})
        QVERIFY(testmedia::makeClip(in + name, video));
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc=size=160x120:rate=1", "-frames:v", "1",
                                  in + "photo.png"}));

    fixture.chooseFiles(QStringLiteral("btnMP4"), {in + "film.mkv"});
    fixture.chooseFiles(QStringLiteral("btnMP3"), {in + "song.wav"});
    fixture.chooseFiles(QStringLiteral("btnJPEG"), {in + "photo.png"});
    fixture.chooseFiles(QStringLiteral("btnVideoMerge"), {in + "part1.mp4", in + "part2.webm"});
    fixture.chooseFiles(QStringLiteral("btnAudioMerge"), {in + "take1.wav", in + "take2.opus"});
    fixture.chooseFiles(QStringLiteral("btnWebM"), {in + "web.avi"});
    fixture.chooseFiles(QStringLiteral("btnHEVC"), {in + "phone.avi"});
    fixture.chooseFiles(QStringLiteral("btnAV1"), {in + "small.avi"});
    fixture.chooseFiles(QStringLiteral("btnOpus"), {in + "song.wav"});
    CQuillmoraTestAccess access = fixture.access();
    QCOMPARE(access.rowCount(), 9);
    const QDateTime taken(QDate(2003, 4, 5), QTime(6, 7, 8), Qt::UTC);
    for (const QString &input : QDir(in).entryList(QDir::Files)) {
        QFile file(in + input);
        QVERIFY(file.open(QIODevice::ReadWrite) && file.setFileTime(taken, QFileDevice::FileModificationTime));
    }

    fixture.access().action(WindowAction::KeepSourceDates)->trigger();
    fixture.access().action(WindowAction::CheckQuality)->trigger();
    fixture.access().action(WindowAction::Convert)->trigger();
    QVERIFY(QTest::qWaitFor([&] { return fixture.prompts.count(QStringLiteral("dialog")) == 1; }, 600000));
    QCOMPARE(fixture.prompts.shown.last().text,
             QStringLiteral("0  task has been failed\n9  tasks have been completed"));
    for (int row = 0; row < access.rowCount(); ++row)
        QVERIFY2(access.cell(row, 2) == QLatin1String("Successes"), qPrintable(access.cell(row, 2, Qt::ToolTipRole)));
    // The H.264 pictures went into the MP4 as they were; the Vorbis sound had to be encoded.
    // ... and need no quality check; the encoded ones were measured, the join could not be.
    QCOMPARE(access.cell(0, 2, Qt::ToolTipRole), QStringLiteral("Video copied without re-encoding"));
    for (int row : {5, 6, 7})
        QVERIFY2(QRegularExpression("^SSIM 0\\.\\d{3}, PSNR \\d+\\.\\d dB$").match(access.cell(row, 2, Qt::ToolTipRole)).hasMatch(),
                 qPrintable(access.cell(row, 2, Qt::ToolTipRole)));
    QCOMPARE(access.cell(3, 2, Qt::ToolTipRole),
             QStringLiteral("quality not measured: a join has no one source to compare with"));
    QCOMPARE(access.cell(1, 2, Qt::ToolTipRole), QString()); // a song

    struct Expected {
        const char *name;
        const char *video; // codec; nullptr: none
        const char *audio;
        double seconds;    // 0: a picture
    };
    const Expected outputs[] = {
        {"film.mp4", "h264", "aac", 2},     {"song.mp3", nullptr, "mp3", 1},
        {"photo.jpg", "mjpeg", nullptr, 0}, {"MergedVideo.mp4", "h264", "mp3", 4},
        {"MergedAudio.mp3", nullptr, "mp3", 2}, {"web.webm", "vp9", "opus", 2},
        {"phone.mp4", "hevc", "aac", 2},    {"small.mp4", "av1", "aac", 2},
        {"song.opus", nullptr, "opus", 1},
    };
    for (const Expected &expected : outputs) {
        const QString path = fixture.outputFolderPath() + QLatin1Char('/') + QLatin1String(expected.name);
        const testmedia::Probe probe = testmedia::probe(path);
        QVERIFY2(probe.ok, expected.name);
        const testmedia::Stream *pictures = probe.first(QStringLiteral("video"));
        const testmedia::Stream *sound = probe.first(QStringLiteral("audio"));
        QCOMPARE(pictures ? pictures->codec : QString(), QString::fromLatin1(expected.video));
        QCOMPARE(sound ? sound->codec : QString(), QString::fromLatin1(expected.audio));
        if (expected.seconds > 0)
            QVERIFY2(qAbs(probe.duration - expected.seconds) < 0.5,
                     qPrintable(QStringLiteral("%1: %2 s").arg(expected.name).arg(probe.duration)));
        QCOMPARE(QFileInfo(path).lastModified(), taken);
    }
    // Only the outputs: the joins' working folders are gone.
    QCOMPARE(testsupport::entriesOf(fixture.outputFolderPath()),
             (QStringList{"MergedAudio.mp3", "MergedVideo.mp4", "film.mp4", "phone.mp4", "photo.jpg", "small.mp4",
                          "song.mp3", "song.opus", "web.webm"}));
    QCOMPARE(fixture.shutdowns.count.load(), 0);
}

// A dropped tree of songs and a picture converted into the same folders,
// then, with "Skip files already converted", dropped again: only the song
// changed since starts a tool; the others are "Up to date", count as done and
// are not kept for the next start.
void TestRunConversion::folderTreeThenUpToDate()
{
    WindowFixture fixture;
    fixture.window->setToolsFolder(QStringLiteral(QUILLMORA_BUILD_DIR));
    const QString tree = fixture.inputFolder() + QStringLiteral("/Library");
    QVERIFY(QDir().mkpath(tree + "/Artist/Album"));
    testmedia::ClipSpec song;
    song.width = 0;
    QVERIFY(testmedia::makeClip(tree + "/Artist/Album/1 One.wav", song));
    QVERIFY(testmedia::makeClip(tree + "/Artist/Album/2 Two.flac", song));
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i", "testsrc=size=64x48", "-frames:v", "1", tree + "/photo.jpg"}));
    CQuillmoraTestAccess access = fixture.access();
    const auto convert = [&](int dialogs) {
        access.action(WindowAction::Convert)->trigger();
        QVERIFY(QTest::qWaitFor([&] { return fixture.prompts.count(QStringLiteral("dialog")) == dialogs; }, 300000));
        QTRY_VERIFY(!access.busy());
    };

    fixture.drop({tree});
    QTRY_VERIFY(!access.adding());
    convert(1);
    QCOMPARE(fixture.prompts.shown.last().text, QStringLiteral("0  task has been failed\n3  tasks have been completed"));
    const QString out = fixture.outputFolderPath();
    QCOMPARE(testmedia::probe(out + "/Artist/Album/1 One.mp3").first("audio")->codec, QStringLiteral("mp3"));
    QCOMPARE(testmedia::probe(out + "/Artist/Album/2 Two.mp3").first("audio")->codec, QStringLiteral("mp3"));
    QCOMPARE(testmedia::probe(out + "/photo.png").first("video")->codec, QStringLiteral("png"));

    const QDateTime written = QFileInfo(out + "/Artist/Album/1 One.mp3").lastModified();
    QFile changed(tree + "/Artist/Album/2 Two.flac");
    QVERIFY(changed.open(QIODevice::ReadWrite)
            && changed.setFileTime(QDateTime::currentDateTime().addSecs(60), QFileDevice::FileModificationTime));
    changed.close();
    QVERIFY(!access.action(WindowAction::SkipConverted)->isChecked()); // off unless chosen
    access.action(WindowAction::SkipConverted)->trigger();
    access.invoke("onClearList");
    fixture.drop({tree});
    QTRY_VERIFY(!access.adding());
    fixture.prompts.questionAnswers << true; // the changed song's old output is replaced
    convert(2);
    QCOMPARE(fixture.prompts.shown.last().text, QStringLiteral("0  task has been failed\n3  tasks have been completed"));
    QCOMPARE(fixture.prompts.count(QStringLiteral("question")), 1);
    QCOMPARE(QStringList({access.cell(0, 2), access.cell(1, 2), access.cell(2, 2)}),
             QStringList({"Up to date", "Successes", "Up to date"}));
    QCOMPARE(QFileInfo(out + "/Artist/Album/1 One.mp3").lastModified(), written);
    QVERIFY(!QFileInfo::exists(out + "/Artist/Album/2 Two_1.mp3"));

    fixture.prompts.questionAnswers << true;
    QVERIFY(fixture.window->close());
    fixture.window.reset();
    const int questions = fixture.prompts.count(QStringLiteral("question"));
    fixture.prompts.questionAnswers << true;
    CQuillmora next;
    QCOMPARE(next.offerUnfinishedJobs(), 0);
    QCOMPARE(fixture.prompts.count(QStringLiteral("question")), questions); // nothing was offered
}

QTEST_MAIN(TestRunConversion)
#include "tst_runconversion.moc"
