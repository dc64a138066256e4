#include "app/fitsize.h"

#include "app/optiontables.h"

#include <QRegularExpression>

#include <cmath>

namespace {

struct Unit {
    const char *name;
    double bytes;
};

// Lower case, as the text is compared.
const Unit units[] = {
    {"kb", 1e3},
    {"mb", 1e6},
    {"gb", 1e9},
    {"kib", 1024.0},
    {"mib", 1024.0 * 1024},
    {"gib", 1024.0 * 1024 * 1024},
};

// The unit of ten that text() writes the size in, and the step it rounds to.
struct Shown {
    double unit;
    double step; // a tenth below ten units, a whole unit from ten up
};

Shown shownFor(qint64 bytes)
{
    const double unit = bytes >= 1e9 ? 1e9 : bytes >= 1e6 ? 1e6 : 1e3;
    return {unit, bytes >= 10 * unit ? unit : unit / 10};
}

} // namespace

QVector<qint64> FitSize::choices()
{
    return {8'000'000, 10'000'000, 25'000'000, 50'000'000, 100'000'000, 500'000'000, 1'000'000'000};
}

bool FitSize::parse(const QString &text, qint64 *bytes)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(\\d+(?:\\.\\d+)?|\\.\\d+)\\s*([A-Za-z]*)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return false;
    const QString unitName = match.captured(2).toLower();
    double unitBytes = unitName.isEmpty() ? 1e6 : 0;
    for (const Unit &unit : units) {
        if (unitName == QLatin1String(unit.name))
            unitBytes = unit.bytes;
    }
    const double value = match.captured(1).toDouble() * unitBytes;
    // Above a petabyte nothing is a size to fit in; it would only overflow.
    if (unitBytes == 0 || value < 1 || value > 1e15)
        return false;
    *bytes = qint64(std::llround(value));
    return true;
}

QString FitSize::text(qint64 bytes)
{
    const double unit = shownFor(bytes).unit;
    const double value = std::round(bytes * 10 / unit) / 10;
    const QString figure = QString::number(value, 'f', value == std::floor(value) ? 0 : 1);
    if (unit == 1e9)
        return tr("%1 GB").arg(figure);
    if (unit == 1e6)
        return tr("%1 MB").arg(figure);
    return tr("%1 kB").arg(figure);
}

qint64 FitSize::roundedUp(qint64 bytes)
{
    const Shown shown = shownFor(bytes);
    const qint64 up = qint64(std::ceil(bytes / shown.step) * shown.step);
    // Rounding up may reach the next unit, whose step is coarser: 9.96 MB to 10 MB.
    return shownFor(up).step > shown.step ? roundedUp(up) : up;
}

bool FitSize::offered(const OutputProfile &profile)
{
    if (profile.category == VideoMerge)
        return true;
    const int codec = profile.vCodec;
    return profile.category == Video
           && (codec == VideoCodecH264 || codec == VideoCodecH265 || codec == VideoCodecVP9
               || codec == VideoCodecAV1);
}

QString FitSize::notOfferedReason()
{
    return tr("Only video in H.264, H.265, VP9 or AV1 can be fitted in a size: those encode in two "
              "passes.");
}
