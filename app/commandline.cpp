#include "app/commandline.h"

#include "app/fitsize.h"
#include "app/folderwalk.h"
#include "app/formats.h"
#include "app/loudnesschoices.h"
#include "app/windowlessoptions.h"

#include <QCommandLineParser>
#include <QDir>

#include <cstdio>
#include <vector>

namespace {

// Format ids of the buttons, tab by tab in their order; ASF and RA have none,
// and the GIF maker needs a start and a length that a batch does not ask for.
constexpr int buttonFormats[] = {
    0,  1,  2,  4,  5,  6,  7,  8,  9,  10, FormatWebM, FormatHEVC, FormatAV1,
    11, 12, 13, 14, 15, 16, 17, 18, 19, 21, FormatOpus,
    22, 23, 24, 25, 26, 27, 28, 29, FormatWebP, FormatAVIF, 30, 31};

QString nameOf(int formatId)
{
    if (formatId == 28)
        return QStringLiteral("ico");
    return QString::fromLatin1(formatInfo(formatId)->buttonText).toLower().remove(QLatin1Char(' '));
}

QString absolute(const QString &currentFolder, const QString &path)
{
    return QDir::cleanPath(QDir(currentFolder).absoluteFilePath(path));
}

const char *const convertOption = "convert";
const char *const formatOption = "format";
const char *const outputOption = "output";
const char *const overwriteOption = "overwrite";
const char *const keepDatesOption = "keep-dates";
const char *const jobsOption = "jobs";
const char *const sizeOption = "size";
const char *const updateOption = "update";
const char *const flatOption = "flat";
const char *const loudnessOption = "loudness";
const char *const checkQualityOption = "check-quality";
const char *const listOption = "list-formats";

} // namespace

QList<BatchFormat> CommandLine::formats()
{
    QList<BatchFormat> list;
    for (int id : buttonFormats)
        list.append({nameOf(id), id, defaultProfile(id), profileText(id)});
    list.append({QStringLiteral("apple"), FormatMOV, devicePresetProfile(DevicePreset::Apple),
                 tr("Apple devices (MOV, H.264 and AAC)")});
    list.append({QStringLiteral("android"), FormatMP4, devicePresetProfile(DevicePreset::Android),
                 tr("Android devices (MP4, H.264 and AAC)")});
    return list;
}

bool CommandLine::formatNamed(const QString &name, BatchFormat *format)
{
    QString wanted = name.trimmed().toLower();
    if (wanted == QLatin1String("icon"))
        wanted = QStringLiteral("ico");
    const QList<BatchFormat> list = formats();
    for (const BatchFormat &candidate : list) {
        if (candidate.name == wanted) {
            *format = candidate;
            return true;
        }
    }
    return false;
}

bool CommandLine::wantsNoWindow(const QStringList &arguments)
{
    std::vector<QByteArray> texts;
    for (const QString &argument : arguments)
        texts.push_back(argument.toLocal8Bit());
    std::vector<const char *> argv;
    for (const QByteArray &text : texts)
        argv.push_back(text.constData());
    return asksForNoWindow(int(argv.size()), argv.data());
}

bool CommandLine::wantsWindow(const QStringList &arguments)
{
    QCommandLineParser parser;
    define(parser);
    const CommandLineRequest request = parse(parser, arguments, QDir::currentPath());
    const bool maybeQtOption = request.mode == CommandLineRequest::Error && request.unknownOption
                               && !wantsNoWindow(arguments);
    return request.mode == CommandLineRequest::Window || maybeQtOption;
}

