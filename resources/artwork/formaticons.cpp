// Format buttons: a page whose ribbon names the format and whose picture
// tells the family (film strip, note, picture), and the two device presets.
#include "resources/artwork/drawing.h"
#include "resources/artwork/painters.h"

#include <QPainter>

namespace {

const QColor pageOutline(0x84, 0x8f, 0x9e);
const QRectF glyphArea(24, 24, 52, 30); // between the folded corner and the ribbon

QPainterPath pageShape()
{
    return roundedPolygon({{16, 4}, {66, 4}, {84, 22}, {84, 96}, {16, 96}}, 4);
}

// The page, its folded corner and the ribbon with the format's name; the
// family's picture goes into glyphArea.
void paintPage(QPainter &painter, const IconSpec &spec)
{
    QLinearGradient paper(0, 4, 0, 96);
    paper.setColorAt(0, QColor(0xff, 0xff, 0xff));
    paper.setColorAt(1, QColor(0xe6, 0xea, 0xf0));
    fillOutlined(painter, pageShape(), paper, pageOutline);

    const QPainterPath flap = roundedPolygon({{66, 4}, {66, 22}, {84, 22}}, 2);
    fillOutlined(painter, flap, QColor(0xd3, 0xd9, 0xe2), pageOutline);

    QPainterPath ribbon;
    ribbon.addRoundedRect(QRectF(5, 58, 90, 28), 5, 5);
    fillOutlined(painter, ribbon, litFrom(spec.colour, 58, 86), shade(spec.colour, 65));

    const QPainterPath name = textPath(spec.text, QRectF(9, 58, 82, 28), 18);
    painter.fillPath(name.translated(0, 1.0), shade(spec.colour, 55));
    painter.fillPath(name, Qt::white);
}

QPainterPath filmStrip()
{
    QPainterPath strip;
    strip.addRoundedRect(glyphArea, 3, 3);
    QPainterPath holes;
    for (int k = 0; k < 6; ++k) {
        const qreal x = glyphArea.left() + 2.6 + k * 8.8;
        holes.addRoundedRect(QRectF(x, glyphArea.top() + 2.6, 5, 4), 1, 1);
        holes.addRoundedRect(QRectF(x, glyphArea.bottom() - 6.6, 5, 4), 1, 1);
    }
    const QPointF c = glyphArea.center();
    holes.addPolygon(QPolygonF({c + QPointF(-4.5, -6), c + QPointF(-4.5, 6), c + QPointF(6.5, 0)}));
    holes.closeSubpath();
    return strip.subtracted(holes);
}

QPainterPath beamedNotes()
{
    QPainterPath notes;
    const QPointF heads[] = {{37, 48}, {63, 44}};
    for (const QPointF &head : heads) {
        QPainterPath oval;
        oval.addEllipse(QPointF(0, 0), 7.5, 5.4);
        notes.addPath(QTransform().translate(head.x(), head.y()).rotate(-22).map(oval));
        notes.addRect(QRectF(head.x() + 3.6, head.y() - 24, 3.6, 24));
    }
    notes.addPolygon(QPolygonF({{40.6, 23}, {70.2, 18.5}, {70.2, 26}, {40.6, 30.5}}));
    notes.closeSubpath();
    // A little smaller and lower, so the beam keeps clear of the folded corner.
    const QTransform clear = QTransform().translate(50, 40).scale(0.9, 0.9).translate(-50, -38);
    return clear.map(notes.simplified());
}

} // namespace

void paintVideoFormat(QPainter &painter, const IconSpec &spec)
{
    paintPage(painter, spec);
    fillOutlined(painter, filmStrip(), litFrom(spec.colour, glyphArea.top(), glyphArea.bottom()),
                 shade(spec.colour, 65), 1.2);
}

void paintAudioFormat(QPainter &painter, const IconSpec &spec)
{
    paintPage(painter, spec);
    fillOutlined(painter, beamedNotes(), litFrom(spec.colour, 18, 54), shade(spec.colour, 65), 1.2);
}

void paintImageFormat(QPainter &painter, const IconSpec &spec)
{
    paintPage(painter, spec);
    QPainterPath frame;
    frame.addRoundedRect(glyphArea, 3, 3);
    painter.save();
    painter.setClipPath(frame);
    painter.fillPath(frame, shade(spec.colour, 190));
    QPainterPath sun;
    sun.addEllipse(QPointF(65, 32.5), 4.2, 4.2);
    painter.fillPath(sun, QColor(0xf4, 0xb4, 0x00));
    QPainterPath hills;
    hills.addPolygon(QPolygonF({{22, 56}, {39, 36}, {49, 46}, {57, 39}, {78, 56}}));
    painter.fillPath(hills, litFrom(spec.colour, 36, 56));
    painter.restore();
    painter.save();
    painter.setPen(QPen(shade(spec.colour, 80), 3.2));
    painter.setBrush(Qt::NoBrush);
    painter.drawPath(frame);
    painter.restore();
}

namespace {

struct Device {
    QRectF body;
    qreal cornerRadius;
    QRectF screen;
    qreal playRadius;
};

void paintDevice(QPainter &painter, const IconSpec &spec, const Device &device)
{
    QPainterPath body;
    body.addRoundedRect(device.body, device.cornerRadius, device.cornerRadius);
    QLinearGradient metal(device.body.topLeft(), device.body.bottomRight());
    metal.setColorAt(0, QColor(0x55, 0x5f, 0x6e));
    metal.setColorAt(1, QColor(0x1c, 0x22, 0x2a));
    fillOutlined(painter, body, metal, QColor(0x12, 0x16, 0x1c));

    QPainterPath screen;
    screen.addRoundedRect(device.screen, 2, 2);
    QLinearGradient glow(device.screen.topLeft(), device.screen.bottomRight());
    glow.setColorAt(0, shade(spec.colour, 150));
    glow.setColorAt(1, shade(spec.colour, 85));
    painter.fillPath(screen, glow);

    const QPointF c = device.screen.center();
    const qreal r = device.playRadius;
    QPainterPath disc;
    disc.addEllipse(c, r, r);
    painter.fillPath(disc, QColor(255, 255, 255, 235));
    const QPainterPath play = roundedPolygon(
        {c + QPointF(-0.35 * r, -0.5 * r), c + QPointF(-0.35 * r, 0.5 * r), c + QPointF(0.55 * r, 0)},
        0.12 * r);
    painter.fillPath(play, shade(spec.colour, 90));
}

} // namespace

void paintPhone(QPainter &painter, const IconSpec &spec)
{
    paintDevice(painter, spec, {QRectF(27, 4, 46, 92), 9, QRectF(31, 14, 38, 72), 10});
    QPainterPath speaker;
    speaker.addRoundedRect(QRectF(43, 8, 14, 2.6), 1.3, 1.3);
    speaker.addEllipse(QPointF(50, 91), 2.4, 2.4);
    painter.fillPath(speaker, QColor(0x8a, 0x94, 0xa3));
}

void paintTablet(QPainter &painter, const IconSpec &spec)
{
    paintDevice(painter, spec, {QRectF(11, 4, 78, 92), 8, QRectF(16, 10, 68, 78), 14});
    QPainterPath button;
    button.addEllipse(QPointF(50, 92), 2.4, 2.4);
    painter.fillPath(button, QColor(0x8a, 0x94, 0xa3));
}
