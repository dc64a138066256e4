#include "platform/systemshutdown.h"

#include <QMutex>
#include <QMutexLocker>
#include <QProcess>

namespace {

QMutex mutex;
SystemShutdown installed;

} // namespace

void requestSystemShutdown()
{
    SystemShutdown standIn;
    {
        QMutexLocker lock(&mutex);
        standIn = installed;
    }
    if (standIn)
        standIn();
    else
        QProcess::startDetached(QStringLiteral("systemctl"), {QStringLiteral("poweroff")});
}

SystemShutdown installSystemShutdown(SystemShutdown shutdown)
{
    QMutexLocker lock(&mutex);
    std::swap(installed, shutdown);
    return shutdown;
}
