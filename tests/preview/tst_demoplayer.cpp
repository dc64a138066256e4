// The preview dialog on real libVLC and clips made by ffmpeg: what the
// preview shows for each tab, and what Apply, OK and CANCEL hand back.

#include "tests/mainwindow/windowfixture.h"
#include "tests/preview/demoplayeraccess.h"
#include "tests/support/media.h"
#include "tests/vlc/vlcsession.h"

#include <QElapsedTimer>
#include <QtTest>

using namespace framecheck;

namespace {

// How far the colours are from grey, 0 for a grey picture.
double meanChroma(const QImage &frame)
{
    double sum = 0;
    for (int y = 0; y < frame.height(); ++y)
        for (int x = 0; x < frame.width(); ++x) {
            const QRgb p = frame.pixel(x, y);
            sum += std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)});
        }
    return sum / (double(frame.width()) * frame.height());
}

const QRgb magenta = qRgb(255, 0, 255), yellow = qRgb(255, 255, 0), white = qRgb(255, 255, 255);

} // namespace

class TestDemoPlayer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void previewFollowsTheEffectSliders();
    void watermarkAndSubtitleAppearWhereChosen();
    void steppingStopsAtTheEndsAndReloadsStoredValues();
    void trimCaptureAndApplyRules();
    void applyButtonsFollowTheDifferences();
    void okHandsBackAppliedEditsCancelNothing();
    void jobsThatCannotBeEditedLeaveTheTabsDisabled();
    void rotationTaggedClipPlaysUpright();

private:
    QString media(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
};

void TestDemoPlayer::initTestCase()
{
    QVERIFY(testmedia::makeMediaSet(dir.path(), {"bars.mp4", "black.mp4", "phone.mp4", "logo.png", "lines.srt"}));
}

void TestDemoPlayer::previewFollowsTheEffectSliders()
{
    DemoPlayer dialog;
    dialog.setJobs({previewJob(media("bars.mp4"))}, 0);
    DemoPlayerTestAccess access(dialog);
    const QImage plain = access.frameAfter();
    QVERIFY(!plain.isNull());

    access.ui().m_pBrightnessControlBar->setValue(-60);
    const QImage darker = access.frameAfter();
    access.ui().m_pBrightnessControlBar->setValue(60);
    const QImage brighter = access.frameAfter();
    QVERIFY2(meanLevel(darker) < meanLevel(plain) - 30, qPrintable(QString::number(meanLevel(darker))));
    QVERIFY2(meanLevel(brighter) > meanLevel(plain) + 30, qPrintable(QString::number(meanLevel(brighter))));

    access.ui().m_pBrightnessControlBar->setValue(0);
    access.ui().m_pSaturationControlBar->setValue(-100);
    const QImage grey = access.frameAfter();
    QVERIFY(meanChroma(plain) > 60);
    QVERIFY2(meanChroma(grey) < 12, qPrintable(QString::number(meanChroma(grey))));
}

void TestDemoPlayer::watermarkAndSubtitleAppearWhereChosen()
{
    DemoPlayer dialog;
    dialog.setJobs({previewJob(media("black.mp4"))}, 0);
    DemoPlayerTestAccess access(dialog);
    Ui_DemoPlayer &ui = access.ui();

    prompts.fileAnswers = {{media("logo.png")}, {media("lines.srt")}};
    ui.m_pXImagePositionText->setText(QStringLiteral("200"));
    ui.m_pYImagePositionText->setText(QStringLiteral("30"));
    emit ui.m_pYImagePositionText->editingFinished();
    ui.m_pImagePathButton->click();
    ui.m_pWMFontColorCombo->setCurrentIndex(ui.m_pWMFontColorCombo->findData(11)); // Yellow
    ui.m_pWMFontSizeCombo->setCurrentIndex(ui.m_pWMFontSizeCombo->findData(14));   // "24"
    ui.m_pXTextPositionText->setText(QStringLiteral("20"));
    ui.m_pYTextPositionText->setText(QStringLiteral("100"));
    emit ui.m_pYTextPositionText->editingFinished();
    ui.m_pTextPathText->setText(QStringLiteral("MARK"));
    ui.m_pSubtitlePathButton->click();

    QImage frame;
    QVERIFY2(QTest::qWaitFor([&] {
        frame = access.frameAfter(3);
        return countNear(frame, QRect(200, 30, 32, 32), magenta, 75) > 900
               && countNear(frame, QRect(20, 100, 120, 40), yellow, 80) > 80
               && countNear(frame, QRect(0, 160, 320, 80), white, 75) > 80;
    }, 8000), "no logo at 200, 30, yellow text at 20, 100 or subtitle at the bottom");
    QCOMPARE(countNear(frame, QRect(0, 0, 190, 100), magenta, 75), 0);
    QCOMPARE(countNear(frame, QRect(0, 0, 320, 95), yellow, 80), 0);

    ui.m_WatermarkApplyButton->click();
    ui.m_pSubtitleApplyButton->click();
    const EditOptions edit = dialog.jobList().at(0).edit;
    QCOMPARE(edit.watermark.imagePath, media("logo.png")); // as chosen
    QCOMPARE(edit.subtitlePath, media("lines.srt"));
}

