#pragma once
// One pending call on a clock at a time: arming again replaces it, destruction cancels it.

#include "services/services.h"

namespace numbolo {

class Alarm {
public:
    explicit Alarm(Clock &clock) : m_clock(clock) {}
    ~Alarm() { cancel(); }
    Alarm(const Alarm &) = delete;
    Alarm &operator=(const Alarm &) = delete;

    void at(qint64 when, Clock::Callback callback);
    void cancel();
    bool pending() const { return m_id != 0; }
    Clock &clock() const { return m_clock; }

private:
    Clock &m_clock;
    Clock::Id m_id = 0;
};

} // namespace numbolo
