#include "tests/support/media.h"

#include "tests/support/programrun.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <cmath>

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

bool makeMediaSet(const QString &folder, const QStringList &names, double seconds)
{
    const QDir dir(folder);
    const QString duration = QString::number(seconds);
    ClipSpec clip;
    clip.seconds = seconds;
    clip.width = 320;
    clip.height = 240;
    clip.frameRate = 25;
    bool made = true;
    for (const QString &name : names) {
        const QString path = dir.filePath(name);
        if (name == QLatin1String("bars.mp4") || name == QLatin1String("black.mp4")) {
            clip.videoSource = name.startsWith(QLatin1String("bars")) ? "smptebars" : "color";
            made = made && makeClip(path, clip);
        } else if (name == QLatin1String("phone.mp4")) {
            const QString stored = dir.filePath(QStringLiteral("phone-stored.mp4"));
            made = made
                   && runFfmpeg({"-f", "lavfi", "-i",
                                 "color=black:size=180x320:rate=25:duration=" + duration
                                     + ",drawbox=x=0:y=0:w=60:h=60:color=white:t=fill,transpose=1",
                                 "-f", "lavfi", "-i", "sine=duration=" + duration, "-pix_fmt", "yuv420p",
                                 "-shortest", stored})
                   && runFfmpeg({"-i", stored, "-c", "copy", "-metadata:s:v", "rotate=90", path});
        } else if (name == QLatin1String("logo.png")) {
            made = made && runFfmpeg({"-f", "lavfi", "-i", "color=c=0xff00ff:size=32x32", "-frames:v", "1", path});
        } else if (name == QLatin1String("lines.srt")) {
            QFile subtitles(path);
            made = made && subtitles.open(QIODevice::WriteOnly)
                   && subtitles.write("1\n00:00:00,000 --> 00:10:00,000\nWelcome to the preview\n") > 0;
        } else {
            return false;
        }
    }
    return made;
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

Loudness loudness(const QString &path, double start, double length)
{
    QStringList arguments = {"-hide_banner", "-nostats", "-nostdin", "-ss", QString::number(start)};
    if (length > 0)
        arguments << "-t" << QString::number(length);
    arguments << "-i" << path << "-af" << "ebur128=peak=true:framelog=verbose" << "-f" << "null" << "-";
    const QString log = runProgram(QStringLiteral("ffmpeg"), arguments).errors;
    const auto figure = [&log](const char *pattern) {
        const QRegularExpression expression(QLatin1String(pattern), QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpressionMatch match = expression.match(log);
        return match.hasMatch() ? match.captured(1).toDouble() : std::nan("");
    };
    return {figure("Summary:.*\\n\\s*I:\\s*(-?[0-9.]+) LUFS"), figure("Summary:.*Peak:\\s*(-?[0-9.]+) dBFS")};
}

} // namespace testmedia
