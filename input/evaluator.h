#pragma once

#include <QStringView>

#include <optional>

namespace numbolo {

// Evaluates the arithmetic the keypad can type. Pure and thread-safe; keeps no state.
//
// Accepted text: the characters 0-9 . + - * / ^ ( ) and nothing else (no blanks).
// Grammar, loosest binding first; operators of equal rank work from left to right:
//   sum      := product { ("+" | "-") product }
//   product  := signed { ("*" | "/") signed }
//   signed   := { "+" | "-" } power          -2^2 = -4, 2*-3 = -6, --2 = 2
//   power    := operand { "^" operand }      2^3^2 = (2^3)^2 = 64
//   operand  := { "+" | "-" } primary        a sign after "^" belongs to the one
//                                            operand that follows: 2^-3^2 = (2^-3)^2
//   primary  := number | "(" sum ")"
//   number   := digits with at most one "." anywhere, at least one digit
//               (".5", "5.", "007" are numbers; "." and "1.2.3" are not)
// Juxtaposition ("2(3)", "(2)(3)") and empty parentheses are errors.
//
// Numbers are converted with correct rounding. A literal too small for a double
// becomes 0; a literal too large for a double is an overflow and fails.
// "/" always divides in floating point; dividing by zero fails (0/0 too).
// Every intermediate and final value must be finite, so overflow and powers
// without a real value ((-8)^(1/3), 0^-1) fail. A zero result is returned as +0.
//
// The evaluation is iterative with explicit stacks: time and memory are linear in
// the length of the text, and there is no limit on nesting depth or on the number
// of chained signs.
class Evaluator {
public:
    // The value of `expression`, or nullopt when it is not a valid expression or has no finite value.
    std::optional<double> evaluate(QStringView expression) const;
};

} // namespace numbolo
