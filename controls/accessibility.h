#pragma once
// The game's buttons (the keys, the picture buttons, the credits label, the swatches) as
// assistive technology sees them: push buttons that a screen reader or a switch device can press.

class QAccessibleInterface;
class QObject;
class QString;
class QWidget;

namespace numbolo {

// Presents the game's buttons to assistive technology as buttons whose press acts at once and
// in order. Qt keeps the first interface made for a control for good, and a control announces
// its caption as it is made: this must come before any is made.
void installPressableButtons();
// The factory it installs.
QAccessibleInterface *pressableButtonInterface(const QString &className, QObject *object);

// Shows `widget`, and makes sure assistive technology sees it as visible, not only as showing.
// For the pictures that start hidden.
void showToAssistiveTechnology(QWidget *widget);

} // namespace numbolo
