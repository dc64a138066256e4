#include "app/mediafiles.h"

#include "app/formats.h"

#include <QCoreApplication>
#include <QStringList>

QString mediaFileFilter(int category)
{
    const QStringList suffixes = inputSuffixes(category);
    if (suffixes.isEmpty())
        return QString();
    QString filter = QCoreApplication::translate("CQuillmora", "All Media Files (");
    for (const QString &suffix : std::as_const(suffixes))
        filter += QStringLiteral(" *.") + suffix;
    return filter + QStringLiteral(" )");
}

qint64 kilobytesOf(qint64 bytes)
{
    return (bytes + 1023) / 1024;
}
