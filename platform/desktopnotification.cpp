#include "platform/desktopnotification.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QStringList>
#include <QVariantMap>

bool showDesktopNotification(const QString &summary, const QString &body, const QString &iconName)
{
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected())
        return false;
    QDBusMessage call = QDBusMessage::createMethodCall(
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("/org/freedesktop/Notifications"),
        QStringLiteral("org.freedesktop.Notifications"), QStringLiteral("Notify"));
    const int expireDefault = -1;
    call << QStringLiteral("Quillmora") << uint(0) << iconName << summary << body << QStringList()
         << QVariantMap() << expireDefault;
    // No reply is awaited: a missing service must not hold up the window.
    call.setAutoStartService(true);
    return bus.send(call);
}
