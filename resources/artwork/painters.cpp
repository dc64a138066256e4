#include "resources/artwork/painters.h"

#include <QImage>
#include <QPainter>

namespace {

struct NamedPainter {
    const char *name;
    PaintIcon paint;
};

const NamedPainter namedPainters[] = {
    {"video", paintVideoFormat},   {"audio", paintAudioFormat},
    {"image", paintImageFormat},   {"phone", paintPhone},
    {"tablet", paintTablet},       {"removeitem", paintRemoveItem},
    {"removelist", paintRemoveList}, {"convert", paintConvert},
    {"stop", paintStop},           {"pencil", paintPencil},
    {"gear", paintGear},           {"folder", paintFolder},
    {"badge", paintBadge},         {"about", paintAbout},
    {"mark", paintMark},           {"success", paintSuccess},
    {"fail", paintFail},           {"previous", paintPrevious},
    {"play", paintPlay},           {"pause", paintPause},
    {"next", paintNext},           {"clapper", paintClapper},
    {"left", paintLeft},           {"right", paintRight},
    {"startmarker", paintStartMarker}, {"endmarker", paintEndMarker},
};

} // namespace

PaintIcon painterNamed(const QString &name)
{
    for (const NamedPainter &entry : namedPainters) {
        if (name == QLatin1String(entry.name))
            return entry.paint;
    }
    return nullptr;
}

QImage renderIcon(const IconSpec &spec, PaintIcon paint, int size)
{
    // The drawings fill a 100 x 100 box.
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 100.0, size / 100.0);
    paint(painter, spec);
    return image;
}
