#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What a HEIF file (a phone's HEIC, an AVIF) holds besides its picture.
// ImageMagick 6 reads neither its EXIF block nor its colour profile, so the
// converter hands them to it as profiles of their own.
struct HeifMetadata {
    QByteArray exif;       // the EXIF block from its TIFF header on; empty for none
    QByteArray iccProfile; // empty for none (or for colours given only as numbers)
};

// Empty for a file that is no HEIF file or that libheif cannot read.
HeifMetadata readHeifMetadata(const QString &path);

// The EXIF block with its orientation set to "top-left". A HEIF picture is
// decoded already turned by the file's own transformations, which the tag
// only repeats: left as it was, it would make viewers turn the output again.
// A block without the tag, or one that cannot be read, is returned as it is.
QByteArray uprightExif(QByteArray tiff);

// Writes the input's metadata that ImageMagick would lose into folder, as
// files that ImageMagick's "-profile" takes ("exif.app1", "profile.icc"),
// and gives their paths; none for an input that is no HEIF file. False
// with a message when a file cannot be written.
bool writeHeifProfiles(const QString &input, const QString &folder, QStringList *files,
                       QString *error);
