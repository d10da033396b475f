// Keyboard typing, which a parent can turn on: a key typed on the keyboard presses the matching
// key of the keypad, through the same gate and handler as a click, so it types, sounds and is
// read back exactly as the click would be. Space and Return still press the focused control,
// and an option box open for typing takes its keys itself.

#include "game/announce.h"
#include "game/form1.h"

#include <QKeyEvent>

namespace numbolo {

QAbstractButton *Form1::keypadKeyFor(const QKeyEvent &key) const
{
    const Qt::KeyboardModifiers other =
        key.modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier | Qt::GroupSwitchModifier);
    if (other != Qt::NoModifier)
        return nullptr;
    switch (key.key()) {
    case Qt::Key_Backspace:
        return Command18;
    case Qt::Key_Delete:
        return CommandButton2;
    case Qt::Key_Enter:
        // The numeric keypad's Enter (the main one is Return): beside "+", as "=" on a calculator.
        return Command17;
    default:
        break;
    }
    if (key.text().size() != 1)
        return nullptr;
    const QChar c = key.text().front();
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9'))
        return this->*CharacterKeys[c.digitValue()].key;
    switch (c.unicode()) {
    case u'/': return Command10;
    case u'*': case u'x': case u'X': case u'χ': case u'Χ': return Command11; // χ: the same key on a Greek layout
    case u'-': return Command12;
    case u'+': return Command13;
    case u'.': case u',': return Command14; // the numeric keypad's decimal key gives "," in Greek
    case u'(': return Command15;
    case u')': return Command16;
    case u'^': return Command20;
    case u'=': return Command17;
    default: return nullptr;
    }
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !m_parents.keyboardTyping || !watched->isWidgetType())
        return QWidget::eventFilter(watched, event);
    // An option box that takes typing now (no game runs) gets its keys, "-" and digits included.
    const auto *box = qobject_cast<const TextBox *>(focusWidget());
    if (box != nullptr && !box->isLocked() && !isBlocked(box))
        return false;
    const auto *typed = static_cast<QKeyEvent *>(event);
    QAbstractButton *key = keypadKeyFor(*typed);
    if (key == nullptr)
        return false;
    // A key held down presses once, as a held mouse button does.
    if (!typed->isAutoRepeat())
        pressTyped(key);
    return true;
}

void Form1::pressTyped(QAbstractButton *key)
{
    if (isBlocked(key))
        pressRefused(key);
    else if (!key->isEnabled())
        Announce::keyOff(*this, key->accessibleName());
    else
        key->click();
}

} // namespace numbolo
