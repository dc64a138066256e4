#include "tools/transcoder/isomedia/moviebox.h"

#include "tools/transcoder/isomedia/boxrules.h"
#include "tools/transcoder/isomedia/metadatabox.h"
#include "tools/transcoder/isomedia/sampletable.h"

namespace {

struct ParseState {
    MovieParts &movie;
    TrackParts *track = nullptr; // the track being read, if any
};

using ReadBox = bool (*)(ByteReader payload, ParseState &state);

enum class Action {
    Skip,    // leaves the facts alone (libavformat takes only metadata, side data or index from it)
    Descend, // a container: its children follow the table
    Read,    // read by its own function
};

struct BoxRule {
    quint32 parent;
    quint32 type;
    quint32 onceKey; // boxes with the same key may appear once between them in a track (or the movie); 0: any number
    Action action;
    ReadBox read;
};

bool readChildren(quint32 parent, ByteReader payload, ParseState &state);

// libavformat stores time scales in an int and replaces one that is not
// positive; such a file is declined rather than imitated.
bool validTimescale(quint32 timescale)
{
    return timescale > 0 && timescale <= intLimit;
}

bool readMovieHeader(ByteReader payload, ParseState &state)
{
    const quint8 version = readFullBoxVersion(payload);
    if (version > 1)
        return false;
    payload.skip(version == 1 ? 16 : 8); // creation and modification times
    state.movie.timescale = payload.u32();
    state.movie.duration = version == 1 ? payload.u64() : payload.u32();
    return payload.ok() && validTimescale(state.movie.timescale);
}

bool readTrack(ByteReader payload, ParseState &state)
{
    state.movie.tracks.emplace_back();
    state.track = &state.movie.tracks.back();
    const bool read = readChildren(fourcc("trak"), payload, state);
    const TrackParts &track = *state.track;
    state.track = nullptr;
    if (!read)
        return false;

    // The sanity checks libavformat makes when the track ends: a track that
    // fails them is broken, or makes the whole file unreadable.
    const quint32 runs = track.chunks == 0 && track.timeEntries == 0 ? 0 : track.chunkRuns;
    if (track.chunks > 0
        && (track.timeEntries == 0 || runs == 0 || (track.constantSampleSize == 0 && track.sampleCount == 0)))
        return false;
    if (track.chunks == 0 && track.sampleCount > 0)
        return false;
    return runs == 0 || track.lastRunFirstChunk <= track.chunks;
}

// A chapter reference turns the referred video track into a cover picture.
bool readTrackReferences(ByteReader payload, ParseState &)
{
    return forEachBox(payload, [](const Box &box) { return box.type != fourcc("chap"); });
}

bool readMovieUserData(ByteReader payload, ParseState &)
{
    return checkUserData(payload, false);
}

bool readMovieMetadata(ByteReader payload, ParseState &)
{
    return checkMetadata(payload);
}

bool readTrackUserData(ByteReader payload, ParseState &)
{
    return checkUserData(payload, true);
}

bool readMediaHeader(ByteReader payload, ParseState &state)
{
    const quint8 version = readFullBoxVersion(payload);
    if (version > 1)
        return false;
    payload.skip(version == 1 ? 16 : 8);
    state.track->timescale = payload.u32();
    return payload.ok() && validTimescale(state.track->timescale);
}

// Handler types that change what libavformat makes of a track.
bool changesStreamType(quint32 handler)
{
    return handler == fourcc("vide") || handler == fourcc("soun") || handler == fourcc("m1a ")
           || handler == fourcc("subp") || handler == fourcc("clcp");
}

bool readHandlerType(ByteReader payload, quint32 *handler)
{
    readFullBoxVersion(payload);
    payload.u32(); // component type
    *handler = payload.u32();
    return payload.ok();
}

bool readMediaHandler(ByteReader payload, ParseState &state)
{
    quint32 handler = 0;
    if (!readHandlerType(payload, &handler))
        return false;
    if (handler == fourcc("vide"))
        state.track->kind = TrackKind::Video;
    else if (handler == fourcc("soun"))
        state.track->kind = TrackKind::Sound;
    else if (changesStreamType(handler))
        return false; // an MPEG-1 sound or subtitle handler: not followed here
    state.track->handlerRead = true;
    return true;
}

// QuickTime's data handler ('dhlr' / 'alis', 'url '): harmless unless it
// names a media type, which libavformat would take over.
bool readDataHandler(ByteReader payload, ParseState &)
{
    quint32 handler = 0;
    return readHandlerType(payload, &handler) && !changesStreamType(handler);
}

// Only references to the file itself: libavformat fails on a malformed list,
// and would look for a long alias record's file elsewhere.
bool readDataReferences(ByteReader payload, ParseState &)
{
    readFullBoxVersion(payload);
    const quint32 entries = payload.u32();
    if (!payload.ok() || entries == 0)
        return false;
    for (quint32 i = 0; i < entries; ++i) {
        const quint32 size = payload.u32();
        const quint32 type = payload.u32();
        if (!payload.ok() || size < 12 || size - 8 > payload.remaining())
            return false;
        if (type == fourcc("alis") && size > 150)
            return false;
        payload.skip(size - 8);
    }
    return true;
}

bool readTrackSampleTable(ByteReader payload, ParseState &state)
{
    return readSampleTable(payload, state.movie.brands, state.track);
}

const BoxRule boxRules[] = {
    {fourcc("moov"), fourcc("mvhd"), fourcc("mvhd"), Action::Read, readMovieHeader},
    {fourcc("moov"), fourcc("trak"), 0, Action::Read, readTrack},
    {fourcc("moov"), fourcc("udta"), 0, Action::Read, readMovieUserData},
    {fourcc("moov"), fourcc("meta"), 0, Action::Read, readMovieMetadata},
    {fourcc("moov"), fourcc("iods"), 0, Action::Skip, nullptr},
    {fourcc("moov"), fourcc("free"), 0, Action::Skip, nullptr},
    {fourcc("moov"), fourcc("skip"), 0, Action::Skip, nullptr},

    {fourcc("trak"), fourcc("tkhd"), fourcc("tkhd"), Action::Skip, nullptr},
    // Edit lists move where a track starts; the facts come from the movie
    // header and the sample tables, which they leave alone.
    {fourcc("trak"), fourcc("edts"), fourcc("edts"), Action::Skip, nullptr},
    {fourcc("trak"), fourcc("tref"), fourcc("tref"), Action::Read, readTrackReferences},
    {fourcc("trak"), fourcc("mdia"), fourcc("mdia"), Action::Descend, nullptr},
    {fourcc("trak"), fourcc("udta"), 0, Action::Read, readTrackUserData},
    {fourcc("trak"), fourcc("tapt"), 0, Action::Skip, nullptr},

    {fourcc("mdia"), fourcc("mdhd"), fourcc("mdhd"), Action::Read, readMediaHeader},
    {fourcc("mdia"), fourcc("hdlr"), fourcc("hdlr"), Action::Read, readMediaHandler},
    {fourcc("mdia"), fourcc("minf"), fourcc("minf"), Action::Descend, nullptr},

    {fourcc("minf"), fourcc("vmhd"), 0, Action::Skip, nullptr},
    {fourcc("minf"), fourcc("smhd"), 0, Action::Skip, nullptr},
    {fourcc("minf"), fourcc("gmhd"), 0, Action::Skip, nullptr},
    {fourcc("minf"), fourcc("nmhd"), 0, Action::Skip, nullptr},
    {fourcc("minf"), fourcc("hmhd"), 0, Action::Skip, nullptr},
    {fourcc("minf"), fourcc("sthd"), 0, Action::Skip, nullptr},
    {fourcc("minf"), fourcc("hdlr"), fourcc("dhlr"), Action::Read, readDataHandler},
    {fourcc("minf"), fourcc("dinf"), fourcc("dinf"), Action::Descend, nullptr},
    {fourcc("minf"), fourcc("stbl"), fourcc("stbl"), Action::Read, readTrackSampleTable},
    {fourcc("dinf"), fourcc("dref"), fourcc("dref"), Action::Read, readDataReferences},
};

bool readChildren(quint32 parent, ByteReader payload, ParseState &state)
{
    return forEachBox(payload, [&](const Box &box) {
        const BoxRule *rule = findRule(boxRules, parent, box.type);
        std::vector<quint32> &seen = state.track ? state.track->boxesRead : state.movie.boxesRead;
        if (!rule || !firstOfKind(seen, rule->onceKey))
            return false;
        switch (rule->action) {
        case Action::Skip:
            return true;
        case Action::Descend:
            return readChildren(box.type, box.payload, state);
        case Action::Read:
            return rule->read(box.payload, state);
        }
        return false;
    });
}

} // namespace

bool readMovieBox(ByteReader payload, MovieParts *movie)
{
    ParseState state{*movie};
    return readChildren(fourcc("moov"), payload, state) && movie->timescale != 0; // a movie header was read
}
