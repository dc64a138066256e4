#include "app/formats.h"
#include "tests/mainwindow/windowfixture.h"
#include "tests/support/files.h"

#include <QPointer>
#include <QProgressBar>
#include <QtTest>

class TestJobList : public QObject
{
    Q_OBJECT

private slots:
    void filesChosenForMp4();
    void sizesAndNames_data();
    void sizesAndNames();
    void dialogFilters_data();
    void dialogFilters();
    void cancelledDialogChangesNothing();
    void drops_data();
    void drops();
    void dropOfSeveralKinds();
    void dropDuringRunAddsJob();
    void thousandsOfDroppedFilesOneBox();
    void droppedFolderGivesItsTree();
    void addFolderToAJoiner();
    void joiners_data();
    void joiners();
    void sameFileTwice();
    void removeSelectedRow();
    void removeJudgesEditFromNewCurrentRow_data();
    void removeJudgesEditFromNewCurrentRow();
    void removeWithNothingSelected();
    void clearList();

private:
    static QStringList column(JobTable *table, int column);
};

QStringList TestJobList::column(JobTable *table, int column)
{
    QStringList texts;
    for (int row = 0; row < table->model()->rowCount(); ++row)
        texts << table->model()->index(row, column).data().toString();
    return texts;
}

void TestJobList::filesChosenForMp4()
{
    WindowFixture fixture;
    const QString a = fixture.makeFile("a.avi", 2048);
    const QString b = fixture.makeFile("b.mkv", 10);
    fixture.chooseFiles("btnMP4", {a, b});

    JobTable *table = fixture.access().table();
    const QString out = fixture.outputFolderPath();
    QCOMPARE(column(table, 0), QStringList({a, b}));
    QCOMPARE(column(table, 1), QStringList({"2 KB", "1 KB"}));
    QCOMPARE(column(table, 2),
             QStringList({"All media files -> MP4", "All media files -> MP4"}));
    QCOMPARE(column(table, 3), QStringList({out + "/a.mp4", out + "/b.mp4"}));
    QCOMPARE(table->rowHeight(0), 18);
    QVERIFY(!(table->model()->index(0, 0).flags() & Qt::ItemIsEditable));

    const QList<ConvertJob> &jobs = fixture.access().jobs();
    QCOMPARE(jobs.size(), 2);
    QCOMPARE(jobs[1].inputPath, b);
    QCOMPARE(jobs[1].inputFiles, QStringList{b});
    QCOMPARE(jobs[1].outputPath, out + "/b.mp4");
    QCOMPARE(jobs[1].formatId, 0);
    QCOMPARE(jobs[1].state, int(Ready));
    QVERIFY(jobs[1].profile == profileTable()[0]);
    QCOMPARE(jobs[1].edit.volume, 100);
    QCOMPARE(jobs[1].edit.watermark.fontName, QStringLiteral("Times New Roman"));
    QVERIFY(!jobs[1].progressBar);

    QCOMPARE(fixture.access().openFolder(), fixture.inputFolder());
    QCOMPARE(fixture.prompts.shown.first().text, QStringLiteral("Open the media files"));
    QVERIFY(fixture.access().action(WindowAction::Convert)->isEnabled());
}

void TestJobList::sizesAndNames_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("bytes");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("output");
    QTest::newRow("empty") << "btnMP4" << "e.avi" << 0 << "0 KB" << "e.mp4";
    QTest::newRow("one byte") << "btnMP4" << "o.avi" << 1 << "1 KB" << "o.mp4";
    QTest::newRow("1024 bytes") << "btnMP4" << "k.avi" << 1024 << "1 KB" << "k.mp4";
    QTest::newRow("1025 bytes") << "btnMP4" << "l.avi" << 1025 << "2 KB" << "l.mp4";
    QTest::newRow("only the last suffix goes") << "btnMP3" << "x.tar.gz" << 5 << "1 KB" << "x.tar.mp3";
    QTest::newRow("no suffix") << "btnFLAC" << "track" << 0 << "0 KB" << "track.flac";
    QTest::newRow("blanks and brackets") << "btnJPEG" << "my photo (1) [final].png" << 0 << "0 KB"
                                         << "my photo (1) [final].jpg";
    QTest::newRow("non-Latin name") << "btnICON" << "写真 ß.bmp" << 0 << "0 KB" << "写真 ß.ico";
}

