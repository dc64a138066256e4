#pragma once

#include <QStringList>

// A join ("-f concat -i <list> ... <output>"): read the list, check that the
// parts fit together, give silent parts a silent track, and join them by
// stream copy; "--loudness=LUFS" normalises the joined sound as a whole
// (loudnessrun.h). Returns the tool's exit code.
int runJoin(const QStringList &given);
