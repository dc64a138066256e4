#pragma once

#include <QString>
#include <QStringList>

class QDialog;
class QUrl;
class QWidget;

// Every message box, file or folder dialog and modal dialog of the program,
// and the file manager it opens, go through
// the installed UserPrompts, so that tests can answer them instead of a user.
class UserPrompts
{
public:
    virtual ~UserPrompts() = default;

    // Modal boxes with one OK button.
    virtual void warning(QWidget *parent, const QString &title, const QString &text) = 0;
    virtual void information(QWidget *parent, const QString &title, const QString &text) = 0;
    virtual void about(QWidget *parent, const QString &title, const QString &text) = 0;

    // Yes and No, No the default; true only for Yes.
    virtual bool question(QWidget *parent, const QString &title, const QString &text) = 0;

    // Several existing files; empty when cancelled.
    virtual QStringList openFiles(QWidget *parent, const QString &caption, const QString &folder,
                                  const QString &filter) = 0;

    // One existing file; empty when cancelled.
    virtual QString openFile(QWidget *parent, const QString &caption, const QString &folder,
                             const QString &filter) = 0;

    // An existing folder, symbolic links left unresolved; empty when cancelled.
    virtual QString chooseFolder(QWidget *parent, const QString &caption, const QString &folder) = 0;

    // Runs a dialog of the program modally; its result code.
    virtual int runDialog(QDialog &dialog);

    // Shows a folder in the desktop's file manager, without waiting for it.
    virtual void openFolder(const QString &folder) = 0;

    // Opens an address in the user's browser; a failure is not reported.
    virtual void openUrl(const QUrl &url) = 0;
};

// The prompts in force: Qt's own dialogs unless something else was installed.
UserPrompts &userPrompts();

// Installs prompts (nullptr brings Qt's dialogs back) and returns the previous
// ones, or nullptr when those were Qt's. The caller keeps ownership.
UserPrompts *installUserPrompts(UserPrompts *prompts);
