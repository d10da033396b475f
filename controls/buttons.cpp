#include "controls/buttons.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QSvgRenderer>

#include <algorithm>
#include <utility>

namespace numbolo {

bool pressOnReturn(QAbstractButton *button, QKeyEvent *event)
{
    if ((event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) || event->isAutoRepeat()
        || event->modifiers() & ~Qt::KeypadModifier)
        return false;
    button->click();
    return true;
}

void PushButton::keyPressEvent(QKeyEvent *event)
{
    if (!pressOnReturn(this, event))
        QPushButton::keyPressEvent(event);
}

FormsButton::FormsButton(VbColor back, QWidget *parent) : QPushButton(parent), m_back(back) {}

void FormsButton::setMarked(bool marked)
{
    m_marked = marked;
    update();
}

void FormsButton::keyPressEvent(QKeyEvent *event)
{
    if (!pressOnReturn(this, event))
        QPushButton::keyPressEvent(event);
}

void FormsButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // A push button takes the second click of a double-click as a new press; this one does not.
    event->accept();
}

void FormsButton::paintEvent(QPaintEvent *)
{
    // A flat face in the button's own colour with a raised edge, pressed look when down.
    QPainter painter(this);
    const QRect r = rect();
    painter.fillRect(r, toQColor(m_back));
    const QColor light = toQColor(m_back).lighter(150);
    const QColor dark = toQColor(m_back).darker(170);
    const bool down = isDown();
    painter.setPen(down ? dark : light);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(down ? light : dark);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    if (m_marked) {
        const QPolygonF tick{QPointF(r.width() * 0.25, r.height() * 0.55), QPointF(r.width() * 0.43, r.height() * 0.73),
                             QPointF(r.width() * 0.77, r.height() * 0.28)};
        painter.setRenderHint(QPainter::Antialiasing);
        for (const auto &[colour, width] : {std::pair{Qt::black, 0.22}, std::pair{Qt::white, 0.11}}) {
            painter.setPen(QPen(colour, std::max(1.0, r.width() * width), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
            painter.drawPolyline(tick);
        }
    }
    if (!text().isEmpty()) {
        painter.setPen(palette().color(QPalette::ButtonText));
        painter.setFont(font());
        painter.drawText(r.translated(down ? 1 : 0, down ? 1 : 0), Qt::AlignCenter, text());
    }
}
ImageButton::ImageButton(const QString &picture, QWidget *parent) : QAbstractButton(parent), m_picture(picture)
{
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent, false);
}

QSize ImageButton::sizeHint() const
{
    return renderer()->defaultSize();
}

QSvgRenderer *ImageButton::renderer() const
{
    // The picture is parsed when first needed, mostly at its first paint: one that starts
    // hidden costs start-up nothing.
    if (m_renderer == nullptr)
        m_renderer = new QSvgRenderer(m_picture, const_cast<ImageButton *>(this));
    return m_renderer;
}

void ImageButton::renderPicture(QPainter &painter, const QRectF &area)
{
    painter.setRenderHint(QPainter::Antialiasing);
    renderer()->render(&painter, area);
}

void ImageButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    // Pressed, the picture moves a pixel down and right.
    renderPicture(painter, QRectF(rect()).translated(isDown() ? 1 : 0, isDown() ? 1 : 0));
}

void ImageButton::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The first click of the pair has acted already; a button would take this one as a press.
    event->accept();
}

void ImageButton::keyPressEvent(QKeyEvent *event)
{
    if (!pressOnReturn(this, event))
        QAbstractButton::keyPressEvent(event);
}

ClickLabel::ClickLabel(const QString &caption, QWidget *parent) : QAbstractButton(parent)
{
    setText(caption);
    setFocusPolicy(Qt::StrongFocus);
}

void ClickLabel::setAlignment(Qt::Alignment alignment)
{
    m_alignment = alignment;
    update();
}

void ClickLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setFont(font());
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(rect(), int(m_alignment), text());
}

void ClickLabel::mouseDoubleClickEvent(QMouseEvent *event)
{
    event->accept();
}

void ClickLabel::keyPressEvent(QKeyEvent *event)
{
    if (!pressOnReturn(this, event))
        QAbstractButton::keyPressEvent(event);
}

} // namespace numbolo
