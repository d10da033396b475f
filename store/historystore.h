#pragma once
// The history of play in an SQLite database through Qt SQL: the recorder the game writes to,
// and the reading and CSV that the progress window shows. Built into the modules, never into
// the program itself, so Qt SQL is loaded only when a record is written or the history read.
//
// The schema (version 4, in PRAGMA user_version):
//   game     (id INTEGER PRIMARY KEY, started TEXT NOT NULL, ended TEXT, exercises INTEGER NOT NULL,
//             target_range INTEGER NOT NULL, outcome TEXT, result INTEGER, uuid TEXT,
//             seconds_per_exercise INTEGER NOT NULL DEFAULT 180, keyboard_typing INTEGER NOT NULL
//             DEFAULT 0)
//             outcome: 'finished', 'restarted', 'abandoned', NULL while under way; result: the
//             percentage shown at the end; uuid: the id the settings file keeps for the game,
//             NULL for games recorded by version 1. Unique index game_uuid on (uuid).
//             seconds_per_exercise: the countdown of each exercise, 0 for no time limit;
//             keyboard_typing: 1 where the keyboard pressed the keypad's keys. Games recorded
//             before version 4 had 180 and 0.
//   exercise (id INTEGER PRIMARY KEY, game INTEGER NOT NULL REFERENCES game(id), number INTEGER
//             NOT NULL, level REAL NOT NULL, outcome TEXT NOT NULL, seconds INTEGER NOT NULL,
//             targets INTEGER NOT NULL, equals_presses INTEGER NOT NULL, ended TEXT NOT NULL,
//             shown_targets TEXT, keys TEXT, operators TEXT, day TEXT)
//             outcome: 'solved', 'skipped', 'timeout'. shown_targets: the eight targets in
//             reading order, separated by blanks; keys: the working digits and operators as
//             their captions ("4 5 7 / +"); operators: those of the keys ("/ +"); all three NULL
//             for exercises recorded before version 3. Index exercise_game_number on (game,
//             number); the store keeps one row per pair (see HistoryStore). day: the local date
//             of the end, "2026-11-01". Index exercise_day on (day); the report's covering
//             indexes exercise_skill_day on (operators, day, outcome, seconds, game) and
//             exercise_game_day on (game, day, outcome, seconds).
//   equals_press (exercise INTEGER NOT NULL REFERENCES exercise(id), seconds INTEGER NOT NULL,
//             value TEXT NOT NULL, hit TEXT NOT NULL)
//             every "=" of an exercise in order of rowid: seconds since the exercise was shown,
//             the display's text after it, the targets it hit as indexes 0-7 in reading order
//             separated by blanks ("" for none). Index equals_press_exercise on (exercise).
// Times are ISO 8601 in UTC. Each version is one step of a ladder in historystore.cpp that an
// older file climbs in one transaction.

#include "services/services.h"

#include <QDateTime>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QSqlDatabase;
class QSqlError;
class QSqlQuery;
class QVariant;

namespace numbolo {

// Writes each record in a transaction of its own, committed before the call returns. The
// database uses a rollback journal, not WAL, which does not work on the network file systems
// that shared homes are often on, and every commit reaches the disk before it returns
// (synchronous=FULL). It is private to its user: the file and its journal 0600, its folder 0700.
//
// An exercise played again replaces the row of its earlier end, so a game has one row per
// exercise number: a schema-1 history may hold two rows of one exercise, which a unique index
// could not be built over, so the store deletes the pair's rows and inserts the new one in the
// same transaction. A record for a game id the history has not seen makes that game; where the
// newest game under way was recorded by version 1 (no id) with the same options, it is taken to
// be that game, resumed from settings saved before games had ids. A game's first record closes
// every other game still under way as abandoned.
//
// A database that is locked (for the busy timeout), read-only, written by a newer version or on
// a full disk keeps the records in memory, and they are written with a later record; those still
// unwritten when the store ends are kept in the pending file and written first by the next
// store. A damaged database is renamed aside to "<name>.damaged-<date and time>", with its
// journal, and a new one started. The whole file is checked (quick_check) at the first open of a
// session and again only after an error of the file itself, never at every record. Nothing here
// throws or shows a message.
class HistoryStore : public HistoryRecorder {
public:
    static constexpr int SchemaVersion = 4;
    // Records kept while the database cannot be written; beyond this the oldest are dropped.
    static constexpr std::size_t MaxPending = 5000;

    // The time each record is stamped with; the wall clock unless a fixture gives its own.
    using Now = std::function<QDateTime()>;

    // Keeps the history at `path`, and what cannot be written yet at `pendingPath`. Takes over
    // the records an earlier store left there.
    HistoryStore(QString path, QString pendingPath, int busyMilliseconds = 100, Now now = &QDateTime::currentDateTime);
    // Writes what it can, and keeps the rest in the pending file.
    ~HistoryStore() override;
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    void gameStarted(const GameFacts &game) override;
    void exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise) override;
    void gameEnded(const GameFacts &game, GameEnd end, int percentage) override;

    // The records not written yet.
    std::size_t pending() const { return m_pending.size(); }
    // Where a damaged database was kept aside, empty while none was.
    QString damagedCopy() const { return m_damagedCopy; }
    // How many times this store checked the whole file.
    int checks() const { return m_checks; }

    enum class Kind { GameStarted, ExerciseEnded, GameEnded };
    struct Record {
        Kind kind = Kind::GameStarted;
        QDateTime when;
        GameFacts game;
        ExerciseFacts exercise;
        GameEnd end = GameEnd::Finished;
        int percentage = -1;
    };

private:
    void add(Record record);
    // Writes the pending records in order; false where one could not be written.
    bool flush();
    bool open();
    void keepFilesPrivate() const;
    void close(const QSqlError &error);
    bool write(QSqlDatabase &db, const Record &record, QSqlError *error);
    bool putDamagedAside();

    QString m_path;
    QString m_pendingPath;
    int m_busy;
    Now m_now;
    QString m_connection;
    bool m_open = false;
    bool m_checkDue = true;
    int m_checks = 0;
    std::deque<Record> m_pending;
    bool m_pendingFile = false;
    QString m_damagedCopy;
};

// The operators among `keys` (captions separated by blanks), in their order: "/ +" of "4 5 7 / +".
QString operatorsOf(const QString &keys);

// The play waiting in the pending file to be recorded: how many records, and the times of the
// first and the last; no records where there are none.
struct Unrecorded {
    int records = 0;
    QDateTime first;
    QDateTime last;
};
Unrecorded readUnrecorded(const QString &pendingPath);

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
