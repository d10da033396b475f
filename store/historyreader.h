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

// Why the history cannot be read, as a value; the report says it in words. What SQLite said and
// the history's file come with the kinds that a parent is told them with.
struct ReadError {
    enum class Kind {
        None,
        NewerVersion,   // written by a later version of the program
        Unreadable,     // SQLite cannot read it: `file`, and `detail`, what SQLite said
        Damaged,        // not a sound database, which the game keeps aside: `file` and `detail`
        NoSuchExercise, // the exercise asked for is not in the history: its number, `exercise`
    };
    Kind kind = Kind::None;
    QString file;
    QString detail;
    int exercise = 0;

    bool failed() const { return kind != Kind::None; }
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

// The whole history, newest game first, each game's exercises in order. A missing file is an
// empty history. False, with `error`, where the file cannot be read.
bool readHistory(const QString &path, std::vector<GameRow> *games, ReadError *error);

} // namespace numbolo