void TestJobList::sizesAndNames()
{
    QFETCH(QString, button);
    QFETCH(QString, name);
    QFETCH(int, bytes);
    QFETCH(QString, size);
    QFETCH(QString, output);
    WindowFixture fixture;
    fixture.chooseFiles(button, {fixture.makeFile(name, bytes)});
    CQuillmoraTestAccess access = fixture.access();
    QCOMPARE(access.rowCount(), 1);
    QCOMPARE(access.cell(0, 1), size);
    QCOMPARE(access.cell(0, 3), fixture.outputFolderPath() + "/" + output);
    QCOMPARE(fixture.access().jobs()[0].outputPath, fixture.outputFolderPath() + "/" + output);
}

void TestJobList::dialogFilters_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("offered");
    QTest::addColumn<QStringList>("notOffered");
    QTest::newRow("video") << "btnMP4" << QStringList{"*.avi", "*.mod", "*.gif"}
                           << QStringList{"*.mp3", "*.png"};
    QTest::newRow("audio takes video too") << "btnMP3" << QStringList{"*.avi", "*.flac", "*.wav"}
                                           << QStringList{"*.png"};
    QTest::newRow("image") << "btnPNG" << QStringList{"*.jpg", "*.psd", "*.gif"}
                           << QStringList{"*.avi", "*.mp3"};
    QTest::newRow("video joiner") << "btnVideoMerge" << QStringList{"*.mkv"} << QStringList{"*.mp3"};
    QTest::newRow("audio joiner") << "btnAudioMerge" << QStringList{"*.mp3"}
                                  << QStringList{"*.avi", "*.mp4"};
}

void TestJobList::dialogFilters()
{
    QFETCH(QString, button);
    QFETCH(QStringList, offered);
    QFETCH(QStringList, notOffered);
    WindowFixture fixture;
    fixture.chooseFiles(button, {});
    QCOMPARE(fixture.prompts.count("openFiles"), 1);
    const QString filter = fixture.prompts.shown.first().detail;
    QVERIFY2(filter.startsWith("All Media Files ( *.") && filter.endsWith(" )"), qPrintable(filter));
    const QStringList patterns = filter.mid(17, filter.size() - 19).split(' ', Qt::SkipEmptyParts);
    for (const QString &pattern : offered)
        QVERIFY2(patterns.contains(pattern), qPrintable(pattern));
    for (const QString &pattern : notOffered)
        QVERIFY2(!patterns.contains(pattern), qPrintable(pattern));
    if (button == "btnMP3") // the video suffixes first, then the audio ones
        QVERIFY(patterns.indexOf("*.mod") < patterns.indexOf("*.aac"));
}

void TestJobList::cancelledDialogChangesNothing()
{
    WindowFixture fixture;
    fixture.chooseFiles("btnMP4", {});
    QCOMPARE(fixture.access().rowCount(), 0);
    QVERIFY(fixture.access().jobs().isEmpty());
    QVERIFY(fixture.access().openFolder().isEmpty());
    QVERIFY(!fixture.access().action(WindowAction::Convert)->isEnabled());

    // The GIF maker opens no file dialog at all.
    fixture.button("btnGIFMaker")->click();
    QCOMPARE(fixture.prompts.count("openFiles"), 1);
}

void TestJobList::drops_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("formatId"); // -1: refused
    QTest::addColumn<int>("category");
    QTest::newRow("upper-case GIF is video") << "clip.GIF" << 0 << int(Video);
    QTest::newRow("flac is audio") << "song.flac" << 11 << int(Audio);
    QTest::newRow("jpg is image") << "photo.jpg" << 23 << int(Image);
    QTest::newRow("unknown kind") << "notes.xyz" << -1 << 0;
    QTest::newRow("missing file") << "gone.mp4*" << -1 << 0;
}

void TestJobList::drops()
{
    QFETCH(QString, name);
    QFETCH(int, formatId);
    QFETCH(int, category);
    WindowFixture fixture;
    QString path;
    if (name.endsWith('*')) {
        path = fixture.inputFolder() + "/" + name.chopped(1);
    } else {
        path = fixture.makeFile(name, 3);
    }
    fixture.drop({path});

    const QList<ConvertJob> &jobs = fixture.access().jobs();
    if (formatId < 0) {
        QVERIFY(jobs.isEmpty());
        QCOMPARE(fixture.access().rowCount(), 0);
        QCOMPARE(fixture.prompts.count("warning"), 1);
        QCOMPARE(fixture.prompts.shown.first().title, QStringLiteral("Failed to import Files"));
        QCOMPARE(fixture.prompts.shown.first().text, path);
        QVERIFY(!fixture.access().action(WindowAction::Convert)->isEnabled());
        return;
    }
    QCOMPARE(jobs.size(), 1);
    QCOMPARE(jobs[0].formatId, formatId);
    QVERIFY(jobs[0].profile == profileTable()[formatId]);
    QCOMPARE(fixture.access().currentCategory(), category);
    QCOMPARE(jobs[0].outputPath,
             fixture.outputFolderPath() + "/" + QFileInfo(path).completeBaseName()
                 + formatExtension(formatId));
    QCOMPARE(fixture.prompts.shown.size(), 0);
    QVERIFY(fixture.access().action(WindowAction::Convert)->isEnabled());
}

