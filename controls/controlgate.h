#pragma once
// The one place that decides whether a control of the game's windows may act now, as the
// windows see it. The main window keeps it; the windows it opens put their controls behind it,
// so that they too wait while a question is open.

#include <functional>

class QAbstractButton;
class QWidget;

namespace numbolo {

class ControlGate {
public:
    // True when nothing may reach `widget` now.
    virtual bool isBlocked(const QWidget *widget) const = 0;
    // Puts `control` behind the gate, and runs `handler` on its click while it is not blocked.
    virtual void connectHandler(QAbstractButton *control, std::function<void()> handler) = 0;
    // Puts `widget` behind the gate: mouse and keyboard input reach it only while it is not
    // blocked.
    virtual void guard(QWidget *widget) = 0;

protected:
    ~ControlGate() = default;
};

} // namespace numbolo
