#include "FramePacer.h"

#include <QCoreApplication>
#include <QScreen>
#include <QWidget>

namespace {
bool everyCallDue = false;
FramePacer::EventTotals totals;
} // namespace

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
    if (!everyCallDue && m_sinceLast.isValid() && m_sinceLast.nsecsElapsed() < m_frameNanoseconds)
        return false;
    m_sinceLast.start();
    return true;
}

void FramePacer::processEvents()
{
    QElapsedTimer clock;
    clock.start();
    QCoreApplication::processEvents();
    ++totals.calls;
    totals.nanoseconds += clock.nsecsElapsed();
}

void FramePacer::setEveryCallDue(bool everyCall)
{
    everyCallDue = everyCall;
}

FramePacer::EventTotals FramePacer::eventTotals()
{
    return totals;
}
