#pragma once

#include <QString>

#include <array>

// How loud a job's sound is made (EBU R128 integrated loudness), as the
// Setting dialog and "--loudness" offer it.
struct LoudnessChoice {
    int lufs;          // the target; 0 leaves the loudness as it is
    const char *label; // source text, context "OutputSettings"
};

constexpr int LoudnessChoiceCount = 4;

// Off first, then the targets from loudest to quietest.
const std::array<LoudnessChoice, LoudnessChoiceCount> &loudnessChoices();

// True for the targets of the table (not for 0, which is off).
bool isLoudnessTarget(int lufs);

// The translated label of the choice; "Off" for a value without one.
QString loudnessLabel(int lufs);
