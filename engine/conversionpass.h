#pragma once

#include <QString>

enum class PassKind { Single, JoinPart, JoinFinal };

// One run of an external tool inside a job.
struct ConversionPass {
    QString inputPath;
    QString outputPath;
    PassKind kind = PassKind::Single;
    // The tool replaces a file under the output's name ("-y"); otherwise it
    // writes under the next free name and tells which.
    bool replaceExisting = false;
};
