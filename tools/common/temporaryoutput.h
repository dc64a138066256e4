#pragma once

#include <QString>

#include <functional>

// The file a tool writes in place of an output, put under the output's name
// only when the conversion succeeded. So a failed or stopped conversion never
// damages a file that was there, and never leaves a half-written file under
// the output's name.
//
// Where the file system allows it, the file has no name at all until then
// (O_TMPFILE): the child writes it through /proc/<pid>/fd/<n>, and a tool
// killed outright leaves nothing behind. Elsewhere (FAT, network file
// systems) it is a hidden file beside the output that carries the owner's pid
// (see leftovers.h), removed by a later run if the owner was killed. Either
// path holds nothing a child could read as a pattern ("%d", "[0]", "png:").
//
// What is under the output's name is replaced only when the caller says so
// (the user answered Yes, or asked for it); otherwise the file takes the next
// free "_1", "_2", ... name when the name was taken meanwhile (another
// window, another batch run), without a moment in which either file is lost.
class TemporaryOutput
{
public:
    enum class Existing { Keep, Replace };

    explicit TemporaryOutput(const QString &finalPath, Existing whenTaken = Existing::Keep);
    ~TemporaryOutput(); // removes the file unless it was committed
    TemporaryOutput(const TemporaryOutput &) = delete;
    TemporaryOutput &operator=(const TemporaryOutput &) = delete;

    // Makes the (empty) file, after removing the leftovers of killed tools
    // from the output's folder; false with a message when the folder cannot
    // be written or the output's name is taken by a folder.
    bool create(QString *error);

    // Where the child writes. Without a name (isNamed() false) it has no
    // suffix either: the child must be told the format.
    const QString &path() const { return temporaryPath; }
    bool isNamed() const { return named; }
    const QString &finalPath() const { return outputPath; }

    // For a child that writes by descriptor (ImageMagick's "fd:<n>", as it
    // refuses /proc paths): the file's descriptor, left open across exec.
    // -1 when the file has a name.
    int inheritableDescriptor();
    qint64 size() const;

    // Puts the file under the output's name: replacing what was there, or
    // under the next free name (see writtenPath()).
    bool commit(QString *error);
    // Where commit() put the file: the output's name or the free name it took.
    const QString &writtenPath() const { return placedPath; }

private:
    bool createNamed(const QString &folder, const QString &suffix, QString *error);
    bool linkUnderName(QString *error);
    bool placeBesideTaken(const std::function<int(const QByteArray &target)> &place, QString *error);

    QString outputPath;
    Existing existing;
    QString placedPath;
    QString temporaryPath;
    int fd = -1;
    bool named = false;
    bool committed = false;
};
