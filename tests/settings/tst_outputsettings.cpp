#include "app/formats.h"
#include "settings/csettings.h"
#include "tests/mainwindow/windowfixture.h"

#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QtTest>

class TestOutputSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void opensOnTheJobAndCancelChangesNothing();
    void switchFormat_data();
    void switchFormat();
    void applePresetKeepsItsSize();
    void fitInStaysWithTheJob();
    void loudnessIsKeptWithTheJob();
    void whichJobsOpenTheDialog_data();
    void whichJobsOpenTheDialog();
    void refreshedRowState_data();
    void refreshedRowState();
    void newFolderOnlyInRefreshedRows();

private:
    QTemporaryDir home;
};

namespace {

// The four video lists first.
constexpr int VideoListCount = 4;
const char *const nonCodecLists[] = {"m_pCmbVideoSize",     "m_pCmbFPS",        "m_pCmbVideoBitrate",
                                     "m_pCmbAspectRatio",   "m_pCmbAudioChannels", "m_pCmbSampleRate",
                                     "m_pCmbAudioBitrate"};

QComboBox *list(CSettings &dialog, const char *name)
{
    return dialog.findChild<QComboBox *>(QLatin1String(name));
}

// What a user's pick does: the entry becomes current and the list says it was activated.
void choose(QComboBox *box, const QString &text)
{
    const int index = box->findText(text);
    QVERIFY2(index >= 0, qPrintable(text));
    box->setCurrentIndex(index);
    emit box->activated(index);
}

// One job of the format button's kind, the current row of the table.
void addJob(WindowFixture &fixture, const QString &button, const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names)
        paths << fixture.makeFile(name);
    fixture.chooseFiles(button, paths);
    fixture.access().setCurrentRow(fixture.access().rowCount() - 1);
}

void pressApply(CSettings &dialog)
{
    dialog.findChild<QPushButton *>(QStringLiteral("m_pBtnApply"))->click();
}

} // namespace

void TestOutputSettings::initTestCase()
{
    QVERIFY(home.isValid());
    qputenv("HOME", QFile::encodeName(home.path()));
}

void TestOutputSettings::opensOnTheJobAndCancelChangesNothing()
{
    WindowFixture fixture;
    addJob(fixture, QStringLiteral("btnMP4"), {QStringLiteral("clip.avi")});
    fixture.window->setGeometry(100, 50, 1400, 900);
    CQuillmoraTestAccess access = fixture.access();
    const ConvertJob before = access.jobs().first();
    fixture.prompts.folderAnswers << fixture.dir.path() + QStringLiteral("/other");
    int opened = 0;
    access.answerSettingsDialog([&](CSettings &dialog) {
        ++opened;
        // Centred on the window, showing the job as it is.
        QCOMPARE(dialog.pos(), QPoint(100 + (1400 - dialog.width()) / 2, 50 + (900 - dialog.height()) / 2));
        QCOMPARE(dialog.findChild<QLineEdit *>("m_pTxtOutFolder")->text(), fixture.outputFolderPath());
        QCOMPARE(list(dialog, "m_pCmbFileFormat")->currentText(), QStringLiteral("All media files -> MP4"));
        for (const char *name : nonCodecLists)
            QCOMPARE(list(dialog, name)->currentText(), QStringLiteral("Original"));
        // The size list is in size order, its entries carry their index.
        QCOMPARE(list(dialog, "m_pCmbVideoSize")->itemText(4), QStringLiteral("640x480 (VGA)"));
        QCOMPARE(list(dialog, "m_pCmbVideoSize")->itemData(4, Qt::UserRole).toInt(), 7);

        choose(list(dialog, "m_pCmbFileFormat"), QStringLiteral("All media files -> WMV"));
        choose(list(dialog, "m_pCmbVideoSize"), QStringLiteral("1920x1080"));
        dialog.findChild<QPushButton *>("m_pBtnOutFolder")->click();
        QCOMPARE(dialog.editedJob().profile.vSize, 12);
        dialog.findChild<QPushButton *>("m_pBtnCancel")->click();
    });
    access.action(WindowAction::Setting)->trigger();
    QCOMPARE(opened, 1);
    QCOMPARE(access.jobs().first().profile, before.profile);
    QCOMPARE(access.jobs().first().outputPath, before.outputPath);
    QCOMPARE(outputFolder(), fixture.outputFolderPath());
}

