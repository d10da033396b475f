#include "history/historystore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>
#include <QVariant>

#include <algorithm>

namespace numbolo {

namespace {

// SQLite's result codes for a file that is not a sound database.
constexpr int SqliteCorrupt = 11;
constexpr int SqliteNotADatabase = 26;

bool damaged(const QSqlError &error)
{
    const int code = error.nativeErrorCode().toInt() & 0xff; // extended codes carry the primary one
    return code == SqliteCorrupt || code == SqliteNotADatabase;
}

const char *const Schema[] = {
    "CREATE TABLE IF NOT EXISTS game ("
    " id INTEGER PRIMARY KEY,"
    " started TEXT NOT NULL,"        // ISO 8601, UTC
    " ended TEXT,"
    " exercises INTEGER NOT NULL,"
    " target_range INTEGER NOT NULL,"
    " outcome TEXT,"                 // 'finished', 'restarted', NULL while under way
    " result INTEGER)",              // the percentage shown at the end
    "CREATE TABLE IF NOT EXISTS exercise ("
    " id INTEGER PRIMARY KEY,"
    " game INTEGER NOT NULL REFERENCES game(id),"
    " number INTEGER NOT NULL,"
    " level REAL NOT NULL,"
    " outcome TEXT NOT NULL,"        // 'solved', 'skipped', 'timeout'
    " seconds INTEGER NOT NULL,"
    " targets INTEGER NOT NULL,"
    " equals_presses INTEGER NOT NULL,"
    " ended TEXT NOT NULL)",
    "CREATE INDEX IF NOT EXISTS exercise_game ON exercise(game)",
};

enum class Setup { Ready, Failed, Damaged };

Setup setUp(QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA quick_check")))
        return damaged(query.lastError()) ? Setup::Damaged : Setup::Failed;
    if (!query.next() || query.value(0).toString() != QLatin1String("ok"))
        return Setup::Damaged;
    query.finish();
    // A journal beside the file lets the progress window read while the game writes; every
    // commit still reaches the disk before it returns.
    query.exec(QStringLiteral("PRAGMA journal_mode=WAL"));
    query.exec(QStringLiteral("PRAGMA synchronous=FULL"));
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next())
        return damaged(query.lastError()) ? Setup::Damaged : Setup::Failed;
    const int version = query.value(0).toInt();
    query.finish();
    if (version == HistoryStore::SchemaVersion)
        return Setup::Ready;
    if (version != 0) // a later program's schema: left as it is
        return Setup::Failed;
    if (!db.transaction())
        return Setup::Failed;
    for (const char *statement : Schema) {
        if (!query.exec(QString::fromLatin1(statement))) {
            db.rollback();
            return damaged(query.lastError()) ? Setup::Damaged : Setup::Failed;
        }
    }
    if (!query.exec(QStringLiteral("PRAGMA user_version = %1").arg(HistoryStore::SchemaVersion)) || !db.commit()) {
        db.rollback();
        return Setup::Failed;
    }
    return Setup::Ready;
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

const char *exerciseEndKey(ExerciseEnd end)
{
    switch (end) {
    case ExerciseEnd::Solved: return "solved";
    case ExerciseEnd::Skipped: return "skipped";
    case ExerciseEnd::TimedOut: return "timeout";
    }
    return "solved";
}

QVariant openGame(QSqlDatabase &db)
{
    QSqlQuery query(db);
    if (query.exec(QStringLiteral("SELECT id FROM game WHERE outcome IS NULL ORDER BY id DESC LIMIT 1")) && query.next())
        return query.value(0);
    return {};
}

bool insertGame(QSqlDatabase &db, const QDateTime &when, const GameFacts &game, QVariant *id)
{
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO game (started, exercises, target_range) VALUES (?, ?, ?)"));
    query.addBindValue(stamp(when));
    query.addBindValue(game.exercises);
    query.addBindValue(game.range);
    if (!query.exec())
        return false;
    if (id != nullptr)
        *id = query.lastInsertId();
    return true;
}

} // namespace

HistoryStore::HistoryStore(QString path, int busyMilliseconds, Now now)
    : m_path(std::move(path)), m_busy(busyMilliseconds), m_now(std::move(now)),
      m_connection(QStringLiteral("numbolo-history-") + QUuid::createUuid().toString(QUuid::WithoutBraces))
{
}

HistoryStore::~HistoryStore()
{
    close();
}

void HistoryStore::gameStarted(const GameFacts &game)
{
    add({Kind::GameStarted, m_now(), game, {}, GameEnd::Finished, -1});
}

void HistoryStore::exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise)
{
    add({Kind::ExerciseEnded, m_now(), game, exercise, GameEnd::Finished, -1});
}

