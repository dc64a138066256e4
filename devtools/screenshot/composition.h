#pragma once

#include <QImage>
#include <QList>

// The README picture: the main window on a plain backdrop and, to its right,
// grabs of the other format pages, each top-aligned with the window's own tab
// widget (tabsTop is its top inside the window), so that every format button
// shows at once.
QImage composeScreenshot(const QImage &window, int tabsTop, const QList<QImage> &pages);

// The images one below the other, left-aligned, each enlarged by the factor,
// with a gap between them on the backdrop's colour.
QImage stackEnlarged(const QList<QImage> &images, int factor);
