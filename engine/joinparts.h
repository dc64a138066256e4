#pragma once

#include "app/convertjob.h"

#include <QString>

// Pure rules of a join job: what its parts are converted to, what they are
// called and how the concat list names them.

enum class JoinKind { Video, Audio };

// Audio for the audio joiner (and for its parts, whose category is Audio),
// Video otherwise.
JoinKind joinKindOf(const OutputProfile &profile);

// The job as its parts and its join pass are built: format id 0 and category
// Video for a video join, 11 and Audio for an audio join; the nine option
// fields stay those of the joiner.
ConvertJob withJoinPartFormat(ConvertJob job);

// "subvideo<part>.mp4" or "subaudio<part>.mp3".
QString joinPartFileName(JoinKind kind, int part);

// One line of the concat demuxer's list, without its line end: "file " and the
// path in single quotes, each ' written as '\''.
QString concatListLine(const QString &path);

// False for a path holding a line break: the demuxer reads its list line by
// line, so such a path cannot be listed.
bool canListPath(const QString &path);
