#include "engine/joinworkspace.h"

#include <QCoreApplication>

JoinWorkspace::JoinWorkspace(const QString &outputFolder, JoinKind kind)
    : m_kind(kind), m_folder(outputFolder + QStringLiteral("/.quillmora-join-XXXXXX"))
{
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
