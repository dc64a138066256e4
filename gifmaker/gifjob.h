#pragma once

#include "app/convertjob.h"

#include <QString>

// The GIF maker's choice, as the dialog hands it back.
struct GifChoice {
    QString path;
    int startMs = 0;     // the start last chosen in the preview
    int lengthSeconds = 5;
    int sizeChoice = 0;  // 0 small, 1 middle, 2 large
};

// A GIF maker job of the given format and profile: start and length in whole
// seconds (the start truncated), the size choice, the one input file.
ConvertJob makeGifJob(int formatId, const OutputProfile &profile, const GifChoice &choice);