void TestJobList::dropOfSeveralKinds()
{
    WindowFixture fixture;
    const QString song = fixture.makeFile("song.wav");
    const QString photo = fixture.makeFile("photo.tif");
    const QString clip = fixture.makeFile("clip.mkv");
    fixture.drop({song, photo, clip});
    QCOMPARE(column(fixture.access().table(), 2),
             QStringList({"All media files -> MP3", "All Image files -> PNG",
                          "All media files -> MP4"}));
    QCOMPARE(column(fixture.access().table(), 0), QStringList({song, photo, clip}));
}

void TestJobList::dropDuringRunAddsJob()
{
    WindowFixture fixture;
    fixture.drop({fixture.makeFile("first.mp4")});
    fixture.access().startRun();
    fixture.drop({fixture.makeFile("late.mp3")});
    QCOMPARE(fixture.access().jobs().size(), 2);
    QCOMPARE(fixture.access().jobs()[1].formatId, 11);
    QVERIFY(!fixture.access().action(WindowAction::Convert)->isEnabled());
    QVERIFY(!fixture.access().action(WindowAction::RemoveItem)->isEnabled());
}

void TestJobList::thousandsOfDroppedFilesOneBox()
{
    WindowFixture fixture;
    QStringList paths;
    for (int i = 0; i < 3000; ++i)
        paths << fixture.makeFile(QStringLiteral("clip%1.%2").arg(i).arg(i % 3 == 2 ? "txt" : "mkv"));
    fixture.drop(paths);
    QTRY_VERIFY(!fixture.access().adding());

    QCOMPARE(fixture.access().rowCount(), 2000);
    QCOMPARE(fixture.access().cell(1999, 0), paths[2998]);
    QCOMPARE(fixture.access().jobs()[1999].inputPath, paths[2998]);
    // One box names the first ten refused files and counts the others.
    QCOMPARE(fixture.prompts.count("warning"), 1);
    const QStringList lines = fixture.prompts.shown.first().text.split('\n');
    QCOMPARE(lines.size(), 11);
    QCOMPARE(lines.first(), paths[2]);
    QCOMPARE(lines.last(), QStringLiteral("and 990 more"));
    QCOMPARE(fixture.prompts.shown.first().title, QStringLiteral("Failed to import Files"));
}

void TestJobList::droppedFolderGivesItsTree()
{
    WindowFixture fixture;
    const QString in = fixture.inputFolder() + "/Music";
    for (const char *folder : {"/Album", "/Live.mp4", "/.cache", "/locked"})
        QVERIFY(QDir().mkpath(in + QLatin1String(folder)));
    for (const char *file : {"/Album/10.flac", "/Album/2.flac", "/Album/cover.jpg", "/Album/notes.txt",
                             "/Live.mp4/a.wav", "/.cache/c.flac", "/.hidden.flac", "/locked/l.flac"})
        QVERIFY(testsupport::writeFile(in + QLatin1String(file), {}));
    const QString clip = fixture.makeFile("clip.mkv");
    const QString empty = fixture.inputFolder() + "/Empty";
    QVERIFY(QDir().mkpath(empty));
    {
        const testsupport::UnreadableFolder locked(in + "/locked");
        QVERIFY(locked.holds());
        fixture.drop({in, empty, clip});
        QTRY_VERIFY(!fixture.access().adding());
    }

    const QString out = fixture.outputFolderPath();
    QCOMPARE(column(fixture.access().table(), 0),
             QStringList({in + "/Album/2.flac", in + "/Album/10.flac", in + "/Album/cover.jpg", in + "/Live.mp4/a.wav",
                          clip}));
    QCOMPARE(column(fixture.access().table(), 3),
             QStringList({out + "/Album/2.mp3", out + "/Album/10.mp3", out + "/Album/cover.png", out + "/Live.mp4/a.mp3",
                          out + "/clip.mp4"}));
    // Files of no kind are passed over without a word; the folder that cannot be read and the
    // one that gave nothing are named in one box.
    QCOMPARE(fixture.prompts.count("warning"), 1);
    QCOMPARE(fixture.prompts.shown.first().text, in + "/locked\n" + empty);
    QCOMPARE(fixture.access().currentFormatId(), int(FormatMP4)); // the drop's last file chose
    // The Setting dialog gives a row its output path again, in the same subfolder.
    fixture.access().setCurrentRow(3);
    fixture.access().answerSettingsDialog([](CSettings &dialog) { dialog.accept(); });
    fixture.access().invoke("onSettings");
    QCOMPARE(fixture.access().jobs()[3].outputPath, out + "/Live.mp4/a.mp3");

    // "Keep the folder structure" off: what is added from now on goes straight into the output folder.
    QVERIFY(fixture.access().action(WindowAction::KeepFolderStructure)->isChecked());
    fixture.access().action(WindowAction::KeepFolderStructure)->trigger();
    fixture.window->openFiles({in + "/Album"});
    QTRY_VERIFY(!fixture.access().adding());
    QCOMPARE(column(fixture.access().table(), 3).mid(5),
             QStringList({out + "/2.mp3", out + "/10.mp3", out + "/cover.png"}));
}

