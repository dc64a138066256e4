#pragma once

#include <QStringList>

class QTabWidget;

// Why the format tab widget's current page would not show whole in a picture:
// tab titles that do not fit the bar (or scroll arrows in their place), and
// format buttons of the page that are cut off by its scroll area or greyed out.
// Empty when everything shows.
QStringList formatPageFaults(const QTabWidget &tabs);
