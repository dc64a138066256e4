#include "devtools/screenshot/composition.h"

#include <QPainter>

#include <algorithm>

namespace {

constexpr int Margin = 24;  // around everything
constexpr int Gap = 18;     // between the window and each page
const QColor backdrop(0xd5, 0xd9, 0xdf);
const QColor outline(0x8a, 0x90, 0x99);

void drawFramed(QPainter &painter, const QPoint &topLeft, const QImage &image)
{
    const QRect area(topLeft, image.size());
    painter.setPen(outline);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(area.adjusted(-1, -1, 0, 0)); // just outside the image
    painter.drawImage(topLeft, image);
}

} // namespace

QImage composeScreenshot(const QImage &window, int tabsTop, const QList<QImage> &pages)
{
    int width = Margin + window.width() + Margin;
    int height = window.height();
    for (const QImage &page : pages) {
        width += page.width() + Gap;
        height = std::max(height, tabsTop + page.height());
    }
    QImage canvas(width, Margin + height + Margin, QImage::Format_RGB32);
    canvas.fill(backdrop);

    QPainter painter(&canvas);
    drawFramed(painter, QPoint(Margin, Margin), window);
    int x = Margin + window.width() + Gap;
    for (const QImage &page : pages) {
        drawFramed(painter, QPoint(x, Margin + tabsTop), page);
        x += page.width() + Gap;
    }
    return canvas;
}

QImage stackEnlarged(const QList<QImage> &images, int factor)
{
    int width = 0;
    int height = 0;
    for (const QImage &image : images) {
        width = std::max(width, image.width() * factor);
        height += image.height() * factor + (height > 0 ? Gap : 0);
    }
    QImage canvas(std::max(width, 1), std::max(height, 1), QImage::Format_RGB32);
    canvas.fill(backdrop);
    QPainter painter(&canvas);
    int y = 0;
    for (const QImage &image : images) {
        const QImage enlarged = image.scaled(image.size() * factor, Qt::IgnoreAspectRatio, Qt::FastTransformation);
        painter.drawImage(0, y, enlarged);
        y += enlarged.height() + Gap;
    }
    return canvas;
}
