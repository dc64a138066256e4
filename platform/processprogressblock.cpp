#include "platform/processprogressblock.h"

#include <QCoreApplication>

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
    ProgressShare::remove(blockName);
}
