#pragma once

#include "resources/artwork/iconspec.h"

#include <QImage>

// All icons at their display sizes, scaled as Qt scales an icon, on a light
// and on a dark panel, each labelled; for a person to look at.
QImage contactSheet(const QList<IconSpec> &specs, const QString &imageFolder);
