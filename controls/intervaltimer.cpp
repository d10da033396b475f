#include "controls/intervaltimer.h"

namespace numbolo {

IntervalTimer::IntervalTimer(Clock &clock, int intervalMs, QObject *parent)
    : QObject(parent), m_alarm(clock), m_interval(intervalMs)
{
}

void IntervalTimer::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    if (enabled) {
        m_next = m_alarm.clock().now() + m_interval;
        arm();
    } else {
        m_alarm.cancel();
    }
}

void IntervalTimer::arm()
{
    m_alarm.at(m_next, [this] {
        // The next tick is armed before the handler runs, so a handler that disables the
        // timer cancels it, and a slow handler does not push later ticks back.
        m_next += m_interval;
        arm();
        emit timeout();
    });
}

} // namespace numbolo
