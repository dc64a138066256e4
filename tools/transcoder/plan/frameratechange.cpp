#include "tools/transcoder/plan/frameratechange.h"

#include "tools/transcoder/plan/codeclimits.h"
#include "tools/transcoder/plan/framefitting.h"
#include "tools/transcoder/plan/streamcopy.h"

#include <cmath>

namespace {

// Rates within this share of each other are the same (29.97 and
// 30000/1001); 30 and 29.97 are not, as a frame in a thousand is dropped.
constexpr double sameRate = 1e-4;

// "25", or "30000/1001" for the NTSC rates of the encoders' lists.
QString rateText(double rate)
{
    if (std::abs(rate - std::round(rate)) < 1e-6)
        return QString::number(qRound64(rate));
    return QStringLiteral("%1/1001").arg(qRound64(rate * 1001));
}

double targetRate(const QString &target)
{
    if (target.endsWith(QLatin1String("ntsc-dv")))
        return 30000.0 / 1001;
    if (target.endsWith(QLatin1String("pal-dv")))
        return 25;
    return 0;
}

} // namespace

void changeFrameRateByFilter(FfmpegCommand &command, const OutputTarget &target)
{
    const QString *encoder = command.value(QStringLiteral("-vcodec"));
    const QString *targetName = command.value(QStringLiteral("-target"));
    if ((!encoder && !targetName) || command.has(QStringLiteral("-vn"))
        || isCopied(command, QStringLiteral("-vcodec")))
        return;

    const QString *asked = command.value(QStringLiteral("-r"));
    QString text = asked ? *asked : QString();
    double rate = asked ? parseRate(*asked) : 0;
    if (!asked && targetName) {
        rate = targetRate(*targetName);
        text = rateText(rate);
    }
    const VideoEncoderLimits *limits = encoder ? videoEncoderLimits(*encoder) : nullptr;
    if (limits && !limits->frameRates.isEmpty()) {
        const double wanted = rate > 0 ? rate : target.input.frameRate;
        const double taken = wanted > 0 ? nearestOf(limits->frameRates, wanted) : 0;
        if (taken > 0 && std::abs(taken / wanted - 1) > sameRate) {
            rate = taken;
            text = rateText(taken);
            command.set(QStringLiteral("-r"), text);
        }
    }
    const double input = target.input.frameRate;
    if (rate <= 0 || (input > 0 && std::abs(rate / input - 1) <= sameRate))
        return;
    Filter fps;
    fps.name = QStringLiteral("fps");
    fps.hasArguments = true;
    fps.options.append(FilterOption{QString(), text});
    appendVideoFilters(command, {fps});
}
