#include "classstore/classsending.h"

#include "store/historyschema.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

namespace numbolo {

namespace {

// Rows a statement inserts: a round trip to the server each, so a backlog of weeks goes in few.
constexpr std::size_t RowsPerStatement = 200;

const char *const Columns = "profile, id, class, kind, at, game, exercises, target_range, seconds_per_exercise, "
                            "keyboard_typing, number, level, outcome, seconds, targets, equals_presses, "
                            "shown_targets, keys, operators, presses, result";
const char *const Placeholders = "(?, ?::uuid, ?, ?, ?::timestamptz, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?::jsonb, ?)";

QString kindOf(HistoryStore::Kind kind)
{
    switch (kind) {
    case HistoryStore::Kind::GameStarted:
        return QStringLiteral("game");
    case HistoryStore::Kind::ExerciseEnded:
        return QStringLiteral("exercise");
    case HistoryStore::Kind::GameEnded:
        return QStringLiteral("end");
    }
    return {};
}

QString pressesJson(const std::vector<EqualsFacts> &presses)
{
    QJsonArray array;
    for (const EqualsFacts &press : presses) {
        QJsonArray hit;
        for (int target : press.hit)
            hit.append(target);
        array.append(QJsonObject{{"seconds", press.seconds}, {"value", press.value}, {"hit", hit}});
    }
    return QString::fromUtf8(QJsonDocument(array).toJson(QJsonDocument::Compact));
}

void bind(QSqlQuery &query, const ClassRecord &c)
{
    const HistoryStore::Record &r = c.record;
    const bool exercise = r.kind == HistoryStore::Kind::ExerciseEnded;
    const bool drawn = exercise && r.exercise.targets.size() == 8;
    const QVariant none;
    const auto when = [&](bool is, const QVariant &value) { return is ? value : none; };
    const QVariant values[] = {
        c.profile.isNull() ? QStringLiteral("") : c.profile,
        c.id.toString(QUuid::WithoutBraces),
        c.className.isNull() ? QStringLiteral("") : c.className,
        kindOf(r.kind),
        r.when.toUTC().toString(Qt::ISODateWithMs),
        r.game.id.isEmpty() ? c.id.toString(QUuid::WithoutBraces) : r.game.id,
        r.game.exercises,
        r.game.range,
        r.game.secondsPerExercise,
        r.game.keyboardTyping,
        when(exercise, r.exercise.number),
        when(exercise, r.exercise.level),
        exercise ? QVariant(keyOf(ExerciseEndKeys, r.exercise.end))
                 : r.kind == HistoryStore::Kind::GameEnded ? QVariant(keyOf(GameEndKeys, r.end)) : none,
        when(exercise, r.exercise.seconds),
        when(exercise, r.exercise.targetsHit),
        when(exercise, r.exercise.equalsPresses),
        when(drawn, r.exercise.targets.join(QLatin1Char(' '))),
        when(drawn, r.exercise.keys),
        when(drawn, operatorsOf(r.exercise.keys)),
        when(exercise, pressesJson(r.exercise.presses)),
        when(r.kind == HistoryStore::Kind::GameEnded && r.percentage >= 0, r.percentage),
    };
    for (const QVariant &value : values)
        query.addBindValue(value);
}

} // namespace

bool storeRecords(QSqlDatabase db, const std::vector<ClassRecord> &records, QString *error)
{
    if (!db.transaction()) {
        *error = db.lastError().text();
        return false;
    }
    for (std::size_t first = 0; first < records.size(); first += RowsPerStatement) {
        const std::size_t count = std::min(RowsPerStatement, records.size() - first);
        QStringList rows;
        for (std::size_t i = 0; i < count; ++i)
            rows << QString::fromLatin1(Placeholders);
        QSqlQuery query(db);
        query.prepare(QStringLiteral("INSERT INTO numbolo.record (%1) VALUES %2 ON CONFLICT DO NOTHING")
                          .arg(QLatin1String(Columns), rows.join(QLatin1String(", "))));
        for (std::size_t i = first; i < first + count; ++i)
            bind(query, records[i]);
        if (!query.exec()) {
            *error = query.lastError().text();
            db.rollback();
            return false;
        }
    }
    if (!db.commit()) {
        *error = db.lastError().text();
        db.rollback();
        return false;
    }
    return true;
}

} // namespace numbolo
