#include "progress/csvfield.h"

#include <QRegularExpression>

namespace numbolo {

QString csvField(const QString &text)
{
    static const QRegularExpression plainNumber(QStringLiteral("^[+-]?[0-9]+(\\.[0-9]+)?$"));
    QString field = text;
    if (!field.isEmpty() && QStringLiteral("=+-@\t\r'").contains(field.front()) && !plainNumber.match(field).hasMatch())
        field.prepend(QLatin1Char('\''));
    if (!field.contains(QLatin1Char(',')) && !field.contains(QLatin1Char('"')) && !field.contains(QLatin1Char('\n'))
        && !field.contains(QLatin1Char('\r')))
        return field;
    return QLatin1Char('"') + field.replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

} // namespace numbolo
