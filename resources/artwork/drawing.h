#pragma once

#include <QBrush>
#include <QColor>
#include <QPainterPath>
#include <QPointF>
#include <QRectF>
#include <QString>

class QPainter;

// Every painter draws in a 100 x 100 box; the generator scales it to the image.
// At the smallest display size (16-20 px) one unit is 0.2 px, so lines that
// must survive there are at least 9 units wide.

// Lighter (percent > 100) or darker (percent < 100) variant of a colour.
QColor shade(const QColor &colour, int percent);

// Top-to-bottom gradient from a lighter to a darker shade of the colour: the
// light source of every icon is above.
QBrush litFrom(const QColor &colour, qreal top, qreal bottom);

// Fills the path and strokes it with a thin outline that keeps the shape
// apart from light and dark backgrounds alike.
void fillOutlined(QPainter &painter, const QPainterPath &path, const QBrush &fill,
                  const QColor &outline, qreal outlineWidth = 2.0);

// Text as a path in a bold face of the family (the CJK family for ideographs),
// scaled so its ink is `inkHeight` tall or narrower to fit the box, centred.
QPainterPath textPath(const QString &text, const QRectF &box, qreal inkHeight);

// A closed polygon through the points, with corners rounded by `radius`.
QPainterPath roundedPolygon(const QList<QPointF> &points, qreal radius);

// A disc lit from above with an outline: the ground of status and player icons.
void drawDisc(QPainter &painter, const QPointF &centre, qreal radius, const QColor &colour);

// The path a pen of the given width, with round caps and joins, covers along the line.
QPainterPath strokeOf(const QPainterPath &line, qreal width);
