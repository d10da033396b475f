#include "controls/textbox.h"

#include <QAccessible>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionFrame>

#include <limits>
#include <utility>

namespace numbolo {

TextBox::TextBox(QWidget *parent) : QLineEdit(parent), m_fore(0x000000), m_back(0xFFFFFF)
{
    setReadOnly(true);
    setContextMenuPolicy(Qt::NoContextMenu);
    // No length limit of its own: the line edit's default of 32767 would silently stop the
    // keypad from appending to a long display.
    setMaxLength(std::numeric_limits<int>::max());
    // The line edit's own frame and margins would leave too little height for the display
    // font in boxes of the design's size; the border is drawn over the edge instead.
    setFrame(false);
    setTextMargins(2, 0, 2, 0);
    connect(this, &QLineEdit::textChanged, this, &TextBox::textChangedFromAnywhere);
}

void TextBox::setText(const QString &text)
{
    const QScopedValueRollback<bool> writing(m_programWrite, true);
    m_accepted = text;
    QLineEdit::setText(text);
}

void TextBox::textChangedFromAnywhere()
{
    if (m_programWrite)
        return;
    // Typing reaches a locked box only through paths that bypass the keyboard's read-only
    // check, such as a screen reader's "set text": the box then shows its text again at once.
    const bool allowed = m_mayEdit ? m_mayEdit() : !isLocked();
    if (allowed) {
        m_accepted = text();
        return;
    }
    const QScopedValueRollback<bool> refusing(m_programWrite, true);
    QLineEdit::setText(m_accepted);
}

void TextBox::setBorder(bool border)
{
    m_border = border;
    setTextMargins(border ? 2 : 0, 0, border ? 2 : 0, 0);
    update();
}

void TextBox::changeEvent(QEvent *event)
{
    // A hidden box lays its text out in a new font only when it is shown or painted: the
    // layout loads the font's engine, which a box that starts hidden and may never be shown
    // does not need at start-up. font() is the new font at once.
    if (event->type() == QEvent::FontChange && isHidden()) {
        m_fontPending = true;
        QWidget::changeEvent(event);
        return;
    }
    QLineEdit::changeEvent(event);
}

void TextBox::layOutInFont()
{
    if (!std::exchange(m_fontPending, false))
        return;
    QEvent change(QEvent::FontChange);
    QLineEdit::changeEvent(&change);
}

namespace {

// The box whose selection changes without a word to assistive technology, or null, and the
// update handler that was in place before.
const QObject *quietSelectionOf = nullptr;
QAccessible::UpdateHandler updatesBefore = nullptr;

// Passes every accessibility update on, but the selection changes of that box.
void dropQuietSelection(QAccessibleEvent *event)
{
    if (event->type() == QAccessible::TextSelectionChanged && event->object() == quietSelectionOf)
        return;
    if (updatesBefore != nullptr)
        return updatesBefore(event);
    QAccessible::installUpdateHandler(nullptr); // Qt's own path to the platform
    QAccessible::updateAccessibility(event);
    QAccessible::installUpdateHandler(dropQuietSelection);
}

} // namespace

void TextBox::focusOutEvent(QFocusEvent *event)
{
    // Leaving a box, Qt clears its selection while the box still has the screen reader's
    // attention, which then says so (in English, on a Greek desktop). The selection goes as
    // always, but without telling: Tab back into the box selects the whole text again.
    // No plain way exists: QLineEdit sends that change from inside its own focus-out, Orca says
    // "Text unselected." for it whatever has the focus by then (also when the selection is
    // cleared a moment later), and Qt's update handler is the only way to keep one event from
    // the screen reader; it is swapped in for this one call.
    if (!hasSelectedText() || !QAccessible::isActive())
        return QLineEdit::focusOutEvent(event);
    updatesBefore = QAccessible::installUpdateHandler(dropQuietSelection);
    QScopedValueRollback<const QObject *> quiet(quietSelectionOf, this);
    QLineEdit::focusOutEvent(event);
    QAccessible::installUpdateHandler(updatesBefore);
}

void TextBox::showEvent(QShowEvent *event)
{
    layOutInFont();
    QLineEdit::showEvent(event);
}

void TextBox::paintEvent(QPaintEvent *event)
{
    layOutInFont(); // a hidden box can still be painted, into a picture of it
    QLineEdit::paintEvent(event);
    if (!m_border)
        return;
    QPainter painter(this);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    const QColor shadow(0x80, 0x80, 0x80), light(0xFF, 0xFF, 0xFF), dark(0x40, 0x40, 0x40), face(0xD4, 0xD0, 0xC8);
    painter.setPen(shadow);
    painter.drawLine(r.topLeft(), r.topRight());
    painter.drawLine(r.topLeft(), r.bottomLeft());
    painter.setPen(light);
    painter.drawLine(r.bottomLeft(), r.bottomRight());
    painter.drawLine(r.topRight(), r.bottomRight());
    const QRect inner = r.adjusted(1, 1, -1, -1);
    painter.setPen(dark);
    painter.drawLine(inner.topLeft(), inner.topRight());
    painter.drawLine(inner.topLeft(), inner.bottomLeft());
    painter.setPen(face);
    painter.drawLine(inner.bottomLeft(), inner.bottomRight());
    painter.drawLine(inner.topRight(), inner.bottomRight());
}

void TextBox::setForeColor(VbColor color)
{
    m_fore = color;
    setPaletteColor(this, QPalette::Text, color);
}

void TextBox::setBackColor(VbColor color)
{
    m_back = color;
    setPaletteColor(this, QPalette::Base, color);
}

void TextBox::setFontName(const QString &family)
{
    QFont f = font();
    f.setFamily(family);
    setFont(f);
}

void TextBox::setFontSize(qreal points)
{
    QFont f = font();
    f.setPointSizeF(points);
    setFont(f);
}

bool TextBox::fitsWhole(const QString &text) const
{
    QStyleOptionFrame option;
    initStyleOption(&option);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &option, this);
    const QMargins margins = textMargins();
    // A line edit keeps 2 pixels free on either side of its text.
    const int room = contents.width() - margins.left() - margins.right() - 4;
    return QFontMetrics(font()).horizontalAdvance(text) <= room;
}

void TextBox::fitFontTo(const QString &text)
{
    for (qreal points = font().pointSizeF(); !fitsWhole(text) && points > 6; points -= 0.25)
        setFontSize(points - 0.25);
}

void TextBox::setFontBold(bool bold)
{
    QFont f = font();
    f.setBold(bold);
    setFont(f);
}

} // namespace numbolo