void HistoryStore::gameEnded(GameEnd end, int percentage)
{
    add({Kind::GameEnded, m_now(), {}, {}, end, percentage});
}

void HistoryStore::add(Record record)
{
    m_pending.push_back(std::move(record));
    if (m_pending.size() > MaxPending)
        m_pending.pop_front();
    if (!open())
        return;
    QSqlDatabase db = QSqlDatabase::database(m_connection, false);
    while (!m_pending.empty()) {
        if (!db.transaction()) {
            close();
            return;
        }
        if (!write(db, m_pending.front()) || !db.commit()) {
            db.rollback();
            // Opened afresh at the next record, which checks the file again.
            db = QSqlDatabase();
            close();
            return;
        }
        m_pending.pop_front();
    }
}

bool HistoryStore::write(QSqlDatabase &db, const Record &record)
{
    QVariant game = openGame(db);
    if (record.kind == Kind::GameStarted)
        return insertGame(db, record.when, record.game, nullptr);
    if (record.kind == Kind::GameEnded) {
        if (game.isNull())
            return true; // no game under way to end
        QSqlQuery query(db);
        query.prepare(QStringLiteral("UPDATE game SET ended = ?, outcome = ?, result = ? WHERE id = ?"));
        query.addBindValue(stamp(record.when));
        query.addBindValue(QString::fromLatin1(record.end == GameEnd::Finished ? "finished" : "restarted"));
        query.addBindValue(record.percentage >= 0 ? QVariant(record.percentage) : QVariant());
        query.addBindValue(game);
        return query.exec();
    }
    if (game.isNull() && !insertGame(db, record.when, record.game, &game))
        return false;
    const ExerciseFacts &e = record.exercise;
    QSqlQuery query(db);
    query.prepare(QStringLiteral("INSERT INTO exercise (game, number, level, outcome, seconds, targets, equals_presses, "
                                 "ended) VALUES (?, ?, ?, ?, ?, ?, ?, ?)"));
    query.addBindValue(game);
    query.addBindValue(e.number);
    query.addBindValue(e.level);
    query.addBindValue(QString::fromLatin1(exerciseEndKey(e.end)));
    query.addBindValue(e.seconds);
    query.addBindValue(e.targetsHit);
    query.addBindValue(e.equalsPresses);
    query.addBindValue(stamp(record.when));
    return query.exec();
}

bool HistoryStore::open()
{
    if (m_open)
        return true;
    QDir().mkpath(QFileInfo(m_path).absolutePath());
    for (int attempt = 0; attempt < 2; ++attempt) {
        Setup setup = Setup::Failed;
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
            db.setDatabaseName(m_path);
            db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_busy));
            if (db.open())
                setup = setUp(db);
            if (setup == Setup::Ready) {
                m_open = true;
                return true;
            }
            db.close();
        }
        QSqlDatabase::removeDatabase(m_connection);
        if (setup != Setup::Damaged || !putDamagedAside())
            return false;
    }
    return false;
}

void HistoryStore::close()
{
    if (QSqlDatabase::contains(m_connection)) {
        QSqlDatabase::database(m_connection, false).close();
        QSqlDatabase::removeDatabase(m_connection);
    }
    m_open = false;
}

