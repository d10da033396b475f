#pragma once
// The parts of text for the ear that every language's rules share: where a number's sign and
// point are, how a way splits into numbers and operators, how a duration splits into hours,
// minutes and seconds, and which marks a screen reader must not be given. Each language's rules
// supply the words.

#include "speech/speech.h"

#include <QStringList>

namespace numbolo::spoken {

// "a", "a<and>b", "a, b<and>c": `and` is the pattern that joins the last two ("%1 and %2").
QString listed(const QStringList &parts, const QString &and_);

// `text` with its sign said as `minus` and its decimal point or comma as `point`.
QString number(QStringView text, const QString &minus, const QString &point);

// `text`'s numbers said by `rules.number()` and its operators by `rules.operatorName()`; an
// "x" belongs to a number here (it is an operator only as a key's caption).
QString expression(QStringView text, const Speech &rules);

// The words for one unit of a duration, as `rules.counted()` is given them.
struct Unit {
    QString one, many;
};

// Hours, minutes and seconds that are not zero, joined by `and_`; nothing as 0 seconds.
QString duration(int seconds, const Speech &rules, const Unit (&units)[3], const QString &and_);

// `text` with its times of day in digits said by `rules.timeOfDay()`, a ";" ending a line of
// Greek as "?", an ellipsis as ".", no guillemets, other colons, semicolons and the Greek upper stop as ", " and slashes as blanks;
// the ends of lines kept.
QString withoutMarks(const QString &text, const Speech &rules);

} // namespace numbolo::spoken