void TestDemoPlayer::steppingStopsAtTheEndsAndReloadsStoredValues()
{
    ConvertJob first = previewJob(media("bars.mp4"));
    first.edit.trimStart = 1000;
    first.edit.trimLength = 2500;
    first.edit.watermark.textX = 40;
    DemoPlayer dialog;
    dialog.setJobs({first, previewJob(media("black.mp4"))}, 0);
    DemoPlayerTestAccess access(dialog);
    Ui_DemoPlayer &ui = access.ui();
    QCOMPARE(ui.m_pEndTimeText->text(), QStringLiteral("00:00:03:500"));
    QCOMPARE(ui.m_pXTextPositionText->text(), QStringLiteral("40"));

    ui.m_pBeforeButton->click();
    QCOMPARE(ui.m_pStartTimeText->text(), QStringLiteral("00:00:01:000"));

    ui.m_pXTextPositionText->setText(QStringLiteral("77")); // pending, never applied
    emit ui.m_pXTextPositionText->editingFinished();
    ui.m_pNextButton->click();
    QCOMPARE(ui.m_pStartTimeText->text(), QStringLiteral("00:00:00:000"));
    QCOMPARE(ui.m_pXTextPositionText->text(), QStringLiteral("10"));
    ui.m_pNextButton->click();
    ui.m_pCWButton->click();
    ui.m_pEffectApplyButton->click(); // lands on the last job
    ui.m_pBeforeButton->click();
    QCOMPARE(ui.m_pXTextPositionText->text(), QStringLiteral("40"));
    QCOMPARE(dialog.jobList().at(0).edit.rotation, 0);
    QCOMPARE(dialog.jobList().at(0).edit.watermark.textX, 40);
    QCOMPARE(dialog.jobList().at(1).edit.rotation, 1);
}

void TestDemoPlayer::trimCaptureAndApplyRules()
{
    DemoPlayer dialog;
    dialog.setJobs({previewJob(media("bars.mp4"))}, 0);
    DemoPlayerTestAccess access(dialog);
    Ui_DemoPlayer &ui = access.ui();
    auto job = [&] { return dialog.jobList().at(0).edit; };
    prompts.shown.clear();

    // Both times 0 is the whole file: accepted.
    ui.m_pCWButton->click();
    ui.m_pEffectApplyButton->click();
    QCOMPARE(prompts.count("warning"), 0);
    QCOMPARE(job().rotation, 1);

    QVERIFY(access.pauseAt(2000));
    ui.m_pStartTimeButton->click();
    QVERIFY(ui.m_pStartTimeText->text() != QStringLiteral("00:00:00:000"));
    ui.m_pEndTimeButton->click(); // the same position as the start: refused
    QCOMPARE(prompts.count("warning"), 1);
    QCOMPARE(prompts.shown.last().text, QStringLiteral("Please select correct end time!"));
    QCOMPARE(ui.m_pEndTimeText->text(), QStringLiteral("00:00:00:000"));

    QVERIFY(access.pauseAt(3000));
    ui.m_pEndTimeButton->click();
    QVERIFY(access.pauseAt(4000));
    ui.m_pStartTimeButton->click(); // after the end: the capture takes it ...
    QCOMPARE(prompts.count("warning"), 1);
    ui.m_pEffectApplyButton->click(); // ... Apply does not
    QCOMPARE(prompts.count("warning"), 2);
    QCOMPARE(prompts.shown.last().text, QStringLiteral("Please select correct start time!"));
    QCOMPARE(job().trimStart, 0);
}

