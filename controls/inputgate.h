#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace numbolo {

// Swallows mouse and keyboard input for widgets that `blocked` says are out of reach. Focus is
// not refused: a control that has it keeps it, so the keyboard is where it was once the
// control is in reach again (a closed message box hands focus back while it still counts),
// and Tab and Shift+Tab still move it on, since moving the focus asks nothing of the control.
// `refused`, where given, hears of every press that was swallowed: a mouse button, or Space,
// Return or Enter.
class InputGate : public QObject {
public:
    InputGate(std::function<bool(QWidget *)> blocked, QObject *parent, std::function<void(QWidget *)> refused = {})
        : QObject(parent), m_blocked(std::move(blocked)), m_refused(std::move(refused))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<bool(QWidget *)> m_blocked;
    std::function<void(QWidget *)> m_refused;
};

} // namespace numbolo
