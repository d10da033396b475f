// Fuzzes the "=" evaluator with its number text. Besides crashes, hangs and sanitizer reports,
// it checks what every result must satisfy:
//   - a value is finite and never -0;
//   - for text with balanced brackets, brackets around it do not change the outcome, and a
//     minus before them negates the value;
//   - the value's number text has at most 15 significant digits and reads back to the value
//     within them, in the C locale and in Greek (decimal comma), for normal magnitudes.
// The input bytes are the display text, one character per byte.

#include "arithmetic/numbertext.h"
#include "arithmetic/evaluator.h"

#include <QLocale>
#include <QString>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace {

[[noreturn]] void fail(const char *what, const QString &text)
{
    std::fprintf(stderr, "property failed: %s\n  text (first 200): %s\n", what, qPrintable(text.left(200)));
    std::abort();
}

// True when every ")" closes an earlier "(" and none stays open: then brackets around the
// whole text make one more primary of it and cannot pair with brackets inside.
bool balanced(const QString &text)
{
    int depth = 0;
    for (const QChar c : text) {
        depth += c == QLatin1Char('(') ? 1 : c == QLatin1Char(')') ? -1 : 0;
        if (depth < 0)
            return false;
    }
    return depth == 0;
}

bool sameOutcome(const std::optional<double> &a, const std::optional<double> &b)
{
    return a.has_value() == b.has_value() && (!a || *a == *b);
}

void checkNumberText(double value, const QLocale &locale, const QString &text)
{
    const QString written = numbolo::NumberText::format(value, locale);
    // Significant digits: from the first non-zero digit up to the exponent.
    int digits = 0;
    for (const QChar c : written) {
        if (c == QLatin1Char('E'))
            break;
        if (c.isDigit() && (digits > 0 || c != QLatin1Char('0')))
            ++digits;
    }
    if (digits > 15)
        fail("the number text has more than 15 significant digits", text + QStringLiteral(" -> ") + written);

    // Rounded to 15 digits, the largest doubles read back as an overflow and subnormals may
    // read as an underflow; both are far outside anything the game stores.
    if (std::abs(value) > 1e307 || (value != 0 && std::abs(value) < DBL_MIN))
        return;
    const std::optional<double> read = numbolo::NumberText::parse(written, locale);
    if (!read)
        fail("the number text does not read back", text + QStringLiteral(" -> ") + written);
    if (std::abs(*read - value) > 1e-14 * std::abs(value))
        fail("the number text reads back to another value", text + QStringLiteral(" -> ") + written);
    // "=" shows the value with "." for the decimal point, and the child goes on typing after it.
    const QString shown = QString(written).replace(QLatin1Char(','), QLatin1Char('.'));
    const std::optional<double> again = numbolo::Evaluator().evaluate(shown + QStringLiteral("*1"));
    if (!again || std::abs(*again - *read) > 1e-14 * std::abs(*read))
        fail("the evaluator does not read back a number the display wrote", text + QStringLiteral(" -> ") + shown);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    static const numbolo::Evaluator evaluator;
    static const QLocale greek(QLocale::Greek, QLocale::Greece);
    const QString text = QString::fromLatin1(reinterpret_cast<const char *>(data), qsizetype(size));

    const std::optional<double> value = evaluator.evaluate(text);
    if (value) {
        if (!std::isfinite(*value))
            fail("a value that is not finite", text);
        if (*value == 0 && std::signbit(*value))
            fail("a negative zero", text);
        checkNumberText(*value, QLocale::c(), text);
        checkNumberText(*value, greek, text);
    }

    // A previous result in exponent form is read only at the start of the text, so brackets
    // around such a text rightly change it.
    if (!balanced(text) || text.contains(QLatin1Char('E')))
        return 0;
    const QString bracketed = QLatin1Char('(') + text + QLatin1Char(')');
    if (!sameOutcome(value, evaluator.evaluate(bracketed)))
        fail("brackets around the text change the outcome", text);
    std::optional<double> negated = evaluator.evaluate(QLatin1Char('-') + bracketed);
    if (negated && value && *negated != (*value == 0 ? 0.0 : -*value))
        fail("a minus before the brackets does not negate", text);
    if (negated.has_value() != value.has_value())
        fail("a minus before the brackets changes whether the text is valid", text);
    return 0;
}
