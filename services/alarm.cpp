#include "services/alarm.h"

namespace numbolo {

void Alarm::at(qint64 when, Clock::Callback callback)
{
    cancel();
    m_id = m_clock.callAt(when, [this, callback = std::move(callback)] {
        m_id = 0;
        callback();
    });
}

void Alarm::cancel()
{
    if (m_id != 0) {
        m_clock.cancel(m_id);
        m_id = 0;
    }
}

} // namespace numbolo
