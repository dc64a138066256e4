#pragma once

#include "tools/transcoder/plan/textrecode.h"

#include <QList>
#include <QString>
#include <QStringList>

// The UTF-8 copies of subtitle files that the plan asks for; each is removed
// when the run ends, however it ends (a stop signal unwinds to here too).
class RecodedCopies
{
public:
    RecodedCopies() = default;
    RecodedCopies(const RecodedCopies &) = delete;
    RecodedCopies &operator=(const RecodedCopies &) = delete;
    ~RecodedCopies();

    bool write(const QList<TextRecode> &recodes, QString *error);

private:
    QStringList written;
};
