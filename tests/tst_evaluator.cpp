#include "arithmetic/evaluator.h"

#include <QRandomGenerator>
#include <QString>
#include <QRegularExpression>
#include <QTest>

#include <cmath>
#include <cstdlib>
#include <iterator>
#include <optional>

using numbolo::Evaluator;

namespace {

// A deliberately plain recursive-descent evaluator with the same rules as
// Evaluator, used as an oracle for short random texts (its recursion depth is
// bounded by the text length). It reads numbers with strtod, so it also checks
// the evaluator's number conversion.
class ReferenceEvaluator {
public:
    explicit ReferenceEvaluator(const QString &text) : m_text(text) {}

    std::optional<double> value()
    {
        const double v = sum();
        if (m_failed || m_pos != m_text.size())
            return std::nullopt;
        return v == 0.0 ? 0.0 : v;
    }

private:
    QChar peek() const { return m_pos < m_text.size() ? m_text[m_pos] : QChar(); }
    bool take(char c)
    {
        if (peek() != QLatin1Char(c))
            return false;
        ++m_pos;
        return true;
    }
    double check(double v)
    {
        if (!std::isfinite(v))
            m_failed = true;
        return v;
    }

    double sum()
    {
        double v = product();
        for (;;) {
            if (take('+'))
                v = check(v + product());
            else if (take('-'))
                v = check(v - product());
            else
                return v;
        }
    }
    double product()
    {
        double v = signedPower();
        for (;;) {
            if (take('*')) {
                v = check(v * signedPower());
            } else if (take('/')) {
                const double divisor = signedPower();
                if (divisor == 0.0)
                    m_failed = true;
                v = check(v / divisor);
            } else {
                return v;
            }
        }
    }
    double signedPower()
    {
        if (take('-'))
            return -signedPower();
        if (take('+'))
            return signedPower();
        return power();
    }
    double power()
    {
        double v = operand();
        while (take('^'))
            v = check(std::pow(v, operand()));
        return v;
    }
    double operand()
    {
        if (take('-'))
            return -operand();
        if (take('+'))
            return operand();
        return primary();
    }
    double primary()
    {
        if (take('(')) {
            const double v = sum();
            if (!take(')'))
                m_failed = true;
            return v;
        }
        return number();
    }
    double number()
    {
        const qsizetype start = m_pos;
        int digits = 0;
        int points = 0;
        while (peek().isDigit() || peek() == QLatin1Char('.')) {
            if (peek() == QLatin1Char('.'))
                ++points;
            else if (peek().unicode() >= '0' && peek().unicode() <= '9')
                ++digits;
            else
                m_failed = true; // a non-ASCII digit
            ++m_pos;
        }
        if (digits == 0 || points > 1) {
            m_failed = true;
            return 0.0;
        }
        // The first number may be a previous result in the display's exponent form.
        static const QRegularExpression exponentForm(
            QStringLiteral("[1-9](\\.[0-9]{1,14})?E[+-]([0-9]{2}|[1-3][0-9]{2})(?![0-9])"));
        const bool first = start == 0 || (start == 1 && m_text[0] == QLatin1Char('-'));
        const auto match = exponentForm.match(m_text, start, QRegularExpression::NormalMatch,
                                                  QRegularExpression::AnchorAtOffsetMatchOption);
        if (first && match.hasMatch()) {
            m_pos = start + match.capturedLength();
            const double v = std::strtod(match.captured().toLatin1().constData(), nullptr);
            if (v == 0.0)
                m_failed = true; // below the smallest double: the display never writes it
            return check(v);
        }
        const QByteArray literal = m_text.mid(start, m_pos - start).toLatin1();
        return check(std::strtod(literal.constData(), nullptr));
    }

