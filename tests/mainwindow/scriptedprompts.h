#pragma once

#include "platform/userprompts.h"

#include <QDialog>
#include <QLabel>
#include <QList>
#include <QRect>
#include <QString>
#include <QStringList>

#include <algorithm>

// Answers the program's boxes and dialogs from queues and records each one,
// so that no test waits on a modal window. An empty queue means "cancel"
// (no files, no folder) or "No". Installed for its lifetime.
class ScriptedPrompts : public UserPrompts
{
public:
    struct Shown {
        QString kind; // "warning", "information", "about", "question", "openFiles", "chooseFolder", "dialog"
        QString title;
        QString text; // the message; for file dialogs the caption; for "dialog" its labels' texts
        QString detail; // the filter of openFiles, the start folder of chooseFolder, a dialog's object name
    };

    ScriptedPrompts() { previous = installUserPrompts(this); }
    ~ScriptedPrompts() override { installUserPrompts(previous); }
    ScriptedPrompts(const ScriptedPrompts &) = delete;
    ScriptedPrompts &operator=(const ScriptedPrompts &) = delete;

    QList<QStringList> fileAnswers;
    QStringList folderAnswers;
    QList<bool> questionAnswers;
    QList<Shown> shown;
    // Where a dialog shows on the screen when it is run.
    QList<QRect> dialogGeometries;

    int count(const QString &kind) const
    {
        int n = 0;
        for (const Shown &entry : shown)
            n += entry.kind == kind;
        return n;
    }

    void warning(QWidget *, const QString &title, const QString &text) override
    {
        shown.append({QStringLiteral("warning"), title, text, {}});
    }
    void information(QWidget *, const QString &title, const QString &text) override
    {
        shown.append({QStringLiteral("information"), title, text, {}});
    }
    void about(QWidget *, const QString &title, const QString &text) override
    {
        shown.append({QStringLiteral("about"), title, text, {}});
    }
    bool question(QWidget *, const QString &title, const QString &text) override
    {
        shown.append({QStringLiteral("question"), title, text, {}});
        return !questionAnswers.isEmpty() && questionAnswers.takeFirst();
    }
    QStringList openFiles(QWidget *, const QString &caption, const QString &, const QString &filter) override
    {
        shown.append({QStringLiteral("openFiles"), {}, caption, filter});
        return fileAnswers.isEmpty() ? QStringList() : fileAnswers.takeFirst();
    }
    QString chooseFolder(QWidget *, const QString &caption, const QString &folder) override
    {
        shown.append({QStringLiteral("chooseFolder"), {}, caption, folder});
        return folderAnswers.isEmpty() ? QString() : folderAnswers.takeFirst();
    }

    // A dialog is recorded (its labels' texts in order of their object names,
    // one a line) and closed as by its title-bar button.
    int runDialog(QDialog &dialog) override
    {
        QList<QLabel *> labels = dialog.findChildren<QLabel *>();
        std::sort(labels.begin(), labels.end(),
                  [](QLabel *a, QLabel *b) { return a->objectName() < b->objectName(); });
        QStringList texts;
        for (QLabel *label : std::as_const(labels))
            if (!label->text().isEmpty())
                texts << label->text();
        shown.append({QStringLiteral("dialog"), dialog.windowTitle(), texts.join(QLatin1Char('\n')),
                      dialog.objectName()});
        dialogGeometries.append(dialog.geometry());
        return QDialog::Rejected;
    }

private:
    UserPrompts *previous = nullptr;
};
