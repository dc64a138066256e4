// The project's own small layer over libVLC 3, with the class names and just
// the calls the preview and the GIF maker make. Every class lives on the GUI
// thread; libVLC's own threads never touch a widget (frames are handed over
// with queued calls).
#pragma once

#include <QImage>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include <memory>

struct libvlc_instance_t;
struct libvlc_media_t;
struct libvlc_media_player_t;
class QLabel;
class QSlider;
class QTemporaryDir;
class QTimer;

namespace Vlc {
// libVLC's states, same numbers.
enum State { Idle = 0, Opening = 1, Buffering = 2, Playing = 3, Paused = 4, Stopped = 5, Ended = 6, Error = 7 };

// What the preview players start libVLC with: the clip repeats, and the
// picture adjustment, logo and marquee filters stand ready.
QStringList previewArguments();
} // namespace Vlc

class VlcInstance : public QObject
{
    Q_OBJECT
public:
    // The arguments as libVLC takes them; a silent audio output is added
    // when the application runs without a display (tests, benchmarks).
    VlcInstance(const QStringList &args, QObject *parent = nullptr);
    ~VlcInstance() override;
    bool isValid() const;

    libvlc_instance_t *core() const { return instance; }

private:
    libvlc_instance_t *instance = nullptr;
};

class VlcMedia : public QObject
{
    Q_OBJECT
public:
    VlcMedia(const QString &location, bool localFile, VlcInstance *instance);
    ~VlcMedia() override;

    libvlc_media_t *core() const { return media; }

private:
    libvlc_media_t *media = nullptr;
};

class VlcMediaPlayer;
class VlcWidgetVideo;

// Picture adjustment, logo, marquee and subtitles of the running player.
class VlcVideo : public QObject
{
    Q_OBJECT
public:
    ~VlcVideo() override;

    // -100..100, 0 unchanged: the factor 1 + v/100 (the converter's colour filter).
    void setBrightness(const int &value);
    void setContrast(const int &value);
    void setSaturation(const int &value);
    // Position from the top left; opacity 0..255. An empty path hides the logo.
    void showLogo(const QString &path, const int &x, const int &y, const int &opacity);
    // colour 0xRRGGBB; timeout 0 keeps it; size in pixels. An empty text hides it.
    void showMarquee(const QString &text, const int &x, const int &y, const int &timeout,
                     const int &opacity, const int &size, const int &color);
    // An empty path turns the subtitles off.
    void setSubtitleFile(const QString &path);

private:
    friend class VlcMediaPlayer;
    explicit VlcVideo(libvlc_media_player_t *player, QObject *parent);
    void setAdjustment(int option, int value);
    QString drawableLogoPath(const QString &path);

    libvlc_media_player_t *player;
    std::unique_ptr<QTemporaryDir> logoCopies;
};

class VlcAudio : public QObject
{
    Q_OBJECT
public:
    // Percent, 0..200, sounding as the converter's linear "volume=" does.
    void setVolume(const int &volume);

private:
    friend class VlcMediaPlayer;
    explicit VlcAudio(libvlc_media_player_t *player, QObject *parent);

    libvlc_media_player_t *player;
};

class VlcMediaPlayer : public QObject
{
    Q_OBJECT
public:
    explicit VlcMediaPlayer(VlcInstance *instance);
    ~VlcMediaPlayer() override;

    void setVideoWidget(VlcWidgetVideo *widget);
    void open(VlcMedia *media); // loads and starts playing
    void play();
    void pause();
    void stop();

    Vlc::State state() const;   // live query
    int time() const;           // milliseconds; negative when there is no position
    void setTime(int ms);
    int length() const;         // milliseconds; 0 when unknown
    bool hasVideo() const;      // a picture is being decoded

    // Waits, at most the given time, until the opened media shows a picture
    // (libVLC also "plays" a file it finds no stream in). Queued frames and
    // timers keep running meanwhile; clicks and keys wait.
    static constexpr int defaultShowWaitMs = 5000;
    bool waitUntilShowing(int timeoutMs = defaultShowWaitMs);

    VlcVideo *video() const;    // null when there is no player
    VlcAudio *audio() const;

    libvlc_media_player_t *core() const { return player; }

private:
    libvlc_media_player_t *player = nullptr;
    VlcVideo *videoControl = nullptr;
    VlcAudio *audioControl = nullptr;
    QPointer<VlcWidgetVideo> videoWidget;
};

// Paints the player's frames (libVLC memory callbacks, RV32 into a QImage) on black.
class VlcWidgetVideo : public QWidget
{
    Q_OBJECT
public:
    explicit VlcWidgetVideo(QWidget *parent = nullptr);
    ~VlcWidgetVideo() override;
    void setMediaPlayer(VlcMediaPlayer *player);

    // For tests and benchmarks.
    QImage lastFrame() const;
    int frameCount() const;

    struct Frames; // shared with libVLC's video thread
signals:
    void framePainted();

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    friend class VlcMediaPlayer;
    void attachTo(libvlc_media_player_t *player);
    // On the GUI thread, queued by libVLC's video thread after each frame.
    Q_INVOKABLE void takeFrame();

    QPointer<VlcMediaPlayer> mediaPlayer;
    std::unique_ptr<Frames> frames;
    QImage shown;
    double shownAspect = 1;
    int received = 0;
    bool unpainted = false;
};

// The player's position bar: follows the player and seeks where the user drags.
class VlcWidgetSeek : public QWidget
{
    Q_OBJECT
public:
    explicit VlcWidgetSeek(QWidget *parent = nullptr);
    void setMediaPlayer(VlcMediaPlayer *player);

signals:
    // The user moved the position to ms (milliseconds).
    void seeked(int ms);

private:
    void follow();
    void seekTo(int ms);

    QPointer<VlcMediaPlayer> mediaPlayer;
    QSlider *slider;
    QLabel *elapsed;
    QLabel *total;
    QTimer *poll;
};
