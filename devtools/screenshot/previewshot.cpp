// Draws the README picture of the preview dialog: a test picture made
// brighter, with a picture watermark, a text and a subtitle on it. Run it on
// a real X server (see scripts/screenshot.sh): quillmora_previewshot OUTPUT.png

#include "tests/mainwindow/scriptedprompts.h"
#include "tests/preview/demoplayeraccess.h"
#include "tests/support/media.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QPainter>
#include <QTemporaryDir>

#include <cstdio>

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "quillmora_previewshot: %s\n", qPrintable(message));
    return 1;
}

// A round badge for the watermark.
bool drawLogo(const QString &path)
{
    QImage logo(64, 64, QImage::Format_ARGB32);
    logo.fill(Qt::transparent);
    QPainter painter(&logo);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(QColor(0x1f, 0x6f, 0xd6));
    painter.setPen(QPen(Qt::white, 4));
    painter.drawEllipse(4, 4, 56, 56);
    painter.setFont(QFont(QStringLiteral("DejaVu Sans"), 22, QFont::Bold));
    painter.drawText(logo.rect(), Qt::AlignCenter, QStringLiteral("Q"));
    painter.end();
    return logo.save(path);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: quillmora_previewshot OUTPUT.png\n");
        return 2;
    }
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    QTemporaryDir dir;
    testmedia::ClipSpec clip;
    clip.seconds = 30;
    clip.width = 640;
    clip.height = 360;
    clip.frameRate = 25;
    clip.sampleRate = 0;
    clip.videoSource = QStringLiteral("smptehdbars");
    const QString clipPath = dir.filePath(QStringLiteral("holiday.mp4"));
    const QString logoPath = dir.filePath(QStringLiteral("badge.png"));
    const QString subtitlePath = dir.filePath(QStringLiteral("lines.srt"));
    if (!dir.isValid() || !testmedia::makeClip(clipPath, clip) || !drawLogo(logoPath)
        || !testmedia::makeMediaSet(dir.path(), {"lines.srt"}))
        return fail(QStringLiteral("cannot make the demo media"));

    ScriptedPrompts prompts;
    DemoPlayer dialog(nullptr, Qt::WindowCloseButtonHint);
    dialog.setJobs({previewJob(clipPath)}, 0);
    dialog.show();
    DemoPlayerTestAccess access(dialog);
    Ui_DemoPlayer &ui = access.ui();

    ui.m_pBrightnessControlBar->setValue(25);
    prompts.fileAnswers = {{logoPath}, {subtitlePath}};
    ui.m_pXImagePositionText->setText(QStringLiteral("560"));
    ui.m_pImagePathButton->click();
    ui.m_pWMFontColorCombo->setCurrentIndex(ui.m_pWMFontColorCombo->findData(11)); // Yellow
    ui.m_pWMFontSizeCombo->setCurrentIndex(ui.m_pWMFontSizeCombo->findData(18));   // "32"
    ui.m_pXTextPositionText->setText(QStringLiteral("20"));
    ui.m_pYTextPositionText->setText(QStringLiteral("20"));
    ui.m_pTextPathText->setText(QStringLiteral("Quillmora"));
    ui.m_pSubtitlePathButton->click();
    ui.tabWidget->setCurrentWidget(ui.tab_3);

    if (access.frameAfter(40, 10000).isNull())
        return fail(QStringLiteral("the preview shows no frames"));
    const QImage picture = dialog.grab().toImage();
    if (!picture.save(QString::fromLocal8Bit(argv[1]), "PNG", 0))
        return fail(QStringLiteral("cannot write ") + QString::fromLocal8Bit(argv[1]));
    std::printf("%s: %dx%d\n", argv[1], picture.width(), picture.height());
    return 0;
}
