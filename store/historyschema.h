#pragma once
// The history's schema and how its rows keep values, for the store's writer and its readers.
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
// Times are ISO 8601 in UTC. Each version is one step of a ladder in historyschema.cpp that an
// older file climbs in one transaction.

#include "services/services.h"

#include <QDateTime>
#include <QSqlError>
#include <QString>

#include <optional>
#include <utility>

class QSqlDatabase;
class QVariant;

namespace numbolo {

constexpr int HistorySchemaVersion = 4;

// The keys of the outcomes, in the database and in the pending file.
inline constexpr std::pair<ExerciseEnd, const char *> ExerciseEndKeys[] = {
    {ExerciseEnd::Solved, "solved"}, {ExerciseEnd::Skipped, "skipped"}, {ExerciseEnd::TimedOut, "timeout"}};
inline constexpr std::pair<GameEnd, const char *> GameEndKeys[] = {
    {GameEnd::Finished, "finished"}, {GameEnd::Restarted, "restarted"}, {GameEnd::Abandoned, "abandoned"}};

template <class Value, std::size_t N>
QString keyOf(const std::pair<Value, const char *> (&keys)[N], Value value)
{
    for (const auto &[v, key] : keys)
        if (v == value)
            return QString::fromLatin1(key);
    return {};
}

template <class Value, std::size_t N>
std::optional<Value> valueOf(const std::pair<Value, const char *> (&keys)[N], const QString &key)
{
    for (const auto &[v, k] : keys)
        if (key == QLatin1String(k))
            return v;
    return std::nullopt;
}

// What an SQLite error says of the file. Its result code is the low byte of an extended one.
enum class Trouble {
    NotNow,  // busy, locked, read-only, full, cannot be opened: tried again with a later record
    TheFile, // an input/output or other error of the file: checked whole before the next write
    Damaged, // not a sound database: set aside
};

Trouble troubleOf(const QSqlError &error);

// Whether a database is ready to be written, and why not, where SQLite said.
struct Setup {
    bool ready = false;
    QSqlError error;
};

// Checks the whole file (PRAGMA quick_check): ready where it passed; SQLite's error, or code 11
// (damaged) where the check found a fault.
Setup checkWhole(QSqlDatabase &db);

// Checks the whole file first where `checkDue`, and clears it once the file passed; then sets the
// journal up and climbs the ladder of versions up to HistorySchemaVersion, in one transaction. Not
// ready, without an error, where a later program's schema is found: that is left as it is.
Setup setUp(QSqlDatabase &db, bool *checkDue, int *checks);

// Begins a transaction that takes the right to write at once (BEGIN IMMEDIATE), so that it
// waits for another writer's whole transaction instead of reading beside it and then failing
// with "busy" where both want to write. False, with SQLite's `error`, where it could not.
bool beginWriting(QSqlDatabase &db, QSqlError *error);
// Commits it; false, with SQLite's `error` and its code (which QSqlDatabase::commit() does not
// keep), where it could not.
bool commitWriting(QSqlDatabase &db, QSqlError *error);

// A time as the rows keep it, and back in local time; a NULL is no time.
QString stamp(const QDateTime &when);
QDateTime fromStamp(const QVariant &value);

} // namespace numbolo
