// The interface language and the application font that goes with it.
#include "mainwindow/cquillmora.h"

#include "app/apptitle.h"
#include "app/languagefiles.h"
#include "platform/userprompts.h"

#include <QApplication>
#include <QFont>

void CQuillmora::applyStartupLanguage(const QString &localeName)
{
    applyLanguageFile(languageFileForLocale(localeName));
}

void CQuillmora::applyLanguageFile(const QString &fileName)
{
    if (fileName.isEmpty())
        return;
    const QString path = findTranslationFile(fileName, translationFolders());
    if (path.isEmpty() || !translator.load(path)) {
        userPrompts().warning(this, appTitle(), tr("There is no language data!"));
        return;
    }
    // Installed once only, so that English removes it completely.
    QCoreApplication::removeTranslator(&translator);
    QCoreApplication::installTranslator(&translator);
}

void CQuillmora::applyLanguage(const QString &fileName, const QString &fontFamily, int pointSize)
{
    applyLanguageFile(fileName);
    QApplication::setFont(QFont(fontFamily, pointSize));
}

void CQuillmora::onSelectEnglish()
{
    QCoreApplication::removeTranslator(&translator);
    QApplication::setFont(QFont(QStringLiteral("Microsoft Sans Serif"), 8));
}

void CQuillmora::onSelectChinese()
{
    applyLanguage(QStringLiteral("Quillmora_zh.qm"), QStringLiteral("PMingLiU"), 10);
}

void CQuillmora::onSelectJapanese()
{
    applyLanguage(QStringLiteral("Quillmora_jp.qm"), QStringLiteral("MS Mincho"), 10);
}