void TestOutputSettings::switchFormat_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QString>("target");
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("video");
    QTest::addColumn<QString>("audioCodecShown");
    QTest::newRow("MP4 to MP3") << "btnMP4" << "All media files -> MP3" << 11 << false << "MP3";
    // The codec list shows its first entry, not the profile's own (WMAV1).
    QTest::newRow("MP4 to WMV") << "btnMP4" << "All media files -> WMV" << 9 << true << "WMAV2";
    QTest::newRow("MP3 back to video") << "btnMP3" << "All media files -> MKV" << 5 << true << "MP2";
    QTest::newRow("MP4 to WebM") << "btnMP4"
                                 << "All media files -> WebM" << 33 << true << "Opus";
    QTest::newRow("MP3 to Opus") << "btnMP3"
                                 << "All media files -> Opus" << 36 << false << "Opus";
}

void TestOutputSettings::switchFormat()
{
    QFETCH(QString, button);
    QFETCH(QString, target);
    QFETCH(int, row);
    QFETCH(bool, video);
    QFETCH(QString, audioCodecShown);
    WindowFixture fixture;
    addJob(fixture, button, {QStringLiteral("clip.avi")});
    CQuillmoraTestAccess access = fixture.access();
    access.answerSettingsDialog([&](CSettings &dialog) {
        choose(list(dialog, "m_pCmbFileFormat"), target);
        QCOMPARE(list(dialog, "m_pCmbAudioCodec")->currentText(), audioCodecShown);
        QCOMPARE(list(dialog, "m_pCmbVideoCodec")->count() > 0, video);
        // An audio format empties the video lists; every other list shows "Original".
        for (int i = 0; i < int(std::size(nonCodecLists)); ++i) {
            QComboBox *box = list(dialog, nonCodecLists[i]);
            QCOMPARE(box->currentText(), !video && i < VideoListCount ? QString() : QStringLiteral("Original"));
        }
        pressApply(dialog);
    });
    access.invoke("onSelectTableWidget", 0, 0);

    const ConvertJob job = access.jobs().first();
    QCOMPARE(job.profile, profileTable()[row]);
    QCOMPARE(job.outputPath, fixture.outputFolderPath() + "/clip" + formatExtension(row));
    QCOMPARE(access.cell(0, 2), target);
    QCOMPARE(access.cell(0, 3), job.outputPath);
}

void TestOutputSettings::applePresetKeepsItsSize()
{
    WindowFixture fixture;
    addJob(fixture, QStringLiteral("btnApple"), {QStringLiteral("clip.avi")});
    CQuillmoraTestAccess access = fixture.access();
    access.answerSettingsDialog([&](CSettings &dialog) {
        QCOMPARE(list(dialog, "m_pCmbVideoSize")->currentText(), QStringLiteral("Original"));
        QCOMPARE(dialog.editedJob().profile.vSize, 6);
        pressApply(dialog);
    });
    access.action(WindowAction::Setting)->trigger();
    QCOMPARE(access.jobs().first().profile, devicePresetProfile(DevicePreset::Apple));
}

