#include "tools/common/scratchfolder.h"

#include "tools/common/leftovers.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

ScratchFolder::~ScratchFolder()
{
    if (!folderPath.isEmpty())
        QDir(folderPath).removeRecursively();
    if (fd >= 0)
        ::close(fd);
}

bool ScratchFolder::create(const QString &parent, QString *error)
{
    int lastError = 0;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = leftovers::hiddenName(parent, QStringLiteral(".scratch"));
        const QByteArray name = QFile::encodeName(candidate);
        if (::mkdir(name.constData(), 0700) == 0) {
            folderPath = candidate;
            fd = ::open(name.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            if (fd >= 0)
                leftovers::own(fd);
            return true;
        }
        lastError = errno;
        if (lastError != EEXIST)
            break;
    }
    *error = QStringLiteral("cannot make a scratch folder in %1: %2").arg(parent, QString::fromLocal8Bit(strerror(lastError)));
    return false;
}
