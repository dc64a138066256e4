#include "tools/common/temporaryoutput.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString randomTag()
{
    static const char letters[] = "abcdefghijklmnopqrstuvwxyz0123456789";
    QString tag;
    for (int i = 0; i < 10; ++i)
        tag += QLatin1Char(letters[QRandomGenerator::global()->bounded(int(sizeof letters - 1))]);
    return tag;
}

QString systemError(int error)
{
    return QString::fromLocal8Bit(strerror(error));
}

} // namespace

TemporaryOutput::TemporaryOutput(const QString &finalPath)
    : outputPath(finalPath)
{
}

TemporaryOutput::~TemporaryOutput()
{
    if (!committed && !temporaryPath.isEmpty())
        ::unlink(temporaryPath.toLocal8Bit().constData());
}

bool TemporaryOutput::create(QString *error)
{
    const QFileInfo output(outputPath);
    if (output.isDir()) {
        *error = QStringLiteral("the output %1 is a folder").arg(outputPath);
        return false;
    }
    const QString folder = output.absolutePath();
    const QString suffix = output.suffix().isEmpty() ? QString() : QLatin1Char('.') + output.suffix();
    int lastError = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = folder + QStringLiteral("/.quillmora-") + randomTag() + suffix;
        const int fd = ::open(candidate.toLocal8Bit().constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            temporaryPath = candidate;
            return true;
        }
        lastError = errno;
        if (lastError != EEXIST)
            break;
    }
    *error = QStringLiteral("cannot write in the folder %1: %2").arg(folder, systemError(lastError));
    return false;
}

qint64 TemporaryOutput::size() const
{
    return QFileInfo(temporaryPath).size();
}

bool TemporaryOutput::commit(QString *error)
{
    if (::rename(temporaryPath.toLocal8Bit().constData(), outputPath.toLocal8Bit().constData()) != 0) {
        *error = QStringLiteral("cannot write %1: %2").arg(outputPath, systemError(errno));
        return false;
    }
    committed = true;
    return true;
}
