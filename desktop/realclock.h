#pragma once
// The real clock: monotonic milliseconds, and calls from Qt's precise timers.

#include "services/services.h"

#include <QElapsedTimer>
#include <QHash>

class QTimer;

namespace numbolo {

class RealClock : public Clock {
public:
    RealClock();
    ~RealClock() override;
    qint64 now() const override;
    Id callAt(qint64 when, Callback callback) override;
    void cancel(Id id) override;

private:
    QElapsedTimer m_elapsed;
    Id m_nextId = 1;
    QHash<Id, QTimer *> m_timers;
};

} // namespace numbolo
