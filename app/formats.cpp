#include "app/formats.h"

#include "app/convertjob.h"
#include "app/outputprofile.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLoggingCategory>

namespace {

const char *const context = "CQuillmora";

// One line for every file looked at: off unless asked for
// (QT_LOGGING_RULES="quillmora.files.debug=true"), as a drop may bring thousands.
Q_LOGGING_CATEGORY(fileKinds, "quillmora.files", QtInfoMsg)

const FormatInfo formats[FormatCount] = {
    {"MP4", ".mp4", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> MP4")},
    {"FLV", ".flv", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> FLV")},
    {"AVI", ".avi", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> AVI")},
    {"ASF", ".asf", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> ASF")},
    {"DV", ".dv", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> DV")},
    {"MKV", ".mkv", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> MKV")},
    {"MOV", ".mov", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> MOV")},
    {"MPEG", ".mpg", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> MPG")},
    {"VOB", ".vob", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> VOB")},
    {"WMV", ".wmv", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> WMV")},
    {"RM", ".rm", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> RM")},
    {"MP3", ".mp3", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> MP3")},
    {"AAC", ".aac", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> AAC")},
    {"AC3", ".ac3", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> AC3")},
    {"MP2", ".mp2", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> MP2")},
    {"WMA", ".wma", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> WMA")},
    {"AIFF", ".aiff", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> AIFF")},
    {"AU", ".au", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> AU")},
    {"M4A", ".m4a", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> M4A")},
    {"OGG", ".ogg", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> OGG")},
    {"RA", ".ra", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> RA")},
    {"FLAC", ".flac", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> FLAC")},
    {"JPEG", ".jpg", QT_TRANSLATE_NOOP("CQuillmora", "All Image files -> JPEG")},
    {"PNG", ".png", QT_TRANSLATE_NOOP("CQuillmora", "All Image files -> PNG")},
    {"BMP", ".bmp", QT_TRANSLATE_NOOP("CQuillmora", "All Image files -> BMP")},
    {"GIF", ".gif", QT_TRANSLATE_NOOP("CQuillmora", "All Image files -> GIF")},
    {"PCX", ".pcx", QT_TRANSLATE_NOOP("CQuillmora", "All Image files -> PCX")},
    {"TGA", ".tga", QT_TRANSLATE_NOOP("CQuillmora", "All Image files -> TGA")},
    {"ICON", ".ico", QT_TRANSLATE_NOOP("CQuillmora", "All Image files -> ICON")},
    {"TIFF", ".tiff", QT_TRANSLATE_NOOP("CQuillmora", "All Image files -> TIFF")},
    {"Video Merge", ".mp4", QT_TRANSLATE_NOOP("CQuillmora", "Video Joiner")},
    {"Audio Merge", ".aac", QT_TRANSLATE_NOOP("CQuillmora", "Audio Joiner")},
    {"GIF Maker", ".gif", QT_TRANSLATE_NOOP("CQuillmora", "GIF Maker")},
    {"WebM", ".webm", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> WebM")},
    {"HEVC", ".mp4", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> HEVC")},
    {"AV1", ".mp4", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> AV1")},
    {"Opus", ".opus", QT_TRANSLATE_NOOP("CQuillmora", "All media files -> Opus")},
    {"WebP", ".webp", QT_TRANSLATE_NOOP("CQuillmora", "All Image files -> WebP")},
    {"AVIF", ".avif", QT_TRANSLATE_NOOP("CQuillmora", "All Image files -> AVIF")},
};

QString translated(const char *source)
{
    return QCoreApplication::translate(context, source);
}

} // namespace

const FormatInfo *formatInfo(int formatId)
{
    return formatId >= 0 && formatId < FormatCount ? &formats[formatId] : nullptr;
}

QString formatExtension(int formatId)
{
    const FormatInfo *info = formatInfo(formatId);
    return info ? QString::fromLatin1(info->extension) : QString();
}

QString profileText(int formatId)
{
    const FormatInfo *info = formatInfo(formatId);
    return translated(info ? info->profileText
                           : QT_TRANSLATE_NOOP("CQuillmora", "Unsupported file format!"));
}

QString stateText(int state, bool running)
{
    switch (state) {
    case Ready:
        return translated(QT_TRANSLATE_NOOP("CQuillmora", "Ready"));
    case Converting:
        return running ? translated(QT_TRANSLATE_NOOP("CQuillmora", "Converting"))
                       : translated(QT_TRANSLATE_NOOP("CQuillmora", "Stopped"));
    case Failed:
        return running ? translated(QT_TRANSLATE_NOOP("CQuillmora", "Failed"))
                       : translated(QT_TRANSLATE_NOOP("CQuillmora", "Stopped"));
    case Stopped:
        return translated(QT_TRANSLATE_NOOP("CQuillmora", "Stopped"));
    case Succeeded:
        return translated(QT_TRANSLATE_NOOP("CQuillmora", "Successes"));
    case UpToDate:
        return translated(QT_TRANSLATE_NOOP("CQuillmora", "Up to date"));
    default:
        return QString();
    }
}

QString profileColumnText(int formatId, int state, bool running)
{
    return state == Ready ? profileText(formatId) : stateText(state, running);
}

const QStringList &videoSuffixes()
{
    static const QStringList suffixes = {
        "asf", "avi", "avs", "dat", "divx", "dts", "dv",  "flv", "gif", "h261",
        "h263", "h264", "m4v", "mkv", "mm", "mmf", "mov", "mp4", "mpc", "mpeg",
        "mpg", "rmvb", "vob", "wmv", "ts", "m2ts", "mts", "f4v", "mod", "webm", "3gp", "ogv", "mxf"};
    return suffixes;
}

const QStringList &audioSuffixes()
{
    static const QStringList suffixes = {"aac", "ac3", "aiff", "amr", "apc", "ape", "ass", "au",
                                         "ea",  "flac", "mp2", "mp3", "oma", "wav", "wma", "opus",
                                         "m4a", "ogg", "oga", "mka", "wv", "aif", "caf"};
    return suffixes;
}

const QStringList &imageSuffixes()
{
    static const QStringList suffixes = {
        "bmp", "dib", "rle", "gif", "ico", "cur", "jbg", "jp2", "j2k", "jpc", "j2c", "jpg",
        "jpe", "jpeg", "mng", "jng", "png", "tga", "tif", "tiff", "wmf", "emf", "arw", "cr2",
        "crw", "dng", "mef", "mrw", "nef", "orf", "pef", "raf", "raw", "sr2", "x3f", "psd",
        "heic", "heif", "webp", "avif",
#ifdef QUILLMORA_IMAGEMAGICK_READS_JXL
        "jxl", // where the build's ImageMagick reads JPEG XL
#endif
    };
    return suffixes;
}

QStringList inputSuffixes(int category)
{
    switch (category) {
    case Video:
    case VideoMerge:
        return videoSuffixes();
    case Audio:
        return videoSuffixes() + audioSuffixes();
    case Image:
        return imageSuffixes();
    case AudioMerge:
        return audioSuffixes();
    default:
        return {};
    }
}

int fileKindOfSuffix(const QString &suffix)
{
    const QString lower = suffix.toLower();
    return videoSuffixes().contains(lower)   ? VideoFile
           : audioSuffixes().contains(lower) ? AudioFile
           : imageSuffixes().contains(lower) ? ImageFile
                                             : UnknownFile;
}

int classifyFile(const QString &path)
{
    // The suffix first: a file of no kind is never looked at.
    const QFileInfo info(path);
    const int kind = fileKindOfSuffix(info.suffix());
    if (kind == UnknownFile || !info.isFile())
        return UnknownFile;
    if (kind == VideoFile)
        qCDebug(fileKinds).noquote() << path + QStringLiteral(" is video format!");
    else if (kind == AudioFile)
        qCDebug(fileKinds).noquote() << path + QStringLiteral(" is audio format!");
    else
        qCDebug(fileKinds).noquote() << path + QStringLiteral(" is image format!");
    return kind;
}
