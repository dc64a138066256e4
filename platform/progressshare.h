#pragma once

#include <QString>

// A 256-byte block of POSIX shared memory through which a conversion tool
// tells the application how far it is. Offset 0 holds the percentage as a
// signed 32-bit little-endian integer; the rest is unused. Each user has
// their own blocks (the numeric user id is part of the name, mode 0600).
class ProgressShare
{
public:
    static constexpr int Size = 256;

    enum class Block { Ffmpeg, Convert };

    // "/FFMPEGSHARE.<uid>" or "/CONVERTSHARE.<uid>".
    static QString nameOf(Block block);
    // Removes the named block; mappings of it stay valid until released.
    static void remove(const QString &name);

    ProgressShare() = default;
    ~ProgressShare() { release(); }
    ProgressShare(const ProgressShare &) = delete;
    ProgressShare &operator=(const ProgressShare &) = delete;

    // Creates the block, or opens the one that is already there. A block that
    // cannot be made (or belongs to someone else) stays absent.
    bool open(const QString &name);
    bool isPresent() const { return view != nullptr; }

    // The percentage at offset 0; 0 while the block is absent.
    int percent() const;
    void setPercent(int value);

    // All 256 bytes to zero.
    void clear();
    // Unmaps the view; the named block itself stays for other processes.
    void release();

private:
    unsigned char *view = nullptr;
};
