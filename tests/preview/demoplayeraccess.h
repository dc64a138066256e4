#pragma once

#include "app/outputprofile.h"
#include "preview/demoplayer.h"
#include "ui_demoplayer.h"
#include "vlc/vlcapi.h"

#include <QImage>
#include <QTest>

// A job converting the file with the profile given.
inline ConvertJob previewJob(const QString &path, const OutputProfile &profile = defaultProfile(FormatMP4))
{
    ConvertJob job = makeJob(profile.formatId, profile);
    job.inputPath = path;
    job.inputFiles = {path};
    return job;
}

// What the preview tests read and do inside the dialog: its form, its player
// and the frames it paints.
class DemoPlayerTestAccess
{
public:
    explicit DemoPlayerTestAccess(DemoPlayer &dialog)
        : d(dialog)
    {
    }

    Ui_DemoPlayer &ui() { return *d.ui; }
    VlcMediaPlayer *player() const { return d.mediaPlayer; }
    VlcWidgetVideo *video() const { return d.ui->m_vlcVideo; }

    // The frame painted after `frames` more have arrived; null on a timeout.
    QImage frameAfter(int frames = 6, int timeoutMs = 5000) const
    {
        const int wanted = video()->frameCount() + frames;
        if (!QTest::qWaitFor([&] { return video()->frameCount() >= wanted; }, timeoutMs))
            return QImage();
        return video()->lastFrame();
    }

    // Pauses the preview at a position and waits until the player reports it.
    bool pauseAt(int ms)
    {
        if (d.playing)
            d.ui->m_pPlayButton->click();
        if (!QTest::qWaitFor([&] { return player()->state() == Vlc::Paused; }, 3000))
            return false;
        player()->setTime(ms);
        return QTest::qWaitFor([&] { return qAbs(player()->time() - ms) < 60; }, 3000);
    }

private:
    DemoPlayer &d;
};
