// The report's reading half: what happened inside an exercise, the figures by skill, by target
// range and by day, the targets CSV, and the games list, the summary and the charts' series.
// Each is aggregated by SQLite and reads only what it returns. One way to make each target is
// found with the solver, grouped by key set so that each set's tables are built once.

#include "progress/report.h"

#include "progress/progresstext.h"

#include "arithmetic/solver.h"

#include <QHash>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <memory>
#include <set>

namespace numbolo {

namespace {

// Opens `path` for reading: false with `error` where it cannot be; a missing or empty history
// is no error, and leaves `reader` not ready.
bool opened(const HistoryReader &reader, QString *error)
{
    *error = readErrorText(reader.error());
    return error->isEmpty();
}

// The local day of an exercise's end: kept with each row from version 3 on.
QString dayOf(const HistoryReader &reader)
{
    return reader.version() >= 3 ? QStringLiteral("exercise.day") : QStringLiteral("date(exercise.ended, 'localtime')");
}

// The median of the seconds counted in `counts` (seconds -> exercises), none where it is empty.
std::optional<double> median(const std::map<int, int> &counts)
{
    int total = 0;
    for (const auto &[seconds, n] : counts)
        total += n;
    if (total == 0)
        return std::nullopt;
    // The middle one, or the mean of the middle two: the (total + 1) / 2-th and (total + 2) / 2-th.
    std::optional<int> low;
    int seen = 0;
    for (const auto &[seconds, n] : counts) {
        seen += n;
        if (!low && seen >= (total + 1) / 2)
            low = seconds;
        if (seen >= (total + 2) / 2)
            return (*low + seconds) / 2.0;
    }
    return std::nullopt;
}

// A stored day, "2026-11-01", read without the general parser: the report reads a row per group
// and day. Invalid where it is no such day.
QDate storedDay(QStringView d)
{
    return d.size() == 10 && d[4] == u'-' && d[7] == u'-' ? QDate(d.left(4).toInt(), d.mid(5, 2).toInt(), d.mid(8, 2).toInt())
                                                          : QDate();
}

// Exercises played and solved, and the solved ones counted by their seconds.
struct Tally {
    int played = 0;
    int solved = 0;
    std::map<int, int> seconds;

