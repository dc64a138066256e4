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

JoinWorkspace::JoinWorkspace(const QString &outputFolder, JoinKind kind)
    : m_kind(kind),
      m_folder(outputFolder + QStringLiteral("/.quillmora-join-%1-XXXXXX").arg(QCoreApplication::applicationPid()))
{
    removeStale(outputFolder);
    if (!m_folder.isValid()) {
        m_error = QCoreApplication::translate("JoinWorkspace", "Cannot create a working folder in %1: %2")
                      .arg(outputFolder, m_folder.errorString());
        return;
    }
    if (!canListPath(m_folder.path())) {
        m_error = QCoreApplication::translate("JoinWorkspace",
                                              "Cannot join into a folder whose name holds a line break: %1")
                      .arg(outputFolder);
        return;
    }
    QFile owner(m_folder.filePath(ownerFileName));
    const QByteArray boot = thisBoot();
    if (!owner.open(QIODevice::WriteOnly | QIODevice::NewOnly) || owner.write(boot) != boot.size()) {
        m_error = QCoreApplication::translate("JoinWorkspace", "Cannot write %1: %2")
                      .arg(owner.fileName(), owner.errorString());
        return;
    }
    owner.close();
    m_list.setFileName(m_folder.filePath(QStringLiteral("file.txt")));
    if (!m_list.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Text))
        m_error = QCoreApplication::translate("JoinWorkspace", "Cannot create the join list %1: %2")
                      .arg(m_list.fileName(), m_list.errorString());
}

JoinWorkspace::~JoinWorkspace()
{
    remove();
}

QString JoinWorkspace::folderPath() const
{
    return m_folder.isValid() ? m_folder.path() : QString();
}

QString JoinWorkspace::listFilePath() const
{
    return m_list.fileName();
}

QString JoinWorkspace::partPath(int part) const
{
    return m_folder.isValid() ? m_folder.filePath(joinPartFileName(m_kind, part)) : QString();
}

bool JoinWorkspace::appendPart(int part)
{
    if (!m_list.isOpen())
        return false;
    const QByteArray line = (concatListLine(partPath(part)) + u'\n').toUtf8();
    if (m_list.write(line) != line.size() || !m_list.flush()) {
        m_error = QCoreApplication::translate("JoinWorkspace", "Cannot write the join list %1: %2")
                      .arg(m_list.fileName(), m_list.errorString());
        return false;
    }
    return true;
}

void JoinWorkspace::remove()
{
    m_list.close();
    if (m_folder.isValid())
        m_folder.remove();
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
