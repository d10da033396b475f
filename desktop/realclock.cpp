#include "desktop/realclock.h"

#include <QTimer>

#include <algorithm>
#include <limits>

namespace numbolo {

RealClock::RealClock()
{
    m_elapsed.start();
}

RealClock::~RealClock()
{
    qDeleteAll(m_timers);
}

qint64 RealClock::now() const
{
    return m_elapsed.elapsed();
}

Clock::Id RealClock::callAt(qint64 when, Callback callback)
{
    const Id id = m_nextId++;
    auto *timer = new QTimer;
    timer->setSingleShot(true);
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, timer, [this, id, callback = std::move(callback)] {
        if (QTimer *t = m_timers.take(id)) {
            t->deleteLater();
            callback();
        }
    });
    m_timers.insert(id, timer);
    timer->start(int(std::clamp<qint64>(when - now(), 0, std::numeric_limits<int>::max())));
    return id;
}

void RealClock::cancel(Id id)
{
    if (QTimer *timer = m_timers.take(id)) {
        timer->stop();
        timer->deleteLater();
    }
}

} // namespace numbolo
