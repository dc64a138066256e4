#include "resources/artwork/drawing.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPathStroker>
#include <QtMath>

namespace {

bool hasIdeographs(const QString &text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x2E80)
            return true;
    }
    return false;
}

} // namespace

QColor shade(const QColor &colour, int percent)
{
    return percent >= 100 ? colour.lighter(percent) : colour.darker(10000 / percent);
}

QBrush litFrom(const QColor &colour, qreal top, qreal bottom)
{
    QLinearGradient gradient(0, top, 0, bottom);
    gradient.setColorAt(0, shade(colour, 125));
    gradient.setColorAt(1, shade(colour, 88));
    return gradient;
}

void fillOutlined(QPainter &painter, const QPainterPath &path, const QBrush &fill,
                  const QColor &outline, qreal outlineWidth)
{
    painter.save();
    painter.setBrush(fill);
    QPen pen(outline, outlineWidth);
    pen.setJoinStyle(Qt::RoundJoin);
    painter.setPen(outlineWidth > 0 ? pen : QPen(Qt::NoPen));
    painter.drawPath(path);
    painter.restore();
}

QPainterPath textPath(const QString &text, const QRectF &box, qreal inkHeight)
{
    const bool ideographs = hasIdeographs(text);
    QFont font(ideographs ? QStringLiteral("Noto Sans CJK SC") : QStringLiteral("DejaVu Sans"));
    font.setBold(true);
    font.setPixelSize(100);
    font.setHintingPreference(QFont::PreferNoHinting);
    QPainterPath path;
    path.addText(0, 0, font, text);
    QRectF ink = path.boundingRect();
    if (ink.isEmpty())
        return path;
    // Latin labels are sized and centred by their capitals, so a descending
    // "J" or a round "O" does not make one label smaller or lower than another.
    if (!ideographs) {
        const qreal capHeight = QFontMetricsF(font).capHeight();
        ink = QRectF(ink.left(), -capHeight, ink.width(), capHeight);
    }
    const qreal scale = qMin(inkHeight / ink.height(), box.width() / ink.width());
    QTransform fit;
    fit.translate(box.center().x(), box.center().y());
    fit.scale(scale, scale);
    fit.translate(-ink.center().x(), -ink.center().y());
    return fit.map(path);
}

QPainterPath roundedPolygon(const QList<QPointF> &points, qreal radius)
{
    QPainterPath path;
    const int n = points.size();
    for (int i = 0; i < n; ++i) {
        const QPointF previous = points[(i + n - 1) % n];
        const QPointF corner = points[i];
        const QPointF next = points[(i + 1) % n];
        const auto towards = [&](const QPointF &to) {
            const QPointF d = to - corner;
            const qreal length = qSqrt(QPointF::dotProduct(d, d));
            return corner + d * (qMin(radius, length / 2) / length);
        };
        const QPointF in = towards(previous);
        const QPointF out = towards(next);
        if (i == 0)
            path.moveTo(in);
        else
            path.lineTo(in);
        path.quadTo(corner, out);
    }
    path.closeSubpath();
    return path;
}

void drawDisc(QPainter &painter, const QPointF &centre, qreal radius, const QColor &colour)
{
    QPainterPath disc;
    disc.addEllipse(centre, radius, radius);
    fillOutlined(painter, disc, litFrom(colour, centre.y() - radius, centre.y() + radius),
                 shade(colour, 70), 2.0);
    // A faint inner rim keeps dark discs apart from a dark background.
    painter.save();
    painter.setPen(QPen(QColor(255, 255, 255, 70), 1.6));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, radius - 2.4, radius - 2.4);
    painter.restore();
}

QPainterPath strokeOf(const QPainterPath &line, qreal width)
{
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    return stroker.createStroke(line).simplified();
}
