#include "classroom/classfigures.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSet>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QTimeZone>
#include <QVariant>

#include <algorithm>
#include <map>

namespace numbolo {

namespace {

bool failed(const QSqlQuery &query, QString *error)
{
    *error = query.lastError().text().trimmed();
    return false;
}

// The exercises' groups by `column`, the share solved of each.
bool readGroups(QSqlDatabase school, const QString &column, bool isRange, std::vector<ClassGroup> *groups, QString *error)
{
    QSqlQuery query(school);
    query.setForwardOnly(true);
    if (!query.exec(QStringLiteral("SELECT %1::text, count(*), count(*) FILTER (WHERE outcome = 'solved') "
                                   "FROM numbolo.record WHERE kind = 'exercise' AND %1 IS NOT NULL AND %1::text <> '' "
                                   "GROUP BY %1 ORDER BY %1")
                        .arg(column)))
        return failed(query, error);
    const auto first = std::ptrdiff_t(groups->size());
    while (query.next())
        groups->push_back({query.value(0).toString(), isRange, query.value(1).toInt(), query.value(2).toInt()});
    // Operators by their text as Qt orders it, whatever the server's collation.
    if (!isRange)
        std::sort(groups->begin() + first, groups->end(),
                  [](const ClassGroup &a, const ClassGroup &b) { return a.name < b.name; });
    return true;
}

// One pass over the class's exercises counts each pupil's figures per day, per time to solve
// and per operators (hashed, where grouping by pupil straight away sorts every exercise by its
// names); the rows per pupil are then few. The median is percentile_cont's, read off the times'
// counts: the mean of the values at (n - 1) / 2 and n / 2 rounded down.
bool readPupils(QSqlDatabase school, const QDateTime &weekStart, std::vector<PupilRow> *pupils, QString *error)
{
    QSqlQuery query(school);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "WITH g AS (SELECT class, pupil, profile, grouping(at::date, seconds, operators) AS grain, "
        "seconds, operators, count(*) AS played, count(*) FILTER (WHERE outcome = 'solved') AS solved, "
        "count(*) FILTER (WHERE at >= ?) AS week, count(*) FILTER (WHERE at >= ? AND outcome = 'solved') AS week_solved, "
        "sum(targets) AS targets, max(at) AS last FROM numbolo.record WHERE kind = 'exercise' "
        "GROUP BY GROUPING SETS ((class, pupil, profile, at::date), (class, pupil, profile, seconds), "
        "(class, pupil, profile, operators))), "
        "days AS (SELECT class, pupil, profile, sum(played)::bigint AS played, sum(solved)::bigint AS solved, "
        "sum(week)::bigint AS week, sum(week_solved)::bigint AS week_solved, "
        "coalesce(sum(targets), 0)::bigint AS targets, count(*) AS days, max(last) AS last "
        "FROM g WHERE grain = 3 GROUP BY class, pupil, profile), "
        "times AS (SELECT class, pupil, profile, seconds, solved, "
        "sum(solved) OVER (PARTITION BY class, pupil, profile ORDER BY seconds) - solved AS below, "
        "sum(solved) OVER (PARTITION BY class, pupil, profile) AS n "
        "FROM g WHERE grain = 5 AND seconds IS NOT NULL AND solved > 0), "
        "medians AS (SELECT class, pupil, profile, "
        "min(seconds) FILTER (WHERE below <= (n - 1) / 2 AND (n - 1) / 2 < below + solved)::float8 AS low, "
        "min(seconds) FILTER (WHERE below <= n / 2 AND n / 2 < below + solved)::float8 AS high "
        "FROM times GROUP BY class, pupil, profile), "
        // Each pupil's lowest share solved among the operators played often enough; the more
        // played first where shares are equal.
        "hardest AS (SELECT DISTINCT ON (class, pupil, profile) class, pupil, profile, operators FROM g "
        "WHERE grain = 6 AND operators IS NOT NULL AND operators <> '' AND played >= ? "
        "ORDER BY class, pupil, profile, solved::float8 / played, played DESC, operators) "
        "SELECT d.class, d.pupil, d.profile, d.played, d.solved, d.week, d.week_solved, d.targets, "
        "m.low + (m.high - m.low) * 0.5, d.days, d.last, h.operators FROM days d "
        "LEFT JOIN medians m ON (m.class, m.pupil, m.profile) = (d.class, d.pupil, d.profile) "
        "LEFT JOIN hardest h ON (h.class, h.pupil, h.profile) = (d.class, d.pupil, d.profile) "
        "ORDER BY d.class, d.pupil, d.profile"));
    const QString week = weekStart.toUTC().toString(Qt::ISODate);
    query.addBindValue(week);
    query.addBindValue(week);
    query.addBindValue(HardestAfter);
    if (!query.exec())
        return failed(query, error);
    while (query.next()) {
        PupilRow row{query.value(0).toString(), query.value(1).toString(), query.value(2).toString(),
                     query.value(3).toInt(),    query.value(4).toInt(),    query.value(5).toInt(),
                     query.value(6).toInt(),    query.value(7).toInt(),
                     {},                        query.value(9).toInt(),    query.value(10).toDateTime().toLocalTime(),
                     query.value(11).toString()};
        if (!query.value(8).isNull())
            row.medianSeconds = query.value(8).toDouble();
        pupils->push_back(std::move(row));
    }
    return true;
}