    QString m_text;
    qsizetype m_pos = 0;
    bool m_failed = false;
};

QString repeat(const char *piece, int times)
{
    return QString::fromLatin1(piece).repeated(times);
}

// Equal as doubles and with the same sign (so +0 and -0 differ).
bool sameValue(double a, double b)
{
    return a == b && std::signbit(a) == std::signbit(b);
}

QString describe(const std::optional<double> &v)
{
    if (!v)
        return QStringLiteral("nullopt");
    return (*v == 0.0 && std::signbit(*v)) ? QStringLiteral("-0") : QString::number(*v, 'g', 17);
}

// A random text over the keypad's characters, now and then with a foreign one.
QString randomText(QRandomGenerator &random)
{
    static const QString keypad = QStringLiteral("0123456789.+-*/^()");
    static const QString foreign = QStringLiteral(" xE,\u00e9\u0661");
    QString text;
    const int length = random.bounded(13);
    for (int i = 0; i < length; ++i) {
        const QString &pool = random.bounded(40) == 0 ? foreign : keypad;
        text += pool[random.bounded(pool.size())];
    }
    return text;
}

// A random expression built from the grammar, so that most of them are valid.
QString randomExpression(QRandomGenerator &random, int depth)
{
    static const char *const literals[] = {"0", "1", "2", "3", "10", "0.5", ".5", "3.", "007", "0.1", "1E-05", "2.5E+16"};
    static const char operators[] = "+-*/^";
    const int choice = depth <= 0 ? 0 : random.bounded(5);
    switch (choice) {
    case 0:
        return QLatin1String(literals[random.bounded(int(std::size(literals)))]);
    case 1:
        return QLatin1Char('(') + randomExpression(random, depth - 1) + QLatin1Char(')');
    case 2:
        return QLatin1Char(random.bounded(2) ? '-' : '+') + randomExpression(random, depth - 1);
    default:
        return randomExpression(random, depth - 1) + QLatin1Char(operators[random.bounded(5)])
            + randomExpression(random, depth - 1);
    }
}

// Inserts, removes or replaces one character at a random place.
QString mutate(QRandomGenerator &random, QString text)
{
    static const QString keypad = QStringLiteral("0123456789.+-*/^()");
    const QChar c = keypad[random.bounded(keypad.size())];
    const int pos = random.bounded(int(text.size()) + 1);
    switch (random.bounded(3)) {
    case 0:
        text.insert(pos, c);
        break;
    case 1:
        if (pos < text.size())
            text.remove(pos, 1);
        break;
    default:
        if (pos < text.size())
            text[pos] = c;
        break;
    }
    return text;
}

} // namespace

class TestEvaluator : public QObject {
    Q_OBJECT

private slots:
    void validExpressions_data();
    void validExpressions();
    void invalidExpressions_data();
    void invalidExpressions();
    void agreesWithReferenceOnRandomTexts();
    void adversarialInputs_data();
    void adversarialInputs();
};

