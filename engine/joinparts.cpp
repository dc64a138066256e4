#include "engine/joinparts.h"

#include "engine/ffmpegtoken.h"

JoinKind joinKindOf(const OutputProfile &profile)
{
    const bool audio = profile.category == AudioMerge || profile.category == Audio
                       || profile.formatId == FormatAudioJoiner;
    return audio ? JoinKind::Audio : JoinKind::Video;
}

ConvertJob withJoinPartFormat(ConvertJob job)
{
    const bool audio = joinKindOf(job.profile) == JoinKind::Audio;
    job.formatId = audio ? FormatMP3 : FormatMP4;
    job.profile.formatId = job.formatId;
    job.profile.category = audio ? Audio : Video;
    return job;
}

QString joinPartFileName(JoinKind kind, int part)
{
    return kind == JoinKind::Audio ? QStringLiteral("subaudio%1.mp3").arg(part)
                                   : QStringLiteral("subvideo%1.mp4").arg(part);
}

QString concatListLine(const QString &path)
{
    return QStringLiteral("file ") + singleQuotedFfmpegToken(path);
}

bool canListPath(const QString &path)
{
    return !path.contains(u'\n') && !path.contains(u'\r');
}
