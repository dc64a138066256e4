#include "mainwindow/cquillmora.h"

#include "app/apptitle.h"
#include "app/joblistkeeper.h"
#include "app/unfinishedjobs.h"
#include "mainwindow/jobtable.h"
#include "platform/interruptsignals.h"
#include "platform/userprompts.h"

#include <QAbstractItemModel>
#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QIcon>
#include <QLabel>
#include <QLocale>
#include <QStyle>
#include <QStyleFactory>
#include <QToolButton>

CQuillmora::CQuillmora(QWidget *parent)
    : QMainWindow(parent)
{
    useFusionStyle();
    setWindowIcon(QIcon(QStringLiteral(":res/Quillmora.png")));
    setAcceptDrops(true);
    loadSettings();
    createOutputFolder();
    createActions();
    createMenus();
    createToolBars();
    createCentralWidget();
    openOwnJobList();
    sliceFileAdding();
    createListTimeLeft();
    runControl = std::make_unique<RunControl>(*this, queue, *jobTable->model(),
                                              JobTable::ProfileColumn, *m_pChkShutDown);
    connectRunSignals();
    // A logout, a kill or Ctrl+C in the terminal ends the run as Stop does.
    interruptSignals = std::make_unique<InterruptSignals>();
    connect(interruptSignals.get(), &InterruptSignals::signalled, this, &CQuillmora::quitOnSignal);
    applyStartupLanguage(QLocale::system().name());
    setWindowTitle(appTitle());
}

CQuillmora::~CQuillmora()
{
    stopRunAndWait();
    pendingFiles.clear(); // stops the walks of folders still being looked at
    // The table reads the job list until it is gone, and the list is a
    // member: the table goes first, not with the other child widgets.
    delete jobTable;
    jobTable = nullptr;
}

void CQuillmora::useFusionStyle()
{
    // Only a style that was really created may be used or asked for its palette.
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(style);
        QApplication::setPalette(style->standardPalette());
    }
}

void CQuillmora::connectRunSignals()
{
    // The window's own signals, one-line forwards of the run's.
    RunControl *run = runControl.get();
    connect(run, &RunControl::progress, this, &CQuillmora::sigSetProcValue);
    connect(run, &RunControl::stateChanged, this, &CQuillmora::sigUpdateState);
    connect(run, &RunControl::passStarted, this, &CQuillmora::sigInsertProgressBar);
    connect(run, &RunControl::passEnded, this, &CQuillmora::sigRemoveProgressBar);
    connect(run, &RunControl::finished, this, &CQuillmora::sigFinished);

    connect(this, &CQuillmora::sigSetProcValue, this, &CQuillmora::setProcValue);
    connect(this, &CQuillmora::sigFinished, this, &CQuillmora::onRunEnded);
    connect(this, &CQuillmora::sigUpdateState, this, &CQuillmora::updateJobState);
    connect(this, &CQuillmora::sigInsertProgressBar, this, &CQuillmora::insertProgressBar);
    connect(this, &CQuillmora::sigRemoveProgressBar, this, &CQuillmora::removeProgressBar);
    connect(run, &RunControl::failureReason, this, &CQuillmora::showFailureReason, Qt::QueuedConnection);
    connect(run, &RunControl::outputRenamed, this, &CQuillmora::showWrittenName, Qt::QueuedConnection);
    connect(run, &RunControl::streamsCopied, this, &CQuillmora::showCopiedStreams, Qt::QueuedConnection);
    connect(run, &RunControl::qualityChecked, this, &CQuillmora::showQualityCheck, Qt::QueuedConnection);
    // Jobs added during a run are converted by it too.
    connect(jobTable->model(), &QAbstractItemModel::rowsInserted, this,
            [this](const QModelIndex &, int first, int last) {
                for (int row = first; runControl->isBusy() && row <= last; ++row)
                    listClock.jobAdded();
            });
}

bool CQuillmora::onStart()
{
    if (!runControl->start({keepSourceDates, jobsAtOnce, skipConverted, checkQuality}))
        return false;
    int toConvert = 0;
    for (int row = 0; row < queue.count(); ++row)
        toConvert += !jobIsDone(queue.at(row).state);
    listClock.start(toConvert);
    showListTimeLeft();
    applyRunStartedState();
    return true;
}

void CQuillmora::onStop()
{
    runControl->stop();
    // The rest stays locked until the run has ended: its rows may still change.
    action(WindowAction::Stop)->setEnabled(false);
}

void CQuillmora::onRunEnded()
{
    listTimeLeft->clear();
    applyRunStoppedState();
}

void CQuillmora::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::LanguageChange)
        applyTexts(true);
    QMainWindow::changeEvent(event);
}

void CQuillmora::onAbout()
{
    QStringList lines{tr("Quillmora converts video, audio and image files into the format "
                         "you choose, several jobs at once.")};
    for (const FormatTab tab : {FormatTab::Video, FormatTab::Audio, FormatTab::Image}) {
        lines << tr("%1: %2").arg(QCoreApplication::translate("CQuillmora", formatTabTitle(tab)),
                                  formatNamesOn(tab).join(QStringLiteral(", ")));
    }
    userPrompts().about(this, appTitle(), lines.join(QLatin1Char('\n')));
}

void CQuillmora::updateEditActions()
{
    const int row = jobTable ? jobTable->currentJobRow() : -1;
    const bool editable = queue.isRow(row) && queue.at(row).profile.category == Video && !runControl->isBusy();
    action(WindowAction::Edit)->setEnabled(editable);
    action(WindowAction::Setting)->setEnabled(editable);
}

void CQuillmora::applyJobAddedState()
{
    if (queue.count() == 0)
        return;
    if (!runControl->isBusy()) {
        action(WindowAction::RemoveItem)->setEnabled(true);
        action(WindowAction::RemoveList)->setEnabled(true);
        action(WindowAction::Convert)->setEnabled(true);
    }
    updateEditActions();
}

void CQuillmora::applyListEmptiedState()
{
    action(WindowAction::RemoveItem)->setEnabled(false);
    action(WindowAction::RemoveList)->setEnabled(false);
    action(WindowAction::Convert)->setEnabled(false);
    updateEditActions();
}

void CQuillmora::applyRunStartedState()
{
    action(WindowAction::Convert)->setEnabled(false);
    action(WindowAction::Stop)->setEnabled(true);
    action(WindowAction::RemoveItem)->setEnabled(false);
    action(WindowAction::RemoveList)->setEnabled(false);
    updateEditActions();
    setFormatButtonsEnabled(false);
}

void CQuillmora::applyRunStoppedState()
{
    action(WindowAction::Convert)->setEnabled(true);
    action(WindowAction::Stop)->setEnabled(false);
    action(WindowAction::RemoveItem)->setEnabled(true);
    action(WindowAction::RemoveList)->setEnabled(true);
    updateEditActions();
    setFormatButtonsEnabled(true);
}

void CQuillmora::setFormatButtonsEnabled(bool enabled)
{
    for (QToolButton *button : formatButtons)
        button->setEnabled(enabled);
}
