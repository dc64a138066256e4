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
    void freshDialog();
    void lengthButtonsStopAtTheirBounds();
    void cancelAddsNothing();
    void unplayableFileIsRefusedWithoutHanging();
    void cancelledSecondChoiceKeepsTheLoadedFile();
    void startButtonsMoveThePreviewOnly();
    void appliedJobConvertsToTheChosenGif();

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

QString lengthText(QDialog &dialog)
{
    return part<QLabel>(dialog, "m_pGifLengthLabel")->text();
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
    QVERIFY(dir.isValid());
    testmedia::ClipSpec spec;
    spec.seconds = 6;
    spec.width = 320;
    spec.height = 240;
    clip = dir.filePath(QStringLiteral("clip.mp4"));
    QVERIFY(testmedia::makeClip(clip, spec));
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
    const OutputProfile profile = profileTable()[FormatGifMaker];
    const ConvertJob job = makeGifJob(FormatGifMaker, profile, {QStringLiteral("/v/a.mp4"), startMs, 0, 2});
    QCOMPARE(job.edit.trimStart, trimStart);
    QCOMPARE(job.edit.trimLength, 0);
    QCOMPARE(job.edit.gifSize, 2);
    QCOMPARE(job.inputFiles, QStringList{QStringLiteral("/v/a.mp4")});
    QVERIFY(job.profile == profile);
}

void TestGifMaker::freshDialog()
{
    CGIFMerge dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("GIF Maker"));
    QCOMPARE(dialog.size(), QSize(418, 315));
    QVERIFY(!part<QPushButton>(dialog, "m_pOkBtn")->isEnabled());
    QCOMPARE(lengthText(dialog), QStringLiteral("Current intercept 5 seconds"));
    QComboBox *sizes = part<QComboBox>(dialog, "m_pSelectSizeCombo");
    QCOMPARE(sizes->count(), 3);
    QCOMPARE(sizes->itemText(2), QStringLiteral("Large Image"));
    QCOMPARE(sizes->itemData(2).toInt(), 2);
    QCOMPARE(dialog.choice().sizeChoice, 0);
    QCOMPARE(dialog.choice().lengthSeconds, 5);
}

void TestGifMaker::lengthButtonsStopAtTheirBounds()
{
    CGIFMerge dialog;
    QPushButton *shorter = part<QPushButton>(dialog, "m_pETDecreaseBtn");
    QPushButton *longer = part<QPushButton>(dialog, "m_pETIncreaseBtn");
    for (int i = 0; i < 7; ++i)
        shorter->click();
    QCOMPARE(dialog.choice().lengthSeconds, 0);
    QCOMPARE(lengthText(dialog), QStringLiteral("Current intercept 0 seconds"));
    for (int i = 0; i < 12; ++i)
        longer->click();
    QCOMPARE(dialog.choice().lengthSeconds, 10);
    QCOMPARE(lengthText(dialog), QStringLiteral("Current intercept 10 seconds"));
    shorter->click();
    QCOMPARE(lengthText(dialog), QStringLiteral("Current intercept 9 seconds"));
}

void TestGifMaker::cancelAddsNothing()
{
    WindowFixture fixture;
    fixture.prompts.dialogDriver = [&](QDialog &dialog) {
        openThrough(static_cast<CGIFMerge &>(dialog), fixture.prompts, clip);
        part<QPushButton>(dialog, "m_pCancelBtn")->click();
        return dialog.result();
    };
    fixture.button("btnGIFMaker")->click();
    QCOMPARE(fixture.prompts.count("dialog"), 1);
    QVERIFY(fixture.access().jobs().isEmpty());
    QCOMPARE(fixture.access().table()->rowCount(), 0);
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
    QVERIFY(prompts.shown.last().detail.startsWith(QStringLiteral("All Media Files ( *.asf *.avi")));
}

void TestGifMaker::startButtonsMoveThePreviewOnly()
{
    ScriptedPrompts prompts;
    CGIFMerge dialog;
    openThrough(dialog, prompts, clip);
    VlcMediaPlayer *player = playerOf(dialog);
    auto *video = dialog.findChild<VlcWidgetVideo *>();
    QTRY_VERIFY(video->frameCount() > 0);
    const QImage paused = video->lastFrame();
    player->setTime(2000);
    QTRY_VERIFY(qAbs(player->time() - 2000) <= 50);
    // The paused preview shows the new position.
    QTRY_VERIFY(video->lastFrame() != paused);
    part<QPushButton>(dialog, "m_pSTIncreaseBtn")->click();
    QTRY_VERIFY(qAbs(player->time() - 2100) <= 50);
    part<QPushButton>(dialog, "m_pSTDecreaseBtn")->click();
    part<QPushButton>(dialog, "m_pSTDecreaseBtn")->click();
    QTRY_VERIFY(qAbs(player->time() - 1900) <= 50);
    QCOMPARE(dialog.choice().lengthSeconds, 5);
    QCOMPARE(dialog.choice().sizeChoice, 0);
    QCOMPARE(dialog.choice().startMs, 0);
}

void TestGifMaker::appliedJobConvertsToTheChosenGif()
{
    WindowFixture fixture;
    fixture.prompts.dialogDriver = [&](QDialog &dialog) {
        openThrough(static_cast<CGIFMerge &>(dialog), fixture.prompts, clip);
        VlcMediaPlayer *player = playerOf(dialog);
        player->setTime(1500);
        if (!QTest::qWaitFor([&] { return qAbs(player->time() - 1500) <= 50; }, 5000))
            return int(QDialog::Rejected);
        part<QSlider>(dialog, "m_pGifLengthSlider")->setValue(2);
        QComboBox *sizes = part<QComboBox>(dialog, "m_pSelectSizeCombo");
        sizes->setCurrentIndex(1);
        emit sizes->activated(1);
        part<QPushButton>(dialog, "m_pOkBtn")->click();
        return dialog.result();
    };
    fixture.button("btnGIFMaker")->click();
    const QList<ConvertJob> &jobs = fixture.access().jobs();
    QCOMPARE(jobs.size(), 1);
    const ConvertJob job = jobs.first();
    QCOMPARE(job.formatId, int(FormatGifMaker));
    QCOMPARE(job.inputPath, clip);
    QCOMPARE(job.edit.trimStart, 1);
    QCOMPARE(job.edit.trimLength, 2);
    QCOMPARE(job.edit.gifSize, 1);
    QVERIFY(job.outputPath.endsWith(QStringLiteral("/clip.gif")));
    QVERIFY(fixture.access().action(WindowAction::Convert)->isEnabled());

    QDir().mkpath(QFileInfo(job.outputPath).absolutePath());
    const conversion::Outcome outcome = conversion::convert(job, job.inputPath, job.outputPath);
    QVERIFY2(outcome.succeeded, qPrintable(outcome.errors));
    const testmedia::Probe probe = testmedia::probe(job.outputPath);
    QVERIFY(probe.ok);
    QCOMPARE(probe.formatName, QStringLiteral("gif"));
    const testmedia::Stream *video = probe.first(QStringLiteral("video"));
    QVERIFY(video);
    QCOMPARE(QSize(video->width, video->height), QSize(200, 150));
    QVERIFY2(qAbs(probe.duration - 2.0) < 0.25, qPrintable(QString::number(probe.duration)));
}

QTEST_MAIN(TestGifMaker)
#include "tst_gifmaker.moc"
