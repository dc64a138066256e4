#include "tools/transcoder/isomedia/metadatabox.h"

#include "tools/transcoder/isomedia/boxrules.h"

#include <algorithm>
#include <iterator>

namespace {

// Keys libavformat reads with a function of its own, and the bytes it reads
// whatever the length said.
struct ParsedKey {
    quint32 type;
    size_t bytes;
};

const ParsedKey parsedKeys[] = {
    {fourcc("trkn"), 4}, {fourcc("disk"), 4}, {fourcc("tves"), 4}, {fourcc("tvsn"), 4}, {fourcc("gnre"), 2},
    {fourcc("akID"), 1}, {fourcc("cpil"), 1}, {fourcc("egid"), 1}, {fourcc("hdvd"), 1}, {fourcc("pcst"), 1},
    {fourcc("pgap"), 1}, {fourcc("rtng"), 1}, {fourcc("stik"), 1},
};

// Keys of plain strings outside the © family.
const quint32 textKeys[] = {
    fourcc("aART"), fourcc("apID"), fourcc("catg"), fourcc("cprt"), fourcc("desc"), fourcc("keyw"),
    fourcc("ldes"), fourcc("manu"), fourcc("modl"), fourcc("purd"), fourcc("soaa"), fourcc("soal"),
    fourcc("soar"), fourcc("soco"), fourcc("sonm"), fourcc("sosn"), fourcc("tven"), fourcc("tvnn"),
    fourcc("tvsh"),
};

// Upper-case types libavformat has a reader for; other upper-case types in
// user data (camera makers' own) it passes over.
const quint32 upperCaseReadTypes[] = {
    fourcc("ACLR"), fourcc("APRG"), fourcc("AALP"), fourcc("ARES"), fourcc("SMI "), fourcc("SA3D"), fourcc("SAND"),
    fourcc("HMMT"),
};

const ParsedKey *parsedKey(quint32 type)
{
    const auto key = std::find_if(std::begin(parsedKeys), std::end(parsedKeys),
                                  [&](const ParsedKey &candidate) { return candidate.type == type; });
    return key == std::end(parsedKeys) ? nullptr : key;
}

bool isCopyrightText(quint32 type)
{
    return type >> 24 == 0xa9;
}

bool isUpperCase(quint32 type)
{
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = char(type >> shift);
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' '))
            return false;
    }
    return true;
}

// A QuickTime string: a 16-bit length and a language, then the text. A
// length past the box makes libavformat read the whole box instead; one that
// leaves no room for the two fields makes it read past the box.
bool checkQuickTimeText(ByteReader payload)
{
    const size_t size = payload.remaining();
    if (size <= 4)
        return true;
    const size_t length = payload.u16();
    return length > size || length + 4 <= size;
}

// An iTunes-style item: 'data' boxes, read while they fit, each at least as
// long as what libavformat reads from it.
bool checkItem(const Box &item)
{
    if (item.type == fourcc("----"))
        return true; // read by libavformat within its bounds
    const ParsedKey *key = parsedKey(item.type);
    ByteReader payload = item.payload;
    while (payload.remaining() > 8) {
        const size_t available = payload.remaining();
        const quint32 size = payload.u32();
        if (payload.u32() != fourcc("data") || size > available || size < 16)
            return true; // where libavformat stops reading the item
        payload.skip(8); // type, locale
        const size_t length = size - 16;
        if (key && length < key->bytes)
            return false;
        payload.skip(length);
    }
    return true;
}

bool checkKeys(ByteReader payload)
{
    if (payload.remaining() < 8)
        return true; // not read
    payload.u32(); // version, flags
    const quint32 count = payload.u32();
    for (quint32 i = 0; i < count; ++i) {
        const quint32 size = payload.u32();
        const quint32 nameSpace = payload.u32();
        if (!payload.ok() || size < 8 || nameSpace != fourcc("mdta"))
            return false;
        payload.skip(size - 8);
    }
    return payload.ok();
}

} // namespace

bool checkMetadata(ByteReader payload)
{
    // libavformat looks for the handler word by word, and reads the boxes
    // from the handler on: an ISO full box and QuickTime's plain one alike.
    ByteReader scan = payload;
    for (size_t offset = 0; scan.remaining() > 8; offset += 4) {
        if (scan.u32() != fourcc("hdlr"))
            continue;
        if (offset < 4)
            return false; // it would step back out of the box
        payload.skip(offset - 4);
        return forEachBox(payload, [](const Box &box) {
            if (box.type == fourcc("ilst"))
                return forEachBox(box.payload, checkItem);
            if (box.type == fourcc("keys"))
                return checkKeys(box.payload);
            return box.type == fourcc("hdlr") || box.type == fourcc("free") || box.type == fourcc("skip")
                   || box.type == fourcc("xml ") || box.type == fourcc("id32");
        });
    }
    return true; // no handler: libavformat reads nothing of it
}

bool checkUserData(ByteReader payload, bool inTrack)
{
    return forEachBox(payload, [&](const Box &box) {
        const quint32 type = box.type;
        if (type == fourcc("meta"))
            return !inTrack && checkMetadata(box.payload);
        if (type == fourcc("chpl") || type == fourcc("free") || type == fourcc("skip"))
            return true; // read within bounds
        if (isCopyrightText(type) || isOneOf(type, textKeys))
            return checkQuickTimeText(box.payload);
        return isUpperCase(type) && !isOneOf(type, upperCaseReadTypes);
    });
}
