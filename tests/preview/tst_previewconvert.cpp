// Edits made in the preview dialog reach the converted file, and clips
// stored turned (phone videos) convert upright and unstretched to every
// video format. Runs the real libVLC and build/transcoder.

#include "app/formats.h"
#include "app/outputprofile.h"
#include "tests/conversion/conversionrun.h"
#include "tests/mainwindow/scriptedprompts.h"
#include "tests/preview/demoplayeraccess.h"
#include "tests/support/media.h"
#include "tests/support/programrun.h"

#include <QImage>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The first picture as a viewer shows it: turned by its rotation tag and
// stretched to square pixels.
QImage shownPicture(const QString &path)
{
    const testsupport::Finished finished = testsupport::runProgram(
        QStringLiteral("ffmpeg"), {"-v", "error", "-nostdin", "-i", path, "-frames:v", "1", "-vf",
                                   "scale=trunc(iw*sar/2)*2:ih,setsar=1", "-f", "image2pipe", "-vcodec", "png", "-"});
    return QImage::fromData(finished.output, "PNG");
}

QRect whiteArea(const QImage &picture)
{
    QRect area;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qGray(picture.pixel(x, y)) > 170)
                area |= QRect(x, y, 1, 1);
    return area;
}

} // namespace

class TestPreviewConvert : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void editedJobConvertsTrimmedTurnedAndMarked();
    void rotationTaggedClipConvertsUpright_data();
    void rotationTaggedClipConvertsUpright();

private:
    QString media(const QString &name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    ScriptedPrompts prompts;
};

void TestPreviewConvert::initTestCase()
{
    QVERIFY(testmedia::makeMediaSet(dir.path(), {"bars.mp4", "phone.mp4", "lines.srt", "logo.png"}, 4));
}

void TestPreviewConvert::editedJobConvertsTrimmedTurnedAndMarked()
{
    DemoPlayer dialog;
    dialog.setJobs({previewJob(media("bars.mp4"))}, 0);
    DemoPlayerTestAccess access(dialog);
    Ui_DemoPlayer &ui = access.ui();

    QVERIFY(access.pauseAt(1000));
    ui.m_pStartTimeButton->click();
    QVERIFY(access.pauseAt(3500));
    ui.m_pEndTimeButton->click();
    ui.m_pCWButton->click();
    ui.m_pBrightnessControlBar->setValue(30);
    ui.m_pEffectApplyButton->click();
    prompts.fileAnswers = {{media("logo.png")}};
    ui.m_pImagePathButton->click();
    ui.m_pTextPathText->setText(QStringLiteral("Quillmora"));
    ui.m_WatermarkApplyButton->click();
    prompts.fileAnswers = {{media("lines.srt")}};
    ui.m_pSubtitlePathButton->click();
    ui.m_pSubtitleApplyButton->click();
    ui.m_pOKButton->click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));

    // The same edits for H.264 and for today's web formats.
    const QVector<QPair<int, QString>> formats{{FormatMP4, "h264"},
                                               {FormatWebM, "vp9"},
                                               {FormatHEVC, "hevc"},
                                               {FormatAV1, "av1"}};
    for (const auto &[formatId, codec] : formats) {
        ConvertJob job = dialog.jobList().at(0);
        job.formatId = formatId;
        job.profile = defaultProfile(formatId);
        const QString output = media(QStringLiteral("edited%1%2").arg(formatId).arg(formatExtension(formatId)));
        const conversion::Outcome outcome = conversion::convert(job, media("bars.mp4"), output);
        QVERIFY2(outcome.succeeded, qPrintable(outcome.errors));
        const testmedia::Probe probed = testmedia::probe(output);
        const testmedia::Stream *video = probed.first(QStringLiteral("video"));
        QVERIFY(video);
        QCOMPARE(video->codec, codec);
        QVERIFY2(qAbs(probed.duration - 2.5) < 0.15, qPrintable(QString::number(probed.duration)));
        QCOMPARE(video->width, 240);
        QCOMPARE(video->height, 320);
    }
}

void TestPreviewConvert::rotationTaggedClipConvertsUpright_data()
{
    QTest::addColumn<int>("formatId");
    QTest::addColumn<bool>("apple");
    QTest::addColumn<bool>("android");
    for (const OutputProfile &row : profileTable()) {
        if (row.category == Video)
            QTest::newRow(formatInfo(row.formatId)->buttonText) << row.formatId << false << false;
    }
    QTest::newRow("Apple") << -1 << true << false;
    QTest::newRow("Android") << -1 << false << true;
}

void TestPreviewConvert::rotationTaggedClipConvertsUpright()
{
    QFETCH(int, formatId);
    QFETCH(bool, apple);
    QFETCH(bool, android);
    const OutputProfile profile = apple     ? devicePresetProfile(DevicePreset::Apple)
                                  : android ? devicePresetProfile(DevicePreset::Android)
                                            : defaultProfile(formatId);
    const QString output = media(QStringLiteral("upright_%1%2").arg(QTest::currentDataTag(), formatExtension(profile.formatId)));
    const conversion::Outcome outcome = conversion::convert(previewJob(media("phone.mp4"), profile), media("phone.mp4"), output);
    QVERIFY2(outcome.succeeded, qPrintable(outcome.errors));

    const QImage shown = shownPicture(output);
    QVERIFY(!shown.isNull());
    const QRect square = whiteArea(shown);
    const QString facts = QStringLiteral("shown %1x%2, white %3,%4 %5x%6")
                              .arg(shown.width()).arg(shown.height())
                              .arg(square.x()).arg(square.y()).arg(square.width()).arg(square.height());
    QVERIFY2(!square.isEmpty(), qPrintable(facts));
    // Upright: the square in the top left of the picture (a frame size the
    // format forces may add bars at the sides).
    QVERIFY2(square.center().y() < shown.height() / 3 && square.center().x() < shown.width() / 2, qPrintable(facts));
    // Unstretched: still square, and as tall as a sixth of the picture's height
    // (60 of 320 upright) however the picture was scaled.
    const double aspect = double(square.width()) / square.height();
    QVERIFY2(aspect > 0.85 && aspect < 1.18, qPrintable(facts));
    QVERIFY2(qAbs(double(square.height()) / shown.height() - 60.0 / 320) < 0.03, qPrintable(facts));
}

QTEST_MAIN(TestPreviewConvert)
#include "tst_previewconvert.moc"
