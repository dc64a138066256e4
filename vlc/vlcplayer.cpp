// Instance, media and player: thin owners of the libVLC objects.
#include "vlc/vlcapi.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QGuiApplication>
#include <QTimer>
#include <QVector>

#include <vlc/vlc.h>

namespace {

constexpr int SeekSettleMs = 100;
const char *const LocalFileCaching = ":file-caching=50";

// Without a display there is usually no sound device either: a silent
// output keeps playback from waiting on one.
bool headless()
{
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("offscreen") || platform == QLatin1String("minimal");
}

} // namespace

QStringList Vlc::previewArguments()
{
    return {QStringLiteral("--input-repeat=100"), QStringLiteral("--video-filter=adjust"),
            QStringLiteral("--no-video-title-show"), QStringLiteral("--sub-filter=logo:marq")};
}

VlcInstance::VlcInstance(const QStringList &args, QObject *parent)
    : QObject(parent)
{
    QList<QByteArray> encoded;
    for (const QString &arg : args)
        encoded << arg.toUtf8();
    // Our frames are painted by Qt: libVLC opens no window of its own.
    encoded << QByteArrayLiteral("--no-xlib") << QByteArrayLiteral("--quiet") << QByteArrayLiteral("--avcodec-hw=none");
    if (headless())
        encoded << QByteArrayLiteral("--aout=adummy");
    QVector<const char *> argv;
    for (const QByteArray &arg : encoded)
        argv << arg.constData();
    instance = libvlc_new(argv.size(), argv.data());
}

VlcInstance::~VlcInstance()
{
    if (instance)
        libvlc_release(instance);
}

bool VlcInstance::isValid() const
{
    return instance != nullptr;
}

VlcMedia::VlcMedia(const QString &location, bool localFile, VlcInstance *instance)
    : QObject(instance)
{
    if (!instance || !instance->isValid())
        return;
    media = localFile ? libvlc_media_new_path(instance->core(), QFile::encodeName(location).constData())
                      : libvlc_media_new_location(instance->core(), location.toUtf8().constData());
    // A local file needs little read-ahead; libVLC's default delays the first picture.
    if (media && localFile)
        libvlc_media_add_option(media, LocalFileCaching);
}

VlcMedia::~VlcMedia()
{
    if (media)
        libvlc_media_release(media);
}

VlcMediaPlayer::VlcMediaPlayer(VlcInstance *instance)
    : QObject(instance)
{
    if (!instance || !instance->isValid())
        return;
    player = libvlc_media_player_new(instance->core());
    if (!player)
        return;
    videoControl = new VlcVideo(player, this);
    audioControl = new VlcAudio(player, this);
}

VlcMediaPlayer::~VlcMediaPlayer()
{
    if (!player)
        return;
    // Stopping joins libVLC's threads, so no frame reaches the widget afterwards.
    libvlc_media_player_stop(player);
    delete videoControl;
    delete audioControl;
    libvlc_media_player_release(player);
}

void VlcMediaPlayer::setVideoWidget(VlcWidgetVideo *widget)
{
    videoWidget = widget;
    if (player && widget)
        widget->attachTo(player);
}

void VlcMediaPlayer::open(VlcMedia *media)
{
    if (!player || !media || !media->core())
        return;
    libvlc_media_player_set_media(player, media->core());
    libvlc_media_player_play(player);
}

void VlcMediaPlayer::play()
{
    if (player)
        libvlc_media_player_play(player);
}

void VlcMediaPlayer::pause()
{
    if (player)
        libvlc_media_player_set_pause(player, 1);
}

void VlcMediaPlayer::stop()
{
    if (player)
        libvlc_media_player_stop(player);
}

Vlc::State VlcMediaPlayer::state() const
{
    if (!player)
        return Vlc::Idle;
    return static_cast<Vlc::State>(libvlc_media_player_get_state(player));
}

int VlcMediaPlayer::time() const
{
    if (!player)
        return -1;
    return static_cast<int>(libvlc_media_player_get_time(player));
}

void VlcMediaPlayer::setTime(int ms)
{
    if (!player)
        return;
    libvlc_media_player_set_time(player, qMax(0, ms));
    // A paused player keeps its old picture; one step shows the new position,
    // once the seek has been carried out (libVLC queues both requests).
    if (libvlc_media_player_get_state(player) == libvlc_Paused) {
        QTimer::singleShot(SeekSettleMs, this, [this] {
            if (libvlc_media_player_get_state(player) == libvlc_Paused)
                libvlc_media_player_next_frame(player);
        });
    }
}

int VlcMediaPlayer::length() const
{
    if (!player)
        return 0;
    return qMax(0, static_cast<int>(libvlc_media_player_get_length(player)));
}

bool VlcMediaPlayer::hasVideo() const
{
    return player && libvlc_media_player_has_vout(player) > 0;
}

bool VlcMediaPlayer::waitUntilShowing(int timeoutMs)
{
    constexpr int pollMs = 10;
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        const Vlc::State now = state();
        if (now == Vlc::Playing && hasVideo())
            return true;
        if (now == Vlc::Error || now == Vlc::Ended || waited.elapsed() >= timeoutMs)
            return false;
        QEventLoop pause;
        QTimer::singleShot(pollMs, &pause, &QEventLoop::quit);
        pause.exec(QEventLoop::ExcludeUserInputEvents);
    }
}

VlcVideo *VlcMediaPlayer::video() const
{
    return videoControl;
}

VlcAudio *VlcMediaPlayer::audio() const
{
    return audioControl;
}
