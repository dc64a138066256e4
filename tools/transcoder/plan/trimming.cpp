#include "tools/transcoder/plan/trimming.h"

#include "engine/transcodervalues.h"

#include <algorithm>

namespace {

const QString startOption = QStringLiteral("-ss");
const QString lengthOption = QStringLiteral("-t");

QString secondsOf(double seconds)
{
    return secondsText(qRound64(seconds * 1000));
}

} // namespace

QString fitTrim(FfmpegCommand &command, const MediaFacts &input, bool seekable, double *expectedSeconds)
{
    *expectedSeconds = 0;
    const QString *startText = command.value(startOption);
    const QString *lengthText = command.value(lengthOption);
    const std::optional<double> start = startText ? parseDuration(*startText) : 0.0;
    const std::optional<double> length = lengthText ? parseDuration(*lengthText) : std::nullopt;
    if (!start || *start < 0)
        return QStringLiteral("the start \"%1\" is not a time").arg(*startText);
    if (lengthText && !length)
        return QStringLiteral("the length \"%1\" is not a time").arg(*lengthText);
    if (length && *length <= 0)
        return QStringLiteral("the part to convert is empty (its length is 0)");
    const double duration = input.durationSeconds;
    if (duration > 0 && *start >= duration)
        return QStringLiteral("the start (%1 s) lies beyond the end of the input (%2 s)")
            .arg(secondsOf(*start), secondsOf(duration));

    if (duration > 0)
        *expectedSeconds = length ? std::min(*length, duration - *start) : duration - *start;
    else if (length)
        *expectedSeconds = *length;

    if (startText && seekable) {
        const QString value = *startText;
        command.remove(startOption);
        command.inputOptions.append({startOption, value, false});
    }
    return QString();
}
