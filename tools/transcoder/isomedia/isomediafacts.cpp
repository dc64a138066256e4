#include "tools/transcoder/isomedia/isomediafacts.h"

#include "tools/transcoder/isomedia/boxrules.h"
#include "tools/transcoder/isomedia/moviebox.h"

#include <QFile>

#include <algorithm>
#include <cstring>
#include <limits>
#include <numeric>
#include <string>

namespace {

constexpr qint64 maxMovieBytes = qint64(64) << 20; // a longer index is left to libavformat
constexpr qint64 maxFileTypeBytes = 4096;
constexpr int maxTopLevelBoxes = 4096;

enum class TopAction { FileType, Movie, Skip };

struct TopRule {
    quint32 type;
    TopAction action;
};

// The boxes a file may hold at its top level; anything else (fragments,
// segment indexes, a second movie) makes the reader decline.
const TopRule topRules[] = {
    {fourcc("ftyp"), TopAction::FileType},
    {fourcc("moov"), TopAction::Movie},
    {fourcc("mdat"), TopAction::Skip},
    {fourcc("free"), TopAction::Skip},
    {fourcc("skip"), TopAction::Skip},
    {fourcc("wide"), TopAction::Skip},
    {fourcc("uuid"), TopAction::Skip},
};

// Major brands for which libavformat's format probe may pick another demuxer,
// or its MOV demuxer starts decrypting.
const quint32 foreignBrands[] = {fourcc("jp2 "), fourcc("jpx "), fourcc("jxl "), fourcc("aaxc")};

struct TopBox {
    quint32 type = 0;
    qint64 payloadOffset = 0;
    qint64 payloadSize = 0;
};

bool readTopBox(QFile &file, qint64 offset, qint64 fileSize, TopBox *box)
{
    uchar header[16];
    if (!file.seek(offset))
        return false;
    const qint64 read = file.read(reinterpret_cast<char *>(header), qMin<qint64>(sizeof header, fileSize - offset));
    if (read < 8)
        return false;
    ByteReader reader(header, size_t(read));
    quint64 size = reader.u32();
    box->type = reader.u32();
    if (size == 1)
        size = reader.u64();
    else if (size == 0)
        size = quint64(fileSize - offset); // up to the end of the file
    const quint64 headerSize = quint64(read) - reader.remaining();
    if (!reader.ok() || size < headerSize || size > quint64(fileSize - offset))
        return false;
    box->payloadOffset = offset + qint64(headerSize);
    box->payloadSize = qint64(size - headerSize);
    return true;
}

QByteArray readPayload(QFile &file, const TopBox &box)
{
    if (!file.seek(box.payloadOffset))
        return QByteArray();
    QByteArray payload = file.read(box.payloadSize);
    return payload.size() == box.payloadSize ? payload : QByteArray();
}

ByteReader readerOf(const QByteArray &bytes)
{
    return ByteReader(reinterpret_cast<const uchar *>(bytes.constData()), size_t(bytes.size()));
}

bool readBrands(const QByteArray &fileType, FileBrands *brands)
{
    ByteReader reader = readerOf(fileType);
    const quint32 major = reader.u32();
    reader.u32(); // minor version
    if (!reader.ok() || isOneOf(major, foreignBrands))
        return false;
    brands->iso = major != fourcc("qt  ");
    // libavformat searches the compatible brands as a C string.
    const std::string compatible(reinterpret_cast<const char *>(reader.current()),
                                 strnlen(reinterpret_cast<const char *>(reader.current()), reader.remaining()));
    brands->quickTimeCompatible = compatible.find("qt  ") != std::string::npos;
    return true;
}

// The file type and movie boxes of the file, by a walk over its top-level boxes.
bool readTopLevel(const QString &path, QByteArray *fileType, QByteArray *movie)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const qint64 fileSize = file.size();
    qint64 offset = 0;
    for (int count = 0; offset < fileSize; ++count) {
        TopBox box;
        if (count == maxTopLevelBoxes || !readTopBox(file, offset, fileSize, &box))
            return false;
        const auto rule = std::find_if(std::begin(topRules), std::end(topRules),
                                       [&](const TopRule &candidate) { return candidate.type == box.type; });
        if (rule == std::end(topRules))
            return false;
        switch (rule->action) {
        case TopAction::FileType: // first, where libavformat's probe looks for it
            if (count != 0 || box.payloadSize > maxFileTypeBytes)
                return false;
            *fileType = readPayload(file, box);
            if (fileType->isEmpty())
                return false;
            break;
        case TopAction::Movie:
            if (!movie->isEmpty() || box.payloadSize == 0 || box.payloadSize > maxMovieBytes)
                return false;
            *movie = readPayload(file, box);
            if (movie->isEmpty())
                return false;
            break;
        case TopAction::Skip:
            break;
        }
        offset = box.payloadOffset + box.payloadSize;
    }
    return !fileType->isEmpty() && !movie->isEmpty();
}

