#include "mainwindow/cquillmora.h"

#include "app/apptitle.h"
#include "app/installlayout.h"
#include "engine/conversionworker.h"
#include "platform/userprompts.h"

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QIcon>
#include <QLocale>
#include <QStyle>
#include <QStyleFactory>
#include <QTableWidget>
#include <QToolButton>

CQuillmora::CQuillmora(QWidget *parent)
    : QMainWindow(parent)
    , toolsFolder(::toolsFolder())
{
    useFusionStyle();
    setWindowIcon(QIcon(QStringLiteral(":res/Quillmora.png")));
    setAcceptDrops(true);
    pointToolsAtFontConfig();
    loadSettings();
    createOutputFolder();
    createActions();
    createMenus();
    createToolBars();
    createCentralWidget();
    running = false;
    openProgressBlocks();
    connectRunSignals();
    applyStartupLanguage(QLocale::system().name());
    setWindowTitle(appTitle());
}

CQuillmora::~CQuillmora()
{
    stopRunAndWait();
    releaseProgressBlocks();
}

void CQuillmora::useFusionStyle()
{
    // Only a style that was really created may be used or asked for its palette.
    if (QStyle *style = QStyleFactory::create(QStringLiteral("Fusion"))) {
        QApplication::setStyle(style);
        QApplication::setPalette(style->standardPalette());
    }
}

void CQuillmora::pointToolsAtFontConfig()
{
    // The tools inherit these and read the fonts beside the application. Our
    // own font configuration is loaded first, so that it stays the system's.
    QFontDatabase::families();
    qputenv("FC_CONFIG_DIR", fontConfigFolder(toolsFolder).toUtf8());
    qputenv("FC_CONFIG_FILE", "fonts.conf");
}

void CQuillmora::connectRunSignals()
{
    connect(this, &CQuillmora::sigSetProcValue, this, &CQuillmora::setProcValue);
    connect(this, &CQuillmora::sigFinished, this, &CQuillmora::onStop);
    connect(this, &CQuillmora::sigUpdateState, this, &CQuillmora::updateJobState);
    connect(this, &CQuillmora::sigInsertProgressBar, this, &CQuillmora::insertProgressBar);
    connect(this, &CQuillmora::sigRemoveProgressBar, this, &CQuillmora::removeProgressBar);
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
                         "you choose, one job after the other.")};
    for (const FormatTab tab : {FormatTab::Video, FormatTab::Audio, FormatTab::Image}) {
        lines << tr("%1: %2").arg(QCoreApplication::translate("CQuillmora", formatTabTitle(tab)),
                                  formatNamesOn(tab).join(QStringLiteral(", ")));
    }
    userPrompts().about(this, appTitle(), lines.join(QLatin1Char('\n')));
}

void CQuillmora::updateEditActions()
{
    const int row = jobTable ? jobTable->currentRow() : -1;
    const bool editable = queue.isRow(row) && queue.at(row).profile.category == Video && !running;
    action(WindowAction::Edit)->setEnabled(editable);
    action(WindowAction::Setting)->setEnabled(editable);
}

void CQuillmora::applyJobAddedState()
{
    if (queue.count() == 0)
        return;
    if (!running) {
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