void TestJobList::addFolderToAJoiner()
{
    WindowFixture fixture;
    const QString album = fixture.inputFolder() + "/Album";
    QVERIFY(QDir().mkpath(album + "/CD 2"));
    for (const char *file : {"/10.flac", "/2.mp3", "/cover.jpg", "/CD 2/1.wav"})
        QVERIFY(testsupport::writeFile(album + QLatin1String(file), {}));
    fixture.chooseFiles(QStringLiteral("btnAudioMerge"), {}); // the joiner chosen, its file dialog cancelled
    fixture.prompts.folderAnswers << album;
    fixture.access().action(WindowAction::AddFolder)->trigger();
    QTRY_VERIFY(!fixture.access().adding());

    const QList<ConvertJob> jobs = fixture.access().jobs();
    QCOMPARE(jobs.size(), 1);
    QCOMPARE(jobs[0].inputFiles, QStringList({album + "/2.mp3", album + "/10.flac", album + "/CD 2/1.wav"}));
    QCOMPARE(jobs[0].outputPath, fixture.outputFolderPath() + "/MergedAudio.mp3");
    QCOMPARE(fixture.access().cell(0, 0), QStringLiteral("3Files"));
    QCOMPARE(fixture.prompts.count("warning"), 0);
    QCOMPARE(fixture.access().openFolder(), album); // where the next chooser starts
}

void TestJobList::joiners_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("profileText");
    QTest::addColumn<QString>("output");
    QTest::addColumn<int>("formatId");
    QTest::newRow("video") << "btnVideoMerge" << QStringList{"c.mp4", "a.avi", "b.mkv"}
                           << "Video Joiner" << "MergedVideo.mp4" << 30;
    QTest::newRow("audio") << "btnAudioMerge" << QStringList{"x.mp3", "y.wav"} << "Audio Joiner"
                           << "MergedAudio.mp3" << 31;
}

void TestJobList::joiners()
{
    QFETCH(QString, button);
    QFETCH(QStringList, names);
    QFETCH(QString, profileText);
    QFETCH(QString, output);
    QFETCH(int, formatId);
    WindowFixture fixture;
    QStringList paths;
    for (const QString &name : names)
        paths << fixture.makeFile(name, 5000);
    fixture.chooseFiles(button, paths);

    CQuillmoraTestAccess access = fixture.access();
    QCOMPARE(access.rowCount(), 1);
    QCOMPARE(access.cell(0, 0), QString::number(names.size()) + "Files");
    QCOMPARE(access.cell(0, 1), QStringLiteral(" "));
    QCOMPARE(access.cell(0, 2), profileText);
    QCOMPARE(access.cell(0, 3), fixture.outputFolderPath() + "/" + output);
    const ConvertJob &job = fixture.access().jobs().at(0);
    QVERIFY(job.inputPath.isEmpty());
    QCOMPARE(job.inputFiles, paths);
    QCOMPARE(job.outputPath, fixture.outputFolderPath() + "/" + output);
    QCOMPARE(job.formatId, formatId);
    QVERIFY(job.profile == profileTable()[formatId]);
}