void TestEvaluator::validExpressions_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<double>("expected");

    // Expected values are written as the same floating-point operations in C++,
    // so every row compares exactly.
    QTest::newRow("precedence: * before +") << "2+3*4" << 14.0;
    // A previous result in exponent form stands at the start, as the display wrote it.
    QTest::newRow("result: 1E-05 continued") << "1E-05*100000" << 1e-05 * 100000.0;
    QTest::newRow("result: negative, continued") << "-1E-05+1" << -1e-05 + 1.0;
    QTest::newRow("result: 1E+16 continued") << "1E+16-1" << 1e16 - 1.0;
    QTest::newRow("result: decimals, continued") << "1.5E+16/3" << 1.5e16 / 3.0;
    QTest::newRow("result: fifteen digits") << "1.23456789012345E-05" << 1.23456789012345e-05;
    QTest::newRow("result: three exponent digits") << "2E+100^0.5" << std::pow(2e100, 0.5);
    QTest::newRow("result: smallest double") << "4.94065645841247E-324*1" << 4.94065645841247e-324;
    QTest::newRow("precedence: parentheses first") << "(2+3)*4" << 20.0;
    QTest::newRow("precedence: ^ before *") << "2*3^2" << 18.0;
    QTest::newRow("precedence: / before -") << "10-4/2" << 8.0;
    QTest::newRow("precedence: nested parentheses") << "((1+2)*(3+4))" << 21.0;
    QTest::newRow("associativity: ^ left to right") << "2^3^2" << 64.0;
    QTest::newRow("associativity: ^ left to right, not 2^8") << "2^2^3" << 64.0;
    QTest::newRow("associativity: - left to right") << "10-3-2" << 5.0;
    QTest::newRow("associativity: / left to right") << "64/4/2" << 8.0;
    QTest::newRow("associativity: mixed * and /") << "8/2*4" << 16.0;
    QTest::newRow("unary minus: below ^") << "-2^2" << -4.0;
    QTest::newRow("unary minus: below chained ^") << "-2^2^2" << -16.0;
    QTest::newRow("unary minus: parenthesised base") << "(-2)^2" << 4.0;
    QTest::newRow("unary minus: after *") << "2*-3" << -6.0;
    QTest::newRow("unary minus: after * takes the power") << "2*-3^2" << -18.0;
    QTest::newRow("unary minus: after ^") << "2^-1" << 0.5;
    QTest::newRow("unary minus: after ^ takes one operand") << "2^-3^2" << 1.0 / 64.0;
    QTest::newRow("unary minus: after ^ before *") << "2^-3*4" << 0.5;
    QTest::newRow("unary minus: after binary minus") << "2--3" << 5.0;
    QTest::newRow("unary minus: twice") << "--2" << 2.0;
    QTest::newRow("unary minus: three times") << "---2" << -2.0;
    QTest::newRow("unary minus: before parentheses") << "-(2+3)" << -5.0;
    QTest::newRow("unary minus: below *") << "-2*-2" << 4.0;
    QTest::newRow("unary minus: previous result extended") << "-4*2" << -8.0;
    QTest::newRow("unary plus: leading") << "+5" << 5.0;
    QTest::newRow("unary plus: after *") << "2*+3" << 6.0;
    QTest::newRow("unary plus: after ^") << "2^+2" << 4.0;
    QTest::newRow("unary plus and minus") << "+-2" << -2.0;
    QTest::newRow("unary minus and plus") << "-+2^2" << -4.0;
    QTest::newRow("literal: leading point") << ".5" << 0.5;
    QTest::newRow("literal: trailing point") << "5." << 5.0;
    QTest::newRow("literal: leading zeros are decimal") << "007" << 7.0;
    QTest::newRow("literal: zero") << "0" << 0.0;
    QTest::newRow("literal: 0.1 rounds to nearest") << "0.1" << 0.1;
    QTest::newRow("literal: 0.1+0.2 as in doubles") << "0.1+0.2" << 0.1 + 0.2;
    QTest::newRow("literal: beyond 2^53") << "12345678901234567890" << 12345678901234567890.0;
    QTest::newRow("literal: previous result extended") << "3.5+2" << 5.5;
    QTest::newRow("literal: many fraction digits") << "1.00000000000000000000001" << 1.0;
    QTest::newRow("division: fraction") << "7/2" << 3.5;
    QTest::newRow("division: integral") << "6/2" << 3.0;
    QTest::newRow("division: repeating fraction") << "1/3" << 1.0 / 3.0;
    QTest::newRow("division: zero numerator") << "0/5" << 0.0;
    QTest::newRow("division: 0.1*30 a hair above 3") << "0.1*30" << 0.1 * 30;
    QTest::newRow("zero: negated zero is plain zero") << "-0" << 0.0;
    QTest::newRow("zero: negative product is plain zero") << "0*-1" << 0.0;
    QTest::newRow("power: square root") << "2^0.5" << std::pow(2.0, 0.5);
    QTest::newRow("power: negative fraction") << "4^-0.5" << 0.5;
    QTest::newRow("power: odd power of negative") << "(-8)^3" << -512.0;
    QTest::newRow("power: 0^0") << "0^0" << 1.0;
    QTest::newRow("power: negative base integral exponent") << "(-2)^-1" << -0.5;
    QTest::newRow("big: 10^308") << "10^308" << std::pow(10.0, 308.0);
    QTest::newRow("big: near the largest double") << "2^1023*1.5" << std::ldexp(1.5, 1023);
    QTest::newRow("small: subnormal power") << "2^-1074" << std::ldexp(1.0, -1074);
    QTest::newRow("small: power underflows to zero") << "10^-400" << 0.0;
    QTest::newRow("small: literal underflows to zero")
        << QStringLiteral("0.") + repeat("0", 400) + QStringLiteral("1") << 0.0;
    QTest::newRow("small: subnormal literal")
        << QStringLiteral("0.") + repeat("0", 313) + QStringLiteral("1") << 1e-314;
}

