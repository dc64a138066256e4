#include "tests/support/files.h"

#include <QDir>
#include <QFile>

#include <dirent.h>
#include <linux/capability.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// The calling thread's effective set with or without the two read powers;
// false when it cannot be had.
bool setReadPowers(bool on)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct data[2]{};
    if (::syscall(SYS_capget, &header, data) != 0)
        return false;
    const __u32 powers = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
    if (on)
        data[0].effective |= powers & data[0].permitted;
    else
        data[0].effective &= ~powers;
    return ::syscall(SYS_capset, &header, data) == 0;
}

} // namespace

namespace testsupport {

bool writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(content) == content.size();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList entriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

UnreadableFolder::UnreadableFolder(const QString &folder)
    : path(folder)
{
    ::chmod(QFile::encodeName(path).constData(), 0);
    powersDropped = ::geteuid() == 0 && setReadPowers(false);
}

UnreadableFolder::~UnreadableFolder()
{
    if (powersDropped)
        setReadPowers(true);
    ::chmod(QFile::encodeName(path).constData(), 0755);
}

bool UnreadableFolder::holds() const
{
    DIR *dir = ::opendir(QFile::encodeName(path).constData());
    if (dir)
        ::closedir(dir);
    return !dir;
}

} // namespace testsupport
