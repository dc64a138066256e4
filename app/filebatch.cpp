#include "app/filebatch.h"

#include "app/formats.h"
#include "app/outputfolder.h"

#include <QThread>

#include <atomic>

namespace {

// How many files are taken between two looks at the clock.
constexpr int FilesPerLook = 64;

// The suffix after a file name's last dot, as QFileInfo::suffix() gives it.
QString suffixOf(const QString &path)
{
    const qsizetype dot = path.lastIndexOf(u'.');
    return dot < 0 || path.indexOf(u'/', dot) >= 0 ? QString() : path.mid(dot + 1);
}

bool isJoiner(const OutputProfile &profile)
{
    return profile.category == VideoMerge || profile.category == AudioMerge;
}

} // namespace

// One folder walked on a thread of its own.
class BackgroundWalk
{
public:
    BackgroundWalk(const QString &folder, std::function<bool(const QString &)> takes,
                   const QString &outputFolder, const std::function<void()> &ended)
        : root(folder)
        , thread(QThread::create([this, takes = std::move(takes), outputFolder, ended] {
            result = walkFolder(root, takes, outputFolder, &stop);
            finished = true;
            if (ended)
                ended();
        }))
    {
        thread->start();
    }
    ~BackgroundWalk()
    {
        stop = true;
        thread->wait();
    }

    bool isFinished() const { return finished; }
    // Waits for the walk's end.
    FolderWalk take()
    {
        thread->wait();
        return std::move(result);
    }

    const QString root; // the folder given

private:
    std::atomic<bool> stop{false};
    std::atomic<bool> finished{false};
    FolderWalk result;
    std::unique_ptr<QThread> thread;
};

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
    , outFolder(outputFolder)
{
    made.reserve(paths.size() + urls.size());
}

FileBatch::FileBatch(FileBatch &&other) = default;
FileBatch &FileBatch::operator=(FileBatch &&other) = default;
FileBatch::~FileBatch() = default;

FileBatch FileBatch::chosen(const QStringList &paths, int formatId, const OutputProfile &profile,
                            const QString &outputFolder)
{
    FileBatch batch(paths, {}, false, outputFolder);
    batch.formatId = formatId;
    batch.profile = profile;
    return batch;
}

FileBatch FileBatch::folder(const QString &path, int formatId, const OutputProfile &profile,
                            const QString &outputFolder)
{
    FileBatch batch = chosen({path}, formatId, profile, outputFolder);
    batch.walkGiven = true;
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

bool FileBatch::isDone() const
{
    return !walking && nextFound >= found.size() && next >= givenCount();
}

bool FileBatch::isWaiting() const
{
    return walking && !walking->isFinished();
}

void FileBatch::take(const QDeadlineTimer &deadline)
{
    while (!isDone()) {
        if (walking) {
            if (!walking->isFinished() && !deadline.isForever())
                return;
            takeWalk();
        }
        for (int taken = 0; taken < FilesPerLook && !isDone() && !walking; ++taken) {
            if (nextFound < found.size()) {
                const FoundFile &file = found.at(nextFound++);
                addJob(file.path,
                       byKind ? dropFormatOf(fileKindOfSuffix(suffixOf(file.path))) : formatId,
                       file.subfolder);
            } else {
                takeGiven(urls.isEmpty() ? paths.at(next++) : urls.at(next++).toLocalFile());
            }
        }
        if (deadline.hasExpired())
            return;
    }
}

void FileBatch::takeGiven(const QString &path)
{
    if (path.isEmpty())
        return;
    if (walkGiven)
        return startWalk(path);
    if (!byKind)
        return addJob(path, formatId, QString());
    const int format = dropFormatOf(classifyFile(path));
    if (format >= 0)
        addJob(path, format, QString());
    else if (isFolder(path)) // no file of a kind; the one look more is for those alone
        startWalk(path);
    else
        refusedPaths << path;
}

void FileBatch::startWalk(const QString &root)
{
    std::function<bool(const QString &)> takes;
    if (byKind) {
        takes = [](const QString &name) {
            return dropFormatOf(fileKindOfSuffix(suffixOf(name))) >= 0;
        };
    } else {
        takes = [accepted = inputSuffixes(profile.category)](const QString &name) {
            return accepted.contains(suffixOf(name).toLower());
        };
    }
    walking = std::make_unique<BackgroundWalk>(root, std::move(takes), outFolder, walkEnded);
}

void FileBatch::takeWalk()
{
    FolderWalk walk = walking->take();
    // A folder that gives nothing (empty, or of files of no kind the format
    // takes) is named too: an add that does nothing says why.
    if (walk.files.isEmpty() && walk.unreadable.isEmpty())
        refusedPaths << walking->root;
    walking.reset();
    refusedPaths << walk.unreadable;
    found = std::move(walk.files);
    nextFound = 0;
    if (byKind || !isJoiner(profile) || found.isEmpty()) {
        // Grown a job at a time, the list would double past 100,000 jobs,
        // the old and new blocks both held while it moves.
        made.reserve(made.size() + found.size() + givenCount() - next);
        return;
    }
    // A joiner's folder is one job of all its files, written into the output folder itself.
    ConvertJob job = makeJob(formatId, profile);
    for (const FoundFile &file : std::as_const(found))
        job.inputFiles << file.path;
    job.outputPath = joinOutputPath(outFolder, profile.category);
    made << std::move(job);
    found.clear();
}

void FileBatch::addJob(const QString &path, int format, const QString &subfolder)
{
    if (byKind)
        lastFormat = format;
    ConvertJob job = makeJob(format, byKind ? defaultProfile(format) : profile);
    job.inputPath = path;
    job.inputFiles << path;
    if (keepTree)
        job.outputSubfolder = subfolder;
    job.outputPath = outputPathFor(outFolder, path, format, job.outputSubfolder);
    made << std::move(job);
}
