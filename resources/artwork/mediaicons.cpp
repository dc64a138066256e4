// The product's mark, the result dialog, the preview player and the GIF
// maker's step buttons and time markers.
#include "resources/artwork/drawing.h"
#include "resources/artwork/painters.h"

#include <QPainter>

namespace {

const QTransform mirror(-1, 0, 0, 1, 100, 0); // left-right about the box's centre

QPainterPath skipSymbol()
{
    QPainterPath symbol = roundedPolygon({{27, 33}, {27, 67}, {48, 50}}, 2.5);
    symbol.addPath(roundedPolygon({{46, 33}, {46, 67}, {67, 50}}, 2.5));
    symbol.addRoundedRect(QRectF(66, 33, 7, 34), 1.5, 1.5);
    return symbol.simplified();
}

QPainterPath stepArrow()
{
    return roundedPolygon({{26, 14}, {26, 86}, {80, 50}}, 7);
}

// A bar before an arrow: where the range starts; mirrored, where it ends.
QPainterPath rangeMarker()
{
    QPainterPath marker;
    marker.addRoundedRect(QRectF(12, 14, 12, 72), 3, 3);
    marker.addPath(roundedPolygon({{33, 18}, {33, 82}, {88, 50}}, 6));
    return marker.simplified();
}

// The quill of the mark, from its point at the lower left to its tip at the
// upper right; the shaft and two notches are cut out of the vane so the
// ground shows through.
QPainterPath quill()
{
    QPainterPath vane;
    vane.moveTo(-20, 1);
    vane.cubicTo(-8, -19, 24, -19, 41, 0);
    vane.cubicTo(26, 11, -6, 12, -20, 1);
    QPainterPath cuts;
    cuts.addPolygon(QPolygonF({{4, -20}, {8, -20}, {12, -5}}));
    cuts.closeSubpath();
    cuts.addPolygon(QPolygonF({{16, 12}, {20, 12}, {24, 3}}));
    cuts.closeSubpath();
    QPainterPath shaft;
    shaft.moveTo(-16, 0);
    shaft.lineTo(36, 0);
    QPainterPathStroker cut;
    cut.setWidth(2.2);
    QPainterPath feather = vane.subtracted(cuts).subtracted(cut.createStroke(shaft));
    feather.addPolygon(QPolygonF({{-19, -2.6}, {-19, 2.6}, {-41, 0}}));
    feather.closeSubpath();
    return QTransform().translate(50, 50).rotate(-45).map(feather.simplified());
}

} // namespace

void paintMark(QPainter &painter, const IconSpec &spec)
{
    QPainterPath ground;
    ground.addRoundedRect(QRectF(4, 4, 92, 92), 22, 22);
    QLinearGradient sky(4, 4, 96, 96);
    sky.setColorAt(0, shade(spec.colour, 115));
    sky.setColorAt(1, QColor(0x16, 0xa5, 0xc8));
    fillOutlined(painter, ground, sky, shade(spec.colour, 60), 1.5);
    painter.fillPath(quill(), Qt::white);
}

void paintSuccess(QPainter &painter, const IconSpec &spec)
{
    drawDisc(painter, QPointF(50, 50), 46, spec.colour);
    QPainterPath check;
    check.moveTo(27, 52);
    check.lineTo(43, 68);
    check.lineTo(73, 35);
    painter.fillPath(strokeOf(check, 12), Qt::white);
}

void paintFail(QPainter &painter, const IconSpec &spec)
{
    drawDisc(painter, QPointF(50, 50), 46, spec.colour);
    QPainterPath cross;
    cross.moveTo(33, 33);
    cross.lineTo(67, 67);
    cross.moveTo(67, 33);
    cross.lineTo(33, 67);
    painter.fillPath(strokeOf(cross, 12), Qt::white);
}

void paintPrevious(QPainter &painter, const IconSpec &spec)
{
    drawDisc(painter, QPointF(50, 50), 46, spec.colour);
    painter.fillPath(mirror.map(skipSymbol()), Qt::white);
}

void paintPlay(QPainter &painter, const IconSpec &spec)
{
    drawDisc(painter, QPointF(50, 50), 46, spec.colour);
    painter.fillPath(roundedPolygon({{39, 29}, {39, 71}, {73, 50}}, 4), Qt::white);
}

void paintPause(QPainter &painter, const IconSpec &spec)
{
    drawDisc(painter, QPointF(50, 50), 46, spec.colour);
    QPainterPath bars;
    bars.addRoundedRect(QRectF(33, 30, 12, 40), 2.5, 2.5);
    bars.addRoundedRect(QRectF(55, 30, 12, 40), 2.5, 2.5);
    painter.fillPath(bars, Qt::white);
}

void paintNext(QPainter &painter, const IconSpec &spec)
{
    drawDisc(painter, QPointF(50, 50), 46, spec.colour);
    painter.fillPath(skipSymbol(), Qt::white);
}

void paintClapper(QPainter &painter, const IconSpec &spec)
{
    const QColor outline = shade(spec.colour, 60);
    QPainterPath body;
    body.addRoundedRect(QRectF(8, 40, 84, 52), 5, 5);
    fillOutlined(painter, body, litFrom(spec.colour, 40, 92), outline);
    painter.fillPath(roundedPolygon({{41, 54}, {41, 82}, {64, 68}}, 3), Qt::white);

    // The clapstick, raised, with its stripes.
    const QTransform raised = QTransform().translate(8, 38).rotate(-16);
    QPainterPath stick;
    stick.addRoundedRect(QRectF(0, -16, 84, 16), 3, 3);
    QPainterPath stripes;
    for (int k = 0; k < 4; ++k) {
        const qreal x = 6 + k * 20;
        stripes.addPolygon(QPolygonF({{x, -16}, {x + 10, -16}, {x + 2, 0}, {x - 8, 0}}));
        stripes.closeSubpath();
    }
    painter.save();
    painter.setTransform(raised, true);
    fillOutlined(painter, stick, Qt::white, outline);
    painter.setClipPath(stick);
    painter.fillPath(stripes, spec.colour);
    painter.setClipping(false);
    fillOutlined(painter, stick, Qt::NoBrush, outline);
    painter.restore();
}

void paintLeft(QPainter &painter, const IconSpec &spec)
{
    fillOutlined(painter, mirror.map(stepArrow()), litFrom(spec.colour, 14, 86),
                 shade(spec.colour, 60));
}

void paintRight(QPainter &painter, const IconSpec &spec)
{
    fillOutlined(painter, stepArrow(), litFrom(spec.colour, 14, 86), shade(spec.colour, 60));
}

void paintStartMarker(QPainter &painter, const IconSpec &spec)
{
    fillOutlined(painter, rangeMarker(), litFrom(spec.colour, 14, 86), shade(spec.colour, 60));
}

void paintEndMarker(QPainter &painter, const IconSpec &spec)
{
    fillOutlined(painter, mirror.map(rangeMarker()), litFrom(spec.colour, 14, 86),
                 shade(spec.colour, 60));
}
