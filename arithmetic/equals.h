#pragma once
// What the "=" key makes of the display: the text a target must equal to be hit.

#include "arithmetic/evaluator.h"

#include <QString>

namespace numbolo::Equals {

// A value as the display shows it after "=": the user's number text with "." as the decimal
// point whatever the user's separator, since the keypad and the evaluator read ".".
QString valueText(double value);

// The display's text after "=" on `display`: the text of its value, or, when it has no value,
// the display itself with every "," read as ".". A target is hit when its text equals this.
// `evaluated`, where given, tells whether the display had a value.
QString displayAfter(const Evaluator &evaluator, QString display, bool *evaluated = nullptr);

} // namespace numbolo::Equals
