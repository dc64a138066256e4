#include "mainwindow/cquillmora.h"

#include "preview/demoplayer.h"

#include <QTableWidget>

// The preview dialog edits a copy of the whole list; only OK hands it back.
void CQuillmora::onEdit()
{
    const int row = jobTable->currentRow();
    if (!queue.isRow(row))
        return;

    DemoPlayer dialog(nullptr, Qt::WindowCloseButtonHint);
    dialog.move(frameGeometry().center() - dialog.rect().center());
    dialog.setJobs(queue.all(), row);
    dialog.setModal(true);
    if (dialog.exec() == QDialog::Accepted)
        queue.assign(dialog.jobList());
}
