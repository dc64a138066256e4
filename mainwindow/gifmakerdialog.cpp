// The GIF maker's job: the dialog's choice becomes one row of the list.
#include "mainwindow/cquillmora.h"

#include "app/apptitle.h"
#include "gifmaker/cgifmerge.h"
#include "platform/userprompts.h"

void CQuillmora::onGIFMerge()
{
    CGIFMerge dialog;
    dialog.setStartFolder(openFolder);
    const QRect window = geometry();
    dialog.move(window.x() + (window.width() - dialog.width()) / 2,
                window.y() + (window.height() - dialog.height()) / 2);
    if (userPrompts().runDialog(dialog) != QDialog::Accepted)
        return;

    const GifChoice choice = dialog.choice();
    ConvertJob job = makeGifJob(currentFormatId, currentProfile, choice);
    if (addFileRow(choice.path, job))
        appendJob(job);
    else
        userPrompts().warning(this, appTitle(), tr("Unsupported format : ") + choice.path);
    applyJobAddedState();
}
