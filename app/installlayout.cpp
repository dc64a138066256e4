#include "app/installlayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

bool holdsTools(const QString &folder)
{
    const QFileInfo transcoder(folder + QStringLiteral("/transcoder"));
    return transcoder.isFile() && transcoder.isExecutable();
}

} // namespace

QString toolsFolder(const QString &applicationFolder)
{
    if (holdsTools(applicationFolder))
        return applicationFolder;
    const QString installed =
        QDir::cleanPath(applicationFolder + QStringLiteral("/" QUILLMORA_TOOLS_FROM_BIN));
    return holdsTools(installed) ? installed : applicationFolder;
}

QString toolsFolder()
{
    return toolsFolder(QCoreApplication::applicationDirPath());
}

QString fontConfigFolder(const QString &toolsFolder)
{
    return toolsFolder + QStringLiteral("/fonts");
}

QProcessEnvironment toolEnvironment(const QString &toolsFolder)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("FC_CONFIG_DIR"), fontConfigFolder(toolsFolder));
    environment.insert(QStringLiteral("FC_CONFIG_FILE"), QStringLiteral("fonts.conf"));
    return environment;
}

QString windowProgram(const QString &applicationFolder)
{
    return toolsFolder(applicationFolder) + QStringLiteral("/quillmora-window");
}

QString convertProgram(const QString &applicationFolder)
{
    return toolsFolder(applicationFolder) + QStringLiteral("/quillmora-convert");
}

QString installedTranslationsFolder(const QString &applicationFolder)
{
    // quillmora-convert and quillmora-window lie among the installed tools; a
    // program in bin finds the translations from there.
    const bool amongTools = holdsTools(applicationFolder);
    return QDir::cleanPath(applicationFolder
                           + (amongTools ? QStringLiteral("/" QUILLMORA_TRANSLATIONS_FROM_TOOLS)
                                         : QStringLiteral("/" QUILLMORA_TRANSLATIONS_FROM_BIN)));
}

QString installedTranslationsFolder()
{
    return installedTranslationsFolder(QCoreApplication::applicationDirPath());
}
