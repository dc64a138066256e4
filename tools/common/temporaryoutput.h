#pragma once

#include <QString>

// A hidden file beside an output, written in its place and renamed over the
// output only when the conversion succeeded. So a failed or stopped
// conversion never damages a file that was there, and never leaves a
// half-written file under the output's name. The name keeps the output's
// suffix, by which ffmpeg and ImageMagick choose the format, and holds
// nothing they could read as a pattern ("%d", "[0]", "png:").
class TemporaryOutput
{
public:
    explicit TemporaryOutput(const QString &finalPath);
    ~TemporaryOutput(); // removes the file unless it was committed
    TemporaryOutput(const TemporaryOutput &) = delete;
    TemporaryOutput &operator=(const TemporaryOutput &) = delete;

    // Makes the (empty) hidden file; false with a message when the folder
    // cannot be written or the output's name is taken by a folder.
    bool create(QString *error);

    const QString &path() const { return temporaryPath; }
    const QString &finalPath() const { return outputPath; }
    qint64 size() const;

    // Renames the file over the output.
    bool commit(QString *error);

private:
    QString outputPath;
    QString temporaryPath;
    bool committed = false;
};
