#include "tests/mainwindow/windowfixture.h"

#include <QtTest>

class TestFormatSelection : public QObject
{
    Q_OBJECT

private slots:
    void everyButton_data();
    void everyButton();
    void asfHasASlotButNoButton();
    void presetDoesNotStayInTable();
    void appleCancelledThenVideoDrop();
    void selectionDuringRunIsIgnored();
    void newChoiceLeavesJobsAlone();
};

namespace {

// The Apple and Android presets' nine option fields, vCodec to aBitrate.
OutputProfile withPreset(int formatId)
{
    OutputProfile profile = profileTable()[formatId];
    const int options[] = {0, 6, 7, 6, 5, 0, 1, 1, 5};
    for (int i = 0; i < 9; ++i)
        profile.setField(2 + i, options[i]);
    return profile;
}

} // namespace

void TestFormatSelection::everyButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("formatId");
    QTest::addColumn<int>("category");
    QTest::addColumn<bool>("preset");
    const struct {
        const char *button;
        int formatId;
        int category;
        bool preset;
    } rows[] = {
        {"btnMP4", 0, 0, false},        {"btnFLV", 1, 0, false},        {"btnAVI", 2, 0, false},
        {"btnDV", 4, 0, false},         {"btnMKV", 5, 0, false},        {"btnMOV", 6, 0, false},
        {"btnMPEG", 7, 0, false},       {"btnVOB", 8, 0, false},        {"btnWMV", 9, 0, false},
        {"btnRM", 10, 0, false},        {"btnApple", 6, 0, true},       {"btnAndroid", 0, 0, true},
        {"btnMP3", 11, 1, false},       {"btnAAC", 12, 1, false},       {"btnAC3", 13, 1, false},
        {"btnMP2", 14, 1, false},       {"btnWMA", 15, 1, false},       {"btnAIFF", 16, 1, false},
        {"btnAU", 17, 1, false},        {"btnM4A", 18, 1, false},       {"btnOGG", 19, 1, false},
        {"btnFLAC", 21, 1, false},      {"btnJPEG", 22, 3, false},      {"btnPNG", 23, 3, false},
        {"btnBMP", 24, 3, false},       {"btnGIF", 25, 3, false},       {"btnPCX", 26, 3, false},
        {"btnTGA", 27, 3, false},       {"btnICON", 28, 3, false},      {"btnTIFF", 29, 3, false},
        {"btnVideoMerge", 30, 4, false}, {"btnAudioMerge", 31, 5, false}, {"btnGIFMaker", 32, 6, false},
        {"btnWebM", 33, 0, false},      {"btnHEVC", 34, 0, false},      {"btnAV1", 35, 0, false},
        {"btnOpus", 36, 1, false},      {"btnWebP", 37, 3, false},      {"btnAVIF", 38, 3, false},
    };
    for (const auto &row : rows)
        QTest::newRow(row.button) << row.button << row.formatId << row.category << row.preset;
}

void TestFormatSelection::everyButton()
{
    QFETCH(QString, button);
    QFETCH(int, formatId);
    QFETCH(int, category);
    QFETCH(bool, preset);
    WindowFixture fixture;
    QCOMPARE(fixture.access().formatButtons().size(), size_t(39));
    fixture.chooseFiles(button, {});
    CQuillmoraTestAccess access = fixture.access();
    QCOMPARE(access.currentFormatId(), formatId);
    QCOMPARE(access.currentCategory(), category);
    QVERIFY(access.currentProfile() == (preset ? withPreset(formatId) : profileTable()[formatId]));
    // Every choice asks for files at once, except the GIF maker, which has its own dialog.
    QCOMPARE(fixture.prompts.count("openFiles"), category == GifMerge ? 0 : 1);
}

void TestFormatSelection::asfHasASlotButNoButton()
{
    WindowFixture fixture;
    QVERIFY(!fixture.button("btnASF"));
    fixture.access().invoke("onSelectASF");
    QCOMPARE(fixture.access().currentFormatId(), 3);
    QVERIFY(fixture.access().currentProfile() == profileTable()[3]);
}

void TestFormatSelection::presetDoesNotStayInTable()
{
    WindowFixture fixture;
    const OutputProfile movRow = profileTable()[6];
    fixture.chooseFiles("btnMP4", {});
    fixture.chooseFiles("btnApple", {});
    QVERIFY(fixture.access().currentProfile() == withPreset(6));
    fixture.chooseFiles("btnMOV", {});
    QVERIFY(fixture.access().currentProfile() == movRow);
    QVERIFY(profileTable()[6] == movRow);
}

void TestFormatSelection::appleCancelledThenVideoDrop()
{
    WindowFixture fixture;
    fixture.chooseFiles("btnApple", {});
    QCOMPARE(fixture.access().currentFormatId(), 6);
    QVERIFY(fixture.access().currentProfile() == withPreset(6));

    fixture.drop({fixture.makeFile("clip.mov")});
    QCOMPARE(fixture.access().currentFormatId(), 0);
    QVERIFY(fixture.access().currentProfile() == profileTable()[0]);
    QVERIFY(fixture.access().jobs().at(0).profile == profileTable()[0]);
}

void TestFormatSelection::selectionDuringRunIsIgnored()
{
    WindowFixture fixture;
    fixture.chooseFiles("btnMP3", {});
    fixture.access().startRun();
    fixture.access().invoke("onSelectMP4");
    fixture.access().invoke("onSelectAppleVideo");
    fixture.access().invoke("onSelectGifMerge");
    QCOMPARE(fixture.access().currentFormatId(), 11);
    QVERIFY(fixture.access().currentProfile() == profileTable()[11]);
    QCOMPARE(fixture.prompts.count("openFiles"), 1);
}

void TestFormatSelection::newChoiceLeavesJobsAlone()
{
    WindowFixture fixture;
    fixture.chooseFiles("btnAndroid", {fixture.makeFile("a.avi")});
    fixture.chooseFiles("btnMP3", {fixture.makeFile("b.wav")});
    const QList<ConvertJob> &jobs = fixture.access().jobs();
    QCOMPARE(jobs.size(), 2);
    QCOMPARE(jobs[0].formatId, 0);
    QVERIFY(jobs[0].profile == withPreset(0));
    QCOMPARE(jobs[1].formatId, 11);
    QVERIFY(jobs[1].profile == profileTable()[11]);
}

QTEST_MAIN(TestFormatSelection)
#include "tst_formatselection.moc"