void TestDemoPlayer::applyButtonsFollowTheDifferences()
{
    DemoPlayer dialog;
    dialog.setJobs({previewJob(media("black.mp4"))}, 0);
    DemoPlayerTestAccess access(dialog);
    Ui_DemoPlayer &ui = access.ui();
    auto setTextX = [&](const char *x) {
        ui.m_pXTextPositionText->setText(QString::fromLatin1(x));
        emit ui.m_pXTextPositionText->editingFinished();
    };

    // Effect: a slider away and back; a flip twice still counts.
    ui.m_pBrightnessControlBar->setValue(30);
    QVERIFY(ui.m_pEffectApplyButton->isEnabled());
    ui.m_pBrightnessControlBar->setValue(0);
    QVERIFY(!ui.m_pEffectApplyButton->isEnabled());
    ui.m_pVFlipButton->click();
    ui.m_pVFlipButton->click();
    QVERIFY(ui.m_pEffectApplyButton->isEnabled());

    // Watermark: X away and back; the font alone; Apply settles it.
    setTextX("20");
    QVERIFY(ui.m_WatermarkApplyButton->isEnabled());
    setTextX("10");
    QVERIFY(!ui.m_WatermarkApplyButton->isEnabled());
    ui.m_pWMFontCombo->setCurrentIndex(ui.m_pWMFontCombo->currentIndex() == 0 ? 1 : 0);
    QVERIFY(ui.m_WatermarkApplyButton->isEnabled());
    setTextX("20");
    ui.m_WatermarkApplyButton->click();
    QCOMPARE(dialog.jobList().at(0).edit.watermark.textX, 20);
    emit ui.m_pYTextPositionText->editingFinished();
    QVERIFY(!ui.m_WatermarkApplyButton->isEnabled());

    // Subtitle: the code page enables, back disables; the font alone does not.
    ui.m_pCodePageCombo->setCurrentIndex(ui.m_pCodePageCombo->findData(2));
    QVERIFY(ui.m_pSubtitleApplyButton->isEnabled());
    ui.m_pCodePageCombo->setCurrentIndex(ui.m_pCodePageCombo->findData(0));
    QVERIFY(!ui.m_pSubtitleApplyButton->isEnabled());
    ui.fontComboBox->setCurrentIndex(ui.fontComboBox->currentIndex() == 0 ? 1 : 0);
    QVERIFY(!ui.m_pSubtitleApplyButton->isEnabled());
}

