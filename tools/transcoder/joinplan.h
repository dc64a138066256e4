#pragma once

#include "tools/transcoder/mediaprobe.h"

#include <QList>
#include <QString>

// A part of a join, as probed.
struct JoinPart {
    QString path;
    ProbedMedia media;
};

// How a join is done by stream copy. ffmpeg's concat demuxer takes the
// streams of the first part and writes a corrupt file, with success, when a
// later part has other streams or other codecs; so the parts are checked
// first, and a video part without sound gets a silent track.
struct JoinPlan {
    QString error;           // not empty: the parts cannot be joined
    bool video = false;      // a video join: every part must have pictures
    bool audio = false;      // the output has sound
    QList<int> silentParts;  // parts that get a silent track first
    int audioModel = -1;     // the part whose sound format the silence copies
    double expectedSeconds = 0;
};

JoinPlan planJoin(const QList<JoinPart> &parts);
