#include "mainwindow/cquillmora.h"

#include "preview/demoplayer.h"

#include <QMutexLocker>
#include <QTableWidget>

// The preview dialog edits a copy of the whole list; only OK hands it back.
void CQuillmora::onEdit()
{
    const int row = jobTable->currentRow();
    QList<ConvertJob> copy;
    {
        QMutexLocker lock(&jobsMutex);
        if (!isJobRow(row))
            return;
        copy = jobs;
    }

    DemoPlayer dialog(nullptr, Qt::WindowCloseButtonHint);
    dialog.move(frameGeometry().center() - dialog.rect().center());
    dialog.setJobs(copy, row);
    dialog.setModal(true);
    if (dialog.exec() == QDialog::Accepted) {
        QMutexLocker lock(&jobsMutex);
        jobs = dialog.jobList();
    }
}
