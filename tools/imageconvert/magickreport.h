#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

// What was wrong with an input that ImageMagick refused, in words a user
// understands. ImageMagick itself says only "no images defined" and names
// the file it was to write; the cause is in its exception log ("-debug
// exception", see magickLogArguments), which this reads. writtenTo is the
// output's name as ImageMagick was given it, without its format.
QString describeRefusal(const QByteArray &errorOutput, const QString &inputName,
                        const QString &writtenTo);

// The arguments that make ImageMagick log its exceptions on stderr.
QStringList magickLogArguments();
