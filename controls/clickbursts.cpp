#include "controls/clickbursts.h"

#include "controls/buttons.h"

#include <QApplication>
#include <QMouseEvent>

namespace numbolo {

bool ClickBursts::actsOncePerBurst(const QObject *control)
{
    return qobject_cast<const ImageButton *>(control) != nullptr || qobject_cast<const ClickLabel *>(control) != nullptr
        || qobject_cast<const FormsButton *>(control) != nullptr;
}

bool ClickBursts::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (!watched->isWidgetType()
        || (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonDblClick && type != QEvent::MouseButtonRelease))
        return false;
    const auto *mouse = static_cast<QMouseEvent *>(event);
    if (mouse->button() != Qt::LeftButton)
        return false;

    const quint64 when = mouse->timestamp();
    const QPointF where = mouse->globalPosition();
    const bool near = (where - m_where).manhattanLength() <= QApplication::startDragDistance();
    const bool continues = m_inBurst && near && when >= m_last && when - m_last <= quint64(QApplication::doubleClickInterval());

    if (type == QEvent::MouseButtonRelease) {
        if (continues) {
            m_last = when; // the burst goes on as long as the clicks come quickly
        } else if (actsOncePerBurst(watched)) {
            m_inBurst = true;
            m_last = when;
            m_where = where;
        } else {
            m_inBurst = false;
        }
        return false;
    }
    if (continues) {
        m_last = when;
        return true; // the double-click, or a third click, of a burst that has acted already
    }
    m_inBurst = false;
    return false;
}

} // namespace numbolo