void TestEvaluator::validExpressions()
{
    QFETCH(QString, expression);
    QFETCH(double, expected);

    const std::optional<double> actual = Evaluator().evaluate(expression);
    QVERIFY2(actual && sameValue(*actual, expected),
             qPrintable(QStringLiteral("got %1, want %2").arg(describe(actual), describe(expected))));
}

void TestEvaluator::invalidExpressions_data()
{
    QTest::addColumn<QString>("expression");

    QTest::newRow("empty") << "";
    QTest::newRow("foreign: blank inside") << "1 + 2";
    QTest::newRow("foreign: leading blank") << " 1";
    QTest::newRow("foreign: trailing blank") << "1 ";
    QTest::newRow("foreign: letter x for times") << "2x3";
    QTest::newRow("foreign: decimal comma") << "3,5";
    QTest::newRow("foreign: exponent E") << "1E5";
    QTest::newRow("foreign: exponent e") << "1e5";
    QTest::newRow("foreign: exponent after the first number") << "2+1E-05";
    QTest::newRow("foreign: exponent in brackets") << "(1E-05)";
    QTest::newRow("foreign: exponent e with sign") << "1e-05";
    QTest::newRow("foreign: one exponent digit") << "1E-5";
    QTest::newRow("foreign: four exponent digits") << "1E+1234";
    QTest::newRow("foreign: exponent 400") << "1E-400";
    QTest::newRow("foreign: two-digit mantissa") << "15E+16";
    QTest::newRow("foreign: point without decimals") << "1.E+16";
    QTest::newRow("foreign: zero mantissa") << "0E+00";
    QTest::newRow("foreign: exponent dangling") << "1E+";
    QTest::newRow("non-finite: exponent form too large") << "9E+399";
    QTest::newRow("foreign: about-box text") << QString::fromUtf8("Αριθμοί");
    QTest::newRow("foreign: non-ASCII digit") << QString::fromUtf8("\u0661+1");
    QTest::newRow("foreign: multiplication sign") << QString::fromUtf8("2\u00d73");
    QTest::newRow("foreign: NUL") << QString(QChar(0)) + QStringLiteral("1");
    QTest::newRow("syntax: lone plus") << "+";
    QTest::newRow("syntax: lone minus") << "-";
    QTest::newRow("syntax: trailing operator") << "5+";
    QTest::newRow("syntax: leading *") << "*5";
    QTest::newRow("syntax: leading /") << "/5";
    QTest::newRow("syntax: leading ^") << "^2";
    QTest::newRow("syntax: double *") << "2**3";
    QTest::newRow("syntax: double /") << "2//3";
    QTest::newRow("syntax: ^ then *") << "2^*3";
    QTest::newRow("syntax: trailing ^") << "2^";
    QTest::newRow("syntax: sign then trailing nothing") << "2*-";
    QTest::newRow("literal: lone point") << ".";
    QTest::newRow("literal: two points") << "1.2.3";
    QTest::newRow("literal: two leading points") << "..5";
    QTest::newRow("literal: points around an operator") << "1.+.";
    QTest::newRow("parentheses: open only") << "(";
    QTest::newRow("parentheses: close only") << ")";
    QTest::newRow("parentheses: unclosed") << "(1";
    QTest::newRow("parentheses: unopened") << "1)";
    QTest::newRow("parentheses: empty") << "()";
    QTest::newRow("parentheses: empty inside an expression") << "2*()";
    QTest::newRow("parentheses: operator before close") << "(1+)";
    QTest::newRow("parentheses: reversed") << ")(";
    QTest::newRow("parentheses: one too many open") << "((1)";
    QTest::newRow("parentheses: one too many close") << "(1))";
    QTest::newRow("implicit product: number then group") << "2(3)";
    QTest::newRow("implicit product: group then group") << "(2)(3)";
    QTest::newRow("implicit product: group then number") << "(2)3";
    QTest::newRow("division by zero") << "5/0";
    QTest::newRow("division by zero: 0/0") << "0/0";
    QTest::newRow("division by zero: computed zero") << "1/(2-2)";
    QTest::newRow("division by zero: 0.0") << "5/0.0";
    QTest::newRow("division by zero: negative zero") << "1/-0";
    QTest::newRow("division by zero: underflowed divisor") << "1/10^-400";
    QTest::newRow("overflow: power") << "10^400";
    QTest::newRow("overflow: 2^1024") << "2^1024";
    QTest::newRow("overflow: product") << "10^308*10";
    QTest::newRow("overflow: sum") << "2^1023*1.5+2^1023*1.5";
    QTest::newRow("overflow: negative") << "-10^308*10";
    QTest::newRow("overflow: literal") << QStringLiteral("1") + repeat("0", 400);
    QTest::newRow("overflow: literal with fraction") << QStringLiteral("1") + repeat("0", 400) + QStringLiteral(".5");
    QTest::newRow("overflow: power of a big quotient") << "(1/10^-300)^2";
    QTest::newRow("non-finite: cube root of negative") << "(-8)^(1/3)";
    QTest::newRow("non-finite: square root of negative") << "(-1)^0.5";
    QTest::newRow("non-finite: zero to negative power") << "0^-1";
    QTest::newRow("non-finite: intermediate cancelled later") << "10^400-10^400";
    QTest::newRow("non-finite: intermediate times zero") << "10^400*0";
    QTest::newRow("non-finite: intermediate in a discarded power") << "1^(10^400)";
}

