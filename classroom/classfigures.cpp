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

// One pass over the class's exercises counts each pupil's figures per day, per time to solve
// and per operators and range (hashed, where grouping by pupil straight away sorts every
// exercise by its names); the rows per pupil are then few, and the class's groups are their
// sums. The median is percentile_cont's, read off the times' counts: the mean of the values at
// (n - 1) / 2 and n / 2 rounded down. Rows of part 0 are the pupils, 1 the operators, 2 the ranges.
bool readPupilsAndGroups(QSqlDatabase school, const QDateTime &weekStart, ClassFigures *figures, QString *error)
{
    QSqlQuery query(school);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral(
        "WITH g AS (SELECT class, pupil, profile, grouping(at::date, seconds, operators) AS grain, "
        "seconds, operators, target_range, count(*) AS played, count(*) FILTER (WHERE outcome = 'solved') AS solved, "
        "count(*) FILTER (WHERE at >= ?) AS week, count(*) FILTER (WHERE at >= ? AND outcome = 'solved') AS week_solved, "
        "sum(targets) AS targets, max(at) AS last FROM numbolo.record WHERE kind = 'exercise' "
        "GROUP BY GROUPING SETS ((class, pupil, profile, at::date), (class, pupil, profile, seconds), "
        "(class, pupil, profile, operators, target_range))), "
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
        "operated AS (SELECT class, pupil, profile, operators, sum(played) AS played, sum(solved) AS solved FROM g "
        "WHERE grain = 6 AND operators IS NOT NULL AND operators <> '' GROUP BY class, pupil, profile, operators), "
        "hardest AS (SELECT DISTINCT ON (class, pupil, profile) class, pupil, profile, operators FROM operated "
        "WHERE played >= ? ORDER BY class, pupil, profile, solved::float8 / played, played DESC, operators) "
        "SELECT 0 AS part, d.class, d.pupil, d.profile, d.played, d.solved, d.week, d.week_solved, d.targets, "
        "m.low + (m.high - m.low) * 0.5, d.days, d.last, h.operators, NULL::integer AS kept_range FROM days d "
        "LEFT JOIN medians m ON (m.class, m.pupil, m.profile) = (d.class, d.pupil, d.profile) "
        "LEFT JOIN hardest h ON (h.class, h.pupil, h.profile) = (d.class, d.pupil, d.profile) "
        "UNION ALL SELECT 1, NULL, NULL, NULL, sum(played)::bigint, sum(solved)::bigint, NULL, NULL, NULL, NULL, NULL, "
        "NULL, operators, NULL FROM operated GROUP BY operators "
        "UNION ALL SELECT 2, NULL, NULL, NULL, sum(played)::bigint, sum(solved)::bigint, NULL, NULL, NULL, NULL, NULL, "
        "NULL, target_range::text, target_range FROM g WHERE grain = 6 GROUP BY target_range "
        "ORDER BY part, class, pupil, profile, kept_range"));
    const QString week = weekStart.toUTC().toString(Qt::ISODate);
    query.addBindValue(week);
    query.addBindValue(week);
    query.addBindValue(HardestAfter);
    if (!query.exec())
        return failed(query, error);
    while (query.next()) {
        const int part = query.value(0).toInt();
        if (part > 0) {
            figures->groups.push_back({query.value(12).toString(), part == 2, query.value(4).toInt(), query.value(5).toInt()});
            continue;
        }
        PupilRow row{query.value(1).toString(), query.value(2).toString(), query.value(3).toString(),
                     query.value(4).toInt(),    query.value(5).toInt(),    query.value(6).toInt(),
                     query.value(7).toInt(),    query.value(8).toInt(),
                     {},                        query.value(10).toInt(),   query.value(11).toDateTime().toLocalTime(),
                     query.value(12).toString()};
        if (!query.value(9).isNull())
            row.medianSeconds = query.value(9).toDouble();
        figures->pupils.push_back(std::move(row));
    }
    // Operators by their text as Qt orders it, whatever the server's collation.
    const auto ranges = std::find_if(figures->groups.begin(), figures->groups.end(),
                                     [](const ClassGroup &group) { return group.isRange; });
    std::sort(figures->groups.begin(), ranges, [](const ClassGroup &a, const ClassGroup &b) { return a.name < b.name; });
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
    return readPupilsAndGroups(school, weekStart, figures, error)
        && readMissed(school, today.addDays(-7 * MissedWeeks).startOfDay(), &figures->missed, error);
}

} // namespace numbolo
