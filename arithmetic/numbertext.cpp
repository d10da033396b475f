#include "arithmetic/numbertext.h"

#include "arithmetic/runtimeerror.h"

#include <charconv>
#include <cmath>

namespace numbolo::NumberText {

QString format(double value, const QLocale &locale)
{
    if (value == 0 || !std::isfinite(value))
        return QStringLiteral("0"); // also turns -0 into "0"
    char buffer[40];
    // The general format switches to exponent form below 1E-04 and from 1E+15 on, strips
    // trailing zeros and writes at least two exponent digits. to_chars ignores the C locale.
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 15);
    QString text = QString::fromLatin1(buffer, int(result.ptr - buffer)).toUpper();
    const QString point = locale.decimalPoint();
    if (point != QLatin1String("."))
        text.replace(QLatin1Char('.'), point);
    return text;
}

std::optional<double> parse(const QString &text, const QLocale &locale)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return std::nullopt;
    QLocale strict(locale);
    strict.setNumberOptions(strict.numberOptions() | QLocale::RejectGroupSeparator);
    bool ok = false;
    const double value = strict.toDouble(trimmed, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

QString fromStored(const QString &text, const QLocale &locale)
{
    if (parse(text, locale))
        return text;
    const QString point = locale.decimalPoint();
    // Every decimal separator Qt's locales write: ".", "," and the Arabic "٫" (Persian, Arabic).
    for (const QChar separator : {QChar(u','), QChar(u'.'), QChar(u'\u066B')}) {
        if (text.count(separator) != 1 || point == separator)
            continue;
        QString localised = text;
        localised.replace(separator, point);
        if (parse(localised, locale))
            return localised;
    }
    return text;
}

double parseOrThrow(const QString &text, const QLocale &locale)
{
    if (const auto value = parse(text, locale))
        return *value;
    throw RuntimeError::typeMismatch(text);
}

double leadingNumber(const QString &text)
{
    // Blanks anywhere are skipped, as the original parse did ("1 2" is 12).
    QByteArray number;
    bool point = false, digit = false, exponent = false;
    for (const QChar c : text) {
        if (c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r'))
            continue;
        const char ch = c.toLatin1();
        const bool signAllowed = number.isEmpty() || number.endsWith('e');
        if (ch >= '0' && ch <= '9')
            digit = true;
        else if ((ch == '-' || ch == '+') && signAllowed)
            ;
        else if (ch == '.' && !point && !exponent)
            point = true;
        else if ((ch == 'e' || ch == 'E') && digit && !exponent)
            exponent = true;
        else
            break;
        number.append(ch == 'E' ? 'e' : ch);
        if (number.size() > 1000)
            break;
    }
    if (!digit)
        return 0;
    // Drop a dangling exponent or sign ("12e", "12e-").
    while (!number.isEmpty() && (number.back() == 'e' || number.back() == '-' || number.back() == '+'))
        number.chop(1);
    const bool negative = number.startsWith('-');
    const char *begin = number.constData() + ((negative || number.startsWith('+')) ? 1 : 0);
    double value = 0;
    const auto result = std::from_chars(begin, number.constData() + number.size(), value);
    if (result.ec != std::errc() || !std::isfinite(value))
        return 0;
    return negative ? -value : value;
}

} // namespace numbolo::NumberText
