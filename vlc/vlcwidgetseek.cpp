// The position bar: polls the player on the GUI thread and seeks on drags.
#include "vlc/vlcapi.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QTime>
#include <QTimer>

namespace {

constexpr int PollMs = 200;

QString clockText(int ms)
{
    const QString format = ms >= 3600 * 1000 ? QStringLiteral("hh:mm:ss") : QStringLiteral("mm:ss");
    return QTime(0, 0).addMSecs(qMax(0, ms)).toString(format);
}

} // namespace

VlcWidgetSeek::VlcWidgetSeek(QWidget *parent)
    : QWidget(parent),
      slider(new QSlider(Qt::Horizontal, this)),
      elapsed(new QLabel(clockText(0), this)),
      total(new QLabel(clockText(0), this)),
      poll(new QTimer(this))
{
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(elapsed);
    layout->addWidget(slider, 1);
    layout->addWidget(total);
    slider->setRange(0, 0);
    slider->setEnabled(false);
    slider->setAccessibleName(tr("Position"));

    connect(poll, &QTimer::timeout, this, &VlcWidgetSeek::follow);
    // A drag seeks when it is released; a click or a key seeks at once.
    connect(slider, &QSlider::sliderMoved, this, [this](int ms) { elapsed->setText(clockText(ms)); });
    connect(slider, &QSlider::sliderReleased, this, [this] { seekTo(slider->value()); });
    connect(slider, &QSlider::actionTriggered, this, [this](int action) {
        if (action != QAbstractSlider::SliderMove)
            QTimer::singleShot(0, this, [this] { seekTo(slider->value()); });
    });
}

void VlcWidgetSeek::setMediaPlayer(VlcMediaPlayer *player)
{
    mediaPlayer = player;
    if (player)
        poll->start(PollMs);
    else
        poll->stop();
}

void VlcWidgetSeek::follow()
{
    if (!mediaPlayer || slider->isSliderDown())
        return;
    const int length = mediaPlayer->length();
    const int time = mediaPlayer->time();
    slider->setEnabled(length > 0);
    slider->setMaximum(length);
    slider->setPageStep(qMax(1, length / 10));
    slider->setValue(qMax(0, time));
    elapsed->setText(clockText(time));
    total->setText(clockText(length));
}

void VlcWidgetSeek::seekTo(int ms)
{
    if (!mediaPlayer || mediaPlayer->length() <= 0)
        return;
    mediaPlayer->setTime(ms);
    emit seeked(ms);
}
