// Draws the GIF maker with a clip loaded, for the README. Run it on a real X
// server (scripts/screenshot.sh): quillmora_gifmaker_screenshot OUTPUT.png CLIP
#include "gifmaker/cgifmerge.h"
#include "tests/mainwindow/scriptedprompts.h"
#include "vlc/vlcapi.h"

#include <QApplication>
#include <QFile>
#include <QLoggingCategory>
#include <QComboBox>
#include <QPushButton>
#include <QSlider>
#include <QTest>

#include <cstdio>

namespace {

int fail(const char *message)
{
    std::fprintf(stderr, "quillmora_gifmaker_screenshot: %s\n", message);
    return 1;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: quillmora_gifmaker_screenshot OUTPUT.png CLIP\n");
        return 2;
    }
    QApplication app(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("default.debug=false"));
    ScriptedPrompts prompts;
    prompts.fileAnswers.append({QFile::decodeName(argv[2])});

    CGIFMerge dialog;
    dialog.show();
    if (!QTest::qWaitForWindowExposed(&dialog))
        return fail("the dialog was never shown");
    dialog.findChild<QPushButton *>(QStringLiteral("m_pBrowserBtn"))->click();
    if (prompts.count(QStringLiteral("warning")) > 0)
        return fail("the clip did not play");

    // A start a little into the clip, three seconds, the middle size.
    auto *player = dialog.findChild<VlcMediaPlayer *>();
    auto *video = dialog.findChild<VlcWidgetVideo *>();
    if (!QTest::qWaitFor([&] { return player->state() == Vlc::Paused; }, 5000))
        return fail("the preview did not pause");
    const int painted = video->frameCount();
    player->setTime(2400);
    if (!QTest::qWaitFor([&] { return video->frameCount() > painted && qAbs(player->time() - 2400) < 100; }, 5000))
        std::fprintf(stderr, "quillmora_gifmaker_screenshot: the preview stayed at its first picture\n");
    dialog.findChild<QSlider *>(QStringLiteral("m_pGifLengthSlider"))->setValue(3);
    auto *sizes = dialog.findChild<QComboBox *>(QStringLiteral("m_pSelectSizeCombo"));
    sizes->setCurrentIndex(1);
    QTest::qWait(500); // the position bar follows the player

    if (!dialog.grab().toImage().save(QFile::decodeName(argv[1]), "PNG", 0))
        return fail("cannot write the picture");
    std::printf("%s\n", argv[1]);
    return 0;
}
