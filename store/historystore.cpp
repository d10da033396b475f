#include "store/historystore.h"
#include "services/programname.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSaveFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>
#include <QVariant>

#include <algorithm>
#include <cstdio>

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

// The keys of the outcomes, in the database and in the pending file.
const std::pair<ExerciseEnd, const char *> ExerciseEndKeys[] = {
    {ExerciseEnd::Solved, "solved"}, {ExerciseEnd::Skipped, "skipped"}, {ExerciseEnd::TimedOut, "timeout"}};
const std::pair<GameEnd, const char *> GameEndKeys[] = {
    {GameEnd::Finished, "finished"}, {GameEnd::Restarted, "restarted"}, {GameEnd::Abandoned, "abandoned"}};
const std::pair<HistoryStore::Kind, const char *> KindKeys[] = {{HistoryStore::Kind::GameStarted, "game started"},
                                                                {HistoryStore::Kind::ExerciseEnded, "exercise ended"},
                                                                {HistoryStore::Kind::GameEnded, "game ended"}};

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

struct Setup {
    bool ready = false;
    QSqlError error; // why not, where SQLite said
};

Setup failed(const QSqlQuery &query)
{
    return {false, query.lastError()};
}

// Checks the whole file first where `checkDue`, and clears it once the file passed.
Setup setUp(QSqlDatabase &db, bool *checkDue, int *checks)
{
    QSqlQuery query(db);
    if (*checkDue) {
        if (!query.exec(QStringLiteral("PRAGMA quick_check")))
            return failed(query);
        if (!query.next() || query.value(0).toString() != QLatin1String("ok"))
            return {false, QSqlError(QString(), QString(), QSqlError::StatementError, QStringLiteral("11"))};
        query.finish();
        *checkDue = false;
        ++*checks;
    }
    // A rollback journal, which a history that version 1 kept in WAL mode changes to once no
    // other connection reads it (SQLite says busy until then; a read-only file keeps its mode,
    // and cannot be written anyway); every commit reaches the disk before it returns.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=DELETE")) || !query.exec(QStringLiteral("PRAGMA synchronous=FULL"))
        || !query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return failed(query);
    const int version = query.value(0).toInt();
    query.finish();
    if (version == HistoryStore::SchemaVersion)
        return {true, {}};
    if (version > HistoryStore::SchemaVersion) // a later program's schema: left as it is
        return {};
    if (!db.transaction())
        return {false, db.lastError()};
    for (const Statement &statement : Ladder) {
        if (statement.version > version && !query.exec(QString::fromLatin1(statement.sql))) {
            const Setup result = failed(query);
            db.rollback();
            return result;
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(HistoryStore::SchemaVersion)) || !db.commit()) {
        const Setup result = failed(query);
        db.rollback();
        return result;
    }
    return {true, {}};
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

// Runs `sql` with `values` bound in order; the first row's first value where `result` is given.
bool run(QSqlDatabase &db, const char *sql, const QVariantList &values, QSqlError *error, QVariant *result = nullptr)
{
    QSqlQuery query(db);
    query.prepare(QString::fromLatin1(sql));
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (!query.exec()) {
        *error = query.lastError();
        return false;
    }
    if (result != nullptr)
        *result = query.next() ? query.value(0) : QVariant();
    return true;
}

// The row of the game a record names, made where the history has not seen it: see HistoryStore.
bool gameRow(QSqlDatabase &db, const HistoryStore::Record &record, QVariant *row, QSqlError *error)
{
    const GameFacts &game = record.game;
    const QVariant uuid = game.id.isEmpty() ? QVariant() : QVariant(game.id);
    if (!run(db, "SELECT id FROM game WHERE uuid = ?", {uuid}, error, row))
        return false;
    if (!row->isNull())
        return true;
    if (record.kind != HistoryStore::Kind::GameStarted) {
        if (!run(db,
                 "SELECT id FROM (SELECT id, uuid, exercises, target_range FROM game WHERE outcome IS NULL "
                 "ORDER BY id DESC LIMIT 1) WHERE uuid IS NULL AND exercises = ? AND target_range = ?",
                 {game.exercises, game.range}, error, row))
            return false;
        if (!row->isNull())
            return run(db, "UPDATE game SET uuid = ? WHERE id = ?", {uuid, *row}, error);
    }
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO game (uuid, started, exercises, target_range, seconds_per_exercise, "
                                  "keyboard_typing) VALUES (?, ?, ?, ?, ?, ?)"));
    for (const QVariant &value : {uuid, QVariant(stamp(record.when)), QVariant(game.exercises), QVariant(game.range),
                                  QVariant(game.secondsPerExercise), QVariant(int(game.keyboardTyping))})
        insert.addBindValue(value);
    if (!insert.exec()) {
        *error = insert.lastError();
        return false;
    }
    *row = insert.lastInsertId();
    return run(db,
               "UPDATE game SET outcome = 'abandoned', ended = (SELECT MAX(ended) FROM exercise WHERE "
               "exercise.game = game.id) WHERE outcome IS NULL AND id <> ?",
               {*row}, error);
}

