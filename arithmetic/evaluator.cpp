#include "evaluator.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <string>
#include <system_error>
#include <vector>

namespace numbolo {

namespace {

// Operators waiting on the operator stack. A sign directly after "^" gets its own
// kind because it binds tighter than "^" (it belongs to the next operand only),
// while any other leading sign binds looser than "^" (-2^2 = -(2^2)).
enum class Op : unsigned char {
    OpenParen,
    Add,
    Subtract,
    Multiply,
    Divide,
    Negate,        // sign before a power chain
    Power,
    NegateOperand, // sign right after "^"
};

// Higher binds tighter. OpenParen is never reduced by an operator (rank 0).
int rank(Op op)
{
    switch (op) {
    case Op::OpenParen:
        return 0;
    case Op::Add:
    case Op::Subtract:
        return 1;
    case Op::Multiply:
    case Op::Divide:
        return 2;
    case Op::Negate:
        return 3;
    case Op::Power:
        return 4;
    case Op::NegateOperand:
        return 5;
    }
    return 0;
}

bool isDigit(char16_t c)
{
    return c >= u'0' && c <= u'9';
}

std::optional<Op> binaryOperator(char16_t c)
{
    switch (c) {
    case u'+':
        return Op::Add;
    case u'-':
        return Op::Subtract;
    case u'*':
        return Op::Multiply;
    case u'/':
        return Op::Divide;
    case u'^':
        return Op::Power;
    default:
        return std::nullopt;
    }
}

// The length of the exponent part at `pos` when the `mantissa` before it and the exponent are
// spelt as the display writes a number in exponent form, or 0. The display writes one digit
// from 1 to 9, then at most 14 decimals after a ".", then "E", a sign and two digits, or three
// for exponents from 100 on ("1E-05", "1.5E+16", "4.94065645841247E-324").
qsizetype exponentLength(QStringView mantissa, QStringView text, qsizetype pos)
{
    const auto digitsOnly = [](QStringView digits) {
        return std::all_of(digits.begin(), digits.end(), [](QChar c) { return isDigit(c.unicode()); });
    };
    const bool mantissaAsWritten = mantissa[0] >= u'1' && mantissa[0] <= u'9'
        && (mantissa.size() == 1
            || (mantissa.size() >= 3 && mantissa.size() <= 16 && mantissa[1] == u'.' && digitsOnly(mantissa.sliced(2))));
    if (!mantissaAsWritten || pos + 3 >= text.size() || text[pos] != u'E' || (text[pos + 1] != u'+' && text[pos + 1] != u'-'))
        return 0;
    qsizetype digits = 0;
    while (pos + 2 + digits < text.size() && isDigit(text[pos + 2 + digits].unicode()))
        ++digits;
    const bool asWritten = digits == 2 || (digits == 3 && text[pos + 2] >= u'1' && text[pos + 2] <= u'3');
    return asWritten ? 2 + digits : 0;
}

// Reads the number literal starting at `pos` (a digit or "."), advancing `pos`
// past it. Requires at least one digit and at most one "."; with `exponentAllowed`
// an exponent part as the display writes it may follow. Returns nullopt for a
// malformed literal or one too large for a double; a literal too small for a
// double reads as 0 (its correctly rounded value).
std::optional<double> readNumber(QStringView text, qsizetype &pos, bool exponentAllowed)
{
    const qsizetype start = pos;
    int points = 0;
    std::uint64_t whole = 0; // the value of a literal without "." while it has few digits
    for (; pos < text.size(); ++pos) {
        const char16_t c = text[pos].unicode();
        if (c == u'.')
            ++points;
        else if (isDigit(c))
            whole = whole * 10 + (c - u'0'); // wraps for long literals, which do not use it
        else
            break;
    }
    const qsizetype length = pos - start;
    if (points > 1 || length == points)
        return std::nullopt;
    const qsizetype exponent = exponentAllowed ? exponentLength(text.sliced(start, length), text, pos) : 0;
    pos += exponent;
    // Whole numbers of up to 15 digits are exact in a double: the common keypad case needs
    // no decimal conversion.
    if (points == 0 && length <= 15 && exponent == 0)
        return static_cast<double>(whole);

    std::string literal;
    literal.reserve(static_cast<std::size_t>(pos - start));
    bool integerPartNonZero = false;
    bool afterPoint = false;
    for (qsizetype i = start; i < start + length; ++i) {
        const char16_t c = text[i].unicode();
        afterPoint = afterPoint || c == u'.';
        integerPartNonZero = integerPartNonZero || (!afterPoint && c != u'0');
    }
    for (qsizetype i = start; i < pos; ++i)
        literal.push_back(static_cast<char>(text[i].unicode()));
    double value = 0.0;
    const char *end = literal.data() + literal.size();
    const auto [stop, error] = std::from_chars(literal.data(), end, value,
                                               exponent > 0 ? std::chars_format::scientific : std::chars_format::fixed);
    // Out of range below the smallest subnormal is an underflow, not an overflow. The display
    // writes no exponent form out of range, so there it is an error either way.
    if (error == std::errc::result_out_of_range && !integerPartNonZero && exponent == 0)
        return 0.0;
    if (error != std::errc() || stop != end || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The two stacks of the shunting-yard evaluation. Each operator is reduced as soon
// as no operator to its right can bind tighter, so values are computed while the
// text is read and each operator is pushed and reduced once (linear time).
class Stacks {
public:
    void pushValue(double value) { m_values.push_back(value); }
    void pushPrefix(Op op) { m_ops.push_back(op); }

    // Reduces everything that binds at least as tight as `op` (all binary
    // operators are left-associative), then pushes it. False on a failed reduction.
    bool pushBinary(Op op)
    {
        if (!reduceDownTo(rank(op)))
            return false;
        m_ops.push_back(op);
        return true;
    }

    // Reduces back to the matching "(" and removes it. False when there is none.
    bool closeParen()
    {
        if (!reduceDownTo(1) || m_ops.empty())
            return false;
        m_ops.pop_back(); // the OpenParen that stopped the reduction
        return true;
    }

    // Reduces all that is left. False on a failed reduction or an unclosed "(".
    std::optional<double> finish()
    {
        if (!reduceDownTo(1) || !m_ops.empty() || m_values.size() != 1)
            return std::nullopt;
        return m_values.back();
    }

private:
    bool reduceDownTo(int minimumRank)
    {
        while (!m_ops.empty() && rank(m_ops.back()) >= minimumRank) {
            const Op op = m_ops.back();
            m_ops.pop_back();
            if (!apply(op))
                return false;
        }
        return true;
    }

    // Applies `op` to the top value(s). False when the result is not a finite number.
    bool apply(Op op)
    {
        if (op == Op::Negate || op == Op::NegateOperand) {
            m_values.back() = -m_values.back();
            return true;
        }
        const double right = m_values.back();
        m_values.pop_back();
        double &left = m_values.back();
        switch (op) {
        case Op::Add:
            left += right;
            break;
        case Op::Subtract:
            left -= right;
            break;
        case Op::Multiply:
            left *= right;
            break;
        case Op::Divide:
            if (right == 0.0)
                return false;
            left /= right;
            break;
        case Op::Power:
            left = std::pow(left, right);
            break;
        default:
            return false;
        }
        return std::isfinite(left);
    }

    std::vector<double> m_values;
    std::vector<Op> m_ops;
};

} // namespace

std::optional<double> Evaluator::evaluate(QStringView expression) const
{
    Stacks stacks;
    bool expectOperand = true;     // false right after a number or ")"
    bool signAfterPower = false;   // a sign read now belongs to the operand of "^"
    qsizetype pos = 0;
    while (pos < expression.size()) {
        const char16_t c = expression[pos].unicode();
        if (expectOperand) {
            if (isDigit(c) || c == u'.') {
                // A previous result stands at the start of the text, after its own sign.
                const bool exponentAllowed = pos == 0 || (pos == 1 && expression[0] == u'-');
                const std::optional<double> number = readNumber(expression, pos, exponentAllowed);
                if (!number)
                    return std::nullopt;
                stacks.pushValue(*number);
                expectOperand = false;
                continue; // readNumber has advanced pos
            }
            if (c == u'(') {
                stacks.pushPrefix(Op::OpenParen);
                signAfterPower = false;
            } else if (c == u'-') {
                stacks.pushPrefix(signAfterPower ? Op::NegateOperand : Op::Negate);
            } else if (c != u'+') { // a unary "+" changes nothing
                return std::nullopt;
            }
        } else if (c == u')') {
            if (!stacks.closeParen())
                return std::nullopt;
        } else {
            const std::optional<Op> op = binaryOperator(c);
            if (!op || !stacks.pushBinary(*op))
                return std::nullopt;
            expectOperand = true;
            signAfterPower = *op == Op::Power;
        }
        ++pos;
    }
    if (expectOperand)
        return std::nullopt;
    const std::optional<double> result = stacks.finish();
    if (result && *result == 0.0)
        return 0.0; // no negative zero: -0 and 0*-1 read as plain 0
    return result;
}

} // namespace numbolo
