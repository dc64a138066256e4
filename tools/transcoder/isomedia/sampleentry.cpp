#include "tools/transcoder/isomedia/sampleentry.h"

#include "tools/transcoder/isomedia/boxrules.h"
#include "tools/transcoder/isomedia/streamdescriptor.h"

#include <QtNumeric>

#include <algorithm>
#include <bitset>
#include <cstring>

namespace {

// How the codec of a format is known.
enum class Codec {
    Named,          // by the format alone
    ByVideoObject,  // 'mp4v': by the object type in its 'esds'
    BySoundObject,  // 'mp4a': likewise
    Alac,           // named; an 'alac' box may restate rate and channels
    Lpcm,           // named by the flags of a version 2 description
    NotMedia,       // timecode, text, timed metadata: neither pictures nor sound
};

struct FormatRule {
    quint32 format;
    TrackKind kind;
    Codec codec;
};

// The formats read here. MPEG-4 Part 2, H.263 and AMR are missing on purpose:
// libavformat leaves their picture size or sound parameters to a decoder.
const FormatRule formatRules[] = {
    {fourcc("avc1"), TrackKind::Video, Codec::Named},
    {fourcc("avc3"), TrackKind::Video, Codec::Named},
    {fourcc("hvc1"), TrackKind::Video, Codec::Named},
    {fourcc("hev1"), TrackKind::Video, Codec::Named},
    {fourcc("jpeg"), TrackKind::Video, Codec::Named},
    {fourcc("mjpa"), TrackKind::Video, Codec::Named},
    {fourcc("mp4v"), TrackKind::Video, Codec::ByVideoObject},
    {fourcc("mp4a"), TrackKind::Sound, Codec::BySoundObject},
    {fourcc("alac"), TrackKind::Sound, Codec::Alac},
    {fourcc(".mp3"), TrackKind::Sound, Codec::Named},
    {fourcc("sowt"), TrackKind::Sound, Codec::Named},
    {fourcc("twos"), TrackKind::Sound, Codec::Named},
    {fourcc("in24"), TrackKind::Sound, Codec::Named},
    {fourcc("in32"), TrackKind::Sound, Codec::Named},
    {fourcc("fl32"), TrackKind::Sound, Codec::Named},
    {fourcc("fl64"), TrackKind::Sound, Codec::Named},
    {fourcc("ulaw"), TrackKind::Sound, Codec::Named},
    {fourcc("alaw"), TrackKind::Sound, Codec::Named},
    {fourcc("lpcm"), TrackKind::Sound, Codec::Lpcm},
    {fourcc("tmcd"), TrackKind::Other, Codec::NotMedia},
    {fourcc("text"), TrackKind::Other, Codec::NotMedia},
    {fourcc("tx3g"), TrackKind::Other, Codec::NotMedia},
    {fourcc("c608"), TrackKind::Other, Codec::NotMedia},
    {fourcc("mebx"), TrackKind::Other, Codec::NotMedia},
};

// Object types of the decoder configuration that name the codecs read here.
constexpr int aacObjects[] = {0x40, 0x66, 0x67, 0x68};
constexpr int mp3Objects[] = {0x69, 0x6B};
constexpr int mjpegObject = 0x6C;

struct EntryState {
    const FormatRule &rule;
    const SampleEntryContext &context;
    SampleEntry &entry;
    bool codecKnown = false;
    std::vector<quint32> boxesRead;
};

using ReadBox = bool (*)(ByteReader payload, EntryState &state);

struct ChildRule {
    quint32 parent; // 'vide' and 'soun' stand for the description itself
    quint32 type;
    quint32 onceKey;
    ReadBox read;   // nullptr: libavformat takes nothing from it that matters here
};

bool readChildren(quint32 parent, ByteReader payload, EntryState &state);

bool readFieldOrder(ByteReader payload, EntryState &)
{
    return payload.remaining() >= 2; // libavformat fails on less
}

bool readVideoDescriptor(ByteReader payload, EntryState &state)
{
    StreamDescriptor descriptor;
    if (state.rule.codec != Codec::ByVideoObject || !readStreamDescriptor(payload, &descriptor))
        return false;
    state.codecKnown = descriptor.objectType == mjpegObject;
    return state.codecKnown;
}

bool readSoundDescriptor(ByteReader payload, EntryState &state)
{
    StreamDescriptor descriptor;
    if (state.rule.codec != Codec::BySoundObject || !readStreamDescriptor(payload, &descriptor))
        return false;
    const int object = descriptor.objectType;
    if (isOneOf(object, mp3Objects)) {
        state.codecKnown = true;
        return true;
    }
    if (!isOneOf(object, aacObjects))
        return false;
    if (descriptor.hasSpecificInfo) {
        const std::optional<AacConfig> config = readAacConfig(descriptor.specificInfo);
        if (!config)
            return false;
        state.entry.sampleRate = config->sampleRate;
        state.entry.channels = config->channels;
    }
    state.codecKnown = true;
    return true;
}

// ALAC's own configuration, taken by libavformat when it is 36 bytes as a box.
bool readAlacConfig(ByteReader payload, EntryState &state)
{
    if (state.rule.codec != Codec::Alac)
        return false;
    if (payload.remaining() != 28)
        return true;
    payload.skip(4 + 9); // version and flags, frame length, compatible version, bit depth, three tuning values
    const int channels = payload.u8();
    payload.skip(2 + 4 + 4); // maximum run, maximum frame bytes, average bit rate
    const quint32 rate = payload.u32();
    if (!payload.ok() || channels == 0 || rate == 0 || rate > intLimit)
        return false;
    state.entry.channels = channels;
    state.entry.sampleRate = int(rate);
    return true;
}

// A QuickTime channel layout. libavformat may replace the channel count with
// the layout's; a layout of as many channels as known leaves it alone.
bool readChannelLayout(ByteReader payload, EntryState &state)
{
    payload.u32(); // version, flags
    const quint32 tag = payload.u32();
    const quint32 bitmap = payload.u32();
    payload.u32(); // number of channel descriptions
    if (!payload.ok())
        return false;
    constexpr quint32 useDescriptions = 0;
    constexpr quint32 useBitmap = 0x10000;
    if (tag == useDescriptions)
        return false;
    const int count = tag == useBitmap ? int(std::bitset<32>(bitmap).count()) : int(tag & 0xffff);
    return count == state.entry.channels;
}

// QuickTime's 'wave' holds the configuration of a sound description. For
// ALAC libavformat takes it for a bare configuration unless 'frma' leads.
bool readSoundExtension(ByteReader payload, EntryState &state)
{
    if (state.rule.codec == Codec::Alac) {
        ByteReader first = payload;
        first.u32();
        if (first.u32() != fourcc("frma"))
            return false;
    }
    return readChildren(fourcc("wave"), payload, state);
}

const ChildRule childRules[] = {
    {fourcc("vide"), fourcc("avcC"), fourcc("avcC"), nullptr},
    {fourcc("vide"), fourcc("hvcC"), fourcc("hvcC"), nullptr},
    {fourcc("vide"), fourcc("pasp"), 0, nullptr},
    {fourcc("vide"), fourcc("colr"), 0, nullptr},
    {fourcc("vide"), fourcc("btrt"), 0, nullptr},
    {fourcc("vide"), fourcc("fiel"), 0, readFieldOrder},
    {fourcc("vide"), fourcc("esds"), fourcc("esds"), readVideoDescriptor},

    {fourcc("soun"), fourcc("esds"), fourcc("esds"), readSoundDescriptor},
    {fourcc("soun"), fourcc("wave"), fourcc("wave"), readSoundExtension},
    {fourcc("soun"), fourcc("alac"), fourcc("alac"), readAlacConfig},
    {fourcc("soun"), fourcc("chan"), fourcc("chan"), readChannelLayout},
    {fourcc("soun"), fourcc("btrt"), 0, nullptr},

    {fourcc("wave"), fourcc("frma"), 0, nullptr},
    {fourcc("wave"), fourcc("mp4a"), 0, nullptr},
    {fourcc("wave"), fourcc("enda"), 0, nullptr},
    {fourcc("wave"), 0, 0, nullptr}, // the terminator
    {fourcc("wave"), fourcc("esds"), fourcc("esds"), readSoundDescriptor},
    {fourcc("wave"), fourcc("alac"), fourcc("alac"), readAlacConfig},
};

bool readChildren(quint32 parent, ByteReader payload, EntryState &state)
{
    return forEachBox(payload, [&](const Box &box) {
        const ChildRule *rule = findRule(childRules, parent, box.type);
        return rule && firstOfKind(state.boxesRead, rule->onceKey) && (!rule->read || rule->read(box.payload, state));
    });
}

bool readVideo(ByteReader payload, EntryState &state)
{
    payload.skip(2 + 2 + 4 + 4 + 4); // version, revision, vendor, temporal and spatial quality
    state.entry.width = payload.u16();
    state.entry.height = payload.u16();
    payload.skip(4 + 4 + 4 + 2); // resolutions, data size, frames per sample
    const ByteReader compressor = payload.take(32);
    const quint16 depth = payload.u16();
    payload.u16(); // colour table id
    if (!payload.ok())
        return false;
    // libavformat halves this raw format's size to even numbers.
    static const char planarName[] = "Planar Y'CbCr 8-bit 4:2:0";
    constexpr size_t planarLength = sizeof planarName - 1;
    if (compressor.current()[0] >= planarLength && std::memcmp(compressor.current() + 1, planarName, planarLength) == 0)
        return false;
    // Palettised depths carry a colour table where the child boxes would start.
    const int bits = depth & 0x1f;
    if (bits == 1 || bits == 2 || bits == 4 || bits == 8)
        return false;
    return readChildren(fourcc("vide"), payload, state);
}

// The PCM variants libavformat names from a version 2 description's flags.
bool isNamedLpcm(quint32 bits, quint32 flags)
{
    const bool isFloat = flags & 1;
    const bool isSigned = flags & 4;
    if (bits == 0 || bits > 64)
        return false;
    if (isFloat)
        return bits == 32 || bits == 64;
    const quint32 bytes = (bits + 7) / 8;
    return bytes <= 4 || (bytes == 8 && isSigned);
}

bool readSound(ByteReader payload, EntryState &state)
{
    const SampleEntryContext &context = state.context;
    const quint16 version = payload.u16();
    payload.skip(2 + 4); // revision, vendor
    state.entry.channels = payload.u16();
    payload.skip(2 + 2 + 2); // sample size, compression id, packet size
    state.entry.sampleRate = int(payload.u32() >> 16);
    if (!payload.ok())
        return false;

    // QuickTime's versions 1 and 2 add fields, which libavformat reads only
    // in files it takes for QuickTime ones.
    const bool quickTimeFields = !context.brands.iso || context.brands.quickTimeCompatible
                                 || context.descriptionsVersion == 0;
    if (version > 2 || (version > 0 && !quickTimeFields))
        return false;
    if (version == 1)
        payload.skip(16); // samples per packet, bytes per packet, frame and sample
    if (version == 2) {
        payload.u32(); // size of the structure
        const quint64 rateBits = payload.u64();
        double rate = 0;
        std::memcpy(&rate, &rateBits, sizeof rate);
        const quint32 channels = payload.u32();
        payload.u32(); // always 0x7F000000
        const quint32 bits = payload.u32();
        const quint32 flags = payload.u32();
        payload.skip(4 + 4); // bytes and samples per packet
        if (!payload.ok() || !qIsFinite(rate) || rate < 1 || rate >= intLimit
            || channels == 0 || channels > 255)
            return false;
        state.entry.sampleRate = int(rate); // truncated, as libavformat does
        state.entry.channels = int(channels);
        if (state.rule.codec == Codec::Lpcm && !isNamedLpcm(bits, flags))
            return false;
    }
    if (!payload.ok() || !readChildren(fourcc("soun"), payload, state))
        return false;
    if (state.entry.sampleRate == 0 && context.mediaTimescale > 1)
        state.entry.sampleRate = int(context.mediaTimescale); // libavformat's guess for a rate too high for the field
    return true;
}

} // namespace

bool readSampleEntry(quint32 format, ByteReader payload, const SampleEntryContext &context, SampleEntry *entry)
{
    const auto rule = std::find_if(std::begin(formatRules), std::end(formatRules),
                                   [&](const FormatRule &candidate) { return candidate.format == format; });
    if (rule == std::end(formatRules) || rule->kind != context.kind)
        return false;
    if (rule->codec == Codec::NotMedia)
        return true;
    const bool namedByFormat = rule->codec == Codec::Named || rule->codec == Codec::Alac || rule->codec == Codec::Lpcm;
    EntryState state{*rule, context, *entry, namedByFormat, {}};
    const bool read = context.kind == TrackKind::Video ? readVideo(payload, state) : readSound(payload, state);
    entry->understood = read && state.codecKnown;
    return read;
}