// ---- The pending file ----------------------------------------------------------------------

QJsonObject toJson(const HistoryStore::Record &r)
{
    QJsonObject json{{"kind", keyOf(KindKeys, r.kind)},
                     {"when", stamp(r.when)},
                     {"game", r.game.id},
                     {"exercises", r.game.exercises},
                     {"range", r.game.range},
                     {"seconds per exercise", r.game.secondsPerExercise},
                     {"keyboard typing", r.game.keyboardTyping}};
    if (r.kind == HistoryStore::Kind::ExerciseEnded) {
        json.insert("number", r.exercise.number);
        json.insert("level", r.exercise.level);
        json.insert("outcome", keyOf(ExerciseEndKeys, r.exercise.end));
        json.insert("seconds", r.exercise.seconds);
        json.insert("targets", r.exercise.targetsHit);
        json.insert("equals presses", r.exercise.equalsPresses);
        if (!r.exercise.targets.isEmpty()) {
            json.insert("shown targets", QJsonArray::fromStringList(r.exercise.targets));
            json.insert("keys", r.exercise.keys);
            QJsonArray presses;
            for (const EqualsFacts &press : r.exercise.presses) {
                QJsonArray hit;
                for (int target : press.hit)
                    hit.append(target);
                presses.append(QJsonObject{{"seconds", press.seconds}, {"value", press.value}, {"hit", hit}});
            }
            json.insert("presses", presses);
        }
    } else if (r.kind == HistoryStore::Kind::GameEnded) {
        json.insert("outcome", keyOf(GameEndKeys, r.end));
        json.insert("result", r.percentage);
    }
    return json;
}

std::optional<HistoryStore::Record> fromJson(const QJsonObject &json)
{
    const auto kind = valueOf(KindKeys, json.value("kind").toString());
    const QDateTime when = QDateTime::fromString(json.value("when").toString(), Qt::ISODate);
    if (!kind || !when.isValid())
        return std::nullopt;
    HistoryStore::Record r;
    r.kind = *kind;
    r.when = when;
    // Records kept by a version without a parent's settings played as designed.
    r.game = {json.value("exercises").toInt(), json.value("range").toInt(), json.value("game").toString(),
              json.value("seconds per exercise").toInt(180), json.value("keyboard typing").toBool(false)};
    if (r.kind == HistoryStore::Kind::ExerciseEnded) {
        const auto end = valueOf(ExerciseEndKeys, json.value("outcome").toString());
        if (!end)
            return std::nullopt;
        r.exercise.number = json.value("number").toInt();
        r.exercise.level = json.value("level").toDouble();
        r.exercise.end = *end;
        r.exercise.seconds = json.value("seconds").toInt();
        r.exercise.targetsHit = json.value("targets").toInt();
        r.exercise.equalsPresses = json.value("equals presses").toInt();
        for (const QJsonValue target : json.value("shown targets").toArray())
            r.exercise.targets << target.toString();
        r.exercise.keys = json.value("keys").toString();
        for (const QJsonValue value : json.value("presses").toArray()) {
            const QJsonObject press = value.toObject();
            EqualsFacts facts{press.value("seconds").toInt(), press.value("value").toString(), {}};
            for (const QJsonValue target : press.value("hit").toArray())
                facts.hit.push_back(target.toInt());
            r.exercise.presses.push_back(std::move(facts));
        }
    } else if (r.kind == HistoryStore::Kind::GameEnded) {
        const auto end = valueOf(GameEndKeys, json.value("outcome").toString());
        if (!end)
            return std::nullopt;
        r.end = *end;
        r.percentage = json.value("result").toInt(-1);
    }
    return r;
}

