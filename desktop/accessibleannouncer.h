#pragma once
// The real announcer: a notification object of the window that appears with the text as its
// name, which screen readers (Orca among them) speak as it shows. Texts that come close
// together are said together, a moment after the last one, so that the screen reader's own
// reading of a new focus (after a message closes) does not cut them off. A read-back after a
// key appears in a status bar of its own: screen readers say a notification there without
// calling it one, so the child hears only the display.

#include "services/alarm.h"
#include "services/services.h"

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

namespace numbolo {

class AccessibleAnnouncer : public Announcer {
public:
    static constexpr int DelayMs = 400;
    // A read-back waits this long for the next key, which replaces it.
    static constexpr int EchoDelayMs = 150;
    // `listening` says whether a screen reader is there; while it says no, nothing is done.
    explicit AccessibleAnnouncer(Clock &clock, std::function<bool()> listening = {});
    void announce(const QString &text, QWidget &window) override;
    void echo(const QString &text, QWidget &window) override;
    void speakNow() override;
    // The notification object of the announcements, once something was said.
    QWidget *notice() const { return m_notice; }

private:
    struct Pending {
        QString text;
        bool echo;
    };
    void present();
    // Shows `text` on the notice `notice` of the window, made inside `parent` when missing.
    void show(QPointer<QWidget> &notice, QWidget *parent, const QString &text);
    Alarm m_alarm;
    std::function<bool()> m_listening;
    std::vector<Pending> m_pending;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_notice;
    QPointer<QWidget> m_echoBar;
    QPointer<QWidget> m_echoNotice;
};

} // namespace numbolo
