#include "tools/transcoder/isomedia/bytereader.h"

ByteReader::ByteReader(const uchar *data, size_t size)
    : m_data(data), m_size(size)
{
}

bool ByteReader::claim(size_t count)
{
    if (!m_ok || count > remaining()) {
        m_ok = false;
        m_position = m_size;
        return false;
    }
    return true;
}

quint8 ByteReader::u8()
{
    if (!claim(1))
        return 0;
    return m_data[m_position++];
}

quint16 ByteReader::u16()
{
    const quint16 high = u8();
    return quint16(high << 8 | u8());
}

quint32 ByteReader::u24()
{
    const quint32 high = u16();
    return high << 8 | u8();
}

quint32 ByteReader::u32()
{
    const quint32 high = u16();
    return high << 16 | u16();
}

quint64 ByteReader::u64()
{
    const quint64 high = u32();
    return high << 32 | u32();
}

void ByteReader::skip(size_t count)
{
    if (claim(count))
        m_position += count;
}

ByteReader ByteReader::take(size_t count)
{
    if (!claim(count))
        return ByteReader(nullptr, 0);
    ByteReader part(m_data + m_position, count);
    m_position += count;
    return part;
}

quint8 readFullBoxVersion(ByteReader &payload)
{
    const quint8 version = payload.u8();
    payload.u24();
    return version;
}

bool forEachBox(ByteReader range, const std::function<bool(const Box &)> &visit)
{
    while (range.remaining() >= 8) {
        const size_t start = range.remaining();
        quint64 size = range.u32();
        Box box;
        box.type = range.u32();
        if (size == 1)
            size = range.u64();
        else if (size == 0)
            size = start;
        const size_t header = start - range.remaining();
        if (!range.ok() || size < header || size > start)
            return false;
        box.payload = range.take(size - header);
        if (!visit(box))
            return false;
    }
    return true;
}
