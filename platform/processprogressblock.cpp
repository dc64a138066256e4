#include "platform/processprogressblock.h"

#include <QCoreApplication>

#include <sys/mman.h>

QString processProgressBlockName(ProgressShare::Block block)
{
    return ProgressShare::nameOf(block) + u'.'
           + QString::number(QCoreApplication::applicationPid());
}

ProcessProgressBlock::ProcessProgressBlock(ProgressShare::Block block)
    : m_name(processProgressBlockName(block))
{
}

ProcessProgressBlock::~ProcessProgressBlock()
{
    shm_unlink(m_name.toLocal8Bit().constData());
}
