#pragma once

#include "tools/common/temporaryoutput.h"

#include <QStringList>

// The pieces of an ffmpeg-style argument list that the transcoder looks at.
namespace commandline {

// The transcoder's own options ("--name" or "--name=value") come before the
// ffmpeg-style arguments. Takes the option out of the arguments and gives its
// value (empty for a bare "--name"); false when it is not there.
bool takeOption(QStringList *arguments, const QString &name, QString *value = nullptr);

// The value after the first "-i", or empty.
QString inputOf(const QStringList &arguments);

// A join: "-f concat" before the input.
bool isJoin(const QStringList &arguments);

// "-y": an output that is there is replaced. Without it the file written
// takes the next free "_N" name instead (ffmpeg's own "-n" means the same).
TemporaryOutput::Existing outputExisting(const QStringList &arguments);

// Enough for a run: an input and an output after it.
bool isComplete(const QStringList &arguments);

} // namespace commandline
