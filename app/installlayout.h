#pragma once

#include <QProcessEnvironment>
#include <QString>

// Where the parts of an installation lie, found from the application's own
// folder so that a build tree, /usr and /usr/local all work without a
// compiled-in prefix. The folders are the build's (the root CMakeLists.txt):
//   <prefix>/bin/quillmora
//   <prefix>/lib/quillmora/{quillmora-convert, quillmora-window, transcoder,
//                           imageconvert/convert, fonts/fonts.conf}
//   <prefix>/share/quillmora/translations/*.qm

// The folder holding "transcoder" and "imageconvert/convert": the
// application's own folder when they are there (the build tree), else
// <application folder>/../lib/quillmora when they are there; the
// application's own folder when neither has them (a run then reports the
// missing tool by its full path).
QString toolsFolder(const QString &applicationFolder);
QString toolsFolder(); // for QCoreApplication::applicationDirPath()

// The transcoder's font configuration beside the tools: FC_CONFIG_DIR.
QString fontConfigFolder(const QString &toolsFolder);

// What the tools of a run inherit, in the window and in the batch mode alike:
// the application's environment with the transcoder's font configuration
// (FC_CONFIG_DIR, FC_CONFIG_FILE).
QProcessEnvironment toolEnvironment(const QString &toolsFolder);

// The programs the command starts in its place, among the tools: the
// window's, <tools folder>/quillmora-window, and the command line's without
// a window, <tools folder>/quillmora-convert.
QString windowProgram(const QString &applicationFolder);
QString convertProgram(const QString &applicationFolder);

// <prefix>/share/quillmora/translations, cleaned, from a folder of programs:
// bin, or the tools' folder, where quillmora-convert and quillmora-window lie.
QString installedTranslationsFolder(const QString &applicationFolder);
QString installedTranslationsFolder();
