// The preview dialog on real libVLC and clips made by ffmpeg: what the
// preview shows for each tab, and what Apply, OK and CANCEL hand back.

#include "app/outputprofile.h"
#include "tests/mainwindow/windowfixture.h"
#include "tests/preview/demoplayeraccess.h"
#include "tests/support/media.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPainter>
#include <QTimer>
#include <QtTest>

#include <functional>

namespace {

using PixelTest = std::function<bool(QRgb)>;

int countPixels(const QImage &frame, const QRect &area, const PixelTest &test)
{
    int count = 0;
    const QRect inside = area & frame.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += test(frame.pixel(x, y));
    return count;
}

double meanOf(const QImage &frame, const std::function<int(QRgb)> &value)
{
    double sum = 0;
    for (int y = 0; y < frame.height(); y += 2)
        for (int x = 0; x < frame.width(); x += 2)
            sum += value(frame.pixel(x, y));
    return sum / ((frame.height() + 1) / 2 * ((frame.width() + 1) / 2));
}

double meanLuma(const QImage &frame)
{
    return meanOf(frame, [](QRgb p) { return qGray(p); });
}

// How far the colours are from grey, 0 for a grey picture.
double meanChroma(const QImage &frame)
{
    return meanOf(frame, [](QRgb p) {
        return std::max({qRed(p), qGreen(p), qBlue(p)}) - std::min({qRed(p), qGreen(p), qBlue(p)});
    });
}

bool isMagenta(QRgb p) { return qRed(p) > 180 && qGreen(p) < 80 && qBlue(p) > 180; }
bool isYellow(QRgb p) { return qRed(p) > 180 && qGreen(p) > 180 && qBlue(p) < 90; }
bool isWhite(QRgb p) { return qRed(p) > 180 && qGreen(p) > 180 && qBlue(p) > 180; }

ConvertJob videoJob(const QString &path)
{
    ConvertJob job = makeJob(FormatMP4, defaultProfile(FormatMP4));
    job.inputPath = path;
    job.inputFiles = {path};
    return job;
}

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
    QVERIFY(dir.isValid());
    testmedia::ClipSpec bars;
    bars.seconds = 8;
    bars.width = 320;
    bars.height = 240;
    bars.frameRate = 25;
    bars.sampleRate = 0;
    bars.videoSource = QStringLiteral("smptebars");
    QVERIFY(testmedia::makeClip(media("bars.mp4"), bars));
    testmedia::ClipSpec black = bars;
    black.videoSource = QStringLiteral("color");
    QVERIFY(testmedia::makeClip(media("black.mp4"), black));
    // A phone clip: stored 320x180 with a rotation tag of 90 degrees. The white
    // block lies in the top left corner of the upright picture.
    QVERIFY(testmedia::runFfmpeg({"-f", "lavfi", "-i",
                                  "color=black:size=180x320:rate=25:duration=8,drawbox=x=0:y=0:w=60:h=60:color=white:t=fill,transpose=1",
                                  "-pix_fmt", "yuv420p", media("stored.mp4")}));
    QVERIFY(testmedia::runFfmpeg({"-i", media("stored.mp4"), "-c", "copy", "-metadata:s:v", "rotate=90",
                                  media("phone.mp4")}));

    QImage logo(32, 32, QImage::Format_ARGB32);
    logo.fill(QColor(255, 0, 255));
    QVERIFY(logo.save(media("logo.png")));
    QFile subtitles(media("lines.srt"));
    QVERIFY(subtitles.open(QIODevice::WriteOnly));
    subtitles.write("1\n00:00:00,000 --> 00:10:00,000\nHELLO SUBTITLE\n");
}

void TestDemoPlayer::previewFollowsTheEffectSliders()
{
    DemoPlayer dialog;
    dialog.setJobs({videoJob(media("bars.mp4"))}, 0);
    DemoPlayerTestAccess access(dialog);
    const QImage plain = access.frameAfter();
    QVERIFY(!plain.isNull());

    access.ui().m_pBrightnessControlBar->setValue(-60);
    QCOMPARE(access.ui().m_pBrightnessLabel->text(), QStringLiteral("-60"));
    const QImage darker = access.frameAfter();
    access.ui().m_pBrightnessControlBar->setValue(60);
    const QImage brighter = access.frameAfter();
    QVERIFY2(meanLuma(darker) < meanLuma(plain) - 30, qPrintable(QString::number(meanLuma(darker))));
    QVERIFY2(meanLuma(brighter) > meanLuma(plain) + 30, qPrintable(QString::number(meanLuma(brighter))));

    access.ui().m_pBrightnessControlBar->setValue(0);
    access.ui().m_pSaturationControlBar->setValue(-100);
    const QImage grey = access.frameAfter();
    QVERIFY(meanChroma(plain) > 60);
    QVERIFY2(meanChroma(grey) < 12, qPrintable(QString::number(meanChroma(grey))));
}

