#pragma once
// Reading the store's database (store/historyschema.h), for the SQL of the progress report's
// queries (store/sqlhistorysource.h).

#include "store/historysource.h"

#include <QDateTime>
#include <vector>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;
class QVariant;

namespace numbolo {

// A connection that reads the history, open from its construction to its end. It reads a file
// of any version up to this program's; a missing file, and one started but still empty, are
// not ready and have no error.
class HistoryReader {
public:
    explicit HistoryReader(const QString &path);
    ~HistoryReader();
    HistoryReader(const HistoryReader &) = delete;
    HistoryReader &operator=(const HistoryReader &) = delete;

    bool ready() const { return m_version > 0 && !m_error.failed(); }
    int version() const { return m_version; }
    // Why the file cannot be read; no error while it can.
    const ReadError &error() const { return m_error; }
    QSqlDatabase database() const;
    // Runs `query` (prepared, or `sql`); where it fails, its error becomes error().
    bool exec(QSqlQuery &query, const QString &sql = {});
    void fail(const QSqlError &error);
    // What a query of games selects for readGames(), in this file's version.
    QString gameColumns() const;
    // Reads the games that `query` selected (gameColumns()) in its order, each with its exercises.
    bool readGames(QSqlQuery &query, std::vector<GameRow> *games);
    // A stored outcome and a stored time, as the rows hold them.
    static ExerciseEnd exerciseEnd(const QVariant &key);
    static QDateTime time(const QVariant &stamp);

private:
    QString m_path;
    QString m_connection;
    int m_version = 0;
    ReadError m_error;
};

} // namespace numbolo

