#pragma once

#include "tools/common/childprocess.h"
#include "tools/common/temporaryoutput.h"

#include <QStringList>

#include <functional>

// The one place where the transcoder starts Debian's ffmpeg.
struct FfmpegRun {
    ChildResult child;
    bool wroteSomething = false; // ffmpeg's last report counted frames or media time
};

// Runs ffmpeg with the arguments, quietly and with machine-readable progress;
// onPercent gets every new percentage of expectedSeconds (0 to 99).
FfmpegRun runFfmpeg(const QStringList &arguments, double expectedSeconds,
                    const std::function<void(int)> &onPercent = {});

// The progress block the application reads. QUILLMORA_PROGRESS_BLOCK names
// another one, so that tests can run beside an application that is converting.
QString progressBlockName();

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
// another way.
int convertInto(QStringList arguments, double expectedSeconds, TemporaryOutput::Existing existing,
                QString *ffmpegFailure = nullptr);
