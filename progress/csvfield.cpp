#include "progress/csvfield.h"

#include <QRegularExpression>

namespace numbolo {

QString csvField(QStringView text)
{
    QString field;
    appendCsvField(&field, text);
    return field;
}

void appendCsvField(QString *line, QStringView text)
{
    static const QRegularExpression plainNumber(QStringLiteral("^[+-]?[0-9]+(\\.[0-9]+)?$"));
    const bool asText = !text.isEmpty() && QStringView(u"=+-@\t\r'").contains(text.front())
        && !plainNumber.match(text).hasMatch();
    const bool quoted = text.contains(u',') || text.contains(u'"') || text.contains(u'\n') || text.contains(u'\r');
    if (quoted)
        line->append(u'"');
    if (asText)
        line->append(u'\'');
    if (quoted)
        line->append(text.toString().replace(u'"', QStringLiteral("\"\"")));
    else
        line->append(text);
    if (quoted)
        line->append(u'"');
}

} // namespace numbolo
