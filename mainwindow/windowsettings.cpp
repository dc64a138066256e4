// What lasts from one run to the next, the output folder and the confirmed close.
#include "mainwindow/cquillmora.h"

#include "app/apptitle.h"
#include "app/outputfolder.h"
#include "mainwindow/settingsstore.h"
#include "platform/userprompts.h"

#include <QActionGroup>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMenu>
#include <QScreen>
#include <QSettings>
#include <QThread>

#include <algorithm>
#include <memory>


namespace {

QList<QRect> screenAreas()
{
    QList<QRect> areas;
    if (QScreen *primary = QGuiApplication::primaryScreen())
        areas << primary->availableGeometry();
    for (QScreen *screen : QGuiApplication::screens()) {
        if (screen != QGuiApplication::primaryScreen())
            areas << screen->availableGeometry();
    }
    return areas;
}

} // namespace

void CQuillmora::loadSettings()
{
    const std::unique_ptr<QSettings> store(openSettingsStore());
    const StoredSettings stored = readStoredSettings(*store);
    setOutputFolder(stored.outFolder);
    openFolder = stored.openFolder;
    keepSourceDates = stored.keepSourceDates;
    keepFolderStructure = stored.keepFolderStructure;
    skipConverted = stored.skipConverted;
    checkQuality = stored.checkQuality;
    // A count kept on a machine with more cores is this one's most.
    jobsAtOnce = std::min(stored.jobsAtOnce, std::max(1, QThread::idealThreadCount()));
    // A position saved on a screen that is gone would open the window out of reach.
    const QRect placed = fitOntoScreens(QRect(stored.pos, stored.size), screenAreas());
    resize(placed.size());
    move(placed.topLeft());
}

void CQuillmora::saveSettings()
{
    const std::unique_ptr<QSettings> store(openSettingsStore());
    writeStoredSettings(*store,
                        {pos(), size(), outputFolder(), openFolder, keepSourceDates, jobsAtOnce,
                         keepFolderStructure, skipConverted, checkQuality},
                        profileTable());
}

void CQuillmora::onKeepSourceDates(bool keep)
{
    keepSourceDates = keep;
}

void CQuillmora::onKeepFolderStructure(bool keep)
{
    keepFolderStructure = keep; // for the files added from now on
}

void CQuillmora::onSkipConverted(bool skip)
{
    skipConverted = skip; // taken by the next run
}

void CQuillmora::onCheckQuality(bool check)
{
    checkQuality = check;
}

void CQuillmora::createJobsAtOnceMenu(QMenu *settingMenu)
{
    jobsAtOnceMenu = settingMenu->addMenu(QString());
    jobsAtOnceMenu->setObjectName(QStringLiteral("menuJobsAtOnce"));
    auto *choices = new QActionGroup(jobsAtOnceMenu);
    for (int count = 0; count <= std::max(1, QThread::idealThreadCount()); ++count) {
        // 0 is "Automatic", named in applyTexts().
        QAction *choice = jobsAtOnceMenu->addAction(count == 0 ? QString() : QString::number(count));
        choice->setCheckable(true);
        choice->setData(count);
        choice->setChecked(count == jobsAtOnce);
        choices->addAction(choice);
    }
    // Taken by the next run; a running one keeps its count.
    connect(choices, &QActionGroup::triggered, this, [this](QAction *choice) { jobsAtOnce = choice->data().toInt(); });
}

void CQuillmora::createOutputFolder()
{
    const QString folder = outputFolder();
    if (makeWritableFolder(folder) || folder == defaultOutputFolder())
        return; // the default folder's trouble is met, and reported, when a job writes into it
    setOutputFolder(defaultOutputFolder());
    makeWritableFolder(outputFolder());
    userPrompts().warning(this, appTitle(),
                          tr("The output folder %1 cannot be created or written to. "
                             "Converted files go to %2 instead.")
                              .arg(folder, outputFolder()));
}

void CQuillmora::setOutFolder()
{
    const QString folder = userPrompts().chooseFolder(this, tr("Select the output folder"), outputFolder());
    if (folder.isEmpty())
        return;
    if (!makeWritableFolder(folder)) {
        userPrompts().warning(this, appTitle(),
                              tr("The folder %1 cannot be written to. The output folder stays %2.")
                                  .arg(folder, outputFolder()));
        return;
    }
    m_pTxtOutFolder->setText(folder);
    setOutputFolder(folder);
}

void CQuillmora::onOutFolder()
{
    // Made again if it was removed since, so that there is something to open.
    makeWritableFolder(outputFolder());
    userPrompts().openFolder(outputFolder());
}

void CQuillmora::closeEvent(QCloseEvent *event)
{
    if (!userPrompts().question(this, appTitle(), QStringLiteral("\n") + tr("Do you want exit really?"))) {
        event->ignore();
        return;
    }
    endSession();
    event->accept();
    QCoreApplication::quit();
}

void CQuillmora::quitOnSignal(int signalNumber)
{
    if (sessionEnded)
        return;
    endSession();
    hide();
    // Ends every event loop, a question's too (it reads as No, and is not
    // acted on: sessionEnded), and any loop begun after returns at once.
    QCoreApplication::exit(128 + signalNumber);
}

void CQuillmora::endSession()
{
    sessionEnded = true;
    stopRunAndWait();
    keepJobListForNextStart();
    onClearList();
    saveSettings();
}
