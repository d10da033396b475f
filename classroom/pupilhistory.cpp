#include "classroom/pupilhistory.h"

#include "store/historyschema.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QUuid>
#include <QVariant>

namespace numbolo {

namespace {

bool run(QSqlQuery &query, const QVariantList &values, QString *error)
{
    for (const QVariant &value : values)
        query.addBindValue(value);
    if (query.exec())
        return true;
    *error = query.lastError().text().trimmed();
    return false;
}

// One game: its start, or the first of its rows where the start did not arrive.
struct Game {
    QVariant row;
    QDateTime started;
    QDateTime ended;
    QVariant outcome;
    QVariant result;
};

} // namespace

bool copyPupilHistory(QSqlDatabase school, const QString &className, const QString &pupil, const QString &profile,
                      const QString &path, QString *error)
{
    QSqlQuery read(school);
    read.setForwardOnly(true);
    read.prepare(QStringLiteral(
        "SELECT r.kind, r.at, r.game, r.exercises, r.target_range, r.seconds_per_exercise, r.keyboard_typing, r.number, "
        "r.level, r.outcome, r.seconds, r.targets, r.equals_presses, r.shown_targets, r.keys, r.operators, "
        "r.presses::text, r.result FROM numbolo.record r JOIN (SELECT game, min(at) AS first FROM numbolo.record "
        "WHERE class = ? AND pupil = ? AND profile = ? GROUP BY game) g ON g.game = r.game "
        "WHERE r.class = ? AND r.pupil = ? AND r.profile = ? "
        "ORDER BY g.first, r.game, CASE r.kind WHEN 'game' THEN 0 WHEN 'exercise' THEN 1 ELSE 2 END, r.number"));
    // Qt binds a null QString as NULL, which no row equals: the account's one player has the
    // profile "".
    for (int i = 0; i < 2; ++i)
        for (const QString &value : {className, pupil, profile})
            read.addBindValue(value.isNull() ? QStringLiteral("") : value);
    if (!read.exec()) {
        *error = read.lastError().text().trimmed();
        return false;
    }

    const QString name = QStringLiteral("numbolo-pupil-") + QUuid::createUuid().toString(QUuid::WithoutBraces);
    bool copied = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        bool checkDue = false;
        int checks = 0;
        const Setup setup = db.open() ? setUp(db, &checkDue, &checks) : Setup{false, db.lastError()};
        if (!setup.ready || !db.transaction()) {
            *error = setup.error.text().isEmpty() ? db.lastError().text() : setup.error.text();
        } else {
            QSqlQuery addGame(db), endGame(db), addExercise(db), addPress(db);
            addGame.prepare(QStringLiteral("INSERT INTO game (started, exercises, target_range, uuid, seconds_per_exercise, "
                                           "keyboard_typing) VALUES (?, ?, ?, ?, ?, ?) RETURNING id"));
            endGame.prepare(QStringLiteral("UPDATE game SET ended = ?, outcome = ?, result = ? WHERE id = ?"));
            addExercise.prepare(QStringLiteral(
                "INSERT INTO exercise (game, number, level, outcome, seconds, targets, equals_presses, ended, "
                "shown_targets, keys, operators, day) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?) RETURNING id"));
            addPress.prepare(QStringLiteral("INSERT INTO equals_press (exercise, seconds, value, hit) VALUES (?, ?, ?, ?)"));
            QString gameId;
            Game game;
            // Ends the game read before: as recorded, or abandoned at its last row where a later
            // game began.
            const auto close = [&](bool latest) {
                if (!game.row.isValid() || (latest && game.outcome.isNull()))
                    return true;
                const QVariant outcome = game.outcome.isNull() ? QVariant(keyOf(GameEndKeys, GameEnd::Abandoned)) : game.outcome;
                return run(endGame, {stamp(game.ended), outcome, game.result, game.row}, error);
            };
            bool ok = true;
            while (ok && read.next()) {
                const QString kind = read.value(0).toString();
                const QDateTime at = read.value(1).toDateTime();
                if (read.value(2).toString() != gameId) {
                    ok = close(false);
                    gameId = read.value(2).toString();
                    game = {};
                    ok = ok
                        && run(addGame,
                               {stamp(at), read.value(3), read.value(4), gameId, read.value(5), read.value(6).toBool() ? 1 : 0},
                               error);
                    if (ok) {
                        addGame.next();
                        game.row = addGame.value(0);
                        addGame.finish();
                    }
                }
                game.ended = at;
                if (kind == QLatin1String("end")) {
                    game.outcome = read.value(9);
                    game.result = read.value(17);
                }
                if (!ok || kind != QLatin1String("exercise"))
                    continue;
                ok = run(addExercise,
                         {game.row, read.value(7), read.value(8), read.value(9), read.value(10), read.value(11),
                          read.value(12), stamp(at), read.value(13), read.value(14), read.value(15),
                          at.toLocalTime().date().toString(Qt::ISODate)},
                         error);
                if (!ok)
                    break;
                addExercise.next();
                const QVariant exercise = addExercise.value(0);
                addExercise.finish();
                for (const QJsonValue value : QJsonDocument::fromJson(read.value(16).toString().toUtf8()).array()) {
                    const QJsonObject press = value.toObject();
                    QStringList hit;
                    for (const QJsonValue target : press.value(QStringLiteral("hit")).toArray())
                        hit << QString::number(target.toInt());
                    ok = ok
                        && run(addPress,
                               {exercise, press.value(QStringLiteral("seconds")).toInt(),
                                press.value(QStringLiteral("value")).toString(QStringLiteral("")),
                                hit.isEmpty() ? QStringLiteral("") : hit.join(QLatin1Char(' '))},
                               error);
                }
            }
            ok = ok && close(true);
            copied = ok && db.commit();
            if (!copied) {
                if (error->isEmpty())
                    *error = db.lastError().text();
                db.rollback();
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return copied;
}

} // namespace numbolo
