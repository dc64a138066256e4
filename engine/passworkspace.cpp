#include "engine/passworkspace.h"

#include "engine/transcoderarguments.h"
#include "engine/workingfilenames.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

namespace {

QString folderTemplate(const QString &parentFolder)
{
    const QString parent = parentFolder.isEmpty() ? QDir::tempPath() : parentFolder;
    return parent + QStringLiteral("/quillmora-pass-XXXXXX");
}

} // namespace

PassWorkspace::PassWorkspace(const ConvertJob &job, const ConversionPass &pass,
                             const QString &parentFolder)
    : folder(folderTemplate(parentFolder))
{
    if (!folder.isValid()) {
        error = QCoreApplication::translate("PassWorkspace", "Cannot create a working folder: %1")
                      .arg(folder.errorString());
        return;
    }
    if (!passAppliesEdits(job, pass))
        return;
    const WorkingFileNames names = workingFileNames(job.edit);
    if (!names.watermark.isEmpty())
        copyIn(job.edit.watermark.imagePath, names.watermark);
    if (!names.subtitles.isEmpty())
        copyIn(job.edit.subtitlePath, names.subtitles);
}

QString PassWorkspace::path() const
{
    return folder.isValid() ? folder.path() : QString();
}

void PassWorkspace::copyIn(const QString &source, const QString &name)
{
    QFile file(source);
    // The folder is new and private, so the copy cannot meet a file of the user's.
    if (!file.copy(folder.filePath(name)) && error.isEmpty()) {
        error = QCoreApplication::translate("PassWorkspace", "Cannot copy %1: %2")
                      .arg(source, file.errorString());
    }
}
