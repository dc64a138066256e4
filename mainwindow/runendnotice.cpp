// The end of a run told by the desktop when the user is in another window.
#include "mainwindow/cquillmora.h"

#include "platform/desktopnotification.h"

void CQuillmora::notifyRunEnded(int succeeded, int failed)
{
    if (isActiveWindow())
        return; // the result box says it already
    showDesktopNotification(tr("Conversion finished"),
                            tr("Succeeded: %1, failed: %2").arg(succeeded).arg(failed),
                            QStringLiteral(QUILLMORA_DESKTOP_ID));
}
