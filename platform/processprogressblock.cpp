#include "platform/processprogressblock.h"

#include "platform/progressshare.h"

#include <QCoreApplication>

#include <sys/mman.h>

QString processProgressBlockName()
{
    return ProgressShare::nameOf(ProgressShare::Block::Ffmpeg) + u'.'
           + QString::number(QCoreApplication::applicationPid());
}

ProcessProgressBlock::ProcessProgressBlock()
    : m_name(processProgressBlockName())
{
}

ProcessProgressBlock::~ProcessProgressBlock()
{
    shm_unlink(m_name.toLocal8Bit().constData());
}
