#include "tools/transcoder/mediaprobe.h"

#include "tools/common/stopsignals.h"
#include "tools/transcoder/factstext.h"

#include <QFileInfo>
#include <QHash>

namespace {

struct Told {
    QString inputPath; // absolute
    ProbedMedia media;
    ProbeDetail detail = ProbeDetail::Facts;
};

// What --facts said; the transcoder is single-threaded.
Told told;
QHash<QString, QString> toldMuxers; // by the output's suffix, which alone chooses it

QString suffixOf(const QString &path)
{
    return QFileInfo(path).suffix().toLower();
}

// The module beside the transcoder, or a failure: the conversion cannot go on without it.
const ProbeModule *module(QString *error)
{
    return ProbeModule::in(QFileInfo(QStringLiteral("/proc/self/exe")).canonicalPath(), error);
}

} // namespace

bool rememberProbedFacts(const QByteArray &text, const QString &inputPath,
                         const QString &outputPath)
{
    Told read;
    QString muxer;
    if (!factstext::read(text, &read.media, &read.detail, &muxer))
        return false;
    read.inputPath = QFileInfo(inputPath).absoluteFilePath();
    told = read;
    if (!muxer.isEmpty())
        toldMuxers.insert(suffixOf(outputPath), muxer);
    return true;
}

ProbedMedia probeMedia(const QString &path, ProbeDetail detail)
{
    if (!told.inputPath.isEmpty() && int(detail) <= int(told.detail)
        && QFileInfo(path).absoluteFilePath() == told.inputPath)
        return told.media;
    ProbedMedia media;
    const ProbeModule *probe = module(&media.error);
    if (!probe)
        return media;
    const QByteArray text = probe->probe(
        path, QString(), detail, [] { return stopsignals::requested() != 0; }, &media.error);
    ProbeDetail readDetail;
    QString muxer;
    if (!text.isEmpty() && !factstext::read(text, &media, &readDetail, &muxer))
        media.error = QStringLiteral("the probe module gave facts that do not read: %1")
                          .arg(QString::fromUtf8(text));
    return media;
}

QString encoderNameFor(const QString &codecName)
{
    const ProbeModule *probe = module(nullptr);
    return probe ? probe->encoderFor(codecName) : QString();
}

qint64 videoStreamBytes(const QString &path)
{
    const ProbeModule *probe = module(nullptr);
    return probe ? probe->videoStreamBytes(path) : -1;
}

QString muxerNameFor(const QString &path)
{
    const QString known = toldMuxers.value(suffixOf(path));
    if (!known.isEmpty())
        return known;
    const ProbeModule *probe = module(nullptr);
    return probe ? probe->muxerFor(path) : QString();
}

ProbeModule::Remuxed remuxInProcess(const QString &input, const QString &output, const QString &muxer,
                                    bool copyVideo, bool copyAudio, const std::function<void(double)> &progress)
{
    const ProbeModule *probe = module(nullptr);
    if (!probe)
        return ProbeModule::Remuxed::LeftToFfmpeg;
    return probe->remux(input, output, muxer, copyVideo, copyAudio, progress,
                        [] { return stopsignals::requested() != 0; });
}