void CommandLine::define(QCommandLineParser &parser)
{
    parser.setApplicationDescription(
        tr("Converts video, audio and picture files. Without --convert the files are "
           "opened in the window as jobs."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption({QString::fromLatin1(convertOption),
                      tr("Convert the files without a window, then exit: 0 when every job "
                         "succeeded.")});
    parser.addOption({{QStringLiteral("f"), QString::fromLatin1(formatOption)},
                      tr("The output format, by the name of its button (see --list-formats)."),
                      tr("name")});
    parser.addOption({{QStringLiteral("o"), QString::fromLatin1(outputOption)},
                      tr("The folder the outputs go to (default: the current folder)."),
                      tr("folder")});
    parser.addOption({QString::fromLatin1(overwriteOption),
                      tr("Replace existing outputs instead of writing \"name_1\" beside them.")});
    parser.addOption({QString::fromLatin1(keepDatesOption),
                      tr("Give each output the modification date of its source (a join: of its first file).")});
    parser.addOption({QString::fromLatin1(jobsOption),
                      tr("How many jobs run at once: a number, or \"auto\" (the default) for sound and "
                         "pictures on every core and videos one at a time."),
                      tr("count")});
    parser.addOption(
        {QString::fromLatin1(sizeOption),
         tr("Fit each video in this size, encoded in two passes: 25MB, 1.5GB, 700MiB (kB, MB "
            "and GB are powers of ten, KiB, MiB and GiB of two; a bare number is MB)."),
         tr("size")});
    parser.addOption({QString::fromLatin1(updateOption),
                      tr("Convert only what is new or changed: a job whose output is there and not "
                         "older than its source is left as it is (\"up to date\"); an older output is "
                         "replaced.")});
    parser.addOption({QString::fromLatin1(flatOption),
                      tr("Put the outputs of the files found in folders into the output folder itself "
                         "instead of the same subfolders.")});
    parser.addOption({QString::fromLatin1(loudnessOption),
                      tr("Make the sound of every output (a join as a whole) equally loud by EBU R128, "
                         "its true peak at most -1 dBTP: -14 (streaming), -16 (podcasts and phones) or "
                         "-23 (broadcast) LUFS, or \"off\" (the default)."),
                      tr("LUFS")});
    parser.addOption({QString::fromLatin1(checkQualityOption),
                      tr("After each video job, compare the converted picture with its source and "
                         "print its SSIM and PSNR (\"SSIM 0.987, PSNR 41.2 dB\"); an edited picture is "
                         "not measured.")});
    parser.addOption({QString::fromLatin1(listOption), tr("Print the format names and exit.")});
    parser.addPositionalArgument(QStringLiteral("files"),
                                 tr("The media files, and folders: every file under a folder that "
                                    "the format takes."),
                                 QStringLiteral("[files...]"));
}

CommandLineRequest CommandLine::parse(QCommandLineParser &parser, const QStringList &arguments,
                                      const QString &currentFolder)
{
    CommandLineRequest request;
    auto with = [&request](CommandLineRequest::Mode mode) {
        request.mode = mode;
        return request;
    };
    auto fail = [&request, &with](const QString &error) {
        request.error = error;
        return with(CommandLineRequest::Error);
    };
    if (!parser.parse(arguments)) {
        request.unknownOption = !parser.unknownOptionNames().isEmpty();
        return fail(parser.errorText());
    }
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")))
        return with(CommandLineRequest::Help);
    if (parser.isSet(QStringLiteral("version")))
        return with(CommandLineRequest::Version);
    if (parser.isSet(QLatin1String(listOption)))
        return with(CommandLineRequest::ListFormats);

    for (const QString &file : parser.positionalArguments())
        request.files << absolute(currentFolder, file);

    if (!parser.isSet(QLatin1String(convertOption))) {
        for (const char *option : {formatOption, outputOption, overwriteOption, keepDatesOption,
                                   jobsOption, sizeOption, loudnessOption, updateOption, flatOption,
                                   checkQualityOption}) {
            if (parser.isSet(QLatin1String(option)))
                return fail(tr("--%1 is an option of --convert.").arg(QLatin1String(option)));
        }
        return request; // the window opens the files
    }

    request.mode = CommandLineRequest::Convert;
    if (!parser.isSet(QLatin1String(formatOption)))
        return fail(tr("--convert needs --format; --list-formats prints the formats."));
    const QString name = parser.value(QLatin1String(formatOption));
    if (!formatNamed(name, &request.format))
        return fail(tr("Unknown format \"%1\"; --list-formats prints the formats.").arg(name));
    if (request.files.isEmpty())
        return fail(tr("No files to convert."));
    const int category = request.format.profile.category;
    // A folder may hold the files of a join; the plan counts them.
    if ((category == VideoMerge || category == AudioMerge) && request.files.size() < 2
        && !isFolder(request.files.first()))
        return fail(tr("A join needs at least two files."));

    request.outputFolder = parser.isSet(QLatin1String(outputOption))
                               ? absolute(currentFolder, parser.value(QLatin1String(outputOption)))
                               : QDir::cleanPath(currentFolder);
    request.overwrite = parser.isSet(QLatin1String(overwriteOption));
    request.keepDates = parser.isSet(QLatin1String(keepDatesOption));
    request.update = parser.isSet(QLatin1String(updateOption));
    request.flat = parser.isSet(QLatin1String(flatOption));
    if (parser.isSet(QLatin1String(jobsOption))) {
        const QString jobs = parser.value(QLatin1String(jobsOption)).trimmed();
        bool number = false;
        request.jobsAtOnce = jobs.toInt(&number);
        if (jobs.compare(QLatin1String("auto"), Qt::CaseInsensitive) == 0)
            request.jobsAtOnce = 0;
        else if (!number || request.jobsAtOnce < 1)
            return fail(tr("--jobs takes a number from 1 up, or \"auto\"; not \"%1\".").arg(jobs));
    }
    if (parser.isSet(QLatin1String(sizeOption))) {
        const QString size = parser.value(QLatin1String(sizeOption));
        if (!FitSize::parse(size, &request.fitBytes))
            return fail(
                tr("--size takes a size such as 25MB, 1.5GB or 700MiB; not \"%1\".").arg(size));
        if (!FitSize::offered(request.format.profile))
            return fail(
                tr("--size is for video in H.264, H.265, VP9 or AV1, which encode in two passes; "
                   "%1 is not.")
                    .arg(request.format.name));
    }
    if (parser.isSet(QLatin1String(loudnessOption))) {
        const QString value = parser.value(QLatin1String(loudnessOption)).trimmed();
        bool number = false;
        request.loudness = value.toInt(&number);
        if (value.compare(QLatin1String("off"), Qt::CaseInsensitive) == 0)
            request.loudness = 0;
        else if (!number || !isLoudnessTarget(request.loudness))
            return fail(tr("--loudness takes -14, -16 or -23 (LUFS), or \"off\"; not \"%1\".").arg(value));
        if (request.loudness != 0 && category != Video && category != Audio && category != VideoMerge
            && category != AudioMerge)
            return fail(tr("--loudness is for formats with sound; %1 has none.").arg(request.format.name));
    }
    request.checkQuality = parser.isSet(QLatin1String(checkQualityOption));
    if (request.checkQuality && category != Video && category != VideoMerge)
        return fail(tr("--check-quality is for video formats; %1 is not one.").arg(request.format.name));
    return request;
}

QString CommandLine::formatList()
{
    QString text;
    const QList<BatchFormat> list = formats();
    for (const BatchFormat &format : list)
        text += format.name.leftJustified(12) + format.description + QLatin1Char('\n');
    return text;
}

int CommandLine::badArguments(const QString &error)
{
    const QString text = QStringLiteral("quillmora: %1\n").arg(error)
                         + tr("Try 'quillmora --help' for more information.\n");
    std::fputs(text.toLocal8Bit().constData(), stderr);
    return 2;
}
