#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <optional>

// Loudness normalisation to EBU R128 in two passes: ffmpeg's ebur128 filter
// measures the sound as the output is to have it, then one gain (the volume
// filter) brings it to the target where that keeps the true peak at most
// loudnessPeakAim, and loudnorm's dynamic mode only where it does not.
// Pure: the runs are in loudnessrun.h.

// The highest true peak of a normalised output, dBTP, and what loudnorm aims
// at: half a decibel lower, for the peaks that a lossy encoder adds.
constexpr double loudnessPeakCeiling = -1;
constexpr double loudnessPeakAim = loudnessPeakCeiling - 0.5;

struct LoudnessMeasure {
    double integrated = 0; // LUFS
    double threshold = 0;  // LUFS: the relative gate of the integrated loudness
    double range = 0;      // LU
    double truePeak = 0;   // dBTP; minus infinity for silence
};

// The target of "--loudness=VALUE": an integrated loudness loudnorm can
// reach, -70 to -5 LUFS; nullopt for anything else.
std::optional<double> parseLoudnessTarget(const QString &value);

// The given arguments with a mark at the end of their sound's filters
// ("-af"), where the normalisation goes. Planned with it, the sound is
// never copied; a plan that drops the sound drops the mark too.
QStringList withLoudnessMark(const QStringList &given);
bool hasLoudnessMark(const QStringList &planned);

// ffmpeg's arguments that measure the sound the input arguments read (the
// options before "-i", "-i" and its input), through the filters given (may
// be empty), and write nothing; ebur128's summary goes to standard error.
QStringList loudnessMeasureArguments(const QStringList &inputArguments, const QString &filters);

// The measuring run of planned (marked) arguments: the same cut of the same
// sound, through the filters before the mark and at the output's channels.
QStringList loudnessMeasureArgumentsOf(const QStringList &planned);

// The summary ebur128 logs when it ends; nullopt when the log holds none.
std::optional<LoudnessMeasure> parseLoudnessSummary(const QByteArray &log);

// True when one gain brings the sound to target with its true peak at most
// loudnessPeakAim: loudnorm's linear mode, which changes nothing else.
bool reachesLinearly(double target, const LoudnessMeasure &measured);

// The loudnorm filter that brings the measured sound to target.
QString loudnormFilter(double target, const LoudnessMeasure &measured);

// The filter that brings the measured sound to target: a volume change of
// the one gain where that reaches it, loudnormFilter where it does not.
QString normalisingFilter(double target, const LoudnessMeasure &measured);

// The planned arguments with the mark replaced by normalisingFilter (at
// the output's channels), and the sample rate kept where loudnorm's dynamic
// mode would raise it to 192 kHz. Silence gets no normalisation.
QStringList loudnessApplyArguments(const QStringList &planned, double target,
                                   const LoudnessMeasure &measured, int sampleRate);

// A join's arguments (a stream copy: "-c copy" before the output) with its
// sound normalised as a whole: encoded again with the parts' encoder, rate
// and bitrate (0: the encoder's own), through normalisingFilter; pictures
// stay copied.
QStringList loudnessJoinArguments(const QStringList &join, double target,
                                  const LoudnessMeasure &measured, const QString &encoder,
                                  int sampleRate, qint64 bitRate);