void TestDemoPlayer::watermarkAndSubtitleAppearWhereChosen()
{
    DemoPlayer dialog;
    dialog.setJobs({videoJob(media("black.mp4"))}, 0);
    DemoPlayerTestAccess access(dialog);
    Ui_DemoPlayer &ui = access.ui();

    prompts.fileAnswers = {{media("logo.png")}, {media("lines.srt")}};
    ui.m_pXImagePositionText->setText(QStringLiteral("200"));
    ui.m_pYImagePositionText->setText(QStringLiteral("30"));
    emit ui.m_pYImagePositionText->editingFinished();
    ui.m_pImagePathButton->click();
    QCOMPARE(ui.m_pImagePathText->text(), media("logo.png")); // as chosen
    QCOMPARE(prompts.shown.last().detail, QStringLiteral("All Image Files ( *.png *.jpg *.ico *.tif *.pcx *.tga )"));

    ui.m_pWMFontColorCombo->setCurrentIndex(ui.m_pWMFontColorCombo->findData(11)); // Yellow
    ui.m_pWMFontSizeCombo->setCurrentIndex(ui.m_pWMFontSizeCombo->findData(14));   // "24"
    ui.m_pXTextPositionText->setText(QStringLiteral("20"));
    ui.m_pYTextPositionText->setText(QStringLiteral("100"));
    emit ui.m_pYTextPositionText->editingFinished();
    ui.m_pTextPathText->setText(QStringLiteral("MARK"));

    ui.m_pSubtitlePathButton->click();
    QCOMPARE(ui.m_pSubtitlePathTextBox->text(), media("lines.srt"));

    QImage frame;
    const bool allShown = QTest::qWaitFor([&] {
        frame = access.frameAfter(3);
        return countPixels(frame, QRect(200, 30, 32, 32), isMagenta) > 900
               && countPixels(frame, QRect(20, 100, 120, 40), isYellow) > 80
               && countPixels(frame, QRect(0, 160, 320, 80), isWhite) > 80;
    }, 8000);
    if (!allShown)
        qWarning("not everything was shown within 8 s");
    QVERIFY(!frame.isNull());
    QVERIFY2(countPixels(frame, QRect(200, 30, 32, 32), isMagenta) > 900, "no logo at 200, 30");
    QCOMPARE(countPixels(frame, QRect(0, 0, 190, 100), isMagenta), 0);
    QVERIFY2(countPixels(frame, QRect(20, 100, 120, 40), isYellow) > 80, "no yellow text at 20, 100");
    QCOMPARE(countPixels(frame, QRect(0, 0, 320, 95), isYellow), 0);
    QVERIFY2(countPixels(frame, QRect(0, 160, 320, 80), isWhite) > 80, "no subtitle at the bottom");

    ui.m_WatermarkApplyButton->click();
    ui.m_pSubtitleApplyButton->click();
    const EditOptions edit = dialog.jobList().at(0).edit;
    QCOMPARE(edit.watermark.imagePath, media("logo.png"));
    QCOMPARE(edit.watermark.imageX, 200);
    QCOMPARE(edit.watermark.text, QStringLiteral("MARK"));
    QCOMPARE(edit.watermark.fontColor, 11);
    QCOMPARE(edit.subtitlePath, media("lines.srt"));
}

