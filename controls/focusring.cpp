#include "controls/focusring.h"

#include <QApplication>
#include <QEvent>
#include <QPainter>

namespace numbolo {

FocusRing::FocusRing(QWidget *window) : QWidget(window)
{
    setObjectName(QStringLiteral("focusRing"));
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    setFocusPolicy(Qt::NoFocus);
    hide();
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget *, QWidget *now) { follow(now); });
}

void FocusRing::follow(QWidget *focused)
{
    if (m_target != nullptr)
        m_target->removeEventFilter(this);
    // A control the mouse gave the focus to needs no mark: the child sees what was clicked.
    const bool byMouse = QGuiApplication::mouseButtons() != Qt::NoButton;
    m_target = focused != nullptr && focused != parentWidget() && focused->window() == parentWidget() && !byMouse ? focused : nullptr;
    if (m_target != nullptr)
        m_target->installEventFilter(this);
    place();
}

void FocusRing::place()
{
    if (m_target == nullptr || !m_target->isVisible()) {
        hide();
        return;
    }
    constexpr int reach = Gap + Light + Dark;
    const QRect around(m_target->mapTo(parentWidget(), QPoint(0, 0)), m_target->size());
    // At the window's edge (the fold picture) the bands come inside the control instead.
    setGeometry(around.adjusted(-reach, -reach, reach, reach).intersected(parentWidget()->rect()));
    raise();
    show();
    update();
}

bool FocusRing::eventFilter(QObject *, QEvent *event)
{
    switch (event->type()) {
    case QEvent::Move:
    case QEvent::Resize:
    case QEvent::Show:
    case QEvent::Hide:
        place();
        break;
    default:
        break;
    }
    return false;
}

void FocusRing::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QRect outer = rect();
    const QRect light = outer.adjusted(Dark, Dark, -Dark, -Dark);
    const QRect gap = light.adjusted(Light, Light, -Light, -Light);
    // Each band is filled as the region between two rectangles, so it lies on whole pixels.
    painter.setClipRegion(QRegion(outer).subtracted(QRegion(light)));
    painter.fillRect(outer, Qt::black);
    painter.setClipRegion(QRegion(light).subtracted(QRegion(gap)));
    painter.fillRect(light, Qt::white);
}

} // namespace numbolo
