#pragma once

#include "app/outputprofile.h"

#include <QCoreApplication>
#include <QString>
#include <QVector>

// "Fit in" a size: the sizes the Setting dialog lists, how a size is written
// and read, and which jobs can be fitted. A size is a count of bytes; 0 is Off.
class FitSize
{
    Q_DECLARE_TR_FUNCTIONS(FitSize)

public:
    // 8 MB, 10 MB, 25 MB, 50 MB, 100 MB, 500 MB, 1 GB, in bytes.
    static QVector<qint64> choices();

    // "25MB", "25 MB", "1.5GB", "700MiB", "640 kB": kB, MB and GB are powers
    // of ten, KiB, MiB and GiB powers of two, the letters' case is free and a
    // bare number is MB. False for anything else or a size under one byte.
    static bool parse(const QString &text, qint64 *bytes);

    // "25 MB", "1 GB", "26.2 MB", "640 kB": in the largest unit of ten that
    // gives a whole number, rounded to a tenth of it.
    static QString text(qint64 bytes);
    // The size rounded up, to a tenth of the unit below ten of it and to whole
    // units from ten up, so that the figure written is never below the size:
    // 61.2 MB reads "62 MB".
    static qint64 roundedUp(qint64 bytes);

    // Only video encoded in two passes can be fitted: H.264, H.265, VP9 and
    // AV1, and a video join (its parts are H.264). Not GIF, pictures, sound.
    static bool offered(const OutputProfile &profile);
    // Why offered() is false for a video profile, for the Setting dialog.
    static QString notOfferedReason();
};
