#include "tests/support/media.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace testmedia {

namespace {

QByteArray runTool(const QString &program, const QStringList &arguments, int *exitCode, QString *errors)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(600000)) {
        process.kill();
        process.waitForFinished();
    }
    *exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    if (errors)
        *errors = QString::fromLocal8Bit(process.readAllStandardError());
    return process.readAllStandardOutput();
}

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
    int exitCode = 0;
    runTool(QStringLiteral("ffmpeg"), QStringList{"-y", "-v", "error"} + arguments, &exitCode, errors);
    return exitCode == 0;
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
    int exitCode = 0;
    const QByteArray json = runTool(
        QStringLiteral("ffprobe"),
        {"-v", "error", "-show_entries",
         "format=format_name,duration:stream=codec_type,codec_name,width,height,sample_rate,channels,avg_frame_rate",
         "-of", "json", path},
        &exitCode, nullptr);
    Probe result;
    if (exitCode != 0)
        return result;
    const QJsonObject root = QJsonDocument::fromJson(json).object();
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
    int exitCode = 0;
    const QByteArray gray = runTool(
        QStringLiteral("ffmpeg"),
        {"-v", "error", "-ss", QString::number(atSeconds), "-i", path, "-frames:v", "1", "-f", "rawvideo",
         "-pix_fmt", "gray", "-"},
        &exitCode, nullptr);
    if (exitCode != 0 || gray.isEmpty())
        return -1;
    double sum = 0;
    for (unsigned char byte : gray)
        sum += byte;
    return sum / gray.size();
}

} // namespace testmedia
