#pragma once

#include <QString>

// Filter of the file dialog for a category, made of the suffix tables;
// empty for a category that opens no file dialog (the GIF maker).
QString mediaFileFilter(int category);

// Size in whole kilobytes, a started kilobyte counting as a whole one.
qint64 kilobytesOf(qint64 bytes);
