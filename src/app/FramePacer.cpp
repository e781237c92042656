#include "FramePacer.h"

#include <QScreen>
#include <QWidget>

FramePacer::FramePacer(const QWidget& window) : m_frameNanoseconds(frameNanoseconds(window))
{
}

qint64 FramePacer::frameNanoseconds(const QWidget& window)
{
    const qreal rate = window.screen() ? window.screen()->refreshRate() : 0;
    return qint64(1e9 / (rate > 0 ? rate : 60));
}

bool FramePacer::due()
{
    if (m_sinceLast.isValid() && m_sinceLast.nsecsElapsed() < m_frameNanoseconds)
        return false;
    m_sinceLast.start();
    return true;
}
