// The project's own small layer over libVLC 3, with the class names and just
// the calls the preview and the GIF maker make. Every class lives on the GUI
// thread; libVLC's own threads never touch a widget (frames and events are
// handed over with queued calls).
//
// The declarations below are the contract the dialogs build on; the files
// vlcinstance.h, vlcmedia.h, ... may split them up.
#pragma once

#include <QImage>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QWidget>

namespace Vlc {
// libVLC's states, same numbers.
enum State { Idle = 0, Opening = 1, Buffering = 2, Playing = 3, Paused = 4, Stopped = 5, Ended = 6, Error = 7 };
} // namespace Vlc

class VlcInstance : public QObject
{
    Q_OBJECT
public:
    VlcInstance(const QStringList &args, QObject *parent = nullptr);
    ~VlcInstance() override;
    bool isValid() const;
};

class VlcMedia : public QObject
{
    Q_OBJECT
public:
    VlcMedia(const QString &location, bool localFile, VlcInstance *instance);
    ~VlcMedia() override;
};

class VlcMediaPlayer;
class VlcWidgetVideo;

// Picture adjustment, logo, marquee and subtitles of the running player.
class VlcVideo : public QObject
{
    Q_OBJECT
public:
    // -100..100, 0 unchanged: the factor 1 + v/100 (the converter's colour filter).
    void setBrightness(const int &value);
    void setContrast(const int &value);
    void setSaturation(const int &value);
    // Position from the top left; opacity 0..255.
    void showLogo(const QString &path, const int &x, const int &y, const int &opacity);
    // colour 0xRRGGBB; timeout 0 keeps it; size in pixels.
    void showMarquee(const QString &text, const int &x, const int &y, const int &timeout,
                     const int &opacity, const int &size, const int &color);
    void setSubtitleFile(const QString &path);
};

class VlcAudio : public QObject
{
    Q_OBJECT
public:
    // Percent, 0..200, sounding as the converter's linear "volume=" does.
    void setVolume(const int &volume);
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

    VlcVideo *video() const;    // null when there is no player
    VlcAudio *audio() const;
};

// Paints the player's frames (libVLC memory callbacks, RV32 into a QImage).
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
signals:
    void framePainted();
};

// The player's position bar.
class VlcWidgetSeek : public QWidget
{
    Q_OBJECT
public:
    explicit VlcWidgetSeek(QWidget *parent = nullptr);
    void setMediaPlayer(VlcMediaPlayer *player);
};
