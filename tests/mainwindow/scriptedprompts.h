#pragma once

#include "platform/userprompts.h"

#include <QList>
#include <QString>
#include <QStringList>
#include <QUrl>

// Answers the program's boxes and dialogs from queues and records each one,
// so that no test waits on a modal window. An empty queue means "cancel"
// (no files, no folder) or "No". Installed for its lifetime.
class ScriptedPrompts : public UserPrompts
{
public:
    struct Shown {
        QString kind; // "warning", "information", "about", "question", "openFiles", "chooseFolder",
                      // "openFile", "openUrl" (the address as text)
        QString title;
        QString text; // the message; for dialogs the caption
        QString detail; // the filter of openFiles, the start folder of chooseFolder
    };

    ScriptedPrompts() { previous = installUserPrompts(this); }
    ~ScriptedPrompts() override { installUserPrompts(previous); }
    ScriptedPrompts(const ScriptedPrompts &) = delete;
    ScriptedPrompts &operator=(const ScriptedPrompts &) = delete;

    QList<QStringList> fileAnswers;
    QStringList folderAnswers;
    QList<bool> questionAnswers;
    QList<Shown> shown;

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
    QString openFile(QWidget *, const QString &caption, const QString &, const QString &filter) override
    {
        shown.append({QStringLiteral("openFile"), {}, caption, filter});
        return fileAnswers.isEmpty() ? QString() : fileAnswers.takeFirst().value(0);
    }
    void openUrl(const QUrl &url) override
    {
        shown.append({QStringLiteral("openUrl"), {}, url.toString(), {}});
    }

private:
    UserPrompts *previous = nullptr;
};
