#include "app/languagefiles.h"

#include "app/installlayout.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLocale>
#include <QTranslator>

QString languageFileForLocale(const QString &localeName)
{
    const QString language = localeName.left(localeName.lastIndexOf(QLatin1Char('_')));
    if (language == QLatin1String("zh"))
        return QStringLiteral("Quillmora_zh.qm");
    if (language == QLatin1String("ja"))
        return QStringLiteral("Quillmora_jp.qm");
    return QString();
}

QStringList translationFolders()
{
    return {QDir::currentPath(), QCoreApplication::applicationDirPath(),
            installedTranslationsFolder()};
}

QString findTranslationFile(const QString &fileName, const QStringList &folders)
{
    for (const QString &folder : folders) {
        const QString path = QDir(folder).filePath(fileName);
        if (QFileInfo(path).isFile())
            return path;
    }
    return QString();
}

void installSystemLanguage(QTranslator &translator)
{
    const QString file = findTranslationFile(languageFileForLocale(QLocale::system().name()),
                                             translationFolders());
    if (!file.isEmpty() && translator.load(file))
        QCoreApplication::installTranslator(&translator);
}
