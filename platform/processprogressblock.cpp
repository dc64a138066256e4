#include "platform/processprogressblock.h"

#include <QCoreApplication>

#include <sys/mman.h>

QString processProgressBlockName(ProgressShare::Block block)
{
    return ProgressShare::nameOf(block) + u'.'
           + QString::number(QCoreApplication::applicationPid());
}

ProcessProgressBlock::ProcessProgressBlock(ProgressShare::Block block)
    : blockName(processProgressBlockName(block))
{
}

ProcessProgressBlock::~ProcessProgressBlock()
{
    shm_unlink(blockName.toLocal8Bit().constData());
}
