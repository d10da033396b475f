#pragma once

#include "services/alarm.h"

#include <QObject>

namespace numbolo {

// A timer that fires every `interval` ms while enabled, driven by the clock. Each tick is due
// a whole number of intervals after the enabling, so handler time never adds up to drift.
// Enabling an enabled timer changes nothing.
class IntervalTimer : public QObject {
    Q_OBJECT
public:
    IntervalTimer(Clock &clock, int intervalMs, QObject *parent);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    int interval() const { return m_interval; }

signals:
    void timeout();

private:
    void arm();
    Alarm m_alarm;
    int m_interval;
    bool m_enabled = false;
    qint64 m_next = 0;
};

} // namespace numbolo