std::vector<HistoryStore::Record> readPendingFile(const QString &pendingPath)
{
    QFile file(pendingPath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    std::vector<HistoryStore::Record> records;
    for (const QJsonValue value : QJsonDocument::fromJson(file.readAll()).object().value("records").toArray())
        if (const auto record = fromJson(value.toObject()))
            records.push_back(*record);
    return records;
}

constexpr QFile::Permissions OwnerOnly =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadUser | QFile::WriteUser | QFile::ExeUser;

// Takes the group's and others' rights from a file or folder; the owner's stay as they are.
void keepPrivate(const QString &path)
{
    const QFile::Permissions rights = QFile::permissions(path);
    if (rights & ~OwnerOnly)
        QFile::setPermissions(path, rights & OwnerOnly);
}

} // namespace

QString operatorsOf(const QString &keys)
{
    QStringList operators = keys.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    operators.removeIf([](const QString &key) { return key.size() != 1 || key.front().isDigit(); });
    return operators.join(QLatin1Char(' '));
}

Unrecorded readUnrecorded(const QString &pendingPath)
{
    Unrecorded unrecorded;
    for (const HistoryStore::Record &record : readPendingFile(pendingPath)) {
        if (unrecorded.records++ == 0 || record.when < unrecorded.first)
            unrecorded.first = record.when.toLocalTime();
        if (record.when > unrecorded.last)
            unrecorded.last = record.when.toLocalTime();
    }
    return unrecorded;
}

HistoryStore::HistoryStore(QString path, QString pendingPath, int busyMilliseconds, Now now)
    : m_path(std::move(path)), m_pendingPath(std::move(pendingPath)), m_busy(busyMilliseconds), m_now(std::move(now)),
      m_connection(QStringLiteral("numbolo-history-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    for (Record &record : readPendingFile(m_pendingPath))
        m_pending.push_back(std::move(record));
    m_pendingFile = QFileInfo::exists(m_pendingPath);
}

HistoryStore::~HistoryStore()
{
    flush();
    if (!m_pending.empty()) {
        QJsonArray records;
        for (const Record &record : m_pending)
            records.append(toJson(record));
        QSaveFile file(m_pendingPath);
        const bool kept = file.open(QIODevice::WriteOnly) && file.setPermissions(QFile::ReadOwner | QFile::WriteOwner)
            && file.write(QJsonDocument(QJsonObject{{"records", records}}).toJson()) >= 0 && file.commit();
        if (!kept) {
            // Nowhere left to keep them: said where whoever started the game can read it.
            tellOnStandardError(QStringLiteral("%1 εγγραφές παιχνιδιού δεν γράφτηκαν στο ιστορικό %2 και χάθηκαν: %3")
                                    .arg(m_pending.size())
                                    .arg(QDir::toNativeSeparators(m_path), file.errorString()));
        }
    }
    if (m_open)
        close({});
}

void HistoryStore::gameStarted(const GameFacts &game)
{
    add({Kind::GameStarted, m_now(), game, {}, GameEnd::Finished, -1});
}

void HistoryStore::exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise)
{
    add({Kind::ExerciseEnded, m_now(), game, exercise, GameEnd::Finished, -1});
}

void HistoryStore::gameEnded(const GameFacts &game, GameEnd end, int percentage)
{
    add({Kind::GameEnded, m_now(), game, {}, end, percentage});
}

void HistoryStore::add(Record record)
{
    m_pending.push_back(std::move(record));
    if (m_pending.size() > MaxPending)
        m_pending.pop_front();
    flush();
}

