#pragma once

#include <QColor>
#include <QList>
#include <QString>

// One row of icons.table: what to draw and where it goes.
struct IconSpec {
    QString path;           // resource path relative to ":/", e.g. "res/mp4.png"
    QString painter;        // name of the drawing, see painters.h
    QString text;           // text drawn by the painter; empty for none
    QColor colour;          // the painter's main colour
    QList<int> displaySizes; // pixel sizes at which the interface shows it
};

// Parses the table text. On a malformed row returns an empty list and sets
// *error to a message naming the line.
QList<IconSpec> parseIconTable(const QString &tableText, QString *error);
