#pragma once

#include "tools/common/childprocess.h"
#include "tools/common/temporaryoutput.h"

#include <QStringList>

#include <functional>

// The part of the progress bar that one run of ffmpeg fills, in percent: a
// job of two passes gives each pass its share of one bar.
struct PercentSpan {
    int from = 0;
    int to = 100;

    // Where percent (0..100) of this run lies on the whole bar.
    int at(int percent) const { return from + (to - from) * percent / 100; }
};

// The one place where the transcoder starts Debian's ffmpeg.
struct FfmpegRun {
    ChildResult child;
    bool wroteSomething = false; // ffmpeg's last report counted frames or media time
};

// Runs ffmpeg with the arguments, quietly and with machine-readable progress;
// onPercent gets every new percentage of expectedSeconds (0 to 99).
FfmpegRun runFfmpeg(const QStringList &arguments, double expectedSeconds,
                    const std::function<void(int)> &onPercent = {});

// Runs ffmpeg as runFfmpeg does, showing its percentage within span in the
// progress block: a pass that writes no output of the job's own.
FfmpegRun runFfmpegShowingProgress(const QStringList &arguments, double expectedSeconds, PercentSpan span);

// Where ffmpeg writes the file: the path, after the format by the final
// name's suffix when the file has no name yet. False when ffmpeg writes no
// such format.
bool appendOutput(const TemporaryOutput &output, QStringList *arguments, QString *error);

// Why a run failed, in one line.
QString describeFailure(const FfmpegRun &run);

// Runs ffmpeg whose last argument is the output: writes it through a
// temporary file, shows the percentage in the progress block, and keeps the
// file only when ffmpeg succeeded and wrote something, replacing a file of
// its name only when told to (else under a free name, told on stdout).
// Returns the tool's exit code. With ffmpegFailure, a failure of ffmpeg
// itself is not reported but described there, so that the caller can try
// another way. The percentage fills span of the bar; 100 comes when the
// output is kept.
int convertInto(QStringList arguments, double expectedSeconds, TemporaryOutput::Existing existing,
                QString *ffmpegFailure = nullptr, PercentSpan span = {});