void TestEvaluator::invalidExpressions()
{
    QFETCH(QString, expression);

    const std::optional<double> actual = Evaluator().evaluate(expression);
    QVERIFY2(!actual, qPrintable(QStringLiteral("got %1").arg(describe(actual))));
}

void TestEvaluator::agreesWithReferenceOnRandomTexts()
{
    QRandomGenerator random(20240611);
    const Evaluator evaluator;
    int valid = 0;
    int invalid = 0;
    for (int i = 0; i < 100000; ++i) {
        QString text = i % 2 == 0 ? randomText(random) : randomExpression(random, 4);
        if (i % 4 == 3)
            text = mutate(random, text);

        const std::optional<double> actual = evaluator.evaluate(text);
        const std::optional<double> expected = ReferenceEvaluator(text).value();
        const bool agree = actual.has_value() == expected.has_value()
            && (!actual || sameValue(*actual, *expected));
        if (!agree)
            QFAIL(qPrintable(QStringLiteral("\"%1\": got %2, reference %3")
                                 .arg(text, describe(actual), describe(expected))));
        if (!actual) {
            ++invalid;
            continue;
        }
        ++valid;
        QVERIFY(std::isfinite(*actual));

        // Properties that hold for every valid expression; the exponent form of a previous
        // result stands only at the start, so they do not apply to it.
        if (text.contains(QLatin1Char('E')))
            continue;
        const std::optional<double> wrapped = evaluator.evaluate(QLatin1Char('(') + text + QLatin1Char(')'));
        const std::optional<double> negated = evaluator.evaluate(QStringLiteral("-(") + text + QLatin1Char(')'));
        if (!wrapped || !sameValue(*wrapped, *actual))
            QFAIL(qPrintable(QStringLiteral("\"(%1)\" gives %2").arg(text, describe(wrapped))));
        if (!negated || *negated != -*actual)
            QFAIL(qPrintable(QStringLiteral("\"-(%1)\" gives %2").arg(text, describe(negated))));
        if (evaluator.evaluate(text + QLatin1Char(')')))
            QFAIL(qPrintable(QStringLiteral("\"%1)\" is accepted").arg(text)));
    }
    // Both outcomes must be well represented, or the comparison proves little.
    QVERIFY2(valid > 20000, qPrintable(QString::number(valid)));
    QVERIFY2(invalid > 20000, qPrintable(QString::number(invalid)));
}

