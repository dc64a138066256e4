#pragma once

#include "app/outputprofile.h"

#include <QString>
#include <QStringList>

class QProgressBar;

enum JobState : int {
    Ready = 0,
    Converting = 1,
    Failed = 2,
    Stopped = 3,
    Succeeded = 4,
    UpToDate = 5, // skipped: its output was already there and not older than its source
};

// Succeeded or UpToDate: nothing is left to do for the job, and no run takes it again.
inline bool jobIsDone(int state)
{
    return state == Succeeded || state == UpToDate;
}

struct WatermarkOptions {
    QString imagePath;       // picture to overlay, as chosen; empty for none
    int imageX = 10;
    int imageY = 10;
    QString text;            // text to draw; empty for none
    QString fontName = QStringLiteral("Times New Roman");
    int fontSize = 23;       // index into the text sizes, 0..23
    int fontColor = 0;       // index into the text colours, 0..13
    int textX = 10;
    int textY = 10;
};

struct EditOptions {
    int trimStart = 0;       // milliseconds; whole seconds for a GIF maker job
    int trimLength = 0;      // same unit; 0 keeps the whole file
    int gifSize = 0;         // GIF maker frame size choice, 0..2
    int rotation = 0;        // quarter turns clockwise, 0..3
    int verticalFlip = 0;
    int horizontalFlip = 0;
    int volume = 100;        // percent
    int brightness = 0;
    int contrast = 0;
    int saturation = 0;
    WatermarkOptions watermark;
    QString subtitlePath;    // subtitle file to burn in, as chosen; empty for none
    int subtitleCodePage = 0;
    int subtitleFontSize = 14;
};

// One row of the job list. A joiner job has several inputFiles and no inputPath.
struct ConvertJob {
    QString inputPath;
    QString outputPath;
    // Where under the output folder the output goes: the input's folder
    // relative to the folder it was found in ("Artist/Album"); empty: the
    // output folder itself.
    QString outputSubfolder;
    QStringList inputFiles;
    int formatId = 0;
    int state = Ready;
    OutputProfile profile;
    EditOptions edit;
    qint64 fitBytes = 0;                 // "Fit in" this many bytes (app/fitsize.h); 0: Off
    int loudness = 0; // EBU R128 target of the sound in LUFS (loudnesschoices.h); 0 keeps it as it is
    QProgressBar *progressBar = nullptr; // borrowed: the job table owns the bar
};

// A new job with the creator defaults, for the given format and profile.
ConvertJob makeJob(int formatId, const OutputProfile &profile);
