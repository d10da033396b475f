// The report's reading by SQL: the games list, the summary and the charts' series, what happened
// inside an exercise, the figures by skill, by target range and by day, and the recorded
// exercises for the targets' CSV. Each is aggregated by SQLite and reads only what it returns.

#include "store/sqlhistorysource.h"

#include "store/historyreader.h"

#include <QHash>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QStringList>
#include <QVariant>

#include <algorithm>
#include <climits>
#include <set>

namespace numbolo {

namespace {

// Where `reader` is not ready: false with its `error` where it cannot read, true where the
// history is missing or empty.
bool opened(const HistoryReader &reader, ReadError *error)
{
    *error = reader.error();
    return !error->failed();
}

// Fails with the error that `reader` met.
bool failed(const HistoryReader &reader, ReadError *error)
{
    *error = reader.error();
    return false;
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

// The figures of tallied groups, named by their keys, in the order of `less` on them.
template <class Less>
std::vector<GroupFigures> figuresOf(const QHash<QString, GroupTally> &groups, Less less)
{
    QStringList keys = groups.keys();
    std::sort(keys.begin(), keys.end(), less);
    std::vector<GroupFigures> figures;
    for (const QString &key : std::as_const(keys)) {
        const GroupTally &tally = *groups.constFind(key);
        Tally whole = tally.undated;
        GroupFigures group{key, {}, {}};
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

// The targets of an exercise, as its row keeps them.
QStringList targetsOf(const QVariant &stored)
{
    return stored.toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
}

// A press as its row keeps it: its seconds, the display's text, the targets it hit ("0 6").
EqualsFacts pressOf(const QVariant &seconds, const QVariant &value, const QVariant &hit)
{
    EqualsFacts press{seconds.toInt(), value.toString(), {}};
    const QString indexes = hit.toString();
    for (const QStringView index : QStringView(indexes).tokenize(u' ', Qt::SkipEmptyParts))
        press.hit.push_back(index.toInt());
    return press;
}

// The presses of the exercise `id`, in order.
bool readPresses(HistoryReader &reader, const QVariant &id, std::vector<EqualsFacts> *presses)
{
    QSqlQuery query(reader.database());
    query.prepare(QStringLiteral("SELECT seconds, value, hit FROM equals_press WHERE exercise = ? ORDER BY rowid"));
    query.addBindValue(id);
    if (!reader.exec(query))
        return false;
    while (query.next())
        presses->push_back(pressOf(query.value(0), query.value(1), query.value(2)));
    return true;
}

// The targets' lines of an exercise: hit by the first press that names them, else missed.
std::vector<TargetLine> targetLines(const QStringList &targets, const std::vector<EqualsFacts> &presses)
{
    std::vector<TargetLine> lines;
    for (int i = 0; i < int(targets.size()); ++i) {
        TargetLine line;
        line.target = targets[i].toInt();
        line.text = targets[i];
        for (const EqualsFacts &press : presses) {
            if (std::find(press.hit.begin(), press.hit.end(), i) != press.hit.end()) {
                line.hit = true;
                line.seconds = press.seconds;
                line.value = press.value;
                break;
            }
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

// The report's figures of the exercises that ended from `from` to `until`; of all of them where
// `from` is null. Only days up to `until` count as days played: a day later than today is a
// wrong clock's, not play.
bool readFigures(HistoryReader &reader, const QDate &from, const QDate &until, Report *report, ReadError *error)
{
    const auto fail = [&] {
        *report = {};
        return failed(reader, error);
    };
    // Days of our own making, digits and dashes, compared as text as the index keeps them. A day
    // that cannot be read sorts after every year's digits, and counts as before, in no month.
    const QString since = from.isValid() ? QStringLiteral("%1 >= '%2' AND NOT (%1 > '%3' AND %1 <= '9999-12-31')")
                                               .arg(dayOf(reader), from.toString(Qt::ISODate), until.toString(Qt::ISODate))
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
    report->ranges = figuresOf(ranges, [](const QString &a, const QString &b) { return a.toInt() < b.toInt(); });
    if (reader.version() >= 3) {
        // Per skill and day, in the order of exercise_skill_day.
        QHash<QString, GroupTally> skills;
        if (!readTallies(reader,
                         QStringLiteral("SELECT exercise.operators, %1 FROM exercise WHERE exercise.operators IS NOT NULL "
                                        "%2 GROUP BY exercise.operators, 2")
                             .arg(counted, since.isEmpty() ? QString() : QStringLiteral("AND ") + since),
                         &skills, &days))
            return fail();
        report->skills =
            figuresOf(skills, [](const QString &a, const QString &b) { return operatorsOrder(a) < operatorsOrder(b); });
    }
    days.erase(days.upper_bound(until), days.end());
    report->daysPlayed.assign(days.begin(), days.end());
    return true;
}

} // namespace

SqlHistorySource::SqlHistorySource(QString path) : m_path(std::move(path)) {}

bool SqlHistorySource::readable(ReadError *error)
{
    return opened(HistoryReader(m_path), error);
}

bool SqlHistorySource::summary(HistorySummary *summary, ReadError *error)
{
    *summary = {};
    HistoryReader reader(m_path);
    if (!reader.ready())
        return opened(reader, error);
    QSqlQuery query(reader.database());
    if (!reader.exec(query, QStringLiteral("SELECT (SELECT count(*) FROM game), count(*), "
                                           "coalesce(sum(outcome = 'solved'), 0), coalesce(sum(seconds), 0) FROM exercise"))
        || !query.next())
        return failed(reader, error);
    *summary = {query.value(0).toInt(), query.value(1).toInt(), query.value(2).toInt(), query.value(3).toLongLong()};
    return true;
}

bool SqlHistorySource::games(int first, int count, std::vector<GameRow> *games, ReadError *error)
{
    games->clear();
    HistoryReader reader(m_path);
    if (!reader.ready())
        return opened(reader, error);
    QSqlQuery query(reader.database());
    query.prepare(QStringLiteral("SELECT %1 FROM game ORDER BY id DESC LIMIT ? OFFSET ?").arg(reader.gameColumns()));
    query.addBindValue(std::max(count, 0));
    query.addBindValue(std::max(first, 0));
    if (!reader.exec(query) || !reader.readGames(query, games)) {
        games->clear();
        return failed(reader, error);
    }
    return true;
}

bool SqlHistorySource::everyGame(std::vector<GameRow> *games, ReadError *error)
{
    return this->games(0, INT_MAX, games, error);
}

bool SqlHistorySource::results(int latest, std::vector<GameResult> *results, ReadError *error)
{
    results->clear();
    HistoryReader reader(m_path);
    if (!reader.ready())
        return opened(reader, error);
    QSqlQuery query(reader.database());
    query.prepare(QStringLiteral("SELECT started, result FROM (SELECT id, started, result FROM game "
                                 "WHERE outcome = 'finished' AND result IS NOT NULL ORDER BY id DESC LIMIT ?) ORDER BY id"));
    query.addBindValue(std::max(latest, 0));
    if (!reader.exec(query))
        return failed(reader, error);
    while (query.next())
        results->push_back({HistoryReader::time(query.value(0)), query.value(1).toInt()});
    return true;
}

bool SqlHistorySource::solvedPerDay(int days, std::vector<DaySolved> *perDay, ReadError *error)
{
    perDay->clear();
    HistoryReader reader(m_path);
    if (!reader.ready())
        return opened(reader, error);
    QSqlQuery query(reader.database());
    query.prepare(QStringLiteral("SELECT day, solved FROM (SELECT %1 AS day, sum(outcome = 'solved') AS solved "
                                 "FROM exercise GROUP BY 1 ORDER BY 1 DESC LIMIT ?) ORDER BY day")
                      .arg(dayOf(reader)));
    query.addBindValue(std::max(days, 0));
    if (!reader.exec(query))
        return failed(reader, error);
    while (query.next())
        perDay->push_back({QDate::fromString(query.value(0).toString(), Qt::ISODate), query.value(1).toInt()});
    return true;
}

bool SqlHistorySource::figures(Report *report, ReadError *error)
{
    *report = {};
    HistoryReader reader(m_path);
    if (!reader.ready())
        return opened(reader, error);
    return readFigures(reader, {}, QDate::currentDate(), report, error);
}

bool SqlHistorySource::recentFigures(Report *report, ReadError *error)
{
    *report = {};
    HistoryReader reader(m_path);
    if (!reader.ready())
        return opened(reader, error);
    // The latest day that reads as one, from the index of days, newest first.
    QSqlQuery query(reader.database());
    query.setForwardOnly(true);
    if (!reader.exec(query, QStringLiteral("SELECT DISTINCT %1 FROM exercise ORDER BY 1 DESC").arg(dayOf(reader))))
        return failed(reader, error);
    // Days later than today (a computer whose clock was wrong) are not recent play.
    const QDate today = QDate::currentDate();
    QDate latest;
    while (!latest.isValid() && query.next()) {
        latest = storedDay(query.value(0).toString());
        if (latest > today)
            latest = QDate();
    }
    query.finish();
    if (!latest.isValid())
        return true; // no day: nothing recent to say
    return readFigures(reader, QDate(latest.year(), latest.month(), 1).addMonths(1 - RecentMonths), latest, report,
                       error);
}

bool SqlHistorySource::exercise(qint64 game, int number, ExerciseDetail *detail, ReadError *error)
{
    *detail = {};
    HistoryReader reader(m_path);
    const auto missing = [&] {
        *error = {ReadError::Kind::NoSuchExercise, {}, {}, number};
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
    if (!reader.exec(query))
        return failed(reader, error);
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
        return failed(reader, error);
    }
    detail->targets = targetLines(targetsOf(query.value(8)), detail->presses);
    return true;
}

bool SqlHistorySource::missed(int count, std::vector<MissedExercise> *missed, ReadError *error)
{
    missed->clear();
    std::vector<std::pair<qint64, int>> candidates; // game and number, newest first
    std::vector<QDateTime> started;
    {
        HistoryReader reader(m_path);
        if (!reader.ready() || reader.version() < 3)
            return opened(reader, error);
        // The rows that count fewer targets hit than they show, newest first, those the child
        // worked on (a press of "=", or time spent) before those skipped at once, which show no
        // more than the targets; which targets were missed is then read from their presses.
        QSqlQuery query(reader.database());
        query.setForwardOnly(true);
        if (!reader.exec(query, QStringLiteral("SELECT exercise.game, exercise.number, game.started FROM exercise "
                                               "JOIN game ON game.id = exercise.game WHERE exercise.shown_targets <> '' "
                                               "AND exercise.targets < length(exercise.shown_targets) "
                                               "- length(replace(exercise.shown_targets, ' ', '')) + 1 "
                                               "ORDER BY (exercise.equals_presses > 0 OR exercise.seconds > 0) DESC, "
                                               "exercise.id DESC")))
            return failed(reader, error);
        // A few more than asked, for rows whose presses hit every target after all.
        while (int(candidates.size()) < 2 * count && query.next()) {
            candidates.emplace_back(query.value(0).toLongLong(), query.value(1).toInt());
            started.push_back(HistoryReader::time(query.value(2)));
        }
    }
    for (std::size_t i = 0; i < candidates.size() && int(missed->size()) < count; ++i) {
        MissedExercise exercise{started[i], {}};
        if (!this->exercise(candidates[i].first, candidates[i].second, &exercise.detail, error)) {
            missed->clear();
            return false;
        }
        if (std::any_of(exercise.detail.targets.begin(), exercise.detail.targets.end(),
                        [](const TargetLine &t) { return !t.hit; }))
            missed->push_back(std::move(exercise));
    }
    return true;
}

bool SqlHistorySource::recordedExercises(qint64 afterGame, int games, std::vector<RecordedExercise> *page,
                                         qint64 *lastGame, ReadError *error, bool keysOnly)
{
    page->clear();
    *lastGame = afterGame;
    HistoryReader reader(m_path);
    if (!reader.ready() || reader.version() < 3)
        return opened(reader, error);
    QSqlDatabase db = reader.database();
    // The page's games, their exercises and those exercises' presses in one read transaction, of
    // which nothing is held once it returns.
    if (!db.transaction()) {
        reader.fail(db.lastError());
        return failed(reader, error);
    }
    const auto fail = [&] {
        page->clear();
        *lastGame = afterGame;
        db.rollback();
        return failed(reader, error);
    };
    QSqlQuery query(db);
    query.setForwardOnly(true);
    query.prepare(QStringLiteral("SELECT max(id) FROM (SELECT id FROM game WHERE id > ? ORDER BY id LIMIT ?)"));
    query.addBindValue(afterGame);
    query.addBindValue(std::max(games, 1));
    if (!reader.exec(query) || !query.next())
        return fail();
    if (query.value(0).isNull())
        return db.commit() || fail();
    const qint64 last = query.value(0).toLongLong();
    query.finish();
    QHash<qint64, std::vector<EqualsFacts>> presses;
    if (!keysOnly) {
        query.prepare(QStringLiteral("SELECT equals_press.exercise, equals_press.seconds, equals_press.value, "
                                     "equals_press.hit FROM exercise JOIN equals_press ON equals_press.exercise = exercise.id "
                                     "WHERE exercise.game > ? AND exercise.game <= ? AND exercise.shown_targets IS NOT NULL "
                                     "ORDER BY equals_press.exercise, equals_press.rowid"));
        query.addBindValue(afterGame);
        query.addBindValue(last);
        if (!reader.exec(query))
            return fail();
        while (query.next())
            presses[query.value(0).toLongLong()].push_back(pressOf(query.value(1), query.value(2), query.value(3)));
        query.finish();
    }
    const QString pageExercises = QStringLiteral(
        "WHERE exercise.game > ? AND exercise.game <= ? AND exercise.shown_targets IS NOT NULL "
        "ORDER BY exercise.game, exercise.number, exercise.id");
    query.prepare((keysOnly ? QStringLiteral("SELECT exercise.id, exercise.game, NULL, exercise.number, exercise.keys, "
                                             "exercise.shown_targets FROM exercise ")
                            : QStringLiteral("SELECT exercise.id, game.id, game.started, exercise.number, exercise.keys, "
                                             "exercise.shown_targets FROM exercise JOIN game ON game.id = exercise.game "))
                  + pageExercises);
    query.addBindValue(afterGame);
    query.addBindValue(last);
    if (!reader.exec(query))
        return fail();
    while (query.next()) {
        RecordedExercise exercise;
        exercise.game = query.value(1).toLongLong();
        // The exercises of a game come together: its start is read once, not converted to local
        // time again for each of them.
        if (!keysOnly)
            exercise.gameStarted = !page->empty() && page->back().game == exercise.game ? page->back().gameStarted
                                                                                         : HistoryReader::time(query.value(2));
        exercise.number = query.value(3).toInt();
        exercise.keys = query.value(4).toString();
        exercise.targets = targetsOf(query.value(5));
        if (!keysOnly)
            exercise.presses = presses.take(query.value(0).toLongLong());
        page->push_back(std::move(exercise));
    }
    query.finish();
    if (!db.commit()) {
        reader.fail(db.lastError());
        return fail();
    }
    *lastGame = last;
    return true;
}

} // namespace numbolo