void TestEvaluator::adversarialInputs_data()
{
    QTest::addColumn<QString>("expression");
    QTest::addColumn<bool>("isValid");
    QTest::addColumn<double>("expected");

    constexpr double none = 0.0;

    QTest::newRow("a million characters of 1+1+...") << repeat("1+", 499999) + QStringLiteral("11") << true << 500010.0;
    QTest::newRow("a million characters ending in +") << repeat("1+", 500000) << false << none;
    QTest::newRow("10,000 nested parentheses")
        << repeat("(", 10000) + QStringLiteral("7") + repeat(")", 10000) << true << 7.0;
    QTest::newRow("10,000 nested parentheses, one unclosed")
        << repeat("(", 10000) + QStringLiteral("7") + repeat(")", 9999) << false << none;
    QTest::newRow("10,000 nested negated groups")
        << repeat("-(", 10000) + QStringLiteral("3") + repeat(")", 10000) << true << 3.0;
    QTest::newRow("100,000 minus signs") << repeat("-", 100000) + QStringLiteral("1") << true << 1.0;
    QTest::newRow("100,001 minus signs") << repeat("-", 100001) + QStringLiteral("1") << true << -1.0;
    QTest::newRow("100,000 minus signs after ^")
        << QStringLiteral("2^") + repeat("-", 100000) + QStringLiteral("1") << true << 2.0;
    QTest::newRow("10,000 chained powers of 2") << repeat("2^", 10000) + QStringLiteral("2") << false << none;
    QTest::newRow("10,000 chained powers of 1") << repeat("1^", 10000) + QStringLiteral("1") << true << 1.0;
    QTest::newRow("a million-digit number") << QStringLiteral("1") + repeat("0", 999999) << false << none;
    QTest::newRow("a million-digit fraction")
        << QStringLiteral("1.") + repeat("0", 999998) << true << 1.0;
    QTest::newRow("a million-digit tiny number")
        << QStringLiteral("0.") + repeat("0", 999997) + QStringLiteral("1") << true << 0.0;
    QTest::newRow("a million opening parentheses") << repeat("(", 1000000) << false << none;
    QTest::newRow("a million closing parentheses") << repeat(")", 1000000) << false << none;
    QTest::newRow("a million points") << repeat(".", 1000000) << false << none;
}

// These must only complete with the right answer; how fast is checked by hand,
// not here, since timings are not reliable on a shared machine.
void TestEvaluator::adversarialInputs()
{
    QFETCH(QString, expression);
    QFETCH(bool, isValid);
    QFETCH(double, expected);

    const std::optional<double> actual = Evaluator().evaluate(expression);
    QCOMPARE(actual.has_value(), isValid);
    if (isValid)
        QVERIFY2(sameValue(*actual, expected), qPrintable(describe(actual)));
}

QTEST_APPLESS_MAIN(TestEvaluator)

#include "tst_evaluator.moc"
