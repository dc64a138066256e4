#include "tools/transcoder/joinplan.h"

#include <QFileInfo>

namespace {

QString nameOf(const JoinPart &part, int index)
{
    return QStringLiteral("part %1 (%2)").arg(index + 1).arg(QFileInfo(part.path).fileName());
}

bool samePictures(const ProbedMedia &a, const ProbedMedia &b)
{
    return a.facts.videoCodec == b.facts.videoCodec && a.facts.pixelFormat == b.facts.pixelFormat
           && a.facts.width == b.facts.width && a.facts.height == b.facts.height
           && a.facts.rotation == b.facts.rotation;
}

bool sameSound(const ProbedMedia &a, const ProbedMedia &b)
{
    return a.facts.audioCodec == b.facts.audioCodec && a.facts.sampleRate == b.facts.sampleRate
           && a.facts.channels == b.facts.channels;
}

} // namespace

JoinPlan planJoin(const QList<JoinPart> &parts)
{
    JoinPlan plan;
    if (parts.isEmpty()) {
        plan.error = QStringLiteral("the join list names no file");
        return plan;
    }
    int pictureModel = -1;
    for (int i = 0; i < parts.size(); ++i) {
        const ProbedMedia &media = parts[i].media;
        if (!media.facts.readable) {
            plan.error = QStringLiteral("cannot read %1: %2").arg(nameOf(parts[i], i), media.error);
            return plan;
        }
        if (media.facts.hasVideo && pictureModel < 0)
            pictureModel = i;
        if (media.facts.hasAudio && plan.audioModel < 0)
            plan.audioModel = i;
        plan.expectedSeconds += media.facts.durationSeconds;
    }
    plan.video = pictureModel >= 0;
    plan.audio = plan.audioModel >= 0;

    for (int i = 0; i < parts.size(); ++i) {
        const ProbedMedia &media = parts[i].media;
        if (plan.video && !media.facts.hasVideo) {
            plan.error = QStringLiteral("%1 has no pictures: a video join needs pictures in every part").arg(nameOf(parts[i], i));
            return plan;
        }
        if (plan.video && !samePictures(media, parts[pictureModel].media)) {
            plan.error = QStringLiteral("%1 differs from %2 in its picture format")
                             .arg(nameOf(parts[i], i), nameOf(parts[pictureModel], pictureModel));
            return plan;
        }
        if (!media.facts.hasAudio) {
            plan.silentParts.append(i); // only a video join gets here: every part has something
            continue;
        }
        if (!sameSound(media, parts[plan.audioModel].media)) {
            plan.error = QStringLiteral("%1 differs from %2 in its sound format")
                             .arg(nameOf(parts[i], i), nameOf(parts[plan.audioModel], plan.audioModel));
            return plan;
        }
    }
    if (!plan.audio)
        plan.silentParts.clear(); // pictures only, everywhere: nothing to match
    return plan;
}
