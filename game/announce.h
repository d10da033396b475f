#pragma once
// What the game says to a screen-reader user where no focused control would say it: the display
// after each key, the value after "=" and the targets it hit, each new exercise with its
// targets and working keys, the countdown's pause, its time left at a few moments, a restart,
// the result of the game and what to do after it, a new window colour and the credits. Each
// is said once.

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

// The display as spoken, its symbols as words: "7*31+" as "7 επί 31 συν", "3.5" as
// "3 κόμμα 5", "(" as "ανοίγει παρένθεση".
QString spokenExpression(const QString &text);

// The targets still on screen in reading order, as a sentence ("Απομένουν οι αριθμοί στόχοι
// 31, 28 και 35."): what the frame of the targets says when the keyboard reaches it. After the
// end of the game, that none are left to play, though the last exercise's stay on screen.
QString remainingTargets(const Form1 &form);

// The result of an ended game, as the display is read whatever the animation shows:
// "Αποτελέσματα 89 τοις εκατό. Λύθηκαν 8 από 10 ασκήσεις."
QString spokenResults(const Form1 &form, int percentage);

namespace Announce {

// The exercise on screen: its number, its targets and its working keys.
void exercise(Form1 &form);
// After a key of the keypad: the display as it reads now, as a brief read-back.
void display(Form1 &form);
// After "=": the value in the display; where it hit `hits` targets, that value found, how many
// times, and the targets that remain by value.
void result(Form1 &form, int hits);
// After "=" on a display without a value: it is empty, or it stayed as it was.
void nothingWorkedOut(Form1 &form);
// The countdown shows `seconds`: said only at a few moments that suit the exercise's time
// (60, 30 and 10 seconds left of 3 minutes; 3 minutes, 60, 30 and 10 seconds of 6; 5 minutes,
// 60 and 30 seconds of 30), never every second.
void timeLeft(Form1 &form, int seconds);
// At the start of a game, where a parent changed the time of an exercise: the time chosen.
void timeSetting(Form1 &form);
// A typed key that does nothing because it is off now.
void keyOff(Form1 &form, const QString &keyName);
// The countdown stopped with the pause key, or had stopped before it, or goes on after a pause:
// with the time left in minutes and seconds, and, paused, the keys that go on.
void countdownPaused(Form1 &form, bool alreadyPaused);
void countdownResumed(Form1 &form);
// The game was reset: what to set to begin a new one.
void restarted(Form1 &form);
// The end of the game, with the percentage the display types out, and what to do next.
void gameEnd(Form1 &form, int percentage);
// A control pressed after the end of the game: nothing can act any more, and what to do.
void gameOver(Form1 &form);
// The colour picker gave the window the colour named `colour`.
void colourChosen(Form1 &form, const QString &colour);
// The credits, as the display types them.
void credits(Form1 &form, const QStringList &lines);

} // namespace Announce

} // namespace numbolo
