#include "tools/transcoder/recodedcopies.h"

#include <QFile>

RecodedCopies::~RecodedCopies()
{
    for (const QString &path : written)
        QFile::remove(path);
}

bool RecodedCopies::write(const QList<TextRecode> &recodes, QString *error)
{
    for (const TextRecode &recode : recodes) {
        if (!writeRecodedText(recode, error)) // never replaces a file that is there
            return false;
        written.append(recode.targetPath);
    }
    return true;
}
