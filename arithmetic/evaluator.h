#pragma once

#include <QStringView>

#include <optional>

namespace numbolo {

// Evaluates the arithmetic the keypad can type. Pure and thread-safe; keeps no state.
//
// Accepted text: the characters 0-9 . + - * / ^ ( ) and nothing else (no blanks), but for the
// exponent of a previous result (below).
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
//
// A previous result may stand at the start of the text, and the display writes every number
// it can show, so the evaluator reads back each of them: the first number of the text, alone
// or after one leading "-", may end in an exponent as the display writes it, "E", a sign and
// two or three digits ("1E-05", "1.5E+16", "-2E+100"). Nowhere else, and in no other spelling
// ("1e-05", "1E5", "1E+1234"), since no key types an "E".
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
