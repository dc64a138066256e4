#pragma once

#include "app/convertjob.h"

#include <QByteArray>
#include <QSize>
#include <QString>
#include <QStringList>

// Conversions run as the application runs them, and what ffmpeg and ffprobe
// read back from their outputs.
namespace conversion {

struct Outcome {
    bool succeeded = false; // exit code 0
    QString errors;         // the last lines of the transcoder's error output
    QStringList arguments;  // what the application gave it
};

// One pass of a job, as the worker runs it: the arguments of
// buildTranscoderArguments, the watermark and subtitle copies in a
// PassWorkspace, and build/transcoder started in that folder through
// ToolProcess; a picture job's goes to build/imageconvert/convert.
Outcome convert(const ConvertJob &job, const QString &input, const QString &output);

// ffmpeg decodes every stream to the end and reports no error.
bool decodesCleanly(const QString &path, QString *errors);

// ffprobe's pixel format of the first video stream ("yuv420p").
QString pixelFormat(const QString &path);

// The display aspect ratio of the first video stream ("16:9"); empty when
// the file stores none.
QString displayAspect(const QString &path);

// One decoded picture as packed RGB (3 bytes a pixel), at the time given.
struct Picture {
    QSize size;
    QByteArray rgb;

    bool isNull() const { return rgb.isEmpty(); }
    // Mean absolute difference of the samples inside the rectangle (0..255).
    double differenceFrom(const Picture &other, int x, int y, int width, int height) const;
};
Picture pictureAt(const QString &path, double seconds = 0);

// The loudness ffmpeg's volumedetect measures, in dB (0 is full scale).
double meanVolume(const QString &path);

} // namespace conversion
