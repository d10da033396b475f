#pragma once
// Reading the history: the games with their exercises, through a connection of its own that
// reads a file of any version up to this program's (store/historyschema.h).

#include "services/services.h"

#include <QDateTime>
#include <optional>
#include <vector>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;
class QVariant;

namespace numbolo {

struct ExerciseRow {
    int number = 0;
    double level = 0;
    ExerciseEnd end = ExerciseEnd::Solved;
    int seconds = 0;
    int targetsHit = 0;
    int equalsPresses = 0;
    QDateTime ended;
};

struct GameRow {
    qint64 key = 0; // the game's row in the history, which names it to readExerciseDetail
    QDateTime started;
    QDateTime ended;
    int exercises = 0;
    int range = 0;
    std::optional<GameEnd> end; // none while the game is under way
    int percentage = -1;        // -1 unless it finished
    int secondsPerExercise = 180; // 0: no time limit
    bool keyboardTyping = false;
    std::vector<ExerciseRow> played;

    int solved() const;
    int seconds() const;
};

// A connection that reads the history, open from its construction to its end. It reads a file
// of any version up to this program's; a missing file, and one started but still empty, are
// not ready and have no error.
class HistoryReader {
public:
    explicit HistoryReader(const QString &path);
    ~HistoryReader();
    HistoryReader(const HistoryReader &) = delete;
    HistoryReader &operator=(const HistoryReader &) = delete;

    bool ready() const { return m_version > 0 && m_error.isEmpty(); }
    int version() const { return m_version; }
    // Why the file cannot be read, in Greek; empty while it can.
    const QString &error() const { return m_error; }
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
    QString m_error;
};

// The whole history, newest game first, each game's exercises in order. A missing file is an
// empty history. False, with a Greek `error`, where the file cannot be read.
bool readHistory(const QString &path, std::vector<GameRow> *games, QString *error);

// RFC 4180 CSV in UTF-8 with CRLF line ends, without a byte-order mark: the header, then one row
// per exercise, oldest game first, and one row with empty exercise fields for a game in which
// no exercise ended. Times are ISO 8601 local time with its offset from UTC. The last column,
// "Χρόνος ανά άσκηση", holds the game's seconds per exercise, empty where it had no time limit.
QByteArray historyCsv(const std::vector<GameRow> &games);

// "λύθηκε", "παραλείφθηκε", "έληξε ο χρόνος".
QString exerciseEndText(ExerciseEnd end);
// The result of a game: its percentage, or how it ended without one ("επανεκκίνηση",
// "εγκαταλείφθηκε"), or "σε εξέλιξη".
QString resultText(const GameRow &game);

} // namespace numbolo