void TestDemoPlayer::steppingStopsAtTheEndsAndReloadsStoredValues()
{
    ConvertJob first = videoJob(media("bars.mp4"));
    first.edit.trimStart = 1000;
    first.edit.trimLength = 2500;
    first.edit.watermark.textX = 40;
    const ConvertJob last = videoJob(media("black.mp4"));
    DemoPlayer dialog;
    dialog.setJobs({first, last}, 0);
    DemoPlayerTestAccess access(dialog);
    Ui_DemoPlayer &ui = access.ui();
    QCOMPARE(ui.m_pStartTimeText->text(), QStringLiteral("00:00:01:000"));
    QCOMPARE(ui.m_pEndTimeText->text(), QStringLiteral("00:00:03:500"));
    QCOMPARE(ui.m_pXTextPositionText->text(), QStringLiteral("40"));
    QVERIFY(!ui.m_WatermarkApplyButton->isEnabled());

    ui.m_pBeforeButton->click();
    QCOMPARE(ui.m_pStartTimeText->text(), QStringLiteral("00:00:01:000"));

    ui.m_pXTextPositionText->setText(QStringLiteral("77")); // pending, never applied
    emit ui.m_pXTextPositionText->editingFinished();
    QVERIFY(ui.m_WatermarkApplyButton->isEnabled());
    ui.m_pNextButton->click();
    QCOMPARE(ui.m_pStartTimeText->text(), QStringLiteral("00:00:00:000"));
    QCOMPARE(ui.m_pXTextPositionText->text(), QStringLiteral("10"));
    QCOMPARE(ui.m_pWMFontSizeCombo->currentText(), QStringLiteral("54"));
    QCOMPARE(ui.m_pWMFontColorCombo->currentText(), QStringLiteral("White"));
    QCOMPARE(ui.m_pCodePageCombo->currentText(), QStringLiteral("UTF-8"));
    QCOMPARE(ui.m_pFontSizeCombo->currentText(), QStringLiteral("24"));
    ui.m_pNextButton->click();
    QCOMPARE(ui.m_pStartTimeText->text(), QStringLiteral("00:00:00:000"));
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
    dialog.setJobs({videoJob(media("bars.mp4"))}, 0);
    DemoPlayerTestAccess access(dialog);
    Ui_DemoPlayer &ui = access.ui();
    auto job = [&] { return dialog.jobList().at(0).edit; };
    prompts.shown.clear();

    // Both times 0 is the whole file: accepted.
    QVERIFY(!ui.m_pEffectApplyButton->isEnabled());
    ui.m_pCWButton->click();
    ui.m_pEffectApplyButton->click();
    QCOMPARE(prompts.count("warning"), 0);
    QCOMPARE(job().rotation, 1);
    QCOMPARE(job().trimLength, 0);

    QVERIFY(access.pauseAt(2000));
    ui.m_pStartTimeButton->click();
    const QString start = ui.m_pStartTimeText->text();
    QVERIFY2(start.startsWith(QStringLiteral("00:00:0")) && start != QStringLiteral("00:00:00:000"), qPrintable(start));
    ui.m_pEndTimeButton->click(); // the same position as the start: refused
    QCOMPARE(prompts.count("warning"), 1);
    QCOMPARE(prompts.shown.last().text, QStringLiteral("Please select correct end time!"));
    QCOMPARE(prompts.shown.last().title, appTitle());
    QCOMPARE(ui.m_pEndTimeText->text(), QStringLiteral("00:00:00:000"));

    QVERIFY(access.pauseAt(3000));
    ui.m_pEndTimeButton->click();
    QCOMPARE(prompts.count("warning"), 1);
    QVERIFY(access.pauseAt(4000));
    ui.m_pStartTimeButton->click(); // after the end: the capture takes it ...
    QCOMPARE(prompts.count("warning"), 1);
    ui.m_pEffectApplyButton->click(); // ... Apply does not
    QCOMPARE(prompts.count("warning"), 2);
    QCOMPARE(prompts.shown.last().text, QStringLiteral("Please select correct start time!"));
    QCOMPARE(job().trimStart, 0);
    QVERIFY(ui.m_pEffectApplyButton->isEnabled());

    QVERIFY(access.pauseAt(1000));
    ui.m_pStartTimeButton->click();
    ui.m_pEffectApplyButton->click();
    QVERIFY2(qAbs(job().trimStart - 1000) < 60, qPrintable(QString::number(job().trimStart)));
    QVERIFY2(qAbs(job().trimLength - 2000) < 120, qPrintable(QString::number(job().trimLength)));
    QVERIFY(!ui.m_pEffectApplyButton->isEnabled());
}

