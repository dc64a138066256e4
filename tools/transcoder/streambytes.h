#pragma once

#include <QString>

// The bytes of the first video stream's packets in a written file, read by
// libavformat without decoding; -1 when the file cannot be read. What a
// fitted try measures to correct the next one: the rest of the file (sound,
// the container) stays the same between tries.
qint64 videoStreamBytes(const QString &path);
