#pragma once

#include <QString>

// Asks the desktop's notification service (org.freedesktop.Notifications on
// the session bus) to show a message, without waiting for it. False where
// there is no session bus; a bus without the service drops the call quietly.
bool showDesktopNotification(const QString &summary, const QString &body, const QString &iconName);
