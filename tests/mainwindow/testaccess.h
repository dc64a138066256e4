#pragma once

#include "app/joblistkeeper.h"
#include "engine/conversionworker.h"
#include "mainwindow/cquillmora.h"
#include "mainwindow/jobtable.h"
#include "settings/csettings.h"

#include <QAction>
#include <QCheckBox>
#include <QMetaObject>
#include <QTest>
#include <QToolButton>

#include <functional>

// What the tests read and do inside the main window without widening its API.
class CQuillmoraTestAccess
{
public:
    explicit CQuillmoraTestAccess(CQuillmora &window)
        : w(window)
    {
    }

    QList<ConvertJob> jobs() const { return w.jobQueue().all(); }
    JobTable *table() const { return w.jobTable; }
    int rowCount() const { return w.jobTable->model()->rowCount(); }
    // A cell's text (or another role) as the table shows it.
    QString cell(int row, int column, int role = Qt::DisplayRole) const
    {
        return w.jobTable->model()->index(row, column).data(role).toString();
    }
    // The current row, as a key press makes it.
    void setCurrentRow(int row) { w.jobTable->setCurrentIndex(w.jobTable->model()->index(row, 0)); }
    // Files of a drop or of the command line still being looked at.
    bool adding() const { return !w.pendingFiles.empty(); }
    // This window's kept list as it is on disk: what a crash would leave.
    QList<ConvertJob> keptJobs() const { return w.keeper->storedJobs(); }
    int currentCategory() const { return w.currentCategory; }
    int currentFormatId() const { return w.currentFormatId; }
    OutputProfile currentProfile() const { return w.currentProfile; }
    QString openFolder() const { return w.openFolder; }
    bool running() const { return w.runControl->isRunning(); }
    bool busy() const { return w.runControl->isBusy(); }
    QAction *action(WindowAction id) const { return w.action(id); }
    const std::array<QToolButton *, FormatButtonCount> &formatButtons() const { return w.formatButtons; }
    QTranslator &translator() const { return w.translator; }
    QCheckBox *shutDownBox() const { return w.m_pChkShutDown; }
    QString progressBlockName() const { return w.runControl->progressBlockName(); }
    QString convertBlockName() const { return w.runControl->convertBlockName(); }
    bool runThreadAlive() const { return w.runControl->worker && w.runControl->worker->isRunning(); }
    // How long a bar shows 100, and a row waits after its bar went.
    void setBarPauseMs(int ms) { w.runControl->rhythm.setPauseMs(ms); }

    // The window's side of a run, without a run: controls and flags as Convert sets them.
    void startRun()
    {
        w.runControl->running = true;
        w.runControl->busy = true;
        w.applyRunStartedState();
    }
    // ... and as the end of that run leaves them.
    void stopRun()
    {
        w.onStop();
        w.runControl->runEnded();
    }

    // Plays the user of the settings dialog in place of its modal loop; the
    // dialog counts as accepted when the user pressed Apply.
    void answerSettingsDialog(std::function<void(CSettings &)> user)
    {
        w.settingsDialogHook = [user](CSettings &dialog) {
            user(dialog);
            return dialog.result() == QDialog::Accepted;
        };
    }
    void applyStartupLanguage(const QString &locale) { w.applyStartupLanguage(locale); }

    // Private slots by name, as a signal or an action would call them.
    void invoke(const char *slot) { QVERIFY(QMetaObject::invokeMethod(&w, slot)); }
    template <typename... Args>
    void invoke(const char *slot, Args... args)
    {
        QVERIFY(QMetaObject::invokeMethod(&w, slot, Q_ARG(int, args)...));
    }

private:
    CQuillmora &w;
};
