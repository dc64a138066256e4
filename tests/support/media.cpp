#include "tests/support/media.h"

#include "tests/support/programrun.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace testmedia {

using testsupport::runProgram;

namespace {

double rational(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('/'));
    if (parts.size() == 2 && parts[1].toDouble() != 0)
        return parts[0].toDouble() / parts[1].toDouble();
    return text.toDouble();
}

} // namespace

bool runFfmpeg(const QStringList &arguments, QString *errors)
{
    const testsupport::Finished finished =
        runProgram(QStringLiteral("ffmpeg"), QStringList{"-y", "-v", "error"} + arguments);
    if (errors)
        *errors = finished.errors;
    return finished.exitCode == 0;
}

bool makeClip(const QString &path, const ClipSpec &spec)
{
    const QString seconds = QString::number(spec.seconds);
    QStringList arguments;
    if (spec.width > 0) {
        arguments << "-f" << "lavfi" << "-i"
                  << QStringLiteral("%1=size=%2x%3:rate=%4:duration=%5")
                         .arg(spec.videoSource).arg(spec.width).arg(spec.height).arg(spec.frameRate).arg(seconds);
    }
    if (spec.sampleRate > 0) {
        arguments << "-f" << "lavfi" << "-i"
                  << QStringLiteral("sine=frequency=440:sample_rate=%1:duration=%2").arg(spec.sampleRate).arg(seconds);
        if (spec.channels > 1)
            arguments << "-ac" << QString::number(spec.channels);
    }
    if (spec.width > 0)
        arguments << "-pix_fmt" << "yuv420p";
    arguments << path;
    return runFfmpeg(arguments);
}

const Stream *Probe::first(const QString &type) const
{
    for (const Stream &stream : streams) {
        if (stream.type == type)
            return &stream;
    }
    return nullptr;
}

Probe probe(const QString &path)
{
    const testsupport::Finished finished = runProgram(
        QStringLiteral("ffprobe"),
        {"-v", "error", "-show_entries",
         "format=format_name,duration:stream=codec_type,codec_name,width,height,sample_rate,channels,avg_frame_rate",
         "-of", "json", path});
    Probe result;
    if (finished.exitCode != 0)
        return result;
    const QJsonObject root = QJsonDocument::fromJson(finished.output).object();
    const QJsonObject format = root.value("format").toObject();
    result.ok = true;
    result.formatName = format.value("format_name").toString();
    result.duration = format.value("duration").toString().toDouble();
    for (const QJsonValue &value : root.value("streams").toArray()) {
        const QJsonObject object = value.toObject();
        Stream stream;
        stream.type = object.value("codec_type").toString();
        stream.codec = object.value("codec_name").toString();
        stream.width = object.value("width").toInt();
        stream.height = object.value("height").toInt();
        stream.sampleRate = object.value("sample_rate").toString().toInt();
        stream.channels = object.value("channels").toInt();
        stream.frameRate = rational(object.value("avg_frame_rate").toString());
        result.streams.append(stream);
    }
    return result;
}

double meanLuma(const QString &path, double atSeconds)
{
    const testsupport::Finished finished = runProgram(
        QStringLiteral("ffmpeg"), {"-v", "error", "-ss", QString::number(atSeconds), "-i", path, "-frames:v", "1",
                                   "-f", "rawvideo", "-pix_fmt", "gray", "-"});
    const QByteArray &gray = finished.output;
    if (finished.exitCode != 0 || gray.isEmpty())
        return -1;
    double sum = 0;
    for (unsigned char byte : gray)
        sum += byte;
    return sum / gray.size();
}

QString fontFile(const QString &pattern)
{
    return QString::fromUtf8(runProgram(QStringLiteral("fc-match"), {"-f", "%{file}", pattern}).output);
}

} // namespace testmedia