// "Fit in": a listed size or one typed, kept with the job; Off where the
// codec has no two passes or the format is sound.
void TestOutputSettings::fitInStaysWithTheJob()
{
    WindowFixture fixture;
    addJob(fixture, QStringLiteral("btnMP4"), {QStringLiteral("clip.avi")});
    CQuillmoraTestAccess access = fixture.access();
    auto open = [&](const std::function<void(CSettings &, QComboBox *)> &act) {
        access.answerSettingsDialog([&](CSettings &dialog) {
            act(dialog, list(dialog, "m_pCmbFitSize"));
            pressApply(dialog);
        });
        access.action(WindowAction::Setting)->trigger();
        return access.jobs().first().fitBytes;
    };
    auto type = [](QComboBox *box, const QString &text) {
        box->lineEdit()->setText(text);
        emit box->lineEdit()->editingFinished();
    };

    QCOMPARE(open([](CSettings &, QComboBox *box) {
                 QVERIFY(box->isEnabled());
                 QCOMPARE(box->currentText(), QStringLiteral("Off"));
                 choose(box, QStringLiteral("25 MB"));
             }),
             qint64(25'000'000));
    QCOMPARE(open([&](CSettings &, QComboBox *box) {
                 QCOMPARE(box->currentText(), QStringLiteral("25 MB"));
                 type(box, QStringLiteral("30MiB"));
                 QCOMPARE(box->currentText(), QStringLiteral("31.5 MB"));
             }),
             qint64(31'457'280));
    QCOMPARE(open([&](CSettings &dialog, QComboBox *box) {
                 QCOMPARE(box->currentText(), QStringLiteral("31.5 MB"));
                 type(box, QStringLiteral("a lot"));
                 QCOMPARE(box->currentText(), QStringLiteral("31.5 MB")); // refused: the size stays
                 QCOMPARE(dialog.editedJob().fitBytes, qint64(31'457'280));
             }),
             qint64(31'457'280));
    QCOMPARE(open([](CSettings &, QComboBox *box) {
                 choose(box->parentWidget()->findChild<QComboBox *>("m_pCmbVideoCodec"), QStringLiteral("MPEG4"));
                 QVERIFY(!box->isEnabled());
                 QCOMPARE(box->currentText(), QStringLiteral("Off"));
             }),
             qint64(0));
    QCOMPARE(open([](CSettings &dialog, QComboBox *box) {
                 choose(list(dialog, "m_pCmbFileFormat"), QStringLiteral("All media files -> WebM"));
                 QVERIFY(box->isEnabled());
                 choose(box, QStringLiteral("8 MB"));
                 choose(list(dialog, "m_pCmbFileFormat"), QStringLiteral("All media files -> MP3"));
                 QVERIFY(!box->isEnabled());
             }),
             qint64(0));
}

// The choice shows what the job has, and a picked one stays with the job:
// the dialog opened again shows it, and so does the next format chosen.
void TestOutputSettings::loudnessIsKeptWithTheJob()
{
    WindowFixture fixture;
    addJob(fixture, QStringLiteral("btnMP3"), {QStringLiteral("clip.avi")});
    CQuillmoraTestAccess access = fixture.access();
    access.answerSettingsDialog([&](CSettings &dialog) {
        QComboBox *loudness = list(dialog, "m_pCmbLoudness");
        QCOMPARE(loudness->count(), 4);
        QCOMPARE(loudness->currentText(), QStringLiteral("Off"));
        choose(loudness, QStringLiteral("-16 LUFS (podcasts and phones)"));
        choose(list(dialog, "m_pCmbFileFormat"), QStringLiteral("All media files -> Opus"));
        pressApply(dialog);
    });
    access.invoke("onSelectTableWidget", 0, 0);
    QCOMPARE(access.jobs().first().loudness, -16);
    QCOMPARE(access.jobs().first().formatId, int(FormatOpus));

    access.answerSettingsDialog([&](CSettings &dialog) {
        QCOMPARE(list(dialog, "m_pCmbLoudness")->currentText(), QStringLiteral("-16 LUFS (podcasts and phones)"));
        choose(list(dialog, "m_pCmbLoudness"), QStringLiteral("-23 LUFS (EBU R128 broadcast)"));
        dialog.findChild<QPushButton *>("m_pBtnCancel")->click();
    });
    access.invoke("onSelectTableWidget", 0, 0);
    QCOMPARE(access.jobs().first().loudness, -16);
}

void TestOutputSettings::whichJobsOpenTheDialog_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<int>("openings"); // after the Setting action and a double click
    QTest::newRow("video") << "btnMP4" << QStringList{"a.avi"} << 2;
    QTest::newRow("audio: double click only") << "btnMP3" << QStringList{"a.wav"} << 1;
    QTest::newRow("image") << "btnPNG" << QStringList{"a.jpg"} << 0;
    QTest::newRow("video joiner") << "btnVideoMerge" << QStringList{"a.avi", "b.avi"} << 0;
    QTest::newRow("audio joiner") << "btnAudioMerge" << QStringList{"a.wav", "b.wav"} << 0;
}

