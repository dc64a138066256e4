#pragma once

#include "tools/transcoder/plan/mediafacts.h"

#include <QString>

#include <optional>

// The facts of an ISO base media file (MP4, MOV, M4A, 3GP) read from its own
// boxes, exactly as libavformat reports them from the header, without the
// cost of loading libavformat. Nothing when the file is anything else or
// holds anything this reader does not follow (fragments, several sample
// descriptions, more than one video or sound track, a codec whose parameters
// libavformat leaves to a decoder, a damaged or truncated box): then the
// caller asks libavformat.
std::optional<MediaFacts> readIsoMediaFacts(const QString &path);
