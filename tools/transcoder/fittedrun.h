#pragma once

#include "tools/common/temporaryoutput.h"
#include "tools/transcoder/joinplan.h"
#include "tools/transcoder/qualitycheck.h"
#include "tools/transcoder/plan/mediafacts.h"

#include <QStringList>

#include <optional>

// "Fit in" a size: a conversion or a join whose file comes out between 95 %
// and 100 % of the size asked, never over (sizefitting.h computes the
// bitrates, twopass.h the passes). A size that cannot work is refused before
// anything is encoded: the figures go to the application as "quillmora:"
// lines (engine/fitrefusal.h), the reason to stderr, and the tool exits 1.

// "--fit-size=<bytes>" taken out of the arguments: 0 when it is not there, -1
// when its value is not a count of bytes.
qint64 takeFitSize(QStringList *arguments);

// One conversion of the input, fitted in sizeBytes; with a loudness target
// (given marked, loudnessrun.h) its sound is measured first and normalised in
// the fitted passes; the quality check, where asked for, follows the kept
// try. Returns the exit code. printOnly: print ffmpeg's arguments for each
// pass instead of running them.
int runFittedSingle(const QStringList &given, const MediaFacts &input, qint64 sizeBytes,
                    std::optional<double> loudness, const QualityCheck &quality, bool printOnly);

// A join encoded again to fit: arguments read the concat list and name the
// output last, the streams mapped and no codec chosen; measuringInput reads
// the joined sound, measured first for a loudness target. Returns the exit code.
int runFittedJoin(const QStringList &arguments, const QStringList &measuringInput,
                  const JoinPlan &plan, const QList<JoinPart> &parts, qint64 sizeBytes,
                  std::optional<double> loudness, TemporaryOutput::Existing existing);
