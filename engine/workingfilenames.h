#pragma once

#include <QString>

struct EditOptions;

// Bare names under which a pass's watermark picture and subtitle file are
// copied into the tool's working directory and named in the filters. They
// never need escaping in a filtergraph: a plain original name
// ([A-Za-z0-9][A-Za-z0-9._-]*) is kept, anything else becomes a fixed stem with
// the original suffix reduced to letters and digits. The two never collide.
struct WorkingFileNames {
    QString watermark; // empty when the job has no watermark picture
    QString subtitles; // empty when the job has no subtitle file
};

WorkingFileNames workingFileNames(const EditOptions &edit);
