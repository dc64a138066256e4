#pragma once

#include "app/convertjob.h"
#include "engine/conversionpass.h"

#include <QString>
#include <QTemporaryDir>

// A private working directory for one transcoder pass. The filters name the
// watermark picture and the subtitle file by bare name (workingFileNames), so
// the tool runs in this folder, which holds copies of the two files under those
// names. The folder (mode 0700) and everything in it go with the object; the
// user's files are only read.
class PassWorkspace
{
public:
    // Makes the folder inside parentFolder and copies the files the pass's
    // filters refer to.
    PassWorkspace(const ConvertJob &job, const ConversionPass &pass,
                  const QString &parentFolder = QString());

    PassWorkspace(const PassWorkspace &) = delete;
    PassWorkspace &operator=(const PassWorkspace &) = delete;

    // False when the folder could not be made or a file could not be copied;
    // errorString() then says which.
    bool isValid() const { return error.isEmpty(); }
    QString errorString() const { return error; }

    // The tool's working directory; empty when the folder could not be made.
    QString path() const;

private:
    void copyIn(const QString &source, const QString &name);

    QTemporaryDir folder;
    QString error;
};
