#include "platform/userprompts.h"

#include <QDialog>
#include <QFileDialog>
#include <QMessageBox>

int UserPrompts::runDialog(QDialog &dialog)
{
    return dialog.exec();
}

namespace {

class QtPrompts final : public UserPrompts
{
public:
    void warning(QWidget *parent, const QString &title, const QString &text) override
    {
        QMessageBox::warning(parent, title, text, QMessageBox::Ok);
    }

    void information(QWidget *parent, const QString &title, const QString &text) override
    {
        QMessageBox::information(parent, title, text, QMessageBox::Ok);
    }

    void about(QWidget *parent, const QString &title, const QString &text) override
    {
        QMessageBox::about(parent, title, text);
    }

    bool question(QWidget *parent, const QString &title, const QString &text) override
    {
        return QMessageBox::question(parent, title, text, QMessageBox::Yes | QMessageBox::No,
                                     QMessageBox::No)
               == QMessageBox::Yes;
    }

    QStringList openFiles(QWidget *parent, const QString &caption, const QString &folder,
                          const QString &filter) override
    {
        return QFileDialog::getOpenFileNames(parent, caption, folder, filter);
    }

    QString chooseFolder(QWidget *parent, const QString &caption, const QString &folder) override
    {
        return QFileDialog::getExistingDirectory(
            parent, caption, folder, QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
    }
};

QtPrompts qtPrompts;
UserPrompts *installed = nullptr;

} // namespace

UserPrompts &userPrompts()
{
    return installed ? *installed : qtPrompts;
}

UserPrompts *installUserPrompts(UserPrompts *prompts)
{
    UserPrompts *previous = installed;
    installed = prompts;
    return previous;
}
