#pragma once

#include "resources/artwork/iconspec.h"

class QImage;
class QPainter;

// Draws one icon of the table into the 100 x 100 box of drawing.h.
using PaintIcon = void (*)(QPainter &painter, const IconSpec &spec);

// The drawing that icons.table names; nullptr for an unknown name.
PaintIcon painterNamed(const QString &name);

// One icon drawn at size x size pixels on a transparent ground.
QImage renderIcon(const IconSpec &spec, PaintIcon paint, int size);

// Format pages and devices (formaticons.cpp).
void paintVideoFormat(QPainter &painter, const IconSpec &spec);
void paintAudioFormat(QPainter &painter, const IconSpec &spec);
void paintImageFormat(QPainter &painter, const IconSpec &spec);
void paintPhone(QPainter &painter, const IconSpec &spec);
void paintTablet(QPainter &painter, const IconSpec &spec);

// Actions of the tool bars and menus (actionicons.cpp).
void paintRemoveItem(QPainter &painter, const IconSpec &spec);
void paintRemoveList(QPainter &painter, const IconSpec &spec);
void paintConvert(QPainter &painter, const IconSpec &spec);
void paintStop(QPainter &painter, const IconSpec &spec);
void paintPencil(QPainter &painter, const IconSpec &spec);
void paintGear(QPainter &painter, const IconSpec &spec);
void paintFolder(QPainter &painter, const IconSpec &spec);
void paintBadge(QPainter &painter, const IconSpec &spec);
void paintAbout(QPainter &painter, const IconSpec &spec);

// The mark, results, player and GIF maker (mediaicons.cpp).
void paintMark(QPainter &painter, const IconSpec &spec);
void paintSuccess(QPainter &painter, const IconSpec &spec);
void paintFail(QPainter &painter, const IconSpec &spec);
void paintPrevious(QPainter &painter, const IconSpec &spec);
void paintPlay(QPainter &painter, const IconSpec &spec);
void paintPause(QPainter &painter, const IconSpec &spec);
void paintNext(QPainter &painter, const IconSpec &spec);
void paintClapper(QPainter &painter, const IconSpec &spec);
void paintLeft(QPainter &painter, const IconSpec &spec);
void paintRight(QPainter &painter, const IconSpec &spec);
void paintStartMarker(QPainter &painter, const IconSpec &spec);
void paintEndMarker(QPainter &painter, const IconSpec &spec);
