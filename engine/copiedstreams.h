#pragma once

#include <QString>

// What a row's tooltip and a batch line say of the streams a tool copied
// without encoding them again ("video", "audio" or "video,audio", as the
// transcoder reports them); empty for anything else.
QString copiedStreamsText(const QString &streams);
