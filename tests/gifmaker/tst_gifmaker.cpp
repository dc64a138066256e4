// The GIF maker: the dialog on real media, the job the window makes of it,
// and that job converted by the real transcoder into a GIF.
#include "gifmaker/cgifmerge.h"
#include "tests/conversion/conversionrun.h"
#include "tests/mainwindow/windowfixture.h"
#include "tests/support/files.h"
#include "tests/support/media.h"
#include "vlc/vlcapi.h"

#include <QComboBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QPushButton>
#include <QSlider>
#include <QtTest>

class TestGifMaker : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void jobFromChoice_data();
    void jobFromChoice();
    void lengthButtonsStopAtTheirBounds();
    void unplayableFileIsRefusedWithoutHanging();
    void cancelledSecondChoiceKeepsTheLoadedFile();
    void cancelAddsNothingApplyConvertsFromTheStartChosen();

private:
    QTemporaryDir dir;
    QString clip;
};

namespace {

template <typename T>
T *part(QDialog &dialog, const char *name)
{
    T *widget = dialog.findChild<T *>(QLatin1String(name));
    if (!widget)
        qFatal("no %s in the GIF maker", name);
    return widget;
}

VlcMediaPlayer *playerOf(QDialog &dialog)
{
    return dialog.findChild<VlcMediaPlayer *>();
}

// Opens a file through the dialog's "Open" button, the file dialog answered.
void openThrough(CGIFMerge &dialog, ScriptedPrompts &prompts, const QString &path)
{
    prompts.fileAnswers.append({path});
    part<QPushButton>(dialog, "m_pBrowserBtn")->click();
}

} // namespace

void TestGifMaker::initTestCase()
{
    QVERIFY(testmedia::makeMediaSet(dir.path(), {"bars.mp4"}));
    clip = dir.filePath(QStringLiteral("bars.mp4"));
}

void TestGifMaker::jobFromChoice_data()
{
    QTest::addColumn<int>("startMs");
    QTest::addColumn<int>("trimStart");
    QTest::newRow("12,999 ms") << 12999 << 12;
    QTest::newRow("under a second") << 999 << 0;
    QTest::newRow("no position") << -1 << 0;
}

void TestGifMaker::jobFromChoice()
{
    QFETCH(int, startMs);
    QFETCH(int, trimStart);
    const ConvertJob job = makeGifJob(FormatGifMaker, profileTable()[FormatGifMaker], {QStringLiteral("/v/a.mp4"), startMs, 0, 2});
    QCOMPARE(job.edit.trimStart, trimStart);
}

void TestGifMaker::lengthButtonsStopAtTheirBounds()
{
    CGIFMerge dialog;
    QCOMPARE(dialog.choice().sizeChoice, 0);
    QCOMPARE(dialog.choice().lengthSeconds, 5);
    QVERIFY(!part<QPushButton>(dialog, "m_pOkBtn")->isEnabled());
    QPushButton *shorter = part<QPushButton>(dialog, "m_pETDecreaseBtn");
    QPushButton *longer = part<QPushButton>(dialog, "m_pETIncreaseBtn");
    for (int i = 0; i < 7; ++i)
        shorter->click();
    QCOMPARE(dialog.choice().lengthSeconds, 0);
    for (int i = 0; i < 12; ++i)
        longer->click();
    QCOMPARE(dialog.choice().lengthSeconds, 10);
    QCOMPARE(part<QLabel>(dialog, "m_pGifLengthLabel")->text(), QStringLiteral("Current intercept 10 seconds"));
}

void TestGifMaker::unplayableFileIsRefusedWithoutHanging()
{
    const QString broken = dir.filePath(QStringLiteral("broken.mp4"));
    QVERIFY(testsupport::writeFile(broken, QByteArray(4096, 'x')));
    ScriptedPrompts prompts;
    CGIFMerge dialog;
    QElapsedTimer took;
    took.start();
    openThrough(dialog, prompts, broken);
    QVERIFY(took.elapsed() < CGIFMerge::PlayWaitMs + 2000);
    QCOMPARE(prompts.count("warning"), 1);
    QVERIFY(prompts.shown.last().text.contains(broken));
    QVERIFY(!part<QPushButton>(dialog, "m_pOkBtn")->isEnabled());
    QVERIFY(dialog.choice().path.isEmpty());
}

void TestGifMaker::cancelledSecondChoiceKeepsTheLoadedFile()
{
    ScriptedPrompts prompts;
    CGIFMerge dialog;
    openThrough(dialog, prompts, clip);
    QCOMPARE(prompts.count("warning"), 0);
    QTRY_COMPARE(playerOf(dialog)->state(), Vlc::Paused);
    QVERIFY(part<QPushButton>(dialog, "m_pOkBtn")->isEnabled());
    openThrough(dialog, prompts, QString());
    QCOMPARE(prompts.count("openFile"), 2);
    QCOMPARE(dialog.choice().path, clip);
    QVERIFY(part<QPushButton>(dialog, "m_pOkBtn")->isEnabled());
}

void TestGifMaker::cancelAddsNothingApplyConvertsFromTheStartChosen()
{
    WindowFixture fixture;
    bool ok = false;
    fixture.prompts.dialogDriver = [&](QDialog &dialog) {
        auto &gifMaker = static_cast<CGIFMerge &>(dialog);
        openThrough(gifMaker, fixture.prompts, clip);
        // Twenty clicks at a user's pace, each 100 ms on from the start last
        // chosen: a paused player's own time is no record of it.
        QPushButton *later = part<QPushButton>(dialog, "m_pSTIncreaseBtn");
        for (int click = 0; click < 20; ++click) {
            later->click();
            QTest::qWait(150);
        }
        part<QSlider>(dialog, "m_pGifLengthSlider")->setValue(2);
        QComboBox *sizes = part<QComboBox>(dialog, "m_pSelectSizeCombo");
        sizes->setCurrentIndex(1);
        emit sizes->activated(1);
        part<QPushButton>(dialog, ok ? "m_pOkBtn" : "m_pCancelBtn")->click();
        return dialog.result();
    };
    fixture.button("btnGIFMaker")->click();
    QVERIFY(fixture.access().jobs().isEmpty());
    ok = true;
    fixture.button("btnGIFMaker")->click();
    const QList<ConvertJob> &jobs = fixture.access().jobs();
    QCOMPARE(jobs.size(), 1);
    const ConvertJob job = jobs.first();
    QCOMPARE(job.inputPath, clip);
    QCOMPARE(job.edit.trimStart, 2);

    QDir().mkpath(QFileInfo(job.outputPath).absolutePath());
    const conversion::Outcome outcome = conversion::convert(job, job.inputPath, job.outputPath);
    QVERIFY2(outcome.succeeded, qPrintable(outcome.errors));
    const testmedia::Probe probe = testmedia::probe(job.outputPath);
    QCOMPARE(probe.formatName, QStringLiteral("gif"));
    const testmedia::Stream *video = probe.first(QStringLiteral("video"));
    QVERIFY(video);
    QCOMPARE(QSize(video->width, video->height), QSize(200, 150));
    QVERIFY2(qAbs(probe.duration - 2.0) < 0.25, qPrintable(QString::number(probe.duration)));
}

QTEST_MAIN(TestGifMaker)
#include "tst_gifmaker.moc"
