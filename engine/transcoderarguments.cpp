#include "engine/transcoderarguments.h"

#include "app/fitsize.h"
#include "engine/filterescaping.h"
#include "engine/transcodervalues.h"
#include "engine/workingfilenames.h"

#include <cmath>

namespace {

// The real number to six significant digits, plain decimal, no trailing zeros.
QString shortNumber(double x)
{
    if (x == 0)
        return QStringLiteral("0");
    const int integerDigits = int(std::floor(std::log10(std::abs(x)))) + 1;
    QString text = QString::number(x, 'f', qMax(0, 6 - integerDigits));
    if (text.contains(u'.')) {
        while (text.endsWith(u'0'))
            text.chop(1);
        if (text.endsWith(u'.'))
            text.chop(1);
    }
    return text;
}

void appendOption(QStringList &arguments, const char *option, const QString &value)
{
    if (!value.isEmpty())
        arguments << QString::fromLatin1(option) << value;
}

void appendProfileOption(QStringList &arguments, const char *option, OptionField field, int index)
{
    appendOption(arguments, option, optionValue(field, index));
}

QString rotationFilter(int quarterTurns)
{
    QStringList turns;
    for (int i = 0; i < ((quarterTurns % 4) + 4) % 4; ++i)
        turns << QStringLiteral("transpose=1");
    return turns.join(u',');
}

QString videoFilterChain(const EditOptions &edit)
{
    const WatermarkOptions &mark = edit.watermark;
    const WorkingFileNames names = workingFileNames(edit);
    QStringList filters;
    if (!mark.imagePath.isEmpty()) {
        filters << QStringLiteral("movie=%1[watermark];[in][watermark]overlay=%2:%3")
                       .arg(names.watermark).arg(mark.imageX).arg(mark.imageY);
    }
    if (!mark.text.isEmpty()) {
        filters << QStringLiteral("drawtext=fontfile=%1:text=%2:fontsize=%3:fontcolor=%4:x=%5:y=%6")
                       .arg(quotedFilterValue(mark.fontName), quotedDrawtextText(mark.text),
                            textSizeValue(mark.fontSize), textColourValue(mark.fontColor))
                       .arg(mark.textX)
                       .arg(mark.textY);
    }
    if (!edit.subtitlePath.isEmpty()) {
        filters << QStringLiteral("subtitles=%1:charenc=%2")
                       .arg(names.subtitles, subtitleCharset(edit.subtitleCodePage));
    }
    if (const QString rotation = rotationFilter(edit.rotation); !rotation.isEmpty())
        filters << rotation;
    if (edit.verticalFlip != 0)
        filters << QStringLiteral("vflip");
    if (edit.horizontalFlip != 0)
        filters << QStringLiteral("hflip");
    if (edit.brightness != 0 || edit.contrast != 0 || edit.saturation != 0) {
        // eq2's fields: gamma, contrast, brightness, saturation.
        filters << QStringLiteral("mp=eq2=1.0:%1:%2:%3")
                       .arg(shortNumber((edit.contrast + 100) / 100.0),
                            shortNumber(edit.brightness / 100.0),
                            shortNumber((edit.saturation + 100) / 100.0));
    }
    return filters.join(u',');
}

void appendAudioGroup(QStringList &arguments, const OutputProfile &profile)
{
    appendProfileOption(arguments, "-ar", OptionField::AudioSamples, profile.aSamples);
    appendProfileOption(arguments, "-ac", OptionField::AudioChannels, profile.aChannels);
    appendProfileOption(arguments, "-acodec", OptionField::AudioCodec, profile.aCodec);
    appendProfileOption(arguments, "-b:a", OptionField::AudioBitrate, profile.aBitrate);
    if (profile.category == Audio)
        arguments << QStringLiteral("-vn");
}

void appendVideoGroup(QStringList &arguments, const OutputProfile &profile, const EditOptions &edit)
{
    appendProfileOption(arguments, "-r", OptionField::VideoFps, profile.vFps);
    if (edit.trimLength != 0) {
        arguments << QStringLiteral("-ss") << secondsText(edit.trimStart)
                  << QStringLiteral("-t") << secondsText(edit.trimLength);
    }
    appendOption(arguments, "-vf", videoFilterChain(edit));
    if (edit.volume != 100)
        arguments << QStringLiteral("-af") << QStringLiteral("volume=") + shortNumber(edit.volume / 100.0);
    appendProfileOption(arguments, "-s", OptionField::VideoSize, profile.vSize);
    appendProfileOption(arguments, "-aspect", OptionField::AspectRatio, profile.vAspectRatio);
    appendProfileOption(arguments, "-vcodec", OptionField::VideoCodec, profile.vCodec);
    appendProfileOption(arguments, "-b:v", OptionField::VideoBitrate, profile.vBitrate);
    appendAudioGroup(arguments, profile);
}

void appendGifGroup(QStringList &arguments, const EditOptions &edit)
{
    // The GIF maker keeps its start and length in whole seconds.
    arguments << QStringLiteral("-ss") << QString::number(edit.trimStart)
              << QStringLiteral("-t") << QString::number(edit.trimLength)
              << QStringLiteral("-s") << gifFrameSize(edit.gifSize)
              << QStringLiteral("-b:v") << QStringLiteral("1024k");
}

// The sound is normalised in the pass that writes the job's output: a join's
// parts are left as they are and the joined sound is normalised as a whole.
bool passNormalisesLoudness(const ConvertJob &job, const ConversionPass &pass)
{
    const int category = job.profile.category;
    return job.loudness != 0 && pass.kind != PassKind::JoinPart
           && (category == Video || category == Audio || category == VideoMerge || category == AudioMerge);
}

} // namespace

bool passAppliesEdits(const ConvertJob &job, const ConversionPass &pass)
{
    return job.profile.category == Video && job.profile.formatId != FormatDV
           && pass.kind != PassKind::JoinFinal;
}

QStringList buildTranscoderArguments(const ConvertJob &job, const ConversionPass &pass)
{
    const OutputProfile &profile = job.profile;
    QStringList arguments;
    // The join pass fits the joined file; its parts are converted as they are.
    if (job.fitBytes > 0 && FitSize::offered(profile) && pass.kind != PassKind::JoinPart)
        arguments << QStringLiteral("--fit-size=%1").arg(job.fitBytes);
    if (passNormalisesLoudness(job, pass))
        arguments << QStringLiteral("--loudness=%1").arg(job.loudness); // the transcoder's own options come first
    if (pass.kind == PassKind::JoinFinal)
        arguments << QStringLiteral("-f") << QStringLiteral("concat");
    if (pass.replaceExisting)
        arguments << QStringLiteral("-y");
    arguments << QStringLiteral("-i") << pass.inputPath
              << QStringLiteral("-threads") << QStringLiteral("4")
              << QStringLiteral("-preset") << QStringLiteral("ultrafast");

    if (profile.category == GifMerge)
        appendGifGroup(arguments, job.edit);
    else if (pass.kind == PassKind::JoinFinal)
        arguments << QStringLiteral("-c") << QStringLiteral("copy");
    else if (profile.category != Video)
        appendAudioGroup(arguments, profile);
    else if (profile.formatId == FormatDV)
        arguments << QStringLiteral("-target") << QStringLiteral("ntsc-dv");
    else
        appendVideoGroup(arguments, profile, job.edit);

    arguments << pass.outputPath;
    return arguments;
}