// av_rescale(value, AV_TIME_BASE, timescale), the way libavformat turns the
// movie's duration into microseconds: rounded half up, in two steps when the
// product would overflow; -1 when the result does not fit.
qint64 microseconds(quint64 value, quint32 timescale)
{
    constexpr quint64 perSecond = 1000000;
    const quint64 half = timescale / 2;
    if (value < intLimit)
        return qint64((value * perSecond + half) / timescale);
    const quint64 whole = value / timescale;
    const quint64 rest = (value % timescale * perSecond + half) / timescale;
    if (whole > (quint64(std::numeric_limits<qint64>::max()) - rest) / perSecond)
        return -1;
    return qint64(whole * perSecond + rest);
}

// libavformat's average frame rate: the samples of the time-to-sample table
// over their duration, reduced to a fraction of ints (which it would only
// approximate when the exact one does not fit: declined).
std::optional<double> frameRateOf(const TrackParts &track)
{
    if (track.timedSamples == 0 || track.timedSamples > intLimit || track.timedDuration == 0)
        return std::nullopt;
    quint64 numerator = quint64(track.timescale) * track.timedSamples;
    quint64 denominator = track.timedDuration;
    const quint64 divisor = std::gcd(numerator, denominator);
    numerator /= divisor;
    denominator /= divisor;
    if (numerator > intLimit || denominator > intLimit)
        return std::nullopt;
    return double(numerator) / double(denominator);
}

std::optional<MediaFacts> factsOf(const MovieParts &movie)
{
    MediaFacts facts;
    if (movie.duration > quint64(std::numeric_limits<qint64>::max()))
        return std::nullopt;
    const qint64 duration = microseconds(movie.duration, movie.timescale);
    if (duration <= 0)
        return std::nullopt; // libavformat would turn to the streams' durations
    facts.durationSeconds = double(duration) / 1000000;

    for (const TrackParts &track : movie.tracks) {
        if (track.kind == TrackKind::Other)
            continue;
        const SampleEntry &entry = track.entry;
        if (!entry.understood)
            return std::nullopt;
        if (track.kind == TrackKind::Video) {
            const std::optional<double> frameRate = frameRateOf(track);
            if (facts.hasVideo || entry.width <= 0 || entry.height <= 0 || !frameRate)
                return std::nullopt;
            facts.hasVideo = true;
            facts.width = entry.width;
            facts.height = entry.height;
            facts.frameRate = *frameRate;
        } else {
            if (facts.hasAudio || entry.sampleRate <= 0 || entry.channels <= 0)
                return std::nullopt;
            facts.hasAudio = true;
            facts.sampleRate = entry.sampleRate;
            facts.channels = entry.channels;
        }
    }
    facts.readable = facts.hasVideo || facts.hasAudio;
    if (!facts.readable)
        return std::nullopt; // libavformat tells why
    return facts;
}

} // namespace

std::optional<MediaFacts> readIsoMediaFacts(const QString &path)
{
    QByteArray fileType;
    QByteArray movieBox;
    MovieParts movie;
    if (!readTopLevel(path, &fileType, &movieBox) || !readBrands(fileType, &movie.brands)
        || !readMovieBox(readerOf(movieBox), &movie))
        return std::nullopt;
    return factsOf(movie);
}
