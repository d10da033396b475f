#include "classroom/copiedrows.h"

#include "classstore/schooldatabase.h"

#include <libpq-fe.h>

namespace numbolo {

namespace {

// A field of COPY's text format: "\N" for NULL, a backslash before the escaped characters.
// Escaped fields are written into `decoded`, which must have room for them.
CopiedField fieldOf(QByteArrayView text, std::vector<QByteArray> &decoded)
{
    if (text == "\\N")
        return std::nullopt;
    if (!text.contains('\\'))
        return text;
    QByteArray &field = decoded.emplace_back();
    field.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] != '\\' || i + 1 == text.size()) {
            field.append(text[i]);
            continue;
        }
        const char c = text[++i];
        const auto digits = [&](int base, int most) {
            int value = 0, count = 0;
            for (; count < most && i + 1 < text.size(); ++count) {
                const char d = text[i + 1];
                const int v = d >= '0' && d <= '9' ? d - '0'
                              : base == 16 && d >= 'a' && d <= 'f' ? d - 'a' + 10
                              : base == 16 && d >= 'A' && d <= 'F' ? d - 'A' + 10
                                                                   : base;
                if (v >= base)
                    break;
                value = value * base + v;
                ++i;
            }
            return std::pair(value, count);
        };
        switch (c) {
        case 'b': field.append('\b'); break;
        case 'f': field.append('\f'); break;
        case 'n': field.append('\n'); break;
        case 'r': field.append('\r'); break;
        case 't': field.append('\t'); break;
        case 'v': field.append('\v'); break;
        case 'x': {
            const auto [value, count] = digits(16, 2);
            field.append(count > 0 ? char(value) : 'x');
            break;
        }
        default:
            if (c >= '0' && c <= '7') {
                --i;
                field.append(char(digits(8, 3).first));
            } else
                field.append(c);
        }
    }
    return QByteArrayView(field);
}

} // namespace

bool copyRows(QSqlDatabase db, const QString &select, const std::function<void(const std::vector<CopiedField> &)> &row,
              QString *error)
{
    PGconn *connection = libpqConnection(db);
    if (connection == nullptr) {
        *error = QStringLiteral("not a connection of QPSQL");
        return false;
    }
    PGresult *result = PQexec(connection, ("COPY (" + select.toUtf8() + ") TO STDOUT").constData());
    const bool copying = PQresultStatus(result) == PGRES_COPY_OUT;
    if (!copying)
        *error = QString::fromUtf8(PQresultErrorMessage(result));
    PQclear(result);
    if (!copying)
        return false;
    std::vector<CopiedField> fields;
    std::vector<QByteArray> decoded;
    char *line = nullptr;
    int size = 0;
    while ((size = PQgetCopyData(connection, &line, 0)) > 0) {
        QByteArrayView text(line, size);
        if (text.endsWith('\n'))
            text.chop(1);
        fields.clear();
        decoded.clear();
        decoded.reserve(std::size_t(text.count('\t')) + 1);
        for (qsizetype from = 0;;) {
            const qsizetype tab = text.indexOf('\t', from);
            fields.push_back(fieldOf(text.sliced(from, (tab < 0 ? text.size() : tab) - from), decoded));
            if (tab < 0)
                break;
            from = tab + 1;
        }
        row(fields);
        PQfreemem(line);
    }
    bool done = size == -1;
    if (!done)
        *error = QString::fromUtf8(PQerrorMessage(connection));
    while ((result = PQgetResult(connection)) != nullptr) {
        if (PQresultStatus(result) != PGRES_COMMAND_OK) {
            if (done)
                *error = QString::fromUtf8(PQresultErrorMessage(result));
            done = false;
        }
        PQclear(result);
    }
    return done;
}

} // namespace numbolo
