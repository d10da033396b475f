#include "store/historyreader.h"
#include "store/historyschema.h"

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
    } else if (query.value(0).toInt() > HistorySchemaVersion) {
        m_error.kind = ReadError::Kind::NewerVersion;
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
    m_error = {troubleOf(e) == Trouble::Damaged ? ReadError::Kind::Damaged : ReadError::Kind::Unreadable, m_path, e.text()};
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

} // namespace numbolo
