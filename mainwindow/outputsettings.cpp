// The settings dialog for the current row, and a row refreshed after it.
#include "mainwindow/cquillmora.h"

#include "app/formats.h"
#include "app/outputfolder.h"
#include "settings/csettings.h"

#include <QLineEdit>
#include <QMutexLocker>
#include <QTableWidget>

namespace {

constexpr int ProfileColumn = 2;
constexpr int OutputColumn = 3;

bool hasSettings(const ConvertJob &job)
{
    const int category = job.profile.category;
    return category != Image && category != VideoMerge && category != AudioMerge;
}

void setReadOnlyText(QTableWidget *table, int row, int column, const QString &text,
                     Qt::Alignment alignment)
{
    auto *item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsSelectable | Qt::ItemIsEnabled);
    item->setTextAlignment(alignment);
    table->setItem(row, column, item);
}

} // namespace

void CQuillmora::onSettings()
{
    const int row = jobTable ? jobTable->currentRow() : -1;
    if (!isJobRow(row))
        return;
    const ConvertJob job = jobAt(row);
    if (!hasSettings(job))
        return;

    CSettings dialog;
    const QRect frame = geometry();
    dialog.move(frame.left() + (frame.width() - dialog.width()) / 2,
                frame.top() + (frame.height() - dialog.height()) / 2);
    dialog.loadSettings();
    dialog.loadJob(job);
    if (!runSettingsDialog(dialog) || !isJobRow(row))
        return;

    setOutputFolder(dialog.outputFolder());
    const ConvertJob edited = dialog.editedJob();
    {
        QMutexLocker lock(&jobsMutex);
        jobs[row].formatId = edited.formatId;
        jobs[row].profile = edited.profile;
    }
    refreshRow(row, true);
    m_pTxtOutFolder->setText(outputFolder());
}

bool CQuillmora::runSettingsDialog(CSettings &dialog)
{
    if (settingsDialogHook)
        return settingsDialogHook(dialog);
    return dialog.exec() == QDialog::Accepted;
}

void CQuillmora::refreshRow(int row, bool reset)
{
    if (!jobTable || !isJobRow(row))
        return;
    ConvertJob job = jobAt(row);
    if (reset) {
        if (job.state == Converting)
            return;
        job.state = Ready;
    }
    job.outputPath = outputPathFor(outputFolder(), job.inputPath, job.formatId);
    setReadOnlyText(jobTable, row, ProfileColumn, profileColumnText(job.formatId, job.state, running),
                    Qt::AlignCenter);
    if (reset)
        setReadOnlyText(jobTable, row, OutputColumn, job.outputPath, Qt::AlignLeft | Qt::AlignVCenter);
    job.progressBar = nullptr; // the table deletes it with its cell widget
    {
        QMutexLocker lock(&jobsMutex);
        jobs[row] = job;
    }
    jobTable->removeCellWidget(row, ProfileColumn);
    updateEditActions();
}
