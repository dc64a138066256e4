#include "tests/conversion/conversionrun.h"

#include "engine/conversionpass.h"
#include "engine/imagearguments.h"
#include "engine/passworkspace.h"
#include "engine/toolprocess.h"
#include "engine/transcoderarguments.h"
#include "tests/support/media.h"
#include "tests/support/programrun.h"

#include <QRegularExpression>

#include <cmath>

namespace conversion {

using testsupport::Finished;
using testsupport::runProgram;

Outcome convert(const ConvertJob &job, const QString &input, const QString &output)
{
    // A case that converts to a name again means to replace its last output.
    const ConversionPass pass{input, output, PassKind::Single, true};
    Outcome outcome;
    const bool image = job.profile.category == Image;
    outcome.arguments = image ? buildImageArguments(pass) : buildTranscoderArguments(job, pass);
    const PassWorkspace workspace(job, pass);
    if (!workspace.isValid()) {
        outcome.errors = workspace.errorString();
        return outcome;
    }
    ToolProcess transcoder;
    transcoder.setWorkingDirectory(workspace.path());
    transcoder.start(image ? QStringLiteral(QUILLMORA_BUILD_DIR "/imageconvert/convert")
                           : QStringLiteral(QUILLMORA_BUILD_DIR "/transcoder"),
                     outcome.arguments);
    const ToolExit exit = transcoder.waitForExit();
    outcome.succeeded = exit.succeeded();
    outcome.errors = exit.errorText;
    return outcome;
}

bool decodesCleanly(const QString &path, QString *errors)
{
    const Finished finished =
        runProgram(QStringLiteral("ffmpeg"), {"-v", "error", "-nostdin", "-i", path, "-f", "null", "-"});
    *errors = finished.errors;
    return finished.exitCode == 0 && finished.errors.trimmed().isEmpty();
}

QString pixelFormat(const QString &path)
{
    const Finished finished = runProgram(QStringLiteral("ffprobe"), {"-v", "error", "-select_streams", "v:0",
                                                                     "-show_entries", "stream=pix_fmt", "-of",
                                                                     "default=nw=1:nk=1", path});
    return QString::fromUtf8(finished.output).trimmed();
}

QString displayAspect(const QString &path)
{
    const Finished finished =
        runProgram(QStringLiteral("ffprobe"), {"-v", "error", "-select_streams", "v:0", "-show_entries",
                                               "stream=display_aspect_ratio", "-of", "default=nw=1:nk=1", path});
    const QString aspect = QString::fromUtf8(finished.output).trimmed();
    return aspect == QLatin1String("N/A") || aspect == QLatin1String("0:1") ? QString() : aspect;
}

double Picture::differenceFrom(const Picture &other, int x, int y, int width, int height) const
{
    if (size != other.size || isNull())
        return 255;
    double sum = 0;
    for (int row = y; row < y + height; ++row) {
        for (int byte = x * 3; byte < (x + width) * 3; ++byte) {
            const int at = (row * size.width()) * 3 + byte;
            sum += std::abs(int(quint8(rgb[at])) - int(quint8(other.rgb[at])));
        }
    }
    return sum / (width * height * 3);
}

Picture pictureAt(const QString &path, double seconds)
{
    const testmedia::Probe probed = testmedia::probe(path);
    const testmedia::Stream *video = probed.first(QStringLiteral("video"));
    if (!video)
        return {};
    const Finished finished =
        runProgram(QStringLiteral("ffmpeg"), {"-v", "error", "-nostdin", "-ss", QString::number(seconds), "-i", path,
                                             "-frames:v", "1", "-f", "rawvideo", "-pix_fmt", "rgb24", "-"});
    Picture picture;
    picture.size = QSize(video->width, video->height);
    if (finished.exitCode == 0 && finished.output.size() == video->width * video->height * 3)
        picture.rgb = finished.output;
    return picture;
}

double meanVolume(const QString &path)
{
    const Finished finished = runProgram(
        QStringLiteral("ffmpeg"), {"-nostdin", "-i", path, "-vn", "-af", "volumedetect", "-f", "null", "-"});
    static const QRegularExpression mean(QStringLiteral(R"(mean_volume: (-?[\d.]+) dB)"));
    const QRegularExpressionMatch match = mean.match(finished.errors);
    return match.hasMatch() ? match.captured(1).toDouble() : -999;
}

} // namespace conversion
