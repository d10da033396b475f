#pragma once
// The rows of a SELECT read by PostgreSQL's COPY TO STDOUT on the connection of a QSqlDatabase of
// Qt's QPSQL driver: the server writes every row as one line of text, which costs it and Qt's
// driver far less than a result row of the driver's; for reading a whole class at once.

#include <QByteArray>
#include <QByteArrayView>
#include <QSqlDatabase>
#include <QString>

#include <functional>
#include <optional>
#include <vector>

namespace numbolo {

// A field of a row: its bytes (UTF-8), or nullopt for NULL; valid during the call only.
using CopiedField = std::optional<QByteArrayView>;

// Calls `row` with each row's fields in the SELECT's order; false with the server's error (or
// where the connection is not one of Qt's PostgreSQL driver), after which `row` may have seen
// some rows.
bool copyRows(QSqlDatabase db, const QString &select, const std::function<void(const std::vector<CopiedField> &)> &row,
              QString *error);

} // namespace numbolo
