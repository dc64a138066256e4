#pragma once

#include <QString>

// A subtitle file that ffmpeg cannot read in its code page (UTF-16 and UTF-32
// are not ASCII-compatible, so its subtitle readers do not even recognise the
// file). The transcoder writes a UTF-8 copy before ffmpeg starts and removes
// it afterwards; the filter names the copy.
struct TextRecode {
    QString sourcePath; // as the filter named it (relative to the working directory)
    QString codePage;   // iconv's name of the source's code page
    QString targetPath; // the UTF-8 copy; never an existing file

    bool operator==(const TextRecode &other) const
    {
        return sourcePath == other.sourcePath && codePage == other.codePage && targetPath == other.targetPath;
    }
};

// Writes the UTF-8 copy. Refuses to replace an existing file. False with a
// message in error when the source cannot be read or converted.
bool writeRecodedText(const TextRecode &recode, QString *error);
