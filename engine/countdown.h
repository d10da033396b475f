#pragma once
// The countdown of an exercise, driven by the clock. While it runs a second goes every 1000 ms,
// each due a whole number of seconds after it was started, so handler time never adds up to
// drift. A stop keeps what is left; at 0 it stops and stays stopped until it is reset. Without
// a time limit nothing counts down or runs out, but the seconds played still count.

#include "services/alarm.h"

#include <QObject>

namespace numbolo {

class Countdown : public QObject {
    Q_OBJECT
public:
    static constexpr int IntervalMs = 1000;

    enum class State {
        Ready,          // stopped at its start: none of the time is used
        Running,        // a second goes every interval
        Paused,         // stopped with part of the time used
        RanOut,         // stopped at 0: the time is up
        NoLimit,        // no time limit, stopped
        NoLimitRunning, // no time limit, played: the seconds count, nothing shows them
    };

    // Ready with `limitSeconds` to go; 0 or less means no time limit.
    Countdown(Clock &clock, int limitSeconds, QObject *parent);

    // Stops and starts again from `limitSeconds` (0 or less: no time limit), with no second
    // used. Emits nothing: the caller shows the start.
    void reset(int limitSeconds);
    // Running, with or without a limit. Enabling starts it, or resumes it a whole interval
    // later; enabling a running one changes nothing, and one that ran out stays so. Disabling
    // stops it where it is.
    bool isEnabled() const { return m_state == State::Running || m_state == State::NoLimitRunning; }
    void setEnabled(bool enabled);
    int interval() const { return IntervalMs; }

    State state() const { return m_state; }
    bool timeLimited() const { return m_limit > 0; }
    // The seconds left of the limit; 0 without one.
    int secondsLeft() const { return timeLimited() ? m_limit - m_used : 0; }
    // The seconds counted since the last reset: of the limit, or played without one.
    int secondsUsed() const { return m_used; }

signals:
    // A second of the limit went: `secondsLeft` is what is left now. Never without a limit,
    // where what is shown does not change.
    void secondsChanged(int secondsLeft);
    // The last second went, right after secondsChanged(0); the countdown has stopped.
    void ranOut();

private:
    void arm();
    void tick();

    Alarm m_alarm;
    State m_state = State::Ready;
    int m_limit = 0; // 0: no limit
    int m_used = 0;
    qint64 m_next = 0;
};

} // namespace numbolo
