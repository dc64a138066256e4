#pragma once

#include "engine/probemodule.h"
#include "tools/transcoder/mediaprobe.h"

#include <QByteArray>
#include <QString>

// ProbedMedia as the text of the transcoder's --facts= option, written by the
// probe module and read by the transcoder: "key=value" pairs joined by ';'
// ("detail=1;duration=2;audio=flac;samplerate=44100;channels=2;...;muxer=mp3").
// Every value is a number or one of FFmpeg's names, which hold neither ';' nor '='.
namespace factstext {

// detail: what the probe was asked for; muxer: of the output, may be empty.
QByteArray write(const ProbedMedia &media, ProbeDetail detail, const QString &muxer);

// False for a text that is not such facts (an unknown key, a bad number, no stream).
bool read(const QByteArray &text, ProbedMedia *media, ProbeDetail *detail, QString *muxer);

} // namespace factstext
