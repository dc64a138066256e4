#include "platform/processprogressblock.h"

#include <QCoreApplication>

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
    ProgressShare::remove(m_name);
}
