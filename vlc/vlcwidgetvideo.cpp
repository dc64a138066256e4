// The video widget: libVLC renders RV32 frames into memory on its video
// thread; the newest one is handed to the GUI thread and painted there.
#include "vlc/vlcapi.h"

#include <QMutex>
#include <QMutexLocker>
#include <QPainter>

#include <vlc/vlc.h>

#include <atomic>
#include <cstring>
#include <utility>

// Three pictures that never share memory: `back` belongs to libVLC's video
// thread, `latest` is exchanged under the lock, `shown` belongs to the widget.
struct VlcWidgetVideo::Frames {
    VlcWidgetVideo *widget = nullptr;
    libvlc_media_player_t *player = nullptr;

    QSize size;                  // video thread only
    QImage back;                 // video thread only

    QMutex mutex;
    QImage latest;
    double aspect = 0;           // display width / height of latest
    bool fresh = false;

    std::atomic<bool> posted{false};
    double formatAspect = 0;     // video thread only
};

namespace {

using Frames = VlcWidgetVideo::Frames;

// The size of the media's video track as shown: the decoder's own size may
// carry padding rows that would stretch the picture. libVLC turns a picture
// stored with a rotation tag before it reaches us, so a quarter turn swaps
// the stored width and height.
QSize trackSize(libvlc_media_player_t *player, double *aspect)
{
    QSize size;
    libvlc_media_t *media = libvlc_media_player_get_media(player);
    if (!media)
        return size;
    libvlc_media_track_t **tracks = nullptr;
    const unsigned count = libvlc_media_tracks_get(media, &tracks);
    for (unsigned i = 0; i < count && size.isEmpty(); ++i) {
        const libvlc_media_track_t *track = tracks[i];
        if (track->i_type != libvlc_track_video || !track->video)
            continue;
        size = QSize(int(track->video->i_width), int(track->video->i_height));
        const unsigned num = track->video->i_sar_num, den = track->video->i_sar_den;
        if (size.isEmpty())
            continue;
        *aspect = double(size.width()) * (num && den ? double(num) / den : 1.0) / size.height();
        if (track->video->i_orientation >= libvlc_video_orient_left_top) {
            size.transpose();
            *aspect = 1 / *aspect;
        }
    }
    libvlc_media_tracks_release(tracks, count);
    libvlc_media_release(media);
    return size;
}

unsigned setupFormat(void **opaque, char *chroma, unsigned *width, unsigned *height,
                     unsigned *pitches, unsigned *lines)
{
    auto *frames = static_cast<Frames *>(*opaque);
    double aspect = 0;
    QSize size = trackSize(frames->player, &aspect);
    if (size.isEmpty() || size.width() > int(*width) * 2 || size.height() > int(*height) * 2)
        size = QSize(int(*width), int(*height));
    if (aspect <= 0)
        aspect = double(size.width()) / qMax(1, size.height());
    std::memcpy(chroma, "RV32", 4);
    *width = unsigned(size.width());
    *height = unsigned(size.height());
    *pitches = *width * 4;
    *lines = *height;
    frames->size = size;
    frames->formatAspect = aspect;
    return 1;
}

void cleanupFormat(void *)
{
}

void *lockFrame(void *opaque, void **planes)
{
    auto *frames = static_cast<Frames *>(opaque);
    if (frames->back.size() != frames->size)
        frames->back = QImage(frames->size, QImage::Format_RGB32);
    planes[0] = frames->back.bits();
    return nullptr;
}

void unlockFrame(void *, void *, void *const *)
{
}

void displayFrame(void *opaque, void *)
{
    auto *frames = static_cast<Frames *>(opaque);
    {
        QMutexLocker lock(&frames->mutex);
        std::swap(frames->back, frames->latest);
        frames->aspect = frames->formatAspect;
        frames->fresh = true;
    }
    // One hand-over at a time: the GUI thread always takes the newest frame.
    if (!frames->posted.exchange(true))
        QMetaObject::invokeMethod(frames->widget, "takeFrame", Qt::QueuedConnection);
}

} // namespace

VlcWidgetVideo::VlcWidgetVideo(QWidget *parent)
    : QWidget(parent), frames(std::make_unique<Frames>())
{
    frames->widget = this;
    setAttribute(Qt::WA_OpaquePaintEvent);
}

VlcWidgetVideo::~VlcWidgetVideo()
{
    // libVLC must stop painting into this widget's frames before they go.
    if (mediaPlayer)
        mediaPlayer->stop();
}

void VlcWidgetVideo::setMediaPlayer(VlcMediaPlayer *player)
{
    mediaPlayer = player;
    if (player && player->core())
        attachTo(player->core());
}

void VlcWidgetVideo::attachTo(libvlc_media_player_t *player)
{
    frames->player = player;
    libvlc_video_set_callbacks(player, lockFrame, unlockFrame, displayFrame, frames.get());
    libvlc_video_set_format_callbacks(player, setupFormat, cleanupFormat);
}

void VlcWidgetVideo::takeFrame()
{
    frames->posted = false;
    {
        QMutexLocker lock(&frames->mutex);
        if (!frames->fresh)
            return;
        std::swap(shown, frames->latest);
        shownAspect = frames->aspect;
        frames->fresh = false;
    }
    ++received;
    unpainted = true;
    update();
}

QImage VlcWidgetVideo::lastFrame() const
{
    return shown;
}

int VlcWidgetVideo::frameCount() const
{
    return received;
}

void VlcWidgetVideo::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (shown.isNull())
        return;
    // The whole picture at its display aspect, centred.
    QSizeF area(width(), width() / shownAspect);
    if (area.height() > height())
        area = QSizeF(height() * shownAspect, height());
    const QRectF target(QPointF((width() - area.width()) / 2, (height() - area.height()) / 2), area);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, shown);
    if (unpainted) {
        unpainted = false;
        emit framePainted();
    }
}
