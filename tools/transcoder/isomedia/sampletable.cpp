#include "tools/transcoder/isomedia/sampletable.h"

#include "tools/transcoder/isomedia/boxrules.h"
#include "tools/transcoder/isomedia/sampleentry.h"

namespace {

struct TableState {
    const FileBrands &brands;
    TrackParts &track;
};

using ReadBox = bool (*)(ByteReader payload, TableState &state);

struct TableRule {
    quint32 parent;
    quint32 type;
    quint32 onceKey; // boxes with the same key may appear once between them; 0: any number
    ReadBox read;    // nullptr: nothing libavformat takes from it matters
};

// The entries of a table box (a 32-bit count, then entries of a fixed size);
// false when they do not fit in the box, where libavformat would read on into
// the next box or fail at the end of the file.
bool tableEntries(ByteReader &payload, size_t entrySize, quint32 *count, ByteReader *entries)
{
    readFullBoxVersion(payload);
    *count = payload.u32();
    if (!payload.ok() || *count > payload.remaining() / entrySize)
        return false;
    *entries = payload.take(size_t(*count) * entrySize);
    return true;
}

bool fitsTable(ByteReader payload, size_t entrySize)
{
    quint32 count = 0;
    ByteReader entries;
    return tableEntries(payload, entrySize, &count, &entries);
}

bool readSampleDescriptions(ByteReader payload, TableState &state)
{
    TrackParts &track = state.track;
    const quint8 version = readFullBoxVersion(payload);
    if (payload.u32() != 1)
        return false; // several descriptions (or none): the stream may change format
    // libavformat reads boxes in file order: a description read before the
    // handler or the media's time scale is read with other defaults.
    if (!track.handlerRead || track.timescale == 0)
        return false;
    bool read = false;
    const bool wellFormed = forEachBox(payload, [&](const Box &box) {
        if (read)
            return false; // bytes after the one description
        read = true;
        ByteReader entry = box.payload;
        entry.skip(8); // reserved, data reference index
        if (!entry.ok())
            return false;
        const SampleEntryContext context{track.kind, state.brands, version, track.timescale};
        return readSampleEntry(box.type, entry, context, &track.entry);
    });
    return wellFormed && read;
}

bool readTimeToSample(ByteReader payload, TableState &state)
{
    TrackParts &track = state.track;
    ByteReader entries;
    if (!tableEntries(payload, 8, &track.timeEntries, &entries))
        return false;
    constexpr quint64 limit = quint64(1) << 62; // the sums stay far from overflow
    for (quint32 i = 0; i < track.timeEntries; ++i) {
        const quint64 count = entries.u32();
        const quint64 duration = entries.u32();
        const quint64 span = count * duration;
        // libavformat takes durations of 2^31 and more for negative corrections.
        if (duration > intLimit || span > limit || track.timedDuration > limit - span)
            return false;
        track.timedSamples += count;
        track.timedDuration += span;
    }
    return entries.ok();
}

bool readSampleToChunk(ByteReader payload, TableState &state)
{
    TrackParts &track = state.track;
    ByteReader entries;
    if (!tableEntries(payload, 12, &track.chunkRuns, &entries))
        return false;
    // Runs libavformat would repair are declined instead.
    quint32 previousFirst = 0;
    for (quint32 i = 0; i < track.chunkRuns; ++i) {
        const quint32 first = entries.u32();
        const quint32 samples = entries.u32();
        const quint32 description = entries.u32();
        if (first <= previousFirst || first < i + 1 || first > intLimit || samples < 1 || samples > intLimit
            || description < 1 || description > intLimit)
            return false;
        previousFirst = first;
    }
    track.lastRunFirstChunk = previousFirst;
    return entries.ok();
}

bool readChunkOffsets(ByteReader payload, TableState &state, size_t offsetSize)
{
    quint32 count = 0;
    ByteReader entries;
    if (!tableEntries(payload, offsetSize, &count, &entries))
        return false;
    state.track.chunks = count;
    return true;
}

bool readChunkOffsets32(ByteReader payload, TableState &state)
{
    return readChunkOffsets(payload, state, 4);
}

bool readChunkOffsets64(ByteReader payload, TableState &state)
{
    return readChunkOffsets(payload, state, 8);
}

// libavformat fails on a sample size of 2^31 or more.
bool sizesFit(ByteReader entries, quint32 count, int bits)
{
    if (bits != 32)
        return true;
    for (quint32 i = 0; i < count; ++i) {
        if (entries.u32() > intLimit)
            return false;
    }
    return entries.ok();
}

bool readSampleSizes(ByteReader payload, TableState &state)
{
    TrackParts &track = state.track;
    readFullBoxVersion(payload);
    track.constantSampleSize = payload.u32();
    track.sampleCount = payload.u32();
    if (!payload.ok())
        return false;
    if (track.constantSampleSize != 0)
        return true; // no table
    if (track.sampleCount > payload.remaining() / 4)
        return false;
    return sizesFit(payload.take(size_t(track.sampleCount) * 4), track.sampleCount, 32);
}

bool readCompactSampleSizes(ByteReader payload, TableState &state)
{
    TrackParts &track = state.track;
    readFullBoxVersion(payload);
    payload.u24(); // reserved
    const int bits = payload.u8();
    track.sampleCount = payload.u32();
    if (!payload.ok() || (bits != 4 && bits != 8 && bits != 16 && bits != 32))
        return false;
    const quint64 bytes = (quint64(track.sampleCount) * quint64(bits) + 4) >> 3;
    if (bytes > payload.remaining())
        return false;
    return sizesFit(payload.take(bytes), track.sampleCount, bits);
}

bool readCompositionOffsets(ByteReader payload, TableState &)
{
    return fitsTable(payload, 8);
}

bool readSyncSamples(ByteReader payload, TableState &)
{
    return fitsTable(payload, 4);
}

// libavformat reads one byte a sample from what the box holds.
bool readSampleDependencies(ByteReader payload, TableState &)
{
    return payload.remaining() >= 4;
}

// Sync sample groups feed libavformat's open-GOP index: not followed here.
bool readSampleGroupDescription(ByteReader payload, TableState &)
{
    readFullBoxVersion(payload);
    const quint32 grouping = payload.u32();
    return payload.ok() && grouping != fourcc("sync");
}

bool readSampleToGroup(ByteReader payload, TableState &)
{
    const quint8 version = readFullBoxVersion(payload);
    const quint32 grouping = payload.u32();
    if (!payload.ok())
        return false;
    if (grouping != fourcc("rap ") && grouping != fourcc("sync"))
        return true; // libavformat passes other groupings over
    if (version == 1)
        payload.u32(); // grouping type parameter
    const quint32 count = payload.u32();
    return payload.ok() && count <= payload.remaining() / 8;
}

const TableRule tableRules[] = {
    {fourcc("stbl"), fourcc("stsd"), fourcc("stsd"), readSampleDescriptions},
    {fourcc("stbl"), fourcc("stts"), fourcc("stts"), readTimeToSample},
    {fourcc("stbl"), fourcc("stsc"), fourcc("stsc"), readSampleToChunk},
    {fourcc("stbl"), fourcc("stco"), fourcc("stco"), readChunkOffsets32},
    {fourcc("stbl"), fourcc("co64"), fourcc("stco"), readChunkOffsets64},
    {fourcc("stbl"), fourcc("stsz"), fourcc("stsz"), readSampleSizes},
    {fourcc("stbl"), fourcc("stz2"), fourcc("stsz"), readCompactSampleSizes},
    {fourcc("stbl"), fourcc("ctts"), fourcc("ctts"), readCompositionOffsets},
    {fourcc("stbl"), fourcc("stss"), fourcc("stss"), readSyncSamples},
    {fourcc("stbl"), fourcc("stps"), fourcc("stps"), readSyncSamples},
    {fourcc("stbl"), fourcc("sdtp"), fourcc("sdtp"), readSampleDependencies},
    {fourcc("stbl"), fourcc("sgpd"), 0, readSampleGroupDescription},
    {fourcc("stbl"), fourcc("sbgp"), 0, readSampleToGroup},
    {fourcc("stbl"), fourcc("cslg"), 0, nullptr},
    {fourcc("stbl"), fourcc("subs"), 0, nullptr},
};

} // namespace

bool readSampleTable(ByteReader payload, const FileBrands &brands, TrackParts *track)
{
    TableState state{brands, *track};
    return forEachBox(payload, [&](const Box &box) {
        const TableRule *rule = findRule(tableRules, fourcc("stbl"), box.type);
        return rule && firstOfKind(track->boxesRead, rule->onceKey) && (!rule->read || rule->read(box.payload, state));
    });
}
