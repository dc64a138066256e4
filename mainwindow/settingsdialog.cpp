// The settings dialog for the current row, and the row refreshed after it.
#include "mainwindow/cquillmora.h"

#include "app/outputfolder.h"
#include "mainwindow/jobtable.h"
#include "settings/csettings.h"

#include <QLineEdit>

namespace {

bool hasSettings(const ConvertJob &job)
{
    const int category = job.profile.category;
    return category != Image && category != VideoMerge && category != AudioMerge;
}

} // namespace

void CQuillmora::onSettings()
{
    const int row = jobTable->currentJobRow();
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
    updated.fitBytes = dialog.editedJob().fitBytes;
    updated.loudness = dialog.editedJob().loudness;
    // The row starts afresh with the output path from the output folder (and
    // the subfolder of a tree it came from);
    // a converting row keeps its state, path and bar.
    if (updated.state != Converting) {
        updated.state = Ready;
        updated.outputPath =
            outputPathFor(outputFolder(), updated.inputPath, updated.formatId, updated.outputSubfolder);
        jobTable->endProgress(row);
        updated.progressBar = nullptr;
    }
    jobTable->replaceJob(row, updated);
    updateEditActions();
    m_pTxtOutFolder->setText(outputFolder());
}

bool CQuillmora::runSettingsDialog(CSettings &dialog)
{
    if (settingsDialogHook)
        return settingsDialogHook(dialog);
    return dialog.exec() == QDialog::Accepted;
}
