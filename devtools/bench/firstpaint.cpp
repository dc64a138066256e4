#include "devtools/bench/firstpaint.h"

#include <QDateTime>
#include <QEvent>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <cstdlib>

FirstPaintApplication::FirstPaintApplication(int &argc, char **argv)
    : QApplication(argc, argv)
{
}

bool FirstPaintApplication::notify(QObject *receiver, QEvent *event)
{
    const bool paints = !painted && receiver == watched && event->type() == QEvent::UpdateRequest
                        && watched->isVisible();
    const bool result = QApplication::notify(receiver, event);
    // The window's whole tree is painted and flushed when its update request has been handled.
    if (paints) {
        painted = true;
        const double launched = std::atof(qgetenv("QUILLMORA_LAUNCHED_AT").constData()) * 1000;
        std::printf("%.1f\n", double(QDateTime::currentMSecsSinceEpoch()) - launched);
        std::fflush(stdout);
        QTimer::singleShot(0, this, [] { QCoreApplication::exit(0); });
    }
    return result;
}
