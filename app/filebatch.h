#pragma once

#include "app/convertjob.h"

#include <QDeadlineTimer>
#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// Files on their way into the job list: each chosen file becomes a job of
// the chosen format, each dropped file (or one opened from outside) a job of
// the format its kind is given (video MP4, audio MP3, picture PNG). Taken a
// slice at a time, so that ten thousand files never hold the window up.
class FileBatch
{
public:
    static FileBatch chosen(const QStringList &paths, int formatId, const OutputProfile &profile,
                            const QString &outputFolder);
    // Addresses that are no local file are passed over.
    static FileBatch dropped(const QList<QUrl> &urls, const QString &outputFolder);
    static FileBatch opened(const QStringList &paths, const QString &outputFolder);

    // Turns files into jobs until all are done or the deadline has passed.
    void take(const QDeadlineTimer &deadline);
    bool isDone() const { return next >= (urls.isEmpty() ? paths.size() : urls.size()); }

    // The jobs made, in the order of the files.
    QList<ConvertJob> &jobs() { return made; }
    // Dropped paths that are no media file, or no file at all.
    const QStringList &refused() const { return refusedPaths; }
    // The format of the last dropped file that was taken; -1 when none was.
    int lastFormatId() const { return lastFormat; }

private:
    FileBatch(const QStringList &paths, const QList<QUrl> &urls, bool byKind,
              const QString &outputFolder);

    QStringList paths;
    QList<QUrl> urls;
    bool byKind;
    int formatId = -1;
    OutputProfile profile;
    QString folder;
    qsizetype next = 0;
    QList<ConvertJob> made;
    QStringList refusedPaths;
    int lastFormat = -1;
};

// The format a dropped file of the kind becomes; -1 for a file of no kind.
int dropFormatOf(int fileKind);
