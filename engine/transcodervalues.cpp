#include "engine/transcodervalues.h"

#include <QtGlobal>

namespace {

template <int N>
QString entry(const char *const (&table)[N], int index)
{
    return index >= 0 && index < N ? QString::fromLatin1(table[index]) : QString();
}

// Index 0 of these spaces means "keep the input's value": no option at all.
// The codecs' not-applicable values have no option either.
const char *const videoCodecs[] = {
    "libx264", "flv1", "mpeg4", "msmpeg4v2", "wmv1", "wmv2",
    "mpeg1video", "mpeg2video", "mjpeg", "dvvideo", "rv10", "rv20",
    "", "libx265", "libvpx-vp9", "libsvtav1",
};
const char *const videoSizes[] = {
    "", "160x120", "176x144", "320x240", "352x288", "480x360", "720x480",
    "640x480", "720x576", "1024x768", "1280x1024", "1440x1080", "1920x1080",
};
const char *const videoFrameRates[] = {"", "15", "20", "23.976", "24", "25", "29.97", "30"};
const char *const fallbackFrameRate = "25";
const char *const videoBitrates[] = {
    "", "384k", "512k", "1024k", "2400k", "3600k", "4800k", "6000k", "7000k", "8000k",
};
const char *const aspectRatios[] = {"", "1:1", "3:2", "4:3", "5:4", "16:9", "16:10", "221:100"};
const char *const audioCodecs[] = {
    "libfaac", "libmp3lame", "mp2", "ac3", "wmav1", "wmav2",
    "pcm_alaw", "pcm_s16le", "pcm_s16be", "flac",
    "", "libopus",
};
const char *const audioChannels[] = {"", "2", "1"};
const char *const audioSampleRates[] = {"", "44100", "22050", "24000", "8000", "48000"};
const char *const audioBitrates[] = {"", "64k", "128k", "196k", "224k", "256k", "320k"};

const char *const gifFrameSizes[] = {"150x112", "200x150", "320x240"};
const char *const fallbackGifFrameSize = "50x50";

const char *const textSizes[] = {
    "8", "9", "10", "11", "12", "13", "14", "15", "16", "17", "18", "19",
    "20", "22", "24", "26", "28", "30", "32", "34", "38", "40", "52", "54",
};
const char *const textColours[] = {
    "white", "black", "red", "darkred", "green", "darkgreen", "blue",
    "cyan", "darkcyan", "magenta", "darkmagenta", "yellow", "gray", "darkgray",
};
const char *const subtitleCharsets[] = {
    "UTF-8", "CP874", "CP936",
    "CP1250", "CP1251", "CP1252", "CP1253", "CP1254", "CP1255", "CP1256", "CP1257", "CP1258",
    "LATIN1", "LATIN2", "LATIN3", "LATIN4", "LATIN5",
    "LATIN6", "LATIN7", "LATIN8", "LATIN9", "LATIN10",
    "ISO-8859-1", "ISO-8859-2", "ISO-8859-3", "ISO-8859-4", "ISO-8859-5", "ISO-8859-6",
    "ISO-8859-7", "ISO-8859-8", "ISO-8859-9", "ISO-8859-10", "ISO-8859-11", "ISO-8859-12",
    "ISO-8859-13", "ISO-8859-14", "ISO-8859-15", "ISO-8859-16",
    "UTF-16", "UTF-32", "UNICODEBIG", "UNICODELITTLE",
};
struct ValueTable {
    const char *const *values;
    int count;
};

template <int N>
constexpr ValueTable valueTable(const char *const (&values)[N])
{
    return {values, N};
}

// In OptionField order.
const ValueTable optionValueTables[OptionFieldCount] = {
    valueTable(videoCodecs),   valueTable(videoSizes),    valueTable(videoFrameRates),
    valueTable(videoBitrates), valueTable(aspectRatios),  valueTable(audioCodecs),
    valueTable(audioChannels), valueTable(audioSampleRates), valueTable(audioBitrates),
};

static_assert(sizeof(subtitleCharsets) / sizeof(*subtitleCharsets) == 42, "42 code pages");
static_assert(sizeof(textSizes) / sizeof(*textSizes) == 24, "24 text sizes");

} // namespace

QString optionValue(OptionField field, int index)
{
    if (field == OptionField::VideoFps && index != 0 && (index < 0 || index >= 8))
        return QString::fromLatin1(fallbackFrameRate);
    const ValueTable &table = optionValueTables[static_cast<int>(field)];
    return index >= 0 && index < table.count ? QString::fromLatin1(table.values[index]) : QString();
}

QString gifFrameSize(int choice)
{
    const QString size = entry(gifFrameSizes, choice);
    return size.isEmpty() ? QString::fromLatin1(fallbackGifFrameSize) : size;
}

QString textSizeValue(int index)
{
    return entry(textSizes, qBound(0, index, 23));
}

QString textColourValue(int index)
{
    const QString colour = entry(textColours, index);
    return colour.isEmpty() ? entry(textColours, 0) : colour;
}

QString subtitleCharset(int index)
{
    const QString charset = entry(subtitleCharsets, index);
    return charset.isEmpty() ? entry(subtitleCharsets, 0) : charset;
}

QString secondsText(qint64 milliseconds)
{
    const qint64 magnitude = milliseconds < 0 ? -milliseconds : milliseconds;
    QString text = QString::number(magnitude / 1000);
    if (const int fraction = int(magnitude % 1000)) {
        QString decimals = QStringLiteral("%1").arg(fraction, 3, 10, QLatin1Char('0'));
        while (decimals.endsWith(u'0'))
            decimals.chop(1);
        text += u'.' + decimals;
    }
    return milliseconds < 0 ? u'-' + text : text;
}