bool HistoryStore::flush()
{
    if (m_pending.empty() || !open())
        return m_pending.empty();
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    while (!m_pending.empty()) {
        if (!db.transaction()) {
            const QSqlError error = db.lastError();
            db = QSqlDatabase();
            close(error);
            return false;
        }
        QSqlError error;
        if (!write(db, m_pending.front(), &error) || !db.commit()) {
            if (!error.isValid())
                error = db.lastError();
            db.rollback();
            db = QSqlDatabase();
            close(error);
            return false;
        }
        m_pending.pop_front();
    }
    // Every record an earlier store left is in the database now.
    if (m_pendingFile && QFile::remove(m_pendingPath))
        m_pendingFile = false;
    return true;
}

bool HistoryStore::write(QSqlDatabase &db, const Record &record, QSqlError *error)
{
    QVariant game;
    if (!gameRow(db, record, &game, error))
        return false;
    if (record.kind == Kind::GameEnded) {
        return run(db, "UPDATE game SET ended = ?, outcome = ?, result = ? WHERE id = ?",
                   {stamp(record.when), keyOf(GameEndKeys, record.end),
                    record.percentage >= 0 ? QVariant(record.percentage) : QVariant(), game},
                   error);
    }
    if (record.kind == Kind::GameStarted)
        return true;
    const ExerciseFacts &e = record.exercise;
    // Targets and keys only from a draw that was seen whole; none (NULL) otherwise.
    const bool drawn = e.targets.size() == 8;
    QVariant exercise;
    if (!run(db, "DELETE FROM equals_press WHERE exercise IN (SELECT id FROM exercise WHERE game = ? AND number = ?)",
             {game, e.number}, error)
        || !run(db, "DELETE FROM exercise WHERE game = ? AND number = ?", {game, e.number}, error)
        || !run(db,
                "INSERT INTO exercise (game, number, level, outcome, seconds, targets, equals_presses, ended, "
                "shown_targets, keys, operators, day) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id",
                {game, e.number, e.level, keyOf(ExerciseEndKeys, e.end), e.seconds, e.targetsHit, e.equalsPresses,
                 stamp(record.when), drawn ? QVariant(e.targets.join(QLatin1Char(' '))) : QVariant(),
                 drawn ? QVariant(e.keys) : QVariant(), drawn ? QVariant(operatorsOf(e.keys)) : QVariant(),
                 record.when.toLocalTime().date().toString(Qt::ISODate)},
                error, &exercise))
        return false;
    for (const EqualsFacts &press : e.presses) {
        QStringList hit;
        for (int target : press.hit)
            hit << QString::number(target);
        // Qt binds an empty QString that is null as NULL: "=" on an empty display, and a press
        // that hit nothing, are stored as empty texts.
        if (!run(db, "INSERT INTO equals_press (exercise, seconds, value, hit) VALUES (?, ?, ?, ?)",
                 {exercise, press.seconds, press.value.isNull() ? QStringLiteral("") : press.value,
                  hit.isEmpty() ? QStringLiteral("") : hit.join(QLatin1Char(' '))},
                 error))
            return false;
    }
    return true;
}

void HistoryStore::keepFilesPrivate() const
{
    // The folder, the file and a journal a crash left lose the group's and others' rights. The
    // file is made before SQLite opens it, so that SQLite, which gives a new journal the rights of
    // its database, never makes one that others can read.
    const QString folder = QFileInfo(m_path).absolutePath();
    QDir().mkpath(folder);
    QFile(m_path).open(QIODevice::WriteOnly | QIODevice::NewOnly);
    for (const QString &path : {folder, m_path, m_path + QStringLiteral("-journal")})
        if (QFileInfo::exists(path))
            keepPrivate(path);
}

bool HistoryStore::open()
{
    if (m_open)
        return true;
    for (int attempt = 0; attempt < 2; ++attempt) {
        keepFilesPrivate();
        Setup setup;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
            db.setDatabaseName(m_path);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busy));
            if (db.open())
                setup = setUp(db, &m_checkDue, &m_checks);
            else
                setup.error = db.lastError();
            if (setup.ready) {
                m_open = true;
                return true;
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
        const Trouble trouble = troubleOf(setup.error);
        if (trouble == Trouble::TheFile)
            m_checkDue = true;
        if (trouble != Trouble::Damaged || !putDamagedAside())
            return false;
        m_checkDue = false; // a new file, with nothing in it to check
    }
    return false;
}

