#pragma once

#include <QString>
#include <QStringList>

// The ffmpeg output options that carry the tags (title, artist, dates,
// creation_time, language, location, ...) and the chapters of one input to an
// output of that container (its suffix), wherever the container has room.
// ffmpeg's own default leaves creation_time out.
QStringList sourceTagOptions(int input, const QString &container);
