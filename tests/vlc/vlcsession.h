#pragma once

#include "vlc/vlcapi.h"

#include <QImage>
#include <QRect>
#include <QTest>

#include <memory>

// A player drawing into a video widget, on the arguments the dialogs pass.
struct VlcSession {
    VlcSession()
    {
        video.resize(320, 240);
        player.setVideoWidget(&video);
        video.setMediaPlayer(&player);
    }
    ~VlcSession() { player.stop(); }

    // Opens a local file and waits until frames have been painted for it.
    bool play(const QString &path, int frames = 3)
    {
        media = std::make_unique<VlcMedia>(path, true, &instance);
        const int before = video.frameCount();
        player.open(media.get());
        return QTest::qWaitFor([&] { return video.frameCount() >= before + frames; }, 10000);
    }

    VlcWidgetVideo video;
    VlcInstance instance{{QStringLiteral("--input-repeat=100"), QStringLiteral("--video-filter=adjust"),
                          QStringLiteral("--no-video-title-show"), QStringLiteral("--sub-filter=logo:marq")}};
    VlcMediaPlayer player{&instance};
    std::unique_ptr<VlcMedia> media;
};

// What the tests measure in a frame.
namespace framecheck {

// Mean of (r + g + b) / 3 over the frame.
inline double meanLevel(const QImage &frame)
{
    double sum = 0;
    for (int y = 0; y < frame.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
        for (int x = 0; x < frame.width(); ++x)
            sum += (qRed(line[x]) + qGreen(line[x]) + qBlue(line[x])) / 3.0;
    }
    return frame.isNull() ? 0 : sum / (double(frame.width()) * frame.height());
}

// Pixels inside the rectangle within `tolerance` of the colour on every channel.
inline int countNear(const QImage &frame, const QRect &area, QRgb colour, int tolerance)
{
    int count = 0;
    const QRect inside = area & frame.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(frame.constScanLine(y));
        for (int x = inside.left(); x <= inside.right(); ++x) {
            count += qAbs(qRed(line[x]) - qRed(colour)) <= tolerance
                     && qAbs(qGreen(line[x]) - qGreen(colour)) <= tolerance
                     && qAbs(qBlue(line[x]) - qBlue(colour)) <= tolerance;
        }
    }
    return count;
}

} // namespace framecheck