void HistoryStore::close(const QSqlError &error)
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
    m_open = false;
    // Opened afresh with the next record, checked whole first where the file itself failed.
    if (troubleOf(error) != Trouble::NotNow)
        m_checkDue = true;
}

bool HistoryStore::putDamagedAside()
{
    const QString aside =
        m_path + QStringLiteral(".damaged-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (!QFile::rename(m_path, aside))
        return false;
    // A journal belongs to the damaged file: beside a new one, SQLite would play it back into it.
    for (const char *suffix : {"-journal", "-wal", "-shm"})
        if (QFile::exists(m_path + QLatin1String(suffix)))
            QFile::rename(m_path + QLatin1String(suffix), aside + QLatin1String(suffix));
    m_damagedCopy = aside;
    return true;
}

// ---- Reading -----------------------------------------------------------------------------

int GameRow::solved() const
{
    return int(std::count_if(played.begin(), played.end(), [](const ExerciseRow &e) { return e.end == ExerciseEnd::Solved; }));
}

int GameRow::seconds() const
{
    int total = 0;
    for (const ExerciseRow &e : played)
        total += e.seconds;
    return total;
}

HistoryReader::HistoryReader(const QString &path)
    : m_path(path), m_connection(QStringLiteral("numbolo-reader-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
    if (!QFileInfo::exists(path))
        return;
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000"));
    QSqlQuery query(db);
    // The schema is read first: a file cut short reads as version 0 without it.
    if (!db.open()) {
        fail(db.lastError());
    } else if (!query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master"))
               || !query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        fail(query.lastError());
    } else if (query.value(0).toInt() > HistoryStore::SchemaVersion) {
        m_error = QStringLiteral("Το ιστορικό γράφτηκε από νεότερη έκδοση του προγράμματος.");
    } else {
        m_version = query.value(0).toInt(); // 0: started but still empty
    }
}

HistoryReader::~HistoryReader()
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

QSqlDatabase HistoryReader::database() const
{
    return QSqlDatabase::database(m_connection, false);
}

bool HistoryReader::exec(QSqlQuery &query, const QString &sql)
{
    if (sql.isEmpty() ? query.exec() : query.exec(sql))
        return true;
    fail(query.lastError());
    return false;
}

void HistoryReader::fail(const QSqlError &e)
{
    m_error = QStringLiteral("Το ιστορικό δεν διαβάζεται (%1): %2").arg(QDir::toNativeSeparators(m_path), e.text());
    if (troubleOf(e) == Trouble::Damaged)
        m_error += QStringLiteral(". Το Numbolo θα το φυλάξει στην άκρη, ως αντίγραφο, και θα ξεκινήσει νέο "
                                  "ιστορικό με το επόμενο παιχνίδι.");
}

bool HistoryReader::readGames(QSqlQuery &query, std::vector<GameRow> *games)
{
    QHash<qint64, std::size_t> index;
    while (query.next()) {
        GameRow game;
        game.key = query.value(0).toLongLong();
        game.started = fromStamp(query.value(1));
        game.ended = fromStamp(query.value(2));
        game.exercises = query.value(3).toInt();
        game.range = query.value(4).toInt();
        game.end = valueOf(GameEndKeys, query.value(5).toString());
        game.percentage = query.value(6).isNull() ? -1 : query.value(6).toInt();
        game.secondsPerExercise = query.value(7).toInt();
        game.keyboardTyping = query.value(8).toBool();
        index.insert(game.key, games->size());
        games->push_back(std::move(game));
    }
    if (games->empty())
        return true;
    // The games of a page are a run of rows: their exercises are found through the index on
    // (game, number).
    const auto [low, high] = std::minmax_element(games->begin(), games->end(),
                                                 [](const GameRow &a, const GameRow &b) { return a.key < b.key; });
    QSqlQuery exercises(database());
    exercises.prepare(QStringLiteral("SELECT game, number, level, outcome, seconds, targets, equals_presses, ended "
                                     "FROM exercise WHERE game BETWEEN ? AND ? ORDER BY game, number, id"));
    exercises.addBindValue(low->key);
    exercises.addBindValue(high->key);
    if (!exec(exercises))
        return false;
    while (exercises.next()) {
        const auto at = index.constFind(exercises.value(0).toLongLong());
        if (at == index.constEnd())
            continue;
        ExerciseRow e;
        e.number = exercises.value(1).toInt();
        e.level = exercises.value(2).toDouble();
        e.end = valueOf(ExerciseEndKeys, exercises.value(3).toString()).value_or(ExerciseEnd::Solved);
        e.seconds = exercises.value(4).toInt();
        e.targetsHit = exercises.value(5).toInt();
        e.equalsPresses = exercises.value(6).toInt();
        e.ended = fromStamp(exercises.value(7));
        (*games)[*at].played.push_back(e);
    }
    return true;
}

ExerciseEnd HistoryReader::exerciseEnd(const QVariant &key)
{
    return valueOf(ExerciseEndKeys, key.toString()).value_or(ExerciseEnd::Solved);
}

QString HistoryReader::gameColumns() const
{
    return QStringLiteral("id, started, ended, exercises, target_range, outcome, result, ")
        + (m_version >= 4 ? QStringLiteral("seconds_per_exercise, keyboard_typing") : QStringLiteral("180, 0"));
}

QDateTime HistoryReader::time(const QVariant &stamp)
{
    return fromStamp(stamp);
}

bool readHistory(const QString &path, std::vector<GameRow> *games, QString *error)
{
    games->clear();
    HistoryReader reader(path);
    if (!reader.ready()) {
        *error = reader.error();
        return error->isEmpty();
    }
    QSqlQuery query(reader.database());
    if (!reader.exec(query, QStringLiteral("SELECT %1 FROM game ORDER BY id DESC").arg(reader.gameColumns()))
        || !reader.readGames(query, games)) {
        games->clear();
        *error = reader.error();
        return false;
    }
    return true;
}

QString exerciseEndText(ExerciseEnd end)
{
    switch (end) {
    case ExerciseEnd::Solved: return QStringLiteral("λύθηκε");
    case ExerciseEnd::Skipped: return QStringLiteral("παραλείφθηκε");
    case ExerciseEnd::TimedOut: return QStringLiteral("έληξε ο χρόνος");
    }
    return {};
}

QString resultText(const GameRow &game)
{
    if (!game.end)
        return QStringLiteral("σε εξέλιξη");
    switch (*game.end) {
    case GameEnd::Finished: return game.percentage >= 0 ? QStringLiteral("%1 %").arg(game.percentage) : QString();
    case GameEnd::Restarted: return QStringLiteral("επανεκκίνηση");
    case GameEnd::Abandoned: return QStringLiteral("εγκαταλείφθηκε");
    }
    return {};
}

QByteArray historyCsv(const std::vector<GameRow> &games)
{
    // Every field is a number, a time or one of the texts above: none holds a comma, a quote or
    // a line break, so none is quoted.
    QStringList lines{QStringLiteral("Έναρξη παιχνιδιού,Ασκήσεις,Εύρος,Άσκηση,Επίπεδο,Έκβαση,Δευτερόλεπτα,Στόχοι,Πατήματα =,"
                                     "Αποτέλεσμα %,Χρόνος ανά άσκηση")};
    for (auto game = games.rbegin(); game != games.rend(); ++game) {
        const QString started = game->started.toOffsetFromUtc(game->started.offsetFromUtc()).toString(Qt::ISODate);
        const QString result = game->end == GameEnd::Finished && game->percentage >= 0 ? QString::number(game->percentage)
                                                                                       : resultText(*game);
        const QString gameFields = QStringLiteral("%1,%2,%3,").arg(started).arg(game->exercises).arg(game->range);
        // The seconds of each exercise, empty where there was no time limit.
        const QString limit = game->secondsPerExercise > 0 ? QString::number(game->secondsPerExercise) : QString();
        const QString lastFields = result + QLatin1Char(',') + limit;
        if (game->played.empty())
            lines << gameFields + QStringLiteral(",,,,,,") + lastFields;
        for (const ExerciseRow &e : game->played) {
            lines << gameFields
                    + QStringList{QString::number(e.number), QString::number(e.level, 'g', 6), exerciseEndText(e.end),
                                  QString::number(e.seconds), QString::number(e.targetsHit),
                                  QString::number(e.equalsPresses), lastFields}
                          .join(QLatin1Char(','));
        }
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace numbolo
