#include "platform/progressshare.h"

#include <QtEndian>

#include <cstring>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

QString ProgressShare::nameOf(Block block)
{
    const char *const base = block == Block::Ffmpeg ? "/FFMPEGSHARE." : "/CONVERTSHARE.";
    return QLatin1String(base) + QString::number(getuid());
}

void ProgressShare::remove(const QString &name)
{
    shm_unlink(name.toLocal8Bit().constData());
}

bool ProgressShare::open(const QString &name)
{
    release();
    const QByteArray path = name.toLocal8Bit();
    const int fd = shm_open(path.constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;

    // Only a block of our own is trusted: another user must not be able to
    // feed us numbers or read ours.
    struct stat status {};
    const bool usable = fstat(fd, &status) == 0 && status.st_uid == getuid()
                        && (status.st_mode & 077) == 0
                        && (status.st_size >= Size || ftruncate(fd, Size) == 0);
    if (usable) {
        void *mapped = mmap(nullptr, Size, PROT_READ | PROT_WRITE, MAP_SHARED, fd, 0);
        if (mapped != MAP_FAILED)
            view = static_cast<unsigned char *>(mapped);
    }
    ::close(fd);
    return view != nullptr;
}

int ProgressShare::percent() const
{
    if (!view)
        return 0;
    // One aligned 32-bit load, so a value being written is never seen torn.
    const auto raw = __atomic_load_n(reinterpret_cast<const qint32 *>(view), __ATOMIC_RELAXED);
    return qFromLittleEndian(raw);
}

void ProgressShare::setPercent(int value)
{
    if (view)
        __atomic_store_n(reinterpret_cast<qint32 *>(view), qToLittleEndian(qint32(value)), __ATOMIC_RELAXED);
}

void ProgressShare::clear()
{
    if (view)
        std::memset(view, 0, Size);
}

void ProgressShare::release()
{
    if (view) {
        munmap(view, Size);
        view = nullptr;
    }
}
