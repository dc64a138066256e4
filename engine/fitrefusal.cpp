#include "engine/fitrefusal.h"

#include "app/fitsize.h"
#include "engine/timeleft.h"

#include <cmath>

namespace fitrefusal {

QString text(qint64 sizeBytes, double seconds, qint64 leastBytes)
{
    return QCoreApplication::translate(
               "FitSize", "%1 is too small for %2 of video; %3 is the least that works")
        .arg(FitSize::text(sizeBytes), clockText(int(std::lround(seconds))),
             FitSize::text(FitSize::roundedUp(leastBytes)));
}

QString reason(const QHash<QString, QString> &reports)
{
    bool sizeRead = false;
    bool secondsRead = false;
    bool leastRead = false;
    const qint64 size = reports.value(QLatin1String(sizeKey)).toLongLong(&sizeRead);
    const double seconds = reports.value(QLatin1String(secondsKey)).toDouble(&secondsRead);
    const qint64 least = reports.value(QLatin1String(leastKey)).toLongLong(&leastRead);
    if (!sizeRead || !secondsRead || !leastRead)
        return QString();
    return text(size, seconds, least);
}

} // namespace fitrefusal