    void add(const Tally &other)
    {
        played += other.played;
        solved += other.solved;
        for (const auto &[s, n] : other.seconds)
            seconds[s] += n;
    }
    Figures figures() const { return {played, solved, median(seconds)}; }
};

// A group's tally by month; `undated` holds the rows whose day cannot be read.
struct GroupTally {
    std::map<QDate, Tally> byMonth;
    Tally undated;
};

// Tallies the groups that `sql` reads, keyed by the text of each group's value. `sql` yields a
// row per group and day (the group's value, the day, exercises played, solved, and the seconds of
// the solved ones as "40,20,..."): SQLite reads it from an index in the order of the grouping,
// so a history of years comes back as a row per group and day, and the medians are counted
// here. Days played are added to `days`.
bool readTallies(HistoryReader &reader, const QString &sql, QHash<QString, GroupTally> *groups, std::set<QDate> *days)
{
    QSqlQuery query(reader.database());
    query.setForwardOnly(true);
    if (!reader.exec(query, sql))
        return false;
    QString lastDay;
    QDate day;
    while (query.next()) {
        // A group's rows come day after day, and ranges' rows game after game: many rows repeat
        // the day before them.
        if (const QString text = query.value(1).toString(); text != lastDay) {
            lastDay = text;
            day = storedDay(text);
            if (day.isValid())
                days->insert(day);
        }
        GroupTally &group = (*groups)[query.value(0).toString()];
        Tally &tally = day.isValid() ? group.byMonth[QDate(day.year(), day.month(), 1)] : group.undated;
        tally.played += query.value(2).toInt();
        tally.solved += query.value(3).toInt();
        const QString seconds = query.value(4).toString();
        for (const QStringView counted : QStringView(seconds).tokenize(u',')) {
            bool number = false;
            const int s = counted.toInt(&number);
            if (number)
                ++tally.seconds[s];
        }
    }
    return true;
}

// The figures of tallied groups, named by `name` and in the order of `less` on their keys.
template <class Name, class Less>
std::vector<GroupFigures> figuresOf(const QHash<QString, GroupTally> &groups, Name name, Less less)
{
    QStringList keys = groups.keys();
    std::sort(keys.begin(), keys.end(), less);
    std::vector<GroupFigures> figures;
    for (const QString &key : std::as_const(keys)) {
        const GroupTally &tally = *groups.constFind(key);
        Tally whole = tally.undated;
        GroupFigures group{name(key), {}, {}};
        for (const auto &[month, t] : tally.byMonth) {
            whole.add(t);
            group.byMonth.emplace(month, t.figures());
        }
        group.whole = whole.figures();
        figures.push_back(std::move(group));
    }
    return figures;
}

// The keypad's order of the operators, by which skills are listed: "/ x - +".
int operatorsOrder(const QString &operators)
{
    int order = 0;
    for (const QString &key : operators.split(QLatin1Char(' '), Qt::SkipEmptyParts))
        order = order * 5 + 1 + int(QStringLiteral("/x-+").indexOf(key));
    return order;
}

// The ways of one key set's targets, found once each with one solver.
class Ways {
public:
    QString of(const QString &keys, const QString &target)
    {
        if (!m_solver || keys != m_keys) {
            m_solver = std::make_unique<Solver>(keys);
            m_keys = keys;
            m_found.clear();
        }
        const auto known = m_found.constFind(target);
        if (known != m_found.constEnd())
            return *known;
        const Way way = m_solver->solve(target);
        const QString text = way.outcome == Way::Outcome::Found ? way.keys : QString();
        m_found.insert(target, text);
        return text;
    }

private:
    QString m_keys;
    std::unique_ptr<Solver> m_solver;
    QHash<QString, QString> m_found;
};

// The targets of an exercise, as its row keeps them.
QStringList targetsOf(const QVariant &stored)
{
    return stored.toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// The presses of the exercise `id`, in order.
bool readPresses(HistoryReader &reader, const QVariant &id, std::vector<EqualsPress> *presses)
{
    QSqlQuery query(reader.database());
    query.prepare(QStringLiteral("SELECT seconds, value, hit FROM equals_press WHERE exercise = ? ORDER BY rowid"));
    query.addBindValue(id);
    if (!reader.exec(query))
        return false;
    while (query.next()) {
        EqualsPress press{query.value(0).toInt(), query.value(1).toString(), {}};
        for (const QString &hit : query.value(2).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts))
            press.hit.push_back(hit.toInt());
        presses->push_back(std::move(press));
    }
    return true;
}

// The targets' lines of an exercise: hit by the first press that names them, else missed; the
// way to make each one from `ways`.
std::vector<TargetLine> targetLines(const QStringList &targets, const QString &keys,
                                    const std::vector<EqualsPress> &presses, Ways &ways)
{
    std::vector<TargetLine> lines;
    for (int i = 0; i < int(targets.size()); ++i) {
        TargetLine line;
        line.target = targets[i].toInt();
        for (const EqualsPress &press : presses) {
            if (std::find(press.hit.begin(), press.hit.end(), i) != press.hit.end()) {
                line.hit = true;
                line.seconds = press.seconds;
                line.value = press.value;
                break;
            }
        }
        line.way = ways.of(keys, targets[i]);
        lines.push_back(std::move(line));
    }
    return lines;
}

// A field of RFC 4180 CSV, quoted where it holds a comma, a quote or a line break.
QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(',')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n'))
        && !text.contains(QLatin1Char('\r')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) + QLatin1Char('"');
}

// The report's figures of the exercises that ended on `from` or later; of all of them where
// `from` is null.
bool readFigures(HistoryReader &reader, const QDate &from, Report *report, QString *error)
{
    const auto fail = [&] {
        *report = {};
        *error = readErrorText(reader.error());
        return false;
    };
    // A day of our own making, digits and dashes, compared as text as the index keeps it.
    const QString since = from.isValid() ? QStringLiteral("%1 >= '%2'").arg(dayOf(reader), from.toString(Qt::ISODate))
                                         : QString();
    // Times of games with other times per exercise are not alike: where the history has several,
    // the medians count the solved exercises of the games of the setting most games had (of those
    // with an exercise; on a tie the newest game's), and every exercise counts as played.
    QString timed;
    if (reader.version() >= 4) {
        QSqlQuery settings(reader.database());
        if (!reader.exec(settings, QStringLiteral("SELECT seconds_per_exercise FROM game WHERE EXISTS (SELECT 1 FROM "
                                                  "exercise WHERE exercise.game = game.id) GROUP BY 1 "
                                                  "ORDER BY count(*) DESC, max(id) DESC")))
            return fail();
        const int most = settings.next() ? settings.value(0).toInt() : 0;
        if (settings.next()) {
            report->mediansSecondsPerExercise = most;
            timed = QStringLiteral(" AND exercise.game NOT IN (SELECT id FROM game WHERE seconds_per_exercise <> %1)")
                        .arg(most);
        }
    }
    // Per game and day, in the order of exercise_game_day; then each game's range, once a game.
    const QString counted = QStringLiteral("%1 AS day, count(*) AS played, coalesce(sum(exercise.outcome = 'solved'), 0) "
                                           "AS solved, group_concat(CASE WHEN exercise.outcome = 'solved'%2 THEN "
                                           "exercise.seconds END) AS seconds")
                                .arg(dayOf(reader), timed);
    std::set<QDate> days;
    QHash<QString, GroupTally> ranges;
    if (!readTallies(reader,
                     QStringLiteral("SELECT game.target_range, t.day, t.played, t.solved, t.seconds FROM "
                                    "(SELECT exercise.game AS game, %1 FROM exercise %2 GROUP BY exercise.game, 2) AS t "
                                    "JOIN game ON game.id = t.game")
                         .arg(counted, since.isEmpty() ? QString() : QStringLiteral("WHERE ") + since),
                     &ranges, &days))
        return fail();
    report->ranges = figuresOf(ranges, [](const QString &range) { return targetRangeText(range.toInt()); },
                               [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
    if (reader.version() >= 3) {
        // Per skill and day, in the order of exercise_skill_day.
        QHash<QString, GroupTally> skills;
        if (!readTallies(reader,
                         QStringLiteral("SELECT exercise.operators, %1 FROM exercise WHERE exercise.operators IS NOT NULL "
                                        "%2 GROUP BY exercise.operators, 2")
                             .arg(counted, since.isEmpty() ? QString() : QStringLiteral("AND ") + since),
                         &skills, &days))
            return fail();
        report->skills = figuresOf(skills, [](const QString &operators) { return operators; },
                                   [](const QString &a, const QString &b) { return operatorsOrder(a) < operatorsOrder(b); });
    }
    report->daysPlayed.assign(days.begin(), days.end());
    return true;
}

} // namespace

bool readReport(const QString &historyPath, Report *report, QString *error)
{
    *report = {};
    HistoryReader reader(historyPath);
    if (!reader.ready())
        return opened(reader, error);
    return readFigures(reader, {}, report, error);
}

bool readRecentReport(const QString &historyPath, Report *report, QString *error)
{
    *report = {};
    HistoryReader reader(historyPath);
    if (!reader.ready())
        return opened(reader, error);
    // The latest day that reads as one, from the index of days, newest first.
    QSqlQuery query(reader.database());
    query.setForwardOnly(true);
    if (!reader.exec(query, QStringLiteral("SELECT DISTINCT %1 FROM exercise ORDER BY 1 DESC").arg(dayOf(reader)))) {
        *error = readErrorText(reader.error());
        return false;
    }
    QDate latest;
    while (!latest.isValid() && query.next())
        latest = storedDay(query.value(0).toString());
    query.finish();
    if (!latest.isValid())
        return true; // no day: nothing recent to say
    return readFigures(reader, QDate(latest.year(), latest.month(), 1).addMonths(1 - RecentMonths), report, error);
}

bool readExerciseDetail(const QString &historyPath, qint64 game, int number, ExerciseDetail *detail, QString *error)
{
    *detail = {};
    HistoryReader reader(historyPath);
    const auto missing = [&] {
        *error = readErrorText({ReadError::Kind::NoSuchExercise, {}, {}, number});
        return false;
    };
    if (!reader.ready())
        return opened(reader, error) ? missing() : false;
    const bool withKeys = reader.version() >= 3;
    QSqlQuery query(reader.database());
    query.prepare(QStringLiteral("SELECT id, number, level, outcome, seconds, targets, equals_presses, ended, %1 "
                                 "FROM exercise WHERE game = ? AND number = ? ORDER BY id DESC LIMIT 1")
                      .arg(withKeys ? QStringLiteral("shown_targets, keys") : QStringLiteral("NULL, NULL")));
    query.addBindValue(game);
    query.addBindValue(number);
    if (!reader.exec(query)) {
        *error = readErrorText(reader.error());
        return false;
    }
    if (!query.next())
        return missing();
    ExerciseRow &row = detail->row;
    row.number = query.value(1).toInt();
    row.level = query.value(2).toDouble();
    row.end = HistoryReader::exerciseEnd(query.value(3));
    row.seconds = query.value(4).toInt();
    row.targetsHit = query.value(5).toInt();
    row.equalsPresses = query.value(6).toInt();
    row.ended = HistoryReader::time(query.value(7));
    if (query.value(8).isNull())
        return true;
    detail->recorded = true;
    detail->keys = query.value(9).toString();
    if (!readPresses(reader, query.value(0), &detail->presses)) {
        *detail = {};
        *error = readErrorText(reader.error());
        return false;
    }
    Ways ways;
    detail->targets = targetLines(targetsOf(query.value(8)), detail->keys, detail->presses, ways);
    return true;
}

bool readMissed(const QString &historyPath, int count, std::vector<MissedExercise> *missed, QString *error)
{
    missed->clear();
    std::vector<std::pair<qint64, int>> candidates; // game and number, newest first
    std::vector<QDateTime> started;
    {
        HistoryReader reader(historyPath);
        if (!reader.ready() || reader.version() < 3)
            return opened(reader, error);
        // The rows that count fewer targets hit than they show, newest first; which targets were
        // missed is then read from their presses.
        QSqlQuery query(reader.database());
        query.setForwardOnly(true);
        if (!reader.exec(query, QStringLiteral("SELECT exercise.game, exercise.number, game.started FROM exercise "
                                               "JOIN game ON game.id = exercise.game WHERE exercise.shown_targets <> '' "
                                               "AND exercise.targets < length(exercise.shown_targets) "
                                               "- length(replace(exercise.shown_targets, ' ', '')) + 1 "
                                               "ORDER BY exercise.id DESC"))) {
            *error = readErrorText(reader.error());
            return false;
        }
        // A few more than asked, for rows whose presses hit every target after all.
        while (int(candidates.size()) < 2 * count && query.next()) {
            candidates.emplace_back(query.value(0).toLongLong(), query.value(1).toInt());
            started.push_back(HistoryReader::time(query.value(2)));
        }
    }
    for (std::size_t i = 0; i < candidates.size() && int(missed->size()) < count; ++i) {
        MissedExercise exercise{started[i], {}};
        if (!readExerciseDetail(historyPath, candidates[i].first, candidates[i].second, &exercise.detail, error)) {
            missed->clear();
            return false;
        }
        if (std::any_of(exercise.detail.targets.begin(), exercise.detail.targets.end(),
                        [](const TargetLine &t) { return !t.hit; }))
            missed->push_back(std::move(exercise));
    }
    return true;
}

bool writeTargetsCsv(const QString &historyPath, QIODevice &out, QString *error)
{
    const auto write = [&](const QStringList &fields) {
        QStringList quoted;
        for (const QString &field : fields)
            quoted << csvField(field);
        return out.write((quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8()) >= 0;
    };
    const auto notWritten = [&] {
        *error = QStringLiteral("Το CSV δεν γράφτηκε: %1").arg(out.errorString());
        return false;
    };
    // A history that cannot be read writes nothing, not a header that would pass for an empty one.
    HistoryReader reader(historyPath);
    if (reader.error().failed())
        return opened(reader, error);
    if (!write({QStringLiteral("Έναρξη παιχνιδιού"), QStringLiteral("Άσκηση"), QStringLiteral("Στόχος"),
                QStringLiteral("Βρέθηκε"), QStringLiteral("Δευτερόλεπτα"), QStringLiteral("Πλήκτρα"),
                QStringLiteral("Ένας τρόπος")}))
        return notWritten();
    if (!reader.ready() || reader.version() < 3)
        return true;
    QSqlDatabase db = reader.database();
    // First the ways, key set by key set, so that each set's solver tables are built once, kept
    // in a temporary table beside the connection (never in the history); then the rows in order.
    QSqlQuery query(db);
    if (!reader.exec(query, QStringLiteral("CREATE TEMP TABLE way (exercise INTEGER PRIMARY KEY, ways TEXT NOT NULL)"))
        || !reader.exec(query, QStringLiteral("SELECT id, keys, shown_targets FROM exercise "
                                              "WHERE shown_targets IS NOT NULL ORDER BY keys"))) {
        *error = readErrorText(reader.error());
        return false;
    }
    Ways ways;
    QSqlQuery insert(db);
    insert.prepare(QStringLiteral("INSERT INTO temp.way (exercise, ways) VALUES (?, ?)"));
    db.transaction();
    while (query.next()) {
        QStringList found;
        for (const QString &target : targetsOf(query.value(2)))
            found << ways.of(query.value(1).toString(), target);
        insert.addBindValue(query.value(0));
        insert.addBindValue(found.isEmpty() ? QStringLiteral("") : found.join(QLatin1Char(' ')));
        if (!reader.exec(insert)) {
            db.rollback();
            *error = readErrorText(reader.error());
            return false;
        }
    }
    db.commit();
    query.finish();
    if (!reader.exec(query, QStringLiteral("SELECT exercise.id, game.started, exercise.number, exercise.keys, "
                                           "exercise.shown_targets, way.ways FROM exercise "
                                           "JOIN game ON game.id = exercise.game "
                                           "JOIN temp.way AS way ON way.exercise = exercise.id "
                                           "ORDER BY game.id, exercise.number, exercise.id"))) {
        *error = readErrorText(reader.error());
        return false;
    }
    while (query.next()) {
        const QDateTime started = HistoryReader::time(query.value(1));
        const QString start = started.toOffsetFromUtc(started.offsetFromUtc()).toString(Qt::ISODate);
        const QString keys = query.value(3).toString();
        const QStringList targets = targetsOf(query.value(4));
        // The ways are as many as the targets, and empty where none was found: split keeping
        // the empty ones.
        const QStringList found = query.value(5).toString().split(QLatin1Char(' '));
        std::vector<EqualsPress> presses;
        if (!readPresses(reader, query.value(0), &presses)) {
            *error = readErrorText(reader.error());
            return false;
        }
        for (int i = 0; i < int(targets.size()); ++i) {
            std::optional<int> seconds;
            for (const EqualsPress &press : presses)
                if (!seconds && std::find(press.hit.begin(), press.hit.end(), i) != press.hit.end())
                    seconds = press.seconds;
            if (!write({start, query.value(2).toString(), targets[i],
                        seconds ? QStringLiteral("ναι") : QStringLiteral("όχι"),
                        seconds ? QString::number(*seconds) : QString(), keys, found.value(i)}))
                return notWritten();
        }
    }
    return true;
}

// ---- The games list, the summary and the charts --------------------------------------------

bool readSummary(const QString &historyPath, HistorySummary *summary, QString *error)
{
    *summary = {};
    HistoryReader reader(historyPath);
    if (!reader.ready())
        return opened(reader, error);
    QSqlQuery query(reader.database());
    if (!reader.exec(query, QStringLiteral("SELECT (SELECT count(*) FROM game), count(*), "
                                           "coalesce(sum(outcome = 'solved'), 0), coalesce(sum(seconds), 0) FROM exercise"))
        || !query.next()) {
        *error = readErrorText(reader.error());
        return false;
    }
    *summary = {query.value(0).toInt(), query.value(1).toInt(), query.value(2).toInt(), query.value(3).toLongLong()};
    return true;
}

bool readGames(const QString &historyPath, int first, int count, std::vector<GameRow> *games, QString *error)
{
    games->clear();
    HistoryReader reader(historyPath);
    if (!reader.ready())
        return opened(reader, error);
    QSqlQuery query(reader.database());
    query.prepare(QStringLiteral("SELECT %1 FROM game ORDER BY id DESC LIMIT ? OFFSET ?").arg(reader.gameColumns()));
    query.addBindValue(std::max(count, 0));
    query.addBindValue(std::max(first, 0));
    if (!reader.exec(query) || !reader.readGames(query, games)) {
        games->clear();
        *error = readErrorText(reader.error());
        return false;
    }
    return true;
}

bool readResults(const QString &historyPath, int latest, std::vector<GameResult> *results, QString *error)
{
    results->clear();
    HistoryReader reader(historyPath);
    if (!reader.ready())
        return opened(reader, error);
    QSqlQuery query(reader.database());
    query.prepare(QStringLiteral("SELECT started, result FROM (SELECT id, started, result FROM game "
                                 "WHERE outcome = 'finished' AND result IS NOT NULL ORDER BY id DESC LIMIT ?) ORDER BY id"));
    query.addBindValue(std::max(latest, 0));
    if (!reader.exec(query)) {
        *error = readErrorText(reader.error());
        return false;
    }
    while (query.next())
        results->push_back({HistoryReader::time(query.value(0)), query.value(1).toInt()});
    return true;
}

bool readSolvedPerDay(const QString &historyPath, int days, std::vector<DaySolved> *perDay, QString *error)
{
    perDay->clear();
    HistoryReader reader(historyPath);
    if (!reader.ready())
        return opened(reader, error);
    QSqlQuery query(reader.database());
    query.prepare(QStringLiteral("SELECT day, solved FROM (SELECT %1 AS day, sum(outcome = 'solved') AS solved "
                                 "FROM exercise GROUP BY 1 ORDER BY 1 DESC LIMIT ?) ORDER BY day")
                      .arg(dayOf(reader)));
    query.addBindValue(std::max(days, 0));
    if (!reader.exec(query)) {
        *error = readErrorText(reader.error());
        return false;
    }
    while (query.next())
        perDay->push_back({QDate::fromString(query.value(0).toString(), Qt::ISODate), query.value(1).toInt()});
    return true;
}

} // namespace numbolo
