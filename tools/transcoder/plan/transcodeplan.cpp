#include "tools/transcoder/plan/transcodeplan.h"

// Placeholder: passes the arguments through unchanged until the rewrite lands.
TranscodePlan planTranscode(const QStringList &given, const MediaFacts &input, const FontLookup &)
{
    TranscodePlan plan;
    plan.ffmpegArguments = given;
    plan.expectedSeconds = input.durationSeconds;
    return plan;
}

QString lookUpFont(const QString &, const QString &)
{
    return QString();
}