void TestDemoPlayer::applyButtonsFollowTheDifferences()
{
    DemoPlayer dialog;
    dialog.setJobs({videoJob(media("black.mp4"))}, 0);
    DemoPlayerTestAccess access(dialog);
    Ui_DemoPlayer &ui = access.ui();

    // Effect: a slider away and back.
    ui.m_pBrightnessControlBar->setValue(30);
    QVERIFY(ui.m_pEffectApplyButton->isEnabled());
    ui.m_pBrightnessControlBar->setValue(0);
    QVERIFY(!ui.m_pEffectApplyButton->isEnabled());
    ui.m_pVFlipButton->click();
    ui.m_pVFlipButton->click();
    QVERIFY(ui.m_pEffectApplyButton->isEnabled());

    // Watermark: X to 20 and back with Return; the font alone; Apply settles it.
    QVERIFY(!ui.m_WatermarkApplyButton->isEnabled());
    ui.m_pXTextPositionText->setText(QStringLiteral("20"));
    emit ui.m_pXTextPositionText->editingFinished();
    QVERIFY(ui.m_WatermarkApplyButton->isEnabled());
    ui.m_pXTextPositionText->setText(QStringLiteral("10"));
    emit ui.m_pXTextPositionText->editingFinished();
    QVERIFY(!ui.m_WatermarkApplyButton->isEnabled());
    const QFont before = ui.m_pWMFontCombo->currentFont();
    ui.m_pWMFontCombo->setCurrentIndex(ui.m_pWMFontCombo->currentIndex() == 0 ? 1 : 0);
    QVERIFY(ui.m_WatermarkApplyButton->isEnabled());
    ui.m_pWMFontCombo->setCurrentFont(before);
    QVERIFY(!ui.m_WatermarkApplyButton->isEnabled());
    ui.m_pXTextPositionText->setText(QStringLiteral("20"));
    emit ui.m_pXTextPositionText->editingFinished();
    ui.m_WatermarkApplyButton->click();
    QVERIFY(!ui.m_WatermarkApplyButton->isEnabled());
    QCOMPARE(dialog.jobList().at(0).edit.watermark.textX, 20);
    QCOMPARE(dialog.jobList().at(0).edit.watermark.fontName, QStringLiteral("Times New Roman"));
    emit ui.m_pYTextPositionText->editingFinished();
    QVERIFY(!ui.m_WatermarkApplyButton->isEnabled());

    // Subtitle: the code page enables, back disables; the font alone does not.
    QVERIFY(!ui.m_pSubtitleApplyButton->isEnabled());
    ui.m_pCodePageCombo->setCurrentIndex(ui.m_pCodePageCombo->findData(2));
    QVERIFY(ui.m_pSubtitleApplyButton->isEnabled());
    ui.m_pCodePageCombo->setCurrentIndex(ui.m_pCodePageCombo->findData(0));
    QVERIFY(!ui.m_pSubtitleApplyButton->isEnabled());
    ui.fontComboBox->setCurrentIndex(ui.fontComboBox->currentIndex() == 0 ? 1 : 0);
    QVERIFY(!ui.m_pSubtitleApplyButton->isEnabled());

    // The search button opens the site through the seam, not a real browser.
    prompts.shown.clear();
    ui.m_pSearchSubtitleButton->click();
    QCOMPARE(prompts.count("openUrl"), 1);
}

void TestDemoPlayer::okHandsBackAppliedEditsCancelNothing()
{
    WindowFixture fixture;
    QVERIFY(QFile::copy(media("black.mp4"), fixture.inputFolder() + "/clip.mp4"));
    fixture.chooseFiles("btnMP4", {fixture.inputFolder() + "/clip.mp4"});
    CQuillmoraTestAccess window = fixture.access();
    QCOMPARE(window.jobs().size(), 1);
    window.table()->setCurrentCell(0, 0);
    QVERIFY(window.action(WindowAction::Edit)->isEnabled());
    const ConvertJob original = window.jobs().at(0);

    // Applies a text, leaves a subtitle pending, and ends with the button
    // given, once the dialog runs modally (Edit opens the job first).
    auto editWith = [&](const char *endButton) {
        bool shown = false;
        QTimer poll;
        connect(&poll, &QTimer::timeout, [&] {
            auto *dialog = qobject_cast<DemoPlayer *>(QApplication::activeModalWidget());
            if (!dialog || shown)
                return;
            shown = true;
            QCOMPARE(dialog->windowFlags() & Qt::WindowCloseButtonHint, Qt::WindowCloseButtonHint);
            DemoPlayerTestAccess access(*dialog);
            access.ui().m_pTextPathText->setText(QStringLiteral("Applied"));
            access.ui().m_WatermarkApplyButton->click();
            prompts.fileAnswers = {{media("lines.srt")}};
            access.ui().m_pSubtitlePathButton->click();
            dialog->findChild<QPushButton *>(endButton)->click();
        });
        poll.start(20);
        window.invoke("onEdit");
        QVERIFY(shown);
    };

    editWith("m_pCancelButton");
    QCOMPARE(window.jobs().at(0).edit.watermark.text, original.edit.watermark.text);

    editWith("m_pOKButton");
    QCOMPARE(window.jobs().at(0).edit.watermark.text, QStringLiteral("Applied"));
    QVERIFY(window.jobs().at(0).edit.subtitlePath.isEmpty());
    QCOMPARE(window.jobs().at(0).outputPath, original.outputPath);
}

