#include "resources/artwork/contactsheet.h"

#include <QFileInfo>
#include <QFont>
#include <QPainter>

namespace {

const int sheetWidth = 1180;
const int margin = 16;
const int gap = 10;
const int labelHeight = 16;

struct Cell {
    QImage original;
    QList<int> sizes;
    QString label;
    int width;
    int height;
};

QList<Cell> cellsOf(const QList<IconSpec> &specs, const QString &imageFolder)
{
    QList<Cell> cells;
    for (const IconSpec &spec : specs) {
        Cell cell{QImage(imageFolder + QLatin1Char('/') + spec.path), spec.displaySizes,
                  QFileInfo(spec.path).completeBaseName(), 0, 0};
        for (int size : cell.sizes) {
            cell.width += size + gap;
            cell.height = qMax(cell.height, size);
        }
        cell.width = qMax(cell.width, 112); // room for the longest file name
        cell.height += labelHeight + gap;
        cells.append(cell);
    }
    return cells;
}

// Lays the cells out row by row from `top`; paints them when a painter is given.
int layOut(const QList<Cell> &cells, int top, QPainter *painter, const QColor &ink)
{
    int x = margin;
    int y = top;
    int rowHeight = 0;
    for (const Cell &cell : cells) {
        if (x + cell.width > sheetWidth - margin) {
            x = margin;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        if (painter) {
            int sx = x;
            for (int size : cell.sizes) {
                const QImage scaled =
                    cell.original.scaled(size, size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
                painter->drawImage(sx, y + cell.height - labelHeight - gap - size, scaled);
                sx += size + gap;
            }
            painter->setPen(ink);
            painter->drawText(QRect(x, y + cell.height - labelHeight, cell.width, labelHeight),
                              Qt::AlignLeft | Qt::AlignVCenter, cell.label);
        }
        x += cell.width + gap;
        rowHeight = qMax(rowHeight, cell.height);
    }
    return y + rowHeight + margin;
}

} // namespace

QImage contactSheet(const QList<IconSpec> &specs, const QString &imageFolder)
{
    const QList<Cell> cells = cellsOf(specs, imageFolder);
    const int panelHeight = layOut(cells, margin, nullptr, Qt::black);
    QImage sheet(sheetWidth, 2 * panelHeight, QImage::Format_RGB32);
    QPainter painter(&sheet);
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(11);
    painter.setFont(font);
    const struct {
        QColor ground;
        QColor ink;
    } panels[] = {{QColor(0xf4, 0xf4, 0xf4), QColor(0x30, 0x30, 0x30)},
                  {QColor(0x2b, 0x2d, 0x31), QColor(0xd8, 0xd8, 0xd8)}};
    for (int i = 0; i < 2; ++i) {
        const int top = i * panelHeight;
        painter.fillRect(0, top, sheetWidth, panelHeight, panels[i].ground);
        layOut(cells, top + margin, &painter, panels[i].ink);
    }
    return sheet;
}
