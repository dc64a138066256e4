#include "engine/joinworkspace.h"

#include <QCoreApplication>
#include <QDir>
#include <QRegularExpression>
#include <QSysInfo>

#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace {

const QString ownerFileName = QStringLiteral("owner");

// Which machine and which boot of it a process id belongs to.
QByteArray thisBoot()
{
    QByteArray machine = QSysInfo::machineUniqueId();
    if (machine.isEmpty())
        machine = QSysInfo::machineHostName().toUtf8();
    return machine + '\n' + QSysInfo::bootUniqueId() + '\n';
}

bool processExists(qint64 pid)
{
    return ::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM;
}

// A folder whose owner file is missing or names another machine is left alone:
// nothing says its owner is gone.
bool isStale(const QFileInfo &folder, qint64 ownerPid)
{
    if (!folder.isDir() || folder.isSymLink() || folder.ownerId() != ::getuid())
        return false;
    QFile owner(folder.filePath() + u'/' + ownerFileName);
    if (!owner.open(QIODevice::ReadOnly))
        return false;
    const QByteArray boot = thisBoot();
    const QByteArray recorded = owner.read(boot.size() + 1);
    const QByteArray machine = boot.left(boot.indexOf('\n') + 1);
    if (!recorded.startsWith(machine))
        return false;
    return recorded != boot || !processExists(ownerPid);
}

} // namespace

JoinWorkspace::JoinWorkspace(const QString &outputFolder, JoinKind joinKind)
    : kind(joinKind),
      folder(outputFolder + QStringLiteral("/.quillmora-join-%1-XXXXXX").arg(QCoreApplication::applicationPid()))
{
    removeStale(outputFolder);
    if (!folder.isValid()) {
        error = QCoreApplication::translate("JoinWorkspace", "Cannot create a working folder in %1: %2")
                      .arg(outputFolder, folder.errorString());
        return;
    }
    if (!canListPath(folder.path())) {
        error = QCoreApplication::translate("JoinWorkspace",
                                              "Cannot join into a folder whose name holds a line break: %1")
                      .arg(outputFolder);
        return;
    }
    QFile owner(folder.filePath(ownerFileName));
    const QByteArray boot = thisBoot();
    if (!owner.open(QIODevice::WriteOnly | QIODevice::NewOnly) || owner.write(boot) != boot.size()) {
        error = QCoreApplication::translate("JoinWorkspace", "Cannot write %1: %2")
                      .arg(owner.fileName(), owner.errorString());
        return;
    }
    owner.close();
    list.setFileName(folder.filePath(QStringLiteral("file.txt")));
    if (!list.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Text))
        error = QCoreApplication::translate("JoinWorkspace", "Cannot create the join list %1: %2")
                      .arg(list.fileName(), list.errorString());
}

JoinWorkspace::~JoinWorkspace()
{
    remove();
}

QString JoinWorkspace::folderPath() const
{
    return folder.isValid() ? folder.path() : QString();
}

QString JoinWorkspace::listFilePath() const
{
    return list.fileName();
}

QString JoinWorkspace::partPath(int part) const
{
    return folder.isValid() ? folder.filePath(joinPartFileName(kind, part)) : QString();
}

bool JoinWorkspace::appendPart(int part)
{
    if (!list.isOpen())
        return false;
    const QByteArray line = (concatListLine(partPath(part)) + u'\n').toUtf8();
    if (list.write(line) != line.size() || !list.flush()) {
        error = QCoreApplication::translate("JoinWorkspace", "Cannot write the join list %1: %2")
                      .arg(list.fileName(), list.errorString());
        return false;
    }
    return true;
}

void JoinWorkspace::remove()
{
    list.close();
    if (folder.isValid())
        folder.remove();
}

int JoinWorkspace::removeStale(const QString &outputFolder)
{
    static const QRegularExpression name(QStringLiteral("^\\.quillmora-join-(\\d+)-[A-Za-z0-9]{6}$"));
    int removed = 0;
    const QFileInfoList entries = QDir(outputFolder).entryInfoList(
        {QStringLiteral(".quillmora-join-*")}, QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo &entry : entries) {
        const QRegularExpressionMatch match = name.match(entry.fileName());
        if (match.hasMatch() && isStale(entry, match.captured(1).toLongLong())
            && QDir(entry.filePath()).removeRecursively())
            ++removed;
    }
    return removed;
}
