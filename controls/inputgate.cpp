#include "controls/inputgate.h"

#include <QEvent>
#include <QWidget>

namespace numbolo {

bool InputGate::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        return watched->isWidgetType() && m_blocked(static_cast<QWidget *>(watched));
    default:
        return false;
    }
}

} // namespace numbolo
