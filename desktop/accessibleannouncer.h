#pragma once
// The real announcer: a notification object of the window that appears with the text as its
// name, which screen readers (Orca among them) speak as it shows. Texts that come close
// together are said together, a moment after the last one, so that the screen reader's own
// reading of a new focus (after a message closes) does not cut them off.

#include "services/alarm.h"
#include "services/services.h"

#include <QPointer>
#include <QStringList>
#include <QWidget>
#include <functional>

namespace numbolo {

class AccessibleAnnouncer : public Announcer {
public:
    static constexpr int DelayMs = 400;
    // `listening` says whether a screen reader is there; while it says no, nothing is done.
    explicit AccessibleAnnouncer(Clock &clock, std::function<bool()> listening = {});
    void announce(const QString &text, QWidget &window) override;
    // The notification object, once something was said.
    QWidget *notice() const { return m_notice; }

private:
    void present();
    Alarm m_alarm;
    std::function<bool()> m_listening;
    QStringList m_pending;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_notice;
};

} // namespace numbolo
