#pragma once

#include <QtGlobal>

#include <cstddef>
#include <functional>

// A four-character code as ISO base media files store it (big-endian).
constexpr quint32 fourcc(const char (&code)[5])
{
    return quint32(quint8(code[0])) << 24 | quint32(quint8(code[1])) << 16 | quint32(quint8(code[2])) << 8
           | quint32(quint8(code[3]));
}

// Big-endian reads from a byte range that never step outside it: a read past
// the end yields 0 and marks the reader failed, so a parser checks ok() once
// after a run of reads instead of before each.
class ByteReader
{
public:
    ByteReader() = default;
    ByteReader(const uchar *data, size_t size);

    quint8 u8();
    quint16 u16();
    quint32 u24();
    quint32 u32();
    quint64 u64();
    void skip(size_t count);
    ByteReader take(size_t count); // the next count bytes as a reader of their own

    bool ok() const { return m_ok; }
    size_t remaining() const { return m_size - m_position; }
    const uchar *current() const { return m_data + m_position; }

private:
    bool claim(size_t count);

    const uchar *m_data = nullptr;
    size_t m_size = 0;
    size_t m_position = 0;
    bool m_ok = true;
};

// The version of a full box, its flags skipped.
quint8 readFullBoxVersion(ByteReader &payload);

struct Box {
    quint32 type = 0;
    ByteReader payload;
};

// Visits the boxes that fill a range, in order. False when a box does not fit
// in the range or the visitor returns false. As libavformat does, a size of 0
// means "up to the end of the range" and fewer than 8 bytes left over are ignored.
bool forEachBox(ByteReader range, const std::function<bool(const Box &)> &visit);
