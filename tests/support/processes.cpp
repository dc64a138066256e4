#include "tests/support/processes.h"

#include "tests/support/files.h"

#include <QDir>

namespace testsupport {

QStringList processesWhere(const std::function<bool(const QByteArray &environment)> &holds)
{
    QStringList found;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        if (pid.toInt() <= 0)
            continue;
        // A process that ended meanwhile reads as empty.
        const QByteArray environment = readFile(QStringLiteral("/proc/%1/environ").arg(pid));
        if (!environment.isEmpty() && holds(environment))
            found << pid + u' ' + QString::fromUtf8(readFile(QStringLiteral("/proc/%1/comm").arg(pid)).trimmed());
    }
    return found;
}

} // namespace testsupport