void TestJobList::sameFileTwice()
{
    WindowFixture fixture;
    const QString clip = fixture.makeFile("clip.avi");
    fixture.chooseFiles("btnMKV", {clip});
    fixture.chooseFiles("btnMKV", {clip});
    QCOMPARE(fixture.access().jobs().size(), 2);
    QCOMPARE(column(fixture.access().table(), 3),
             QStringList(2, fixture.outputFolderPath() + "/clip.mkv"));
}

void TestJobList::removeSelectedRow()
{
    WindowFixture fixture;
    const QString a = fixture.makeFile("a.avi");
    const QString b = fixture.makeFile("b.mp3");
    const QString c = fixture.makeFile("c.png");
    fixture.drop({a, b, c});
    fixture.clickRow(1);
    fixture.access().action(WindowAction::RemoveItem)->trigger();

    // Rows and jobs stay paired after the removal.
    QCOMPARE(column(fixture.access().table(), 0), QStringList({a, c}));
    QCOMPARE(fixture.access().jobs().size(), 2);
    QCOMPARE(fixture.access().jobs()[0].inputPath, a);
    QCOMPARE(fixture.access().jobs()[1].inputPath, c);
    QVERIFY(fixture.access().action(WindowAction::RemoveList)->isEnabled());

    for (int row : {1, 0}) {
        fixture.clickRow(row);
        fixture.access().action(WindowAction::RemoveItem)->trigger();
    }
    QVERIFY(fixture.access().jobs().isEmpty());
    for (WindowAction id : {WindowAction::RemoveItem, WindowAction::RemoveList,
                            WindowAction::Convert, WindowAction::Edit, WindowAction::Setting})
        QVERIFY(!fixture.access().action(id)->isEnabled());
}

void TestJobList::removeJudgesEditFromNewCurrentRow_data()
{
    QTest::addColumn<QStringList>("buttons"); // one file per button, in row order
    QTest::addColumn<bool>("editable");
    QTest::newRow("video row follows") << QStringList{"btnMP4", "btnMP4", "btnMP3"} << true;
    QTest::newRow("audio row follows") << QStringList{"btnMP4", "btnMP3", "btnMP4"} << false;
}

void TestJobList::removeJudgesEditFromNewCurrentRow()
{
    QFETCH(QStringList, buttons);
    QFETCH(bool, editable);
    WindowFixture fixture;
    for (int row = 0; row < buttons.size(); ++row)
        fixture.chooseFiles(buttons[row], {fixture.makeFile(QString::number(row) + ".avi")});
    fixture.clickRow(0);
    fixture.access().action(WindowAction::RemoveItem)->trigger();

    QCOMPARE(fixture.access().rowCount(), 2);
    QCOMPARE(fixture.access().table()->currentJobRow(), 0);
    QCOMPARE(fixture.access().jobs()[0].profile.category == Video, editable);
    QCOMPARE(fixture.access().action(WindowAction::Edit)->isEnabled(), editable);
    QCOMPARE(fixture.access().action(WindowAction::Setting)->isEnabled(), editable);
}

void TestJobList::removeWithNothingSelected()
{
    WindowFixture fixture;
    fixture.drop({fixture.makeFile("a.avi"), fixture.makeFile("b.avi")});
    fixture.access().table()->clearSelection();
    fixture.access().action(WindowAction::RemoveItem)->trigger();
    QCOMPARE(fixture.access().jobs().size(), 2);
    QCOMPARE(fixture.access().rowCount(), 2);
}

void TestJobList::clearList()
{
    WindowFixture fixture;
    fixture.drop({fixture.makeFile("a.avi"), fixture.makeFile("b.mp3")});
    fixture.access().invoke("insertProgressBar", 1);
    QPointer<QProgressBar> bar = fixture.access().jobs()[1].progressBar;
    QVERIFY(bar);
    fixture.access().action(WindowAction::RemoveList)->trigger();
    QCOMPARE(fixture.access().rowCount(), 0);
    QVERIFY(fixture.access().jobs().isEmpty());
    QTRY_VERIFY(!bar); // deleted later by the table
    QVERIFY(!fixture.access().action(WindowAction::Convert)->isEnabled());
    QVERIFY(!fixture.access().action(WindowAction::RemoveList)->isEnabled());

    // The list fills again as usual afterwards.
    fixture.drop({fixture.makeFile("c.avi")});
    QCOMPARE(fixture.access().rowCount(), 1);
}

QTEST_MAIN(TestJobList)
#include "tst_joblist.moc"
