#include "engine/countdown.h"

#include <algorithm>

namespace numbolo {

Countdown::Countdown(Clock &clock, int limitSeconds, QObject *parent) : QObject(parent), m_alarm(clock)
{
    reset(limitSeconds);
}

void Countdown::reset(int limitSeconds)
{
    m_alarm.cancel();
    m_limit = std::max(limitSeconds, 0);
    m_used = 0;
    m_state = timeLimited() ? State::Ready : State::NoLimit;
}

void Countdown::setEnabled(bool enabled)
{
    if (enabled == isEnabled() || m_state == State::RanOut)
        return;
    if (!enabled) {
        m_alarm.cancel();
        if (!timeLimited())
            m_state = State::NoLimit;
        else
            m_state = m_used == 0 ? State::Ready : State::Paused;
        return;
    }
    m_state = timeLimited() ? State::Running : State::NoLimitRunning;
    m_next = m_alarm.clock().now() + IntervalMs;
    arm();
}

void Countdown::arm()
{
    m_alarm.at(m_next, [this] { tick(); });
}

void Countdown::tick()
{
    ++m_used;
    if (!timeLimited() || secondsLeft() > 0) {
        // The next second is armed before anyone hears of this one, so a handler that stops
        // the countdown cancels it, and a slow handler does not push later seconds back.
        m_next += IntervalMs;
        arm();
        if (timeLimited())
            emit secondsChanged(secondsLeft());
        return;
    }
    m_state = State::RanOut;
    emit secondsChanged(0);
    emit ranOut();
}

} // namespace numbolo
