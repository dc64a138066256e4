// The settings dialog for the current row, and a row refreshed after it.
#include "mainwindow/cquillmora.h"

#include "app/formats.h"
#include "app/outputfolder.h"
#include "settings/csettings.h"

#include <QLineEdit>
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
    if (!queue.isRow(row))
        return;
    const ConvertJob job = queue.at(row);
    if (!hasSettings(job))
        return;

    CSettings dialog;
    const QRect frame = geometry();
    dialog.move(frame.left() + (frame.width() - dialog.width()) / 2,
                frame.top() + (frame.height() - dialog.height()) / 2);
    dialog.loadSettings();
    dialog.loadJob(job);
    if (!runSettingsDialog(dialog) || !queue.isRow(row))
        return;

    setOutputFolder(dialog.outputFolder());
    ConvertJob updated = queue.at(row); // as it is now: a run may have moved its state on
    updated.formatId = dialog.editedJob().formatId;
    updated.profile = dialog.editedJob().profile;
    queue.replace(row, updated);
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
    if (!jobTable || !queue.isRow(row))
        return;
    ConvertJob job = queue.at(row);
    if (reset) {
        if (job.state == Converting)
            return;
        job.state = Ready;
    }
    job.outputPath = outputPathFor(outputFolder(), job.inputPath, job.formatId);
    setReadOnlyText(jobTable, row, ProfileColumn, profileColumnText(job.formatId, job.state, runControl->isRunning()),
                    Qt::AlignCenter);
    if (reset)
        setReadOnlyText(jobTable, row, OutputColumn, job.outputPath, Qt::AlignLeft | Qt::AlignVCenter);
    job.progressBar = nullptr; // the table deletes it with its cell widget
    queue.replace(row, job);
    jobTable->removeCellWidget(row, ProfileColumn);
    updateEditActions();
}
