#include "controls/inputgate.h"

#include <QKeyEvent>
#include <QWidget>

namespace numbolo {

namespace {

bool movesFocus(const QKeyEvent *key)
{
    return (key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab)
        && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

bool presses(const QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress)
        return true;
    if (event->type() != QEvent::KeyPress)
        return false;
    const auto *key = static_cast<const QKeyEvent *>(event);
    return !key->isAutoRepeat()
        && (key->key() == Qt::Key_Space || key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter);
}

} // namespace

bool InputGate::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
        if (movesFocus(static_cast<const QKeyEvent *>(event)))
            return false;
        [[fallthrough]];
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel: {
        if (!watched->isWidgetType() || !m_blocked(static_cast<QWidget *>(watched)))
            return false;
        if (m_refused && presses(event))
            m_refused(static_cast<QWidget *>(watched));
        return true;
    }
    default:
        return false;
    }
}

} // namespace numbolo