// The targets not hit by any "=" of the exercises since `since` that left some unhit.
bool readMissed(QSqlDatabase school, const QDateTime &since, std::vector<MissedTarget> *missed, QString *error)
{
    QSqlQuery query(school);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT shown_targets, keys, presses::text FROM numbolo.record WHERE kind = 'exercise' "
                                 "AND shown_targets IS NOT NULL AND at >= ? ORDER BY at DESC"));
    query.addBindValue(since.toUTC().toString(Qt::ISODate));
    if (!query.exec())
        return failed(query, error);
    std::map<QString, MissedTarget> byTarget;
    while (query.next()) {
        const QStringList targets = query.value(0).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        QSet<int> hit;
        for (const QJsonValue press : QJsonDocument::fromJson(query.value(2).toString().toUtf8()).array())
            for (const QJsonValue index : press.toObject().value(QStringLiteral("hit")).toArray())
                hit.insert(index.toInt());
        for (int i = 0; i < targets.size(); ++i) {
            if (hit.contains(i))
                continue;
            MissedTarget &target = byTarget[targets[i]];
            if (target.missed++ == 0) {
                target.target = targets[i];
                target.keys = query.value(1).toString(); // the latest, read first
            }
        }
    }
    for (auto &[text, target] : byTarget)
        missed->push_back(std::move(target));
    std::stable_sort(missed->begin(), missed->end(), [](const MissedTarget &a, const MissedTarget &b) {
        if (a.missed != b.missed)
            return a.missed > b.missed;
        return a.target.toInt() < b.target.toInt();
    });
    if (missed->size() > std::size_t(MissedListed))
        missed->resize(MissedListed);
    return true;
}

} // namespace

bool readClassFigures(QSqlDatabase school, const QDate &today, ClassFigures *figures, QString *error)
{
    // Days and weeks are the teacher's, in the local time zone; a zone the server does not know
    // leaves the server's.
    QSqlQuery zone(school);
    zone.prepare(QStringLiteral("SELECT set_config('TimeZone', ?, false)"));
    zone.addBindValue(QString::fromUtf8(QTimeZone::systemTimeZoneId()));
    if (!zone.exec())
        school.rollback();
    // Room for the pupils' pass to hash a class's year in memory rather than sort it on disk.
    QSqlQuery room(school);
    if (!room.exec(QStringLiteral("SELECT set_config('work_mem', '32MB', false)")))
        school.rollback();
    const QDateTime weekStart = today.addDays(1 - today.dayOfWeek()).startOfDay();
    *figures = {};
    return readPupils(school, weekStart, &figures->pupils, error)
        && readGroups(school, QStringLiteral("operators"), false, &figures->groups, error)
        && readGroups(school, QStringLiteral("target_range"), true, &figures->groups, error)
        && readMissed(school, today.addDays(-7 * MissedWeeks).startOfDay(), &figures->missed, error);
}

} // namespace numbolo
