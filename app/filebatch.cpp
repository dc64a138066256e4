#include "app/filebatch.h"

#include "app/formats.h"
#include "app/outputfolder.h"

namespace {

// How many files are taken between two looks at the clock.
constexpr int FilesPerLook = 64;

} // namespace

int dropFormatOf(int fileKind)
{
    switch (fileKind) {
    case VideoFile:
        return FormatMP4;
    case AudioFile:
        return FormatMP3;
    case ImageFile:
        return FormatPNG;
    default:
        return -1;
    }
}

FileBatch::FileBatch(const QStringList &filePaths, const QList<QUrl> &fileUrls, bool kindDecides,
                     const QString &outputFolder)
    : paths(filePaths)
    , urls(fileUrls)
    , byKind(kindDecides)
    , folder(outputFolder)
{
    made.reserve(paths.size() + urls.size());
}

FileBatch FileBatch::chosen(const QStringList &paths, int formatId, const OutputProfile &profile,
                            const QString &outputFolder)
{
    FileBatch batch(paths, {}, false, outputFolder);
    batch.formatId = formatId;
    batch.profile = profile;
    return batch;
}

FileBatch FileBatch::dropped(const QList<QUrl> &urls, const QString &outputFolder)
{
    return FileBatch({}, urls, true, outputFolder);
}

FileBatch FileBatch::opened(const QStringList &paths, const QString &outputFolder)
{
    return FileBatch(paths, {}, true, outputFolder);
}

void FileBatch::take(const QDeadlineTimer &deadline)
{
    while (!isDone()) {
        for (int taken = 0; taken < FilesPerLook && !isDone(); ++taken) {
            const QString path = urls.isEmpty() ? paths.at(next++) : urls.at(next++).toLocalFile();
            if (path.isEmpty())
                continue;
            int format = formatId;
            OutputProfile jobProfile = profile;
            if (byKind) {
                format = dropFormatOf(classifyFile(path));
                if (format < 0) {
                    refusedPaths << path;
                    continue;
                }
                jobProfile = defaultProfile(format);
                lastFormat = format;
            }
            ConvertJob job = makeJob(format, jobProfile);
            job.inputPath = path;
            job.inputFiles << path;
            job.outputPath = outputPathFor(folder, path, format);
            made << std::move(job);
        }
        if (deadline.hasExpired())
            return;
    }
}
