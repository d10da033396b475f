#include "controls/frame.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>
#include <utility>

namespace numbolo {

Frame::Frame(const QString &caption, VbColor captionColor, QWidget *parent)
    : QGroupBox(caption, parent), m_caption(captionColor)
{
    setAutoFillBackground(true);
    applyPalette();
}

void Frame::setBackColor(VbColor color)
{
    m_back = color;
    applyPalette();
}

void Frame::setFrameEnabled(bool enabled)
{
    m_enabled = enabled;
    applyPalette();
}

void Frame::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QString caption = title();
    // The caption's letters start where the design's controls do, 120 twips in, and their top
    // is the frame's top edge. They are placed by their drawn outline rather than the font's
    // line height: the faces that stand in for the design's reserve much room above and below
    // the letters, which would push the caption into the controls placed 240 twips down.
    const QRect letters = caption.isEmpty() ? QRect() : QFontMetrics(font()).tightBoundingRect(caption);
    const QRect captionRect(px(120), 0, letters.width(), letters.height());
    const int lineTop = captionRect.height() / 2;

    // The etched rectangle: a dark line and a light one inside it, each as thick as a pixel of
    // the design and laid on whole device pixels, so they stay crisp and even at any scale.
    const qreal ratio = painter.deviceTransform().m11();
    const int u = std::max(1, qRound(ratio));
    const int w = qRound(width() * ratio);
    const int h = qRound(height() * ratio);
    const int top = qRound(lineTop * ratio);
    painter.save();
    painter.scale(1 / ratio, 1 / ratio);
    const QColor shadow(0x80, 0x80, 0x80), highlight(0xFF, 0xFF, 0xFF);
    for (const auto &[offset, colour] : {std::pair{0, shadow}, std::pair{u, highlight}}) {
        const QRect box(offset, top + offset, w - u, h - top - u);
        painter.fillRect(QRect(box.left(), box.top(), box.width(), u), colour);
        painter.fillRect(QRect(box.left(), box.bottom() + 1 - u, box.width(), u), colour);
        painter.fillRect(QRect(box.left(), box.top(), u, box.height()), colour);
        painter.fillRect(QRect(box.right() + 1 - u, box.top(), u, box.height()), colour);
    }
    painter.restore();

    if (caption.isEmpty())
        return;
    // The caption stands on the line over the frame's background, with a little room on either
    // side, and never over the side lines.
    const QRect room = captionRect.adjusted(-2, 0, 2, 0).intersected(rect().adjusted(2, 0, -2, 0));
    painter.fillRect(room, palette().color(QPalette::Window));
    painter.setPen(palette().color(QPalette::WindowText));
    painter.setFont(font());
    painter.drawText(QPoint(captionRect.left() - letters.left(), -letters.top()), caption);
}

void Frame::applyPalette()
{
    QPalette p = palette();
    p.setColor(QPalette::Window, toQColor(m_back));
    // A disabled frame shows its caption greyed, like a disabled control of the platform.
    p.setColor(QPalette::WindowText, m_enabled ? toQColor(m_caption) : QColor(0x80, 0x80, 0x80));
    setPalette(p);
}

} // namespace numbolo
