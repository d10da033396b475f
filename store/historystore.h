#pragma once
// The history of play in an SQLite database through Qt SQL (its schema: store/historyschema.h):
// the recorder the game writes to. Built into the modules, never into the program itself, so Qt
// SQL is loaded only when a record is written or the history read.

#include "services/services.h"
#include "store/filecheck.h"
#include "store/historyschema.h"

#include <QDateTime>
#include <chrono>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

class QSqlDatabase;
class QSqlError;

namespace numbolo {

// Writes each record, with those that waited, in one transaction committed before the call
// returns. The database uses a rollback journal, not WAL, which does not work on the network
// file systems that shared homes are often on, and every commit reaches the disk before it
// returns (synchronous=FULL). It is private to its user: the file and its journal 0600, its folder 0700.
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
// store. Copies on computers sharing the folder may end at once: each adds its own records to
// the file and takes out only those it read from it, under the file's lock (store/pendingfile.h).
// A damaged database is renamed aside to "<name>.damaged-<date and time>", with its journal, and a
// new one started. The whole file is checked (quick_check) at the first open of a
// session and again only after an error of the file itself, never at every record. The check
// runs on a thread of its own: a record waits for its reading CheckWait at most, and the records wait in
// memory until the file passed (so a damaged file is set aside untouched, with nothing of this
// session in it); the store's end waits for it. Nothing here throws or shows a message.
class HistoryStore : public HistoryRecorder {
public:
    static constexpr int SchemaVersion = HistorySchemaVersion;
    // Records kept while the database cannot be written; beyond this the oldest are dropped, and
    // counted among the lost as the store ends.
    static constexpr std::size_t MaxPending = 5000;
    // How long a record waits for the check of the whole file: the check of a history of some
    // megabytes ends within it, and its records are written at once.
    static constexpr std::chrono::milliseconds CheckWait{50};

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
    // Told, as the store ends, how many records were lost, written neither into the history nor
    // into the pending file, and why the pending file could not be written; nothing unless given.
    std::function<void(std::size_t records, const QString &why)> lost;

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
    // Writes the pending records in order; false where one could not be written. Waits for the
    // check of the whole file CheckWait at most, or until it ends where `wholeCheck`.
    bool flush(bool wholeCheck = false);
    bool open(bool wholeCheck);
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
    std::optional<FileCheck> m_check; // while the check of the whole file runs
    int m_checks = 0;
    std::deque<Record> m_pending;
    // The records read from the pending file at the start, which this store alone takes out of it.
    std::vector<Record> m_taken;
    std::size_t m_dropped = 0;
    QString m_damagedCopy;
};

// The operators among `keys` (captions separated by blanks), in their order: "/ +" of "4 5 7 / +".
QString operatorsOf(const QString &keys);

} // namespace numbolo
