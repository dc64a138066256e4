#pragma once

#include "app/convertjob.h"
#include "app/folderwalk.h"

#include <QDeadlineTimer>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <functional>
#include <memory>

class BackgroundWalk;

// Files on their way into the job list: each chosen file becomes a job of
// the chosen format, each dropped file (or one opened from outside) a job of
// the format its kind is given (video MP4, audio MP3, picture PNG). A folder
// among the dropped or opened ones, or one chosen with "Add Folder...", gives
// every file under it that its format takes (walkFolder); the others are
// passed over without a word, and a folder that cannot be read is refused.
// Files are taken a slice at a time and folders walked on a thread of their
// own, so that a hundred thousand files never hold the window up.
class FileBatch
{
public:
    static FileBatch chosen(const QStringList &paths, int formatId, const OutputProfile &profile,
                            const QString &outputFolder);
    // Every file under the folder that the format takes; a joiner's make one join, in name order.
    static FileBatch folder(const QString &path, int formatId, const OutputProfile &profile,
                            const QString &outputFolder);
    // Addresses that are no local file are passed over.
    static FileBatch dropped(const QList<QUrl> &urls, const QString &outputFolder);
    static FileBatch opened(const QStringList &paths, const QString &outputFolder);

    FileBatch(FileBatch &&other);
    FileBatch &operator=(FileBatch &&other);
    ~FileBatch(); // a walk still going is stopped

    // Outputs of files found in folders go into the same folders under the
    // output folder (the default), or all into the output folder itself.
    void setKeepTree(bool keep) { keepTree = keep; }
    // Called on the walking thread when a folder's walk is over: take() has
    // something again.
    void setWalkEnded(std::function<void()> ended) { walkEnded = std::move(ended); }

    // Turns files into jobs until all are done, the deadline has passed or a
    // folder's walk is under way; with a deadline that never passes it waits
    // for the walks too.
    void take(const QDeadlineTimer &deadline);
    bool isDone() const;
    // A folder is being walked: nothing comes until setWalkEnded's call.
    bool isWaiting() const;

    // The jobs made, in the order of the files.
    QList<ConvertJob> &jobs() { return made; }
    // Dropped paths that are no media file, or no file at all, and folders
    // that could not be read.
    const QStringList &refused() const { return refusedPaths; }
    // The format of the last dropped file that was taken; -1 when none was.
    int lastFormatId() const { return lastFormat; }

private:
    FileBatch(const QStringList &paths, const QList<QUrl> &urls, bool byKind,
              const QString &outputFolder);

    qsizetype givenCount() const { return urls.isEmpty() ? paths.size() : urls.size(); }
    void takeGiven(const QString &path);
    void startWalk(const QString &root);
    void takeWalk();
    void addJob(const QString &path, int format, const QString &subfolder);

    QStringList paths;
    QList<QUrl> urls;
    bool byKind;
    bool walkGiven = false; // every given path is a folder to walk
    bool keepTree = true;
    int formatId = -1;
    OutputProfile profile;
    QString outFolder;
    qsizetype next = 0;
    std::unique_ptr<BackgroundWalk> walking;
    std::function<void()> walkEnded;
    QList<FoundFile> found; // of the last walk, taken from nextFound on
    qsizetype nextFound = 0;
    QList<ConvertJob> made;
    QStringList refusedPaths;
    int lastFormat = -1;
};

// The format a dropped file of the kind becomes; -1 for a file of no kind.
int dropFormatOf(int fileKind);
