#pragma once

#include <QObject>
#include <functional>

class QWidget;

namespace numbolo {

// Swallows mouse and keyboard input for widgets that `blocked` says are out of reach. Focus is
// not refused: a control that has it keeps it, so the keyboard is where it was once the
// control is in reach again (a closed message box hands focus back while it still counts).
class InputGate : public QObject {
public:
    InputGate(std::function<bool(QWidget *)> blocked, QObject *parent)
        : QObject(parent), m_blocked(std::move(blocked))
    {
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<bool(QWidget *)> m_blocked;
};

} // namespace numbolo
