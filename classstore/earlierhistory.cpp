#include "classstore/earlierhistory.h"

#include "store/historyreader.h"
#include "store/historyschema.h"

#include <QFileInfo>
#include <QHash>
#include <QSqlQuery>
#include <QVariant>

namespace numbolo {

namespace {

// Every "=" of each exercise of the history, by the exercise's row.
bool readPresses(HistoryReader &reader, QHash<qint64, std::vector<EqualsFacts>> *presses)
{
    if (reader.version() < 3)
        return true;
    QSqlQuery query(reader.database());
    query.setForwardOnly(true);
    if (!reader.exec(query, QStringLiteral("SELECT exercise, seconds, value, hit FROM equals_press ORDER BY rowid")))
        return false;
    while (query.next()) {
        EqualsFacts press{query.value(1).toInt(), query.value(2).toString(), {}};
        for (const QString &hit : query.value(3).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts))
            press.hit.push_back(hit.toInt());
        (*presses)[query.value(0).toLongLong()].push_back(std::move(press));
    }
    return true;
}

} // namespace

bool readEarlierHistory(const QString &historyPath, std::vector<HistoryStore::Record> *records)
{
    if (!QFileInfo::exists(historyPath))
        return true;
    HistoryReader reader(historyPath);
    if (!reader.ready())
        return !reader.error().failed();
    const int version = reader.version();
    QHash<qint64, std::vector<EqualsFacts>> presses;
    if (!readPresses(reader, &presses))
        return false;
    QSqlQuery games(reader.database());
    games.setForwardOnly(true);
    if (!reader.exec(games, QStringLiteral("SELECT id, %1, started, ended, exercises, target_range, outcome, result, %2 "
                                           "FROM game ORDER BY id")
                                .arg(version >= 2 ? QStringLiteral("uuid") : QStringLiteral("NULL"),
                                     version >= 4 ? QStringLiteral("seconds_per_exercise, keyboard_typing")
                                                  : QStringLiteral("180, 0"))))
        return false;
    QSqlQuery exercises(reader.database());
    exercises.prepare(QStringLiteral("SELECT id, number, level, outcome, seconds, targets, equals_presses, ended, %1 "
                                     "FROM exercise WHERE game = ? ORDER BY number")
                          .arg(version >= 3 ? QStringLiteral("shown_targets, keys") : QStringLiteral("NULL, NULL")));
    while (games.next()) {
        GameFacts game{games.value(4).toInt(), games.value(5).toInt(), games.value(1).toString(), games.value(8).toInt(),
                       games.value(9).toInt() != 0};
        if (game.id.isEmpty())
            game.id = QStringLiteral("row-%1-%2").arg(games.value(0).toLongLong()).arg(games.value(2).toString());
        records->push_back({HistoryStore::Kind::GameStarted, fromStamp(games.value(2)), game, {}, GameEnd::Finished, -1});
        exercises.addBindValue(games.value(0));
        if (!reader.exec(exercises))
            return false;
        while (exercises.next()) {
            const auto end = valueOf(ExerciseEndKeys, exercises.value(3).toString());
            if (!end)
                continue;
            ExerciseFacts e;
            e.number = exercises.value(1).toInt();
            e.level = exercises.value(2).toDouble();
            e.end = *end;
            e.seconds = exercises.value(4).toInt();
            e.targetsHit = exercises.value(5).toInt();
            e.equalsPresses = exercises.value(6).toInt();
            if (!exercises.value(8).isNull()) {
                e.targets = exercises.value(8).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
                e.keys = exercises.value(9).toString();
                e.presses = presses.value(exercises.value(0).toLongLong());
            }
            records->push_back({HistoryStore::Kind::ExerciseEnded, fromStamp(exercises.value(7)), game, e,
                                GameEnd::Finished, -1});
        }
        if (const auto end = valueOf(GameEndKeys, games.value(6).toString())) {
            const QVariant ended = games.value(3).isNull() ? games.value(2) : games.value(3);
            records->push_back({HistoryStore::Kind::GameEnded, fromStamp(ended), game, {}, *end,
                                games.value(7).isNull() ? -1 : games.value(7).toInt()});
        }
    }
    return true;
}

} // namespace numbolo
