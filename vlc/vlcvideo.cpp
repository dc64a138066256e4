// Picture adjustment, logo, marquee, subtitles and volume of a player.
#include "vlc/vlcapi.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QUrl>

#include <vlc/vlc.h>

#include <cmath>

VlcVideo::VlcVideo(libvlc_media_player_t *mediaPlayer, QObject *parent)
    : QObject(parent), player(mediaPlayer)
{
}

VlcVideo::~VlcVideo() = default;

void VlcVideo::setAdjustment(int option, int value)
{
    // The same factor as the converter's colour filter, so the preview
    // shows what the output will look like.
    libvlc_video_set_adjust_int(player, libvlc_adjust_Enable, 1);
    libvlc_video_set_adjust_float(player, static_cast<unsigned>(option),
                                  1.0f + static_cast<float>(qBound(-100, value, 100)) / 100.0f);
}

void VlcVideo::setBrightness(const int &value)
{
    setAdjustment(libvlc_adjust_Brightness, value);
}

void VlcVideo::setContrast(const int &value)
{
    setAdjustment(libvlc_adjust_Contrast, value);
}

void VlcVideo::setSaturation(const int &value)
{
    setAdjustment(libvlc_adjust_Saturation, value);
}

// libVLC reads "," and ";" in the logo setting as separators of a picture
// list, so such a file is handed over as a copy with a plain name.
QString VlcVideo::drawableLogoPath(const QString &path)
{
    if (!path.contains(QLatin1Char(',')) && !path.contains(QLatin1Char(';')))
        return path;
    if (!logoCopies)
        logoCopies = std::make_unique<QTemporaryDir>();
    if (!logoCopies->isValid())
        return QString();
    static int copies = 0;
    const QString suffix = QFileInfo(path).suffix();
    const QString copy = logoCopies->filePath(QStringLiteral("logo%1.%2").arg(++copies).arg(suffix));
    return QFile::copy(path, copy) ? copy : QString();
}

void VlcVideo::showLogo(const QString &path, const int &x, const int &y, const int &opacity)
{
    const QString drawable = path.isEmpty() ? QString() : drawableLogoPath(path);
    if (drawable.isEmpty()) {
        libvlc_video_set_logo_int(player, libvlc_logo_enable, 0);
        return;
    }
    libvlc_video_set_logo_string(player, libvlc_logo_file, QFile::encodeName(drawable).constData());
    libvlc_video_set_logo_int(player, libvlc_logo_position, -1); // x and y from the top left
    libvlc_video_set_logo_int(player, libvlc_logo_x, x);
    libvlc_video_set_logo_int(player, libvlc_logo_y, y);
    libvlc_video_set_logo_int(player, libvlc_logo_opacity, qBound(0, opacity, 255));
    libvlc_video_set_logo_int(player, libvlc_logo_enable, 1);
}

void VlcVideo::showMarquee(const QString &text, const int &x, const int &y, const int &timeout,
                           const int &opacity, const int &size, const int &color)
{
    if (text.isEmpty()) {
        libvlc_video_set_marquee_int(player, libvlc_marquee_Enable, 0);
        return;
    }
    // The marquee reads its text as a strftime format; the user's text is shown as typed.
    QString literal = text;
    literal.replace(QLatin1Char('%'), QLatin1String("%%"));
    libvlc_video_set_marquee_string(player, libvlc_marquee_Text, literal.toUtf8().constData());
    libvlc_video_set_marquee_int(player, libvlc_marquee_Color, color & 0xffffff);
    libvlc_video_set_marquee_int(player, libvlc_marquee_Opacity, qBound(0, opacity, 255));
    libvlc_video_set_marquee_int(player, libvlc_marquee_Position, -1); // x and y from the top left
    libvlc_video_set_marquee_int(player, libvlc_marquee_X, x);
    libvlc_video_set_marquee_int(player, libvlc_marquee_Y, y);
    libvlc_video_set_marquee_int(player, libvlc_marquee_Size, size);
    libvlc_video_set_marquee_int(player, libvlc_marquee_Timeout, timeout);
    libvlc_video_set_marquee_int(player, libvlc_marquee_Enable, 1);
}

void VlcVideo::setSubtitleFile(const QString &path)
{
    if (path.isEmpty()) {
        libvlc_video_set_spu(player, -1);
        return;
    }
    const QByteArray uri = QUrl::fromLocalFile(path).toEncoded();
    libvlc_media_player_add_slave(player, libvlc_media_slave_type_subtitle, uri.constData(), true);
}

VlcAudio::VlcAudio(libvlc_media_player_t *mediaPlayer, QObject *parent)
    : QObject(parent), player(mediaPlayer)
{
}

void VlcAudio::setVolume(const int &volume)
{
    // libVLC's gain is the cube of its volume; the converter's is linear.
    const double gain = qBound(0, volume, 200) / 100.0;
    libvlc_audio_set_volume(player, static_cast<int>(std::lround(100.0 * std::cbrt(gain))));
}
