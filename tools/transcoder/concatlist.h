#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// Lists of ffmpeg's concat demuxer: "file '<path>'" lines, where a quote
// inside the path is written '\'' (and, unquoted, "\" escapes the next
// character). Relative names are relative to the list's folder.
bool parseConcatList(const QByteArray &text, const QString &listFolder, QStringList *files, QString *error);

// One concatListLine per path. A path cannot hold a line break: the caller
// checks with canListPath (engine/joinparts.h).
QByteArray formatConcatList(const QStringList &files);
