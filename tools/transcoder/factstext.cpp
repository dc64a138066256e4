#include "tools/transcoder/factstext.h"

#include <QList>

#include <algorithm>
#include <functional>

namespace factstext {

namespace {

QByteArray number(double value)
{
    return QByteArray::number(value, 'g', 17);
}

// One key of the text: how its value is read into the facts.
struct Field {
    const char *key;
    std::function<bool(const QByteArray &value, ProbedMedia *media)> read;
};

bool readInt(const QByteArray &value, int *into)
{
    bool ok = false;
    *into = value.toInt(&ok);
    return ok;
}

bool readDouble(const QByteArray &value, double *into)
{
    bool ok = false;
    *into = value.toDouble(&ok);
    return ok;
}

const QList<Field> &fields()
{
    static const QList<Field> table = {
        {"duration", [](const QByteArray &v,
                        ProbedMedia *m) { return readDouble(v, &m->facts.durationSeconds); }},
        {"video",
         [](const QByteArray &v, ProbedMedia *m) {
             m->facts.hasVideo = true;
             m->facts.videoCodec = QString::fromUtf8(v);
             return true;
         }},
        {"width", [](const QByteArray &v, ProbedMedia *m) { return readInt(v, &m->facts.width); }},
        {"height",
         [](const QByteArray &v, ProbedMedia *m) { return readInt(v, &m->facts.height); }},
        {"aspect",
         [](const QByteArray &v, ProbedMedia *m) { return readDouble(v, &m->facts.pixelAspect); }},
        {"rate",
         [](const QByteArray &v, ProbedMedia *m) { return readDouble(v, &m->facts.frameRate); }},
        {"rotation",
         [](const QByteArray &v, ProbedMedia *m) { return readInt(v, &m->facts.rotation); }},
        {"pixfmt",
         [](const QByteArray &v, ProbedMedia *m) {
             m->facts.pixelFormat = QString::fromUtf8(v);
             return true;
         }},
        {"audio",
         [](const QByteArray &v, ProbedMedia *m) {
             m->facts.hasAudio = true;
             m->facts.audioCodec = QString::fromUtf8(v);
             return true;
         }},
        {"samplerate",
         [](const QByteArray &v, ProbedMedia *m) { return readInt(v, &m->facts.sampleRate); }},
        {"channels",
         [](const QByteArray &v, ProbedMedia *m) { return readInt(v, &m->facts.channels); }},
        {"bitrate",
         [](const QByteArray &v, ProbedMedia *m) {
             bool ok = false;
             m->facts.audioBitRate = v.toLongLong(&ok);
             return ok;
         }},
        {"layout",
         [](const QByteArray &v, ProbedMedia *m) {
             m->channelLayout = QString::fromUtf8(v);
             return true;
         }},
    };
    return table;
}

} // namespace

QByteArray write(const ProbedMedia &media, ProbeDetail detail, const QString &muxer)
{
    const MediaFacts &facts = media.facts;
    QList<QByteArray> pairs{"detail=" + QByteArray::number(int(detail)),
                            "duration=" + number(facts.durationSeconds)};
    if (facts.hasVideo) {
        pairs << "video=" + facts.videoCodec.toUtf8() << "width=" + QByteArray::number(facts.width)
              << "height=" + QByteArray::number(facts.height)
              << "aspect=" + number(facts.pixelAspect) << "rate=" + number(facts.frameRate)
              << "rotation=" + QByteArray::number(facts.rotation);
        if (!facts.pixelFormat.isEmpty())
            pairs << "pixfmt=" + facts.pixelFormat.toUtf8();
    }
    if (facts.hasAudio) {
        pairs << "audio=" + facts.audioCodec.toUtf8()
              << "samplerate=" + QByteArray::number(facts.sampleRate)
              << "channels=" + QByteArray::number(facts.channels)
              << "bitrate=" + QByteArray::number(facts.audioBitRate);
        if (!media.channelLayout.isEmpty())
            pairs << "layout=" + media.channelLayout.toUtf8();
    }
    if (!muxer.isEmpty())
        pairs << "muxer=" + muxer.toUtf8();
    return pairs.join(';');
}

bool read(const QByteArray &text, ProbedMedia *media, ProbeDetail *detail, QString *muxer)
{
    ProbedMedia readMedia;
    int readDetail = -1;
    QString readMuxer;
    for (const QByteArray &pair : text.split(';')) {
        const int equals = pair.indexOf('=');
        if (equals <= 0)
            return false;
        const QByteArray key = pair.left(equals);
        const QByteArray value = pair.mid(equals + 1);
        if (key == "detail") {
            if (!readInt(value, &readDetail))
                return false;
            continue;
        }
        if (key == "muxer") {
            readMuxer = QString::fromUtf8(value);
            continue;
        }
        auto field = std::find_if(fields().begin(), fields().end(),
                                  [&](const Field &f) { return key == f.key; });
        if (field == fields().end() || !field->read(value, &readMedia))
            return false;
    }
    if (readDetail < int(ProbeDetail::Facts) || readDetail > int(ProbeDetail::Formats)
        || !(readMedia.facts.hasVideo || readMedia.facts.hasAudio))
        return false;
    readMedia.facts.readable = true;
    *media = readMedia;
    *detail = ProbeDetail(readDetail);
    *muxer = readMuxer;
    return true;
}

} // namespace factstext
