#pragma once

#include "tools/common/temporaryoutput.h"
#include "tools/transcoder/ffmpegrun.h"
#include "tools/transcoder/plan/loudness.h"
#include "tools/transcoder/plan/transcodeplan.h"

#include <QStringList>

#include <optional>

// The transcoder's "--loudness=LUFS": the two passes of plan/loudness.h run.

// Takes the option out of the arguments: target is the loudness it asks
// for, nullopt when it is not given. False with a message for a value that
// is no loudness loudnorm can reach.
bool takeLoudnessTarget(QStringList *arguments, std::optional<double> *target, QString *error);

// Measures the sound that the measuring arguments read (ebur128's summary),
// showing the pass within span of the progress bar. nullopt when stopped
// (stopsignals) or failed (the reason told on stderr), with the tool's exit
// code in exitCode.
std::optional<LoudnessMeasure> measureLoudness(const QStringList &arguments, double expectedSeconds,
                                               PercentSpan span, int *exitCode);

// Runs a plan as convertInto does; with a target and a marked plan, its
// sound is first measured and the output written normalised, both passes
// within span of the progress bar. sampleRate: the input's, kept where
// loudnorm's dynamic mode would raise it.
int convertAtLoudness(const TranscodePlan &plan, std::optional<double> target, int sampleRate,
                      TemporaryOutput::Existing existing, QString *ffmpegFailure = nullptr,
                      PercentSpan span = {}, QString *writtenPath = nullptr);

// Runs a join (stream copy) with its sound normalised as a whole: measured
// over the joined sound that measuringInput reads, then encoded again as
// soundModel's, through normalisingFilter, the progress bar spanning both
// passes.
int convertJoinAtLoudness(const QStringList &join, const QStringList &measuringInput, double target,
                          const MediaFacts &soundModel, double expectedSeconds,
                          TemporaryOutput::Existing existing);
