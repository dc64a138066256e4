#pragma once

#include <QStringList>

// One conversion (not a join): probe the input, let the plan rewrite the
// arguments for Debian's ffmpeg, run it; "--loudness=LUFS" first normalises
// the sound (loudnessrun.h). Returns the tool's exit code.
// printOnly: print ffmpeg's arguments, one a line, instead of running it.
int runSingle(const QStringList &given, bool printOnly);