void TestDemoPlayer::jobsThatCannotBeEditedLeaveTheTabsDisabled()
{
    QFile broken(media("broken.mp4"));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(4096, 'x'));
    broken.close();

    ConvertJob gif = videoJob(media("bars.mp4"));
    gif.profile.category = GifMerge;
    gif.edit.trimStart = 2;
    gif.edit.trimLength = 3;
    ConvertJob join = videoJob(QString());
    join.inputFiles = {media("bars.mp4"), media("black.mp4")};
    const QList<ConvertJob> jobs = {videoJob(media("broken.mp4")), gif, join, videoJob(media("black.mp4"))};

    prompts.shown.clear();
    QElapsedTimer opening;
    opening.start();
    DemoPlayer dialog;
    dialog.setJobs(jobs, 0);
    QVERIFY(opening.elapsed() < DemoPlayer::playbackWaitMs + 1500);
    DemoPlayerTestAccess access(dialog);
    Ui_DemoPlayer &ui = access.ui();
    QCOMPARE(prompts.count("warning"), 1);
    QVERIFY(!ui.m_pPlayButton->isEnabled());
    QVERIFY(!ui.tab_3->isEnabled() && !ui.tab_4->isEnabled() && !ui.tab_5->isEnabled());

    ui.m_pNextButton->click(); // the GIF maker job: shown, its seconds as times, not editable
    QVERIFY(ui.m_pPlayButton->isEnabled());
    QCOMPARE(ui.m_pStartTimeText->text(), QStringLiteral("00:00:02:000"));
    QCOMPARE(ui.m_pEndTimeText->text(), QStringLiteral("00:00:05:000"));
    QVERIFY(!ui.tab_3->isEnabled() && !ui.m_pStartTimeButton->isEnabled());

    ui.m_pNextButton->click(); // the joiner job: nothing to open
    QVERIFY(!ui.m_pPlayButton->isEnabled());
    QVERIFY(!ui.tab_4->isEnabled());

    ui.m_pNextButton->click();
    QVERIFY(ui.m_pPlayButton->isEnabled() && ui.tab_3->isEnabled() && ui.tab_5->isEnabled());
    QCOMPARE(prompts.count("warning"), 1);
    QCOMPARE(dialog.jobList().at(1).edit.trimStart, 2);
}

void TestDemoPlayer::rotationTaggedClipPlaysUpright()
{
    DemoPlayer dialog;
    dialog.setJobs({videoJob(media("phone.mp4"))}, 0);
    DemoPlayerTestAccess access(dialog);
    const QImage frame = access.frameAfter();
    QVERIFY(!frame.isNull());
    QVERIFY2(frame.height() > frame.width(),
             qPrintable(QStringLiteral("%1x%2").arg(frame.width()).arg(frame.height())));
    const int w = frame.width(), h = frame.height();
    QVERIFY2(countPixels(frame, QRect(0, 0, w / 3, h / 5), isWhite) > w * h / 30, "the white block is not top left");
    QCOMPARE(countPixels(frame, QRect(w / 2, 0, w / 2, h), isWhite), 0);
    QCOMPARE(countPixels(frame, QRect(0, h / 2, w, h / 2), isWhite), 0);
}

QTEST_MAIN(TestDemoPlayer)
#include "tst_demoplayer.moc"
