#include "store/historyschema.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QVariant>

namespace numbolo {

namespace {

// The schema, a step per version: the statements of version n turn a database of version n - 1
// into one of version n. A new database climbs every step.
struct Statement {
    int version;
    const char *sql;
};
const Statement Ladder[] = {
    {1, "CREATE TABLE IF NOT EXISTS game ("
        " id INTEGER PRIMARY KEY,"
        " started TEXT NOT NULL,"
        " ended TEXT,"
        " exercises INTEGER NOT NULL,"
        " target_range INTEGER NOT NULL,"
        " outcome TEXT,"
        " result INTEGER)"},
    {1, "CREATE TABLE IF NOT EXISTS exercise ("
        " id INTEGER PRIMARY KEY,"
        " game INTEGER NOT NULL REFERENCES game(id),"
        " number INTEGER NOT NULL,"
        " level REAL NOT NULL,"
        " outcome TEXT NOT NULL,"
        " seconds INTEGER NOT NULL,"
        " targets INTEGER NOT NULL,"
        " equals_presses INTEGER NOT NULL,"
        " ended TEXT NOT NULL)"},
    {1, "CREATE INDEX IF NOT EXISTS exercise_game ON exercise(game)"},
    // 2: each game named by the id the settings file keeps for it; an exercise found by its
    // game and number, to replace it when it is played again.
    {2, "ALTER TABLE game ADD COLUMN uuid TEXT"},
    {2, "CREATE UNIQUE INDEX game_uuid ON game(uuid)"},
    {2, "DROP INDEX exercise_game"},
    {2, "CREATE INDEX exercise_game_number ON exercise(game, number)"},
    // 3: what the child saw and did inside each exercise, and the skill it practised.
    {3, "ALTER TABLE exercise ADD COLUMN shown_targets TEXT"},
    {3, "ALTER TABLE exercise ADD COLUMN keys TEXT"},
    {3, "ALTER TABLE exercise ADD COLUMN operators TEXT"},
    {3, "CREATE TABLE equals_press ("
        " exercise INTEGER NOT NULL REFERENCES exercise(id),"
        " seconds INTEGER NOT NULL,"
        " value TEXT NOT NULL,"
        " hit TEXT NOT NULL)"},
    {3, "CREATE INDEX equals_press_exercise ON equals_press(exercise)"},
    // The local day of each end, as the child lived it, by which the report counts days and
    // months without converting every row's time.
    {3, "ALTER TABLE exercise ADD COLUMN day TEXT"},
    {3, "UPDATE exercise SET day = date(ended, 'localtime')"},
    {3, "CREATE INDEX exercise_day ON exercise(day)"},
    // What the report groups by, each with what it counts, so that a history of years is read
    // from these indexes alone, in their order, without the rows' wide columns: per skill and
    // day, and per game (its target range) and day.
    {3, "CREATE INDEX exercise_skill_day ON exercise(operators, day, outcome, seconds)"},
    {3, "CREATE INDEX exercise_game_day ON exercise(game, day, outcome, seconds)"},
    // 4: the time a parent gave each exercise of a game (0: no limit) and whether the keyboard
    // pressed the keypad's keys; every older game had 180 seconds and no keyboard. The report's
    // medians per skill count the games of one time setting, found by each row's game.
    {4, "ALTER TABLE game ADD COLUMN seconds_per_exercise INTEGER NOT NULL DEFAULT 180"},
    {4, "ALTER TABLE game ADD COLUMN keyboard_typing INTEGER NOT NULL DEFAULT 0"},
    {4, "DROP INDEX exercise_skill_day"},
    {4, "CREATE INDEX exercise_skill_day ON exercise(operators, day, outcome, seconds, game)"},
};

Setup failed(const QSqlQuery &query)
{
    return {false, query.lastError()};
}

} // namespace

Trouble troubleOf(const QSqlError &error)
{
    switch (error.nativeErrorCode().toInt() & 0xff) {
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        return Trouble::Damaged;
    case 0:  // not an SQLite error (a database of a newer version)
    case 3:  // SQLITE_PERM
    case 5:  // SQLITE_BUSY
    case 6:  // SQLITE_LOCKED
    case 8:  // SQLITE_READONLY
    case 13: // SQLITE_FULL
    case 14: // SQLITE_CANTOPEN
    case 23: // SQLITE_AUTH
        return Trouble::NotNow;
    default:
        return Trouble::TheFile;
    }
}

Setup checkWhole(QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA quick_check")))
        return failed(query);
    if (!query.next() || query.value(0).toString() != QLatin1String("ok"))
        return {false, QSqlError(QString(), QString(), QSqlError::StatementError, QStringLiteral("11"))};
    return {true, {}};
}

Setup setUp(QSqlDatabase &db, bool *checkDue, int *checks)
{
    if (*checkDue) {
        const Setup checked = checkWhole(db);
        if (!checked.ready)
            return checked;
        *checkDue = false;
        ++*checks;
    }
    QSqlQuery query(db);
    // A rollback journal, which a history that version 1 kept in WAL mode changes to once no
    // other connection reads it (SQLite says busy until then; a read-only file keeps its mode,
    // and cannot be written anyway); every commit reaches the disk before it returns.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=DELETE")) || !query.exec(QStringLiteral("PRAGMA synchronous=FULL"))
        || !query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return failed(query);
    const int version = query.value(0).toInt();
    query.finish();
    if (version == HistorySchemaVersion)
        return {true, {}};
    if (version > HistorySchemaVersion) // a later program's schema: left as it is
        return {};
    QSqlError notBegun;
    if (!beginWriting(db, &notBegun))
        return {false, notBegun};
    for (const Statement &statement : Ladder) {
        if (statement.version > version && !query.exec(QString::fromLatin1(statement.sql))) {
            const Setup result = failed(query);
            db.rollback();
            return result;
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(HistorySchemaVersion))) {
        const Setup result = failed(query);
        db.rollback();
        return result;
    }
    // The commit's own error: the query's is that of its last statement, which succeeded.
    QSqlError notCommitted;
    if (!commitWriting(db, &notCommitted)) {
        db.rollback();
        return {false, notCommitted};
    }
    return {true, {}};
}

namespace {

bool runAlone(QSqlDatabase &db, const QString &sql, QSqlError *error)
{
    QSqlQuery query(db);
    if (query.exec(sql))
        return true;
    *error = query.lastError();
    return false;
}

} // namespace

bool beginWriting(QSqlDatabase &db, QSqlError *error)
{
    return runAlone(db, QStringLiteral("BEGIN IMMEDIATE"), error);
}

bool commitWriting(QSqlDatabase &db, QSqlError *error)
{
    return runAlone(db, QStringLiteral("COMMIT"), error);
}

QString stamp(const QDateTime &when)
{
    return when.toUTC().toString(Qt::ISODate);
}

QDateTime fromStamp(const QVariant &value)
{
    if (value.isNull())
        return {};
    return QDateTime::fromString(value.toString(), Qt::ISODate).toLocalTime();
}

} // namespace numbolo
