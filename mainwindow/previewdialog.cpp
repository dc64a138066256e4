#include "mainwindow/cquillmora.h"

#include "mainwindow/jobtable.h"
#include "platform/userprompts.h"
#include "preview/demoplayer.h"

// The preview dialog edits a copy of the whole list; only OK hands it back.
void CQuillmora::onEdit()
{
    const int row = jobTable->currentJobRow();
    if (!queue.isRow(row))
        return;

    DemoPlayer dialog(nullptr, Qt::WindowCloseButtonHint);
    dialog.move(frameGeometry().center() - dialog.rect().center());
    dialog.setJobs(queue.all(), row);
    dialog.setModal(true);
    // Rows added meanwhile (a drop still being taken) stay as they are.
    if (userPrompts().runDialog(dialog) == QDialog::Accepted)
        jobTable->replaceJobs(dialog.jobList());
}
