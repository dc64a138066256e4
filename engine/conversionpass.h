#pragma once

#include <QString>

enum class PassKind { Single, JoinPart, JoinFinal };

// One run of an external tool inside a job.
struct ConversionPass {
    QString inputPath;
    QString outputPath;
    PassKind kind = PassKind::Single;
};
