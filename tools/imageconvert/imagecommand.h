#pragma once

#include <QString>
#include <QStringList>

// One of the output formats, chosen by the output's suffix.
struct ImageTarget {
    const char *magickFormat;  // ImageMagick's name, put before the output path
    bool flatten;              // no transparency in the format: put the picture on white
    bool fitInIcon;            // icons hold at most 256x256
};

// The target for a suffix (any letter case), or nullptr for a suffix the
// converter does not write.
const ImageTarget *imageTargetFor(const QString &suffix);

// The input as given: a file name, possibly followed by a frame selector
// such as "[0]" (the first layer of a layered file). A name that exists as
// it stands is a file name even when it ends in brackets.
struct ImageInput {
    QString path;      // absolute, so that ImageMagick never reads "name:" as a format
    QString selector;  // "[0]" or empty
    bool exists = false;
    QStringList profiles; // files of metadata that ImageMagick does not read from the input itself
};
ImageInput resolveImageInput(const QString &given);

// ImageMagick's convert arguments that write the input to outputPath in the
// target's format. Formats of one picture get only the first frame, so an
// animated or layered input gives one still picture, not a numbered series;
// only a GIF made from a GIF keeps its animation. The input's profiles are
// laid on the picture as it is read.
QStringList imageMagickArguments(const ImageInput &input, const ImageTarget &target, const QString &outputPath);
