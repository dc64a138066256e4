#include "tests/tools/toolrun.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QThread>

#include <sys/mman.h>
#include <unistd.h>

namespace toolrun {

namespace {

// The fields of /proc/PID/stat after the command name, which may hold blanks.
QList<QByteArray> statFields(pid_t pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = stat.readAll();
    const int nameEnd = text.lastIndexOf(')');
    if (nameEnd < 0)
        return {};
    return text.mid(nameEnd + 2).split(' '); // state, ppid, ...
}

} // namespace

QString transcoder()
{
    return QStringLiteral(QUILLMORA_BUILD_DIR "/transcoder");
}

QString imageConverter()
{
    return QStringLiteral(QUILLMORA_BUILD_DIR "/imageconvert/convert");
}

QString privateProgressBlock()
{
    return QStringLiteral("/QuillmoraToolTest.%1.%2").arg(getuid()).arg(getpid());
}

QProcessEnvironment privateEnvironment()
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QUILLMORA_PROGRESS_BLOCK"), privateProgressBlock());
    return environment;
}

void removePrivateProgressBlock()
{
    shm_unlink(privateProgressBlock().toLocal8Bit().constData());
}

QList<pid_t> childrenOf(pid_t parent)
{
    QList<pid_t> children;
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool isPid = false;
        const pid_t pid = entry.toInt(&isPid);
        if (!isPid)
            continue;
        const QList<QByteArray> fields = statFields(pid);
        if (fields.size() > 1 && fields[1].toInt() == parent)
            children.append(pid);
    }
    return children;
}

bool hasEnded(pid_t pid)
{
    const QList<QByteArray> fields = statFields(pid);
    return fields.isEmpty() || fields[0] == "Z" || fields[0] == "X";
}

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QThread::msleep(10);
    }
    return true;
}

QStringList temporaryFilesIn(const QString &folder)
{
    return QDir(folder).entryList({QStringLiteral(".quillmora-*")},
                                  QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace toolrun
