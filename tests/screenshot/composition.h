#pragma once

#include <QImage>
#include <QList>

// The README picture: the main window on a plain backdrop and, to its right,
// grabs of the other format pages, each top-aligned with the window's own tab
// widget (tabsTop is its top inside the window), so that every format button
// shows at once.
QImage composeScreenshot(const QImage &window, int tabsTop, const QList<QImage> &pages);
