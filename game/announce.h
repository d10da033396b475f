#pragma once
// What the game says to a screen-reader user where no focused control would say it: the value
// after "=" and the targets it hit, each new exercise with its targets and working keys, the
// time left at a few moments, the result of the game and the credits. Each is said once.

#include "services/services.h"

#include <QStringList>
#include <vector>

namespace numbolo {

class Form1;
class TextBox;

// The eight target boxes in reading order, left to right and top to bottom: the order of
// their accessible numbers.
std::vector<TextBox *> targetsInReadingOrder(const Form1 &form);

// A caption or tooltip as a screen reader should say it: Orca reads "-", "...", ":" and
// brackets out by name ("παύλα", "κουκκίδα"), and spells out the version in the window's
// caption after every message. "Αριθμοί-Στόχοι" becomes "Αριθμοί Στόχοι", "Αριθμοί 0 -"
// "Αριθμοί 0 έως", "(10-300)" ", από 10 έως 300", "Περί..." "Περί", "Author:The" "Author The".
QString spokenText(const QString &text);

// A number as spoken: "-45" as "μείον 45", a decimal point as the Greek comma.
QString spokenNumber(const QString &text);

namespace Announce {

// The exercise on screen: its number, its targets and its working keys.
void exercise(Form1 &form);
// After "=": the value in the display and the targets it hit (their reading-order numbers).
void result(Form1 &form, const std::vector<int> &hitNumbers);
// The countdown shows `seconds`: said only at a few moments, never every second.
void timeLeft(Form1 &form, int seconds);
// The end of the game, with the percentage the display types out.
void gameEnd(Form1 &form, int percentage);
// The credits, as the display types them.
void credits(Form1 &form, const QStringList &lines);

} // namespace Announce

} // namespace numbolo
