// Actions of the tool bars and menus, legible at 20 x 20.
#include "resources/artwork/drawing.h"
#include "resources/artwork/painters.h"

#include <QPainter>
#include <QtMath>

namespace {

const QColor rowFill(0xee, 0xf2, 0xf7);
const QColor rowOutline(0x5e, 0x6b, 0x7d);

void paintRow(QPainter &painter, const QRectF &row)
{
    QPainterPath card;
    card.addRoundedRect(row, 4, 4);
    fillOutlined(painter, card, rowFill, rowOutline, 3.5);
}

// A red disc over the lower right corner, with a white minus or cross.
void paintRemovalBadge(QPainter &painter, const QColor &colour, bool cross)
{
    const QPointF centre(70, 70);
    drawDisc(painter, centre, 27, colour);
    QPainterPath mark;
    if (cross) {
        mark.moveTo(centre + QPointF(-10, -10));
        mark.lineTo(centre + QPointF(10, 10));
        mark.moveTo(centre + QPointF(10, -10));
        mark.lineTo(centre + QPointF(-10, 10));
    } else {
        mark.moveTo(centre + QPointF(-12, 0));
        mark.lineTo(centre + QPointF(12, 0));
    }
    painter.fillPath(strokeOf(mark, 9), Qt::white);
}

// An arc of the circle around `centre` that runs clockwise from
// `startDegrees` (counted counter-clockwise from three o'clock, as Qt does)
// over `clockwiseDegrees`, ending in an arrow head.
QPainterPath arcArrow(const QPointF &centre, qreal radius, qreal startDegrees,
                      qreal clockwiseDegrees, qreal width)
{
    const QRectF circle(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath arc;
    arc.arcMoveTo(circle, startDegrees);
    arc.arcTo(circle, startDegrees, -clockwiseDegrees);
    const qreal end = qDegreesToRadians(startDegrees - clockwiseDegrees);
    const QPointF outward(qCos(end), -qSin(end));
    const QPointF ahead(qSin(end), qCos(end)); // clockwise tangent
    const QPointF tip = arc.currentPosition();
    QPainterPath head;
    head.addPolygon(QPolygonF({tip + outward * width * 1.1, tip + ahead * width * 1.2,
                               tip - outward * width * 1.1}));
    head.closeSubpath();
    QPainterPathStroker stroker;
    stroker.setWidth(width);
    stroker.setCapStyle(Qt::FlatCap);
    return stroker.createStroke(arc).united(head).simplified();
}

} // namespace

void paintRemoveItem(QPainter &painter, const IconSpec &spec)
{
    paintRow(painter, QRectF(4, 24, 76, 32));
    QPainterPath line;
    line.moveTo(15, 40);
    line.lineTo(46, 40);
    painter.fillPath(strokeOf(line, 7), rowOutline);
    paintRemovalBadge(painter, spec.colour, false);
}

void paintRemoveList(QPainter &painter, const IconSpec &spec)
{
    for (int k = 0; k < 3; ++k)
        paintRow(painter, QRectF(4, 6 + k * 24, 76, 17));
    paintRemovalBadge(painter, spec.colour, true);
}

void paintConvert(QPainter &painter, const IconSpec &spec)
{
    const QPointF centre(50, 50);
    QPainterPath arrows = arcArrow(centre, 32, 165, 125, 13);
    arrows = arrows.united(arcArrow(centre, 32, 345, 125, 13));
    fillOutlined(painter, arrows, litFrom(spec.colour, 10, 90), shade(spec.colour, 65));
}

void paintStop(QPainter &painter, const IconSpec &spec)
{
    QPainterPath square;
    square.addRoundedRect(QRectF(15, 15, 70, 70), 12, 12);
    fillOutlined(painter, square, litFrom(spec.colour, 15, 85), shade(spec.colour, 65));
}

void paintPencil(QPainter &painter, const IconSpec &spec)
{
    // Drawn along the x axis, eraser at -44, point at +44, then turned so
    // the point writes at the lower left.
    const QTransform turn = QTransform().translate(50, 50).rotate(135).scale(1.12, 1.12);
    const qreal half = 13;
    QPainterPath body;
    body.addRect(QRectF(-22, -half, 44, 2 * half));
    QPainterPath eraser;
    eraser.addRoundedRect(QRectF(-44, -half, 16, 2 * half), 4, 4);
    QPainterPath ferrule;
    ferrule.addRect(QRectF(-30, -half, 8, 2 * half));
    QPainterPath wood;
    wood.addPolygon(QPolygonF({{22, -half}, {22, half}, {44, 0}}));
    wood.closeSubpath();
    QPainterPath lead;
    lead.addPolygon(QPolygonF({{36, -4.7}, {36, 4.7}, {44, 0}}));
    lead.closeSubpath();

    QLinearGradient across(0, -half, 0, half);
    across.setColorAt(0, shade(spec.colour, 120));
    across.setColorAt(0.5, spec.colour);
    across.setColorAt(1, shade(spec.colour, 80));

    painter.save();
    painter.setTransform(turn, true);
    painter.fillPath(eraser, QColor(0xe8, 0x86, 0x96));
    painter.fillPath(body, across);
    painter.fillPath(ferrule, QColor(0xb3, 0xbc, 0xc8));
    painter.fillPath(wood, QColor(0xf1, 0xd2, 0xa2));
    painter.fillPath(lead, QColor(0x33, 0x33, 0x33));
    const QPainterPath outline = eraser.united(body).united(ferrule).united(wood).simplified();
    fillOutlined(painter, outline, Qt::NoBrush, QColor(0x5a, 0x45, 0x20), 3);
    painter.restore();
}

void paintGear(QPainter &painter, const IconSpec &spec)
{
    const QPointF centre(50, 50);
    QList<QPointF> rim;
    const auto polar = [&](qreal radius, qreal degrees) {
        const qreal a = qDegreesToRadians(degrees);
        return centre + QPointF(radius * qCos(a), radius * qSin(a));
    };
    for (int tooth = 0; tooth < 8; ++tooth) {
        const qreal a = tooth * 45.0 + 22.5;
        rim << polar(34, a - 17) << polar(46, a - 10) << polar(46, a + 10) << polar(34, a + 17);
    }
    QPainterPath hole;
    hole.addEllipse(centre, 14, 14);
    const QPainterPath gear = roundedPolygon(rim, 2.5).subtracted(hole);
    fillOutlined(painter, gear, litFrom(spec.colour, 4, 96), shade(spec.colour, 60), 2.5);
}

void paintFolder(QPainter &painter, const IconSpec &spec)
{
    const QPainterPath back =
        roundedPolygon({{6, 14}, {38, 14}, {46, 24}, {94, 24}, {94, 86}, {6, 86}}, 4);
    fillOutlined(painter, back, shade(spec.colour, 82), shade(spec.colour, 55));
    QPainterPath paper;
    paper.addRoundedRect(QRectF(16, 20, 68, 44), 2, 2);
    fillOutlined(painter, paper, Qt::white, QColor(0x8a, 0x94, 0xa3));
    const QPainterPath front = roundedPolygon({{3, 40}, {97, 40}, {93, 88}, {7, 88}}, 4);
    fillOutlined(painter, front, litFrom(spec.colour, 40, 88), shade(spec.colour, 55));
}

void paintBadge(QPainter &painter, const IconSpec &spec)
{
    QPainterPath badge;
    badge.addRoundedRect(QRectF(4, 12, 92, 76), 14, 14);
    fillOutlined(painter, badge, litFrom(spec.colour, 12, 88), shade(spec.colour, 60));
    painter.fillPath(textPath(spec.text, QRectF(10, 12, 80, 76), 56), Qt::white);
}

void paintAbout(QPainter &painter, const IconSpec &spec)
{
    drawDisc(painter, QPointF(50, 50), 46, spec.colour);
    QPainterPath letter;
    letter.addEllipse(QPointF(50, 27), 8.5, 8.5);
    letter.addRoundedRect(QRectF(42, 40, 16, 39), 3, 3);
    painter.fillPath(letter, Qt::white);
}