void TestDemoPlayer::okHandsBackAppliedEditsCancelNothing()
{
    WindowFixture fixture;
    QVERIFY(QFile::copy(media("black.mp4"), fixture.inputFolder() + "/clip.mp4"));
    fixture.chooseFiles("btnMP4", {fixture.inputFolder() + "/clip.mp4"});
    CQuillmoraTestAccess window = fixture.access();
    window.setCurrentRow(0);
    const ConvertJob original = window.jobs().at(0);

    // Applies a text and a trim from 1 s to 3 s, leaves a subtitle pending,
    // and ends with the button given, as the dialog runs through the prompt
    // seam (Edit opens the job first).
    auto editWith = [&](const char *endButton) {
        bool shown = false;
        fixture.prompts.dialogDriver = [&](QDialog &dialog) {
            shown = true;
            dialog.show();
            DemoPlayerTestAccess access(static_cast<DemoPlayer &>(dialog));
            access.ui().m_pTextPathText->setText(QStringLiteral("Applied"));
            access.ui().m_WatermarkApplyButton->click();
            if (!access.pauseAt(1000))
                return int(QDialog::Rejected);
            access.ui().m_pStartTimeButton->click();
            if (!access.pauseAt(3000))
                return int(QDialog::Rejected);
            access.ui().m_pEndTimeButton->click();
            access.ui().m_pEffectApplyButton->click();
            fixture.prompts.fileAnswers = {{media("lines.srt")}};
            access.ui().m_pSubtitlePathButton->click();
            dialog.findChild<QPushButton *>(endButton)->click();
            return dialog.result();
        };
        window.invoke("onEdit");
        QVERIFY(shown);
    };

    editWith("m_pCancelButton");
    QCOMPARE(window.jobs().at(0).edit.watermark.text, original.edit.watermark.text);

    editWith("m_pOKButton");
    const ConvertJob edited = window.jobs().at(0);
    QCOMPARE(edited.edit.watermark.text, QStringLiteral("Applied"));
    QVERIFY2(qAbs(edited.edit.trimStart - 1000) < 100, qPrintable(QString::number(edited.edit.trimStart)));
    QVERIFY(edited.edit.subtitlePath.isEmpty());
    QCOMPARE(edited.outputPath, original.outputPath);
    // What a crash leaves on disk a second later is the trimmed job.
    QTRY_COMPARE(window.keptJobs().value(0).edit.trimStart, edited.edit.trimStart);
    QCOMPARE(window.keptJobs().value(0).edit.trimLength, edited.edit.trimLength);
}

void TestDemoPlayer::jobsThatCannotBeEditedLeaveTheTabsDisabled()
{
    QFile broken(media("broken.mp4"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(4096, 'x'));
    broken.close();

    ConvertJob gif = previewJob(media("bars.mp4"));
    gif.profile.category = GifMerge;
    gif.edit.trimStart = 2;
    gif.edit.trimLength = 3;
    ConvertJob join = previewJob(QString());
    join.inputFiles = {media("bars.mp4"), media("black.mp4")};

    prompts.shown.clear();
    QElapsedTimer opening;
    opening.start();
    DemoPlayer dialog;
    dialog.setJobs({previewJob(media("broken.mp4")), gif, join, previewJob(media("black.mp4"))}, 0);
    QVERIFY(opening.elapsed() < DemoPlayer::playbackWaitMs + 1500);
    DemoPlayerTestAccess access(dialog);
    Ui_DemoPlayer &ui = access.ui();
    QCOMPARE(prompts.count("warning"), 1);
    QVERIFY(!ui.m_pPlayButton->isEnabled() && !ui.tab_3->isEnabled());

    ui.m_pNextButton->click(); // the GIF maker job: shown, its seconds as times, not editable
    QVERIFY(ui.m_pPlayButton->isEnabled());
    QCOMPARE(ui.m_pEndTimeText->text(), QStringLiteral("00:00:05:000"));
    QVERIFY(!ui.tab_3->isEnabled() && !ui.m_pStartTimeButton->isEnabled());

    ui.m_pNextButton->click(); // the joiner job: nothing to open
    QVERIFY(!ui.m_pPlayButton->isEnabled() && !ui.tab_4->isEnabled());

    ui.m_pNextButton->click();
    QVERIFY(ui.m_pPlayButton->isEnabled() && ui.tab_3->isEnabled() && ui.tab_5->isEnabled());
    QCOMPARE(prompts.count("warning"), 1);
}

void TestDemoPlayer::rotationTaggedClipPlaysUpright()
{
    DemoPlayer dialog;
    dialog.setJobs({previewJob(media("phone.mp4"))}, 0);
    DemoPlayerTestAccess access(dialog);
    const QImage frame = access.frameAfter();
    const int w = frame.width(), h = frame.height();
    QVERIFY2(h > w, qPrintable(QStringLiteral("%1x%2").arg(w).arg(h)));
    QVERIFY2(countNear(frame, QRect(0, 0, w / 3, h / 5), white, 75) > w * h / 30, "the white block is not top left");
    QCOMPARE(countNear(frame, QRect(w / 2, 0, w / 2, h), white, 75), 0);
    QCOMPARE(countNear(frame, QRect(0, h / 2, w, h / 2), white, 75), 0);
}

QTEST_MAIN(TestDemoPlayer)
#include "tst_demoplayer.moc"
