#pragma once
// The history of play in an SQLite database through Qt SQL: the recorder the game writes to,
// and the reading and CSV that the progress window shows. Built into the modules, never into
// the program itself, so Qt SQL is loaded only when a record is written or the history read.

#include "services/services.h"

#include <QDateTime>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QSqlDatabase;

namespace numbolo {

// Writes each record in a transaction of its own, committed before the call returns. A database
// that is locked (for the busy timeout), read-only or on a full disk keeps the records in memory
// and they are written with the next record; a damaged one is renamed aside to
// "<name>.damaged-<date and time>" and a new one started. Nothing here throws or shows a message.
class HistoryStore : public HistoryRecorder {
public:
    // Versions of the schema, kept in PRAGMA user_version.
    static constexpr int SchemaVersion = 1;
    // Records kept while the database cannot be written; beyond this the oldest are dropped.
    static constexpr std::size_t MaxPending = 5000;

    // The time each record is stamped with; the wall clock unless a fixture gives its own.
    using Now = std::function<QDateTime()>;

    explicit HistoryStore(QString path, int busyMilliseconds = 100, Now now = &QDateTime::currentDateTime);
    ~HistoryStore() override;
    HistoryStore(const HistoryStore &) = delete;
    HistoryStore &operator=(const HistoryStore &) = delete;

    void gameStarted(const GameFacts &game) override;
    void exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise) override;
    void gameEnded(GameEnd end, int percentage) override;

    // The records not written yet.
    std::size_t pending() const { return m_pending.size(); }
    // Where a damaged database was kept aside, empty while none was.
    QString damagedCopy() const { return m_damagedCopy; }

private:
    enum class Kind { GameStarted, ExerciseEnded, GameEnded };
    struct Record {
        Kind kind;
        QDateTime when;
        GameFacts game;
        ExerciseFacts exercise;
        GameEnd end = GameEnd::Finished;
        int percentage = -1;
    };
    void add(Record record);
    bool open();
    void close();
    bool write(QSqlDatabase &db, const Record &record);
    bool putDamagedAside();

    QString m_path;
    int m_busy;
    Now m_now;
    QString m_connection;
    bool m_open = false;
    std::deque<Record> m_pending;
    QString m_damagedCopy;
};

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
    QDateTime started;
    QDateTime ended;
    int exercises = 0;
    int range = 0;
    std::optional<GameEnd> end; // none while the game is under way
    int percentage = -1;        // -1 unless it finished
    std::vector<ExerciseRow> played;

    int solved() const;
    int seconds() const;
};

// The whole history, newest game first, each game's exercises in order. A missing file is an
// empty history. False, with a Greek `error`, where the file cannot be read.
bool readHistory(const QString &path, std::vector<GameRow> *games, QString *error);

// RFC 4180 CSV in UTF-8 with CRLF line ends: the header, then one row per exercise, oldest game
// first. Times are ISO 8601 local time.
QByteArray historyCsv(const std::vector<GameRow> &games);

// "λύθηκε", "παραλείφθηκε", "έληξε ο χρόνος".
QString exerciseEndText(ExerciseEnd end);

} // namespace numbolo
