#pragma once

#include <QString>
#include <QStringList>

class QTranslator;

// Translation file for a system locale name ("zh_TW", "ja_JP"); empty for English.
QString languageFileForLocale(const QString &localeName);

// Where translation files are looked for, in order: the current folder, the
// application's folder, the installed data folder.
QStringList translationFolders();

// Full path of the first folder's file of that name; empty when none has it.
QString findTranslationFile(const QString &fileName, const QStringList &folders);

// Loads the system language's file into translator and installs it, for the
// texts of the command line (which has no language choice of its own).
void installSystemLanguage(QTranslator &translator);