void TestOutputSettings::whichJobsOpenTheDialog()
{
    QFETCH(QString, button);
    QFETCH(QStringList, files);
    QFETCH(int, openings);
    WindowFixture fixture;
    addJob(fixture, button, files);
    CQuillmoraTestAccess access = fixture.access();
    int opened = 0;
    access.answerSettingsDialog([&](CSettings &) { ++opened; });
    access.action(WindowAction::Setting)->trigger(); // a disabled action does nothing
    fixture.clickRow(0, true);
    QCOMPARE(opened, openings);
}

void TestOutputSettings::refreshedRowState_data()
{
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("rowRefreshed");
    QTest::newRow("Failed") << int(Failed) << true;
    QTest::newRow("Stopped") << int(Stopped) << true;
    QTest::newRow("Converting: a double click during a run opens nothing") << int(Converting) << false;
}

void TestOutputSettings::refreshedRowState()
{
    QFETCH(int, state);
    QFETCH(bool, rowRefreshed);
    WindowFixture fixture;
    addJob(fixture, QStringLiteral("btnMP4"), {QStringLiteral("clip.avi")});
    CQuillmoraTestAccess access = fixture.access();
    if (state == Converting)
        access.startRun();
    access.invoke("insertProgressBar", 0);
    access.invoke("updateJobState", 0, state);
    const QString oldPath = access.jobs().first().outputPath;
    int opened = 0;
    access.answerSettingsDialog([&](CSettings &dialog) {
        ++opened;
        choose(list(dialog, "m_pCmbFileFormat"), QStringLiteral("All media files -> WMV"));
        pressApply(dialog);
    });
    fixture.clickRow(0, true);

    const ConvertJob job = access.jobs().first();
    if (rowRefreshed) {
        QCOMPARE(job.profile, profileTable()[9]);
        QCOMPARE(job.state, int(Ready));
        QCOMPARE(access.cell(0, 2), QStringLiteral("All media files -> WMV"));
        QVERIFY(!access.table()->progressBar(0));
        QCOMPARE(access.cell(0, 3), fixture.outputFolderPath() + "/clip.wmv");
        // What a crash leaves on disk a second later has the new format too.
        QTRY_COMPARE(access.keptJobs().value(0).formatId, 9);
    } else {
        QCOMPARE(opened, 0);
        QCOMPARE(job.profile, profileTable()[0]);
        QCOMPARE(job.state, state);
        QVERIFY(access.table()->progressBar(0));
        QCOMPARE(job.outputPath, oldPath);
        QCOMPARE(access.cell(0, 3), oldPath);
    }
}

void TestOutputSettings::newFolderOnlyInRefreshedRows()
{
    WindowFixture fixture;
    addJob(fixture, QStringLiteral("btnMP4"), {QStringLiteral("first.avi"), QStringLiteral("second.avi")});
    CQuillmoraTestAccess access = fixture.access();
    const QString firstPath = access.jobs().at(0).outputPath;
    const QString mainFolder = fixture.dir.path() + QStringLiteral("/main");
    QDir().mkpath(mainFolder);
    fixture.prompts.folderAnswers << mainFolder;
    access.invoke("setOutFolder");

    access.answerSettingsDialog(pressApply);
    access.setCurrentRow(1);
    access.action(WindowAction::Setting)->trigger();
    QCOMPARE(access.jobs().at(1).outputPath, mainFolder + QStringLiteral("/second.mp4"));
    QCOMPARE(access.jobs().at(0).outputPath, firstPath);
    QCOMPARE(access.cell(0, 3), firstPath);

    // A folder chosen in the dialog becomes the window's on Apply.
    const QString dialogFolder = fixture.dir.path() + QStringLiteral("/from dialog");
    fixture.prompts.folderAnswers << dialogFolder;
    access.answerSettingsDialog([](CSettings &dialog) {
        dialog.findChild<QPushButton *>("m_pBtnOutFolder")->click();
        pressApply(dialog);
    });
    access.setCurrentRow(0);
    access.action(WindowAction::Setting)->trigger();
    QCOMPARE(outputFolder(), dialogFolder);
    QCOMPARE(access.jobs().at(0).outputPath, dialogFolder + QStringLiteral("/first.mp4"));
    QCOMPARE(access.jobs().at(1).outputPath, mainFolder + QStringLiteral("/second.mp4"));
}

QTEST_MAIN(TestOutputSettings)
#include "tst_outputsettings.moc"
