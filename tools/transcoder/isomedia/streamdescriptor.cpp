#include "tools/transcoder/isomedia/streamdescriptor.h"

#include <iterator>

namespace {

enum DescriptorTag {
    ElementaryStreamTag = 0x03,
    DecoderConfigTag = 0x04,
    DecoderSpecificInfoTag = 0x05,
};

// Object types of the MPEG-1/2 sound codecs, which carry no specific info.
constexpr int mpeg2Audio = 0x69;
constexpr int mpeg1Audio = 0x6B;

int readDescriptorLength(ByteReader &payload)
{
    int length = 0;
    for (int i = 0; i < 4; ++i) {
        const int byte = payload.u8();
        length = length << 7 | (byte & 0x7f);
        if (!(byte & 0x80))
            break;
    }
    return length;
}

// Reads bits big-endian first; a read past the end yields zero bits and
// marks the reader overrun (libavformat would read its zero padding there:
// such a configuration is declined rather than imitated).
class BitReader
{
public:
    explicit BitReader(ByteReader bytes)
        : m_bytes(bytes.current()), m_bits(bytes.remaining() * 8)
    {
    }

    quint32 read(int count)
    {
        quint32 value = 0;
        for (int i = 0; i < count; ++i)
            value = value << 1 | bit(m_position++);
        return value;
    }
    quint32 peek(int count) const
    {
        quint32 value = 0;
        for (int i = 0; i < count; ++i)
            value = value << 1 | bit(m_position + i);
        return value;
    }
    qint64 left() const { return qint64(m_bits) - qint64(m_position); }
    bool overrun() const { return m_position > m_bits; }

private:
    quint32 bit(size_t index) const
    {
        return index < m_bits ? (m_bytes[index / 8] >> (7 - index % 8)) & 1 : 0;
    }

    const uchar *m_bytes;
    size_t m_bits;
    size_t m_position = 0;
};

enum AudioObjectType {
    AacMain = 1,
    AacLtp = 4,
    Sbr = 5,
    Escape = 31,
};

constexpr int sampleRates[] = {96000, 88200, 64000, 48000, 44100, 32000, 24000, 22050, 16000, 12000, 11025, 8000, 7350};
constexpr int explicitRate = 15;
constexpr int channelsOfConfiguration[] = {0, 1, 2, 3, 4, 5, 6, 8}; // index: channel configuration
constexpr quint32 syncExtension = 0x2b7;

int readObjectType(BitReader &bits)
{
    const int type = bits.read(5);
    return type == Escape ? 32 + int(bits.read(6)) : type;
}

// 0 for the indices the table leaves empty.
int readSampleRate(BitReader &bits)
{
    const int index = bits.read(4);
    if (index == explicitRate)
        return int(bits.read(24));
    return index < int(std::size(sampleRates)) ? sampleRates[index] : 0;
}

bool isAacCore(int objectType)
{
    return objectType >= AacMain && objectType <= AacLtp;
}

} // namespace

bool readStreamDescriptor(ByteReader payload, StreamDescriptor *descriptor)
{
    payload.u32(); // version, flags
    int tag = payload.u8();
    readDescriptorLength(payload);
    if (tag == ElementaryStreamTag) {
        payload.u16(); // stream id
        const int flags = payload.u8();
        if (flags & 0x80)
            payload.u16(); // depends on stream
        if (flags & 0x40)
            payload.skip(payload.u8()); // URL
        if (flags & 0x20)
            payload.u16(); // OCR stream
    } else {
        payload.u16();
    }
    tag = payload.u8();
    readDescriptorLength(payload);
    if (!payload.ok() || tag != DecoderConfigTag)
        return false;
    descriptor->objectType = payload.u8();
    payload.skip(1 + 3 + 4 + 4); // stream type, buffer size, maximum and average bit rates
    if (!payload.ok())
        return false;
    if (payload.remaining() == 0)
        return true; // libavformat reads on into the next box, whose size begins with a 0 byte
    tag = payload.u8();
    const int length = readDescriptorLength(payload);
    if (tag != DecoderSpecificInfoTag || descriptor->objectType == mpeg2Audio || descriptor->objectType == mpeg1Audio)
        return payload.ok();
    if (length <= 0 || size_t(length) > payload.remaining())
        return false;
    descriptor->hasSpecificInfo = true;
    descriptor->specificInfo = payload.take(size_t(length));
    return payload.ok();
}

std::optional<AacConfig> readAacConfig(ByteReader config)
{
    BitReader bits(config);
    int objectType = readObjectType(bits);
    const int coreRate = readSampleRate(bits);
    const int channelConfiguration = bits.read(4);
    int extendedRate = 0;
    if (objectType == Sbr) { // explicit, hierarchical SBR signalling
        extendedRate = readSampleRate(bits);
        objectType = readObjectType(bits);
    } else if (isAacCore(objectType)) {
        // A backward compatible SBR signal: libavformat searches for it bit
        // by bit from the end of the header.
        while (bits.left() > 15) {
            if (bits.peek(11) != syncExtension) {
                bits.read(1);
                continue;
            }
            bits.read(11);
            if (readObjectType(bits) == Sbr && bits.read(1) == 1)
                extendedRate = readSampleRate(bits);
            break;
        }
    }
    if (bits.overrun() || !isAacCore(objectType) || channelConfiguration < 1
        || channelConfiguration >= int(std::size(channelsOfConfiguration)))
        return std::nullopt;
    const int rate = extendedRate != 0 ? extendedRate : coreRate;
    if (rate <= 0)
        return std::nullopt;
    return AacConfig{rate, channelsOfConfiguration[channelConfiguration]};
}
