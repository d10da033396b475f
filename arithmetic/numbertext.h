#pragma once
// Number text: how the game writes numbers into its boxes and reads them back.

#include <QLocale>
#include <QString>
#include <optional>

namespace numbolo::NumberText {

// The user's number-to-text conversion: at most 15 significant digits, no decimal part for
// whole values, a leading "-" for negatives, no thousands separators, exponent form ("1E+16",
// "1E-05") for very large and very small magnitudes, and the locale's decimal separator.
QString format(double value, const QLocale &locale = QLocale());

// The locale-aware decimal parse of the state boxes. Surrounding blanks are ignored; group
// separators, non-finite values and anything that is not a whole number text fail.
std::optional<double> parse(const QString &text, const QLocale &locale = QLocale());

// A stored number text in the form of `locale`: a text that is no number there but is one with
// another decimal separator a locale writes ("," "." or "٫") gets the locale's separator instead. Every
// other text is returned unchanged. Stored numbers never hold group separators, so a game saved
// under one locale's number settings reads the same under another's.
QString fromStored(const QString &text, const QLocale &locale = QLocale());

// parse(), raising a type-mismatch run-time error when the text is not a number.
double parseOrThrow(const QString &text, const QLocale &locale = QLocale());

// The locale-independent leading-number parse: the number at the start of the text with "."
// as the decimal point, blanks ignored, 0 when the text does not start with a number.
double leadingNumber(const QString &text);

} // namespace numbolo::NumberText