bool HistoryStore::putDamagedAside()
{
    const QString aside =
        m_path + QStringLiteral(".damaged-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    if (!QFile::rename(m_path, aside))
        return false;
    // The journal files belong to the damaged file.
    for (const char *suffix : {"-wal", "-shm"})
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

bool readHistory(const QString &path, std::vector<GameRow> *games, QString *error)
{
    games->clear();
    if (!QFileInfo::exists(path))
        return true;
    const QString connection = QStringLiteral("numbolo-reader-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool read = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=1000"));
        QSqlQuery query(db);
        QHash<qint64, std::size_t> index;
        const auto failed = [&](const QSqlError &e) {
            *error = QStringLiteral("Το ιστορικό δεν διαβάζεται (%1): %2")
                         .arg(QDir::toNativeSeparators(path), e.text());
        };
        if (!db.open()) {
            failed(db.lastError());
        } else if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
            failed(query.lastError());
        } else if (query.value(0).toInt() == 0) {
            read = true; // started but still empty
        } else if (query.value(0).toInt() > HistoryStore::SchemaVersion) {
            *error = QStringLiteral("Το ιστορικό γράφτηκε από νεότερη έκδοση του προγράμματος.");
        } else if (!query.exec(QStringLiteral("SELECT id, started, ended, exercises, target_range, outcome, result "
                                              "FROM game ORDER BY id DESC"))) {
            failed(query.lastError());
        } else {
            while (query.next()) {
                GameRow game;
                game.started = fromStamp(query.value(1));
                game.ended = fromStamp(query.value(2));
                game.exercises = query.value(3).toInt();
                game.range = query.value(4).toInt();
                const QString outcome = query.value(5).toString();
                if (outcome == QLatin1String("finished"))
                    game.end = GameEnd::Finished;
                else if (outcome == QLatin1String("restarted"))
                    game.end = GameEnd::Restarted;
                game.percentage = query.value(6).isNull() ? -1 : query.value(6).toInt();
                index.insert(query.value(0).toLongLong(), games->size());
                games->push_back(std::move(game));
            }
            if (!query.exec(QStringLiteral("SELECT game, number, level, outcome, seconds, targets, equals_presses, ended "
                                           "FROM exercise ORDER BY id"))) {
                failed(query.lastError());
            } else {
                while (query.next()) {
                    const auto at = index.constFind(query.value(0).toLongLong());
                    if (at == index.constEnd())
                        continue;
                    ExerciseRow e;
                    e.number = query.value(1).toInt();
                    e.level = query.value(2).toDouble();
                    const QString outcome = query.value(3).toString();
                    e.end = outcome == QLatin1String("skipped") ? ExerciseEnd::Skipped
                        : outcome == QLatin1String("timeout")   ? ExerciseEnd::TimedOut
                                                                : ExerciseEnd::Solved;
                    e.seconds = query.value(4).toInt();
                    e.targetsHit = query.value(5).toInt();
                    e.equalsPresses = query.value(6).toInt();
                    e.ended = fromStamp(query.value(7));
                    (*games)[*at].played.push_back(e);
                }
                read = true;
            }
        }
        query.finish();
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    if (!read)
        games->clear();
    return read;
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

namespace {

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

} // namespace

QByteArray historyCsv(const std::vector<GameRow> &games)
{
    QStringList lines{QStringLiteral("Έναρξη παιχνιδιού,Ασκήσεις,Εύρος,Άσκηση,Επίπεδο,Έκβαση,Δευτερόλεπτα,Στόχοι,Πατήματα =,"
                                     "Αποτέλεσμα %")};
    for (auto game = games.rbegin(); game != games.rend(); ++game) {
        const QString result = game->percentage >= 0 ? QString::number(game->percentage) : QString();
        for (const ExerciseRow &e : game->played) {
            const QStringList fields{game->started.toString(Qt::ISODate), QString::number(game->exercises),
                                     QString::number(game->range), QString::number(e.number),
                                     QString::number(e.level, 'g', 6), exerciseEndText(e.end),
                                     QString::number(e.seconds), QString::number(e.targetsHit),
                                     QString::number(e.equalsPresses), result};
            QStringList row;
            for (const QString &field : fields)
                row << csvField(field);
            lines << row.join(QLatin1Char(','));
        }
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace numbolo
