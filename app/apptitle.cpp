#include "app/apptitle.h"

#include <QCoreApplication>

QString appTitle()
{
    static const QString title =
        QCoreApplication::translate("CQuillmora", "Quillmora") + QStringLiteral("V1.0");
    return title;
}
