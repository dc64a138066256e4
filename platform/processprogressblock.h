#pragma once

#include "platform/progressshare.h"

#include <QString>

// The progress block of one application process: the per-user name followed
// by "." and the process id, so that two windows converting at the same time
// never read each other's percentages. A tool started by hand keeps the
// per-user block. Opening a block never clears it: a block opened by name may
// be the one another window's tool is writing.
QString processProgressBlockName(ProgressShare::Block block = ProgressShare::Block::Ffmpeg);

// Owns this process's block name for the life of the object and removes the
// named block (which outlives every mapping of it) when it goes.
class ProcessProgressBlock
{
public:
    explicit ProcessProgressBlock(ProgressShare::Block block = ProgressShare::Block::Ffmpeg);
    ~ProcessProgressBlock();
    ProcessProgressBlock(const ProcessProgressBlock &) = delete;
    ProcessProgressBlock &operator=(const ProcessProgressBlock &) = delete;

    QString name() const { return blockName; }

private:
    QString blockName;
};
