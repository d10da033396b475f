// What the report's figures say: the current run of days played and the one next step; and the
// totals and the charts' series of games held in memory.

#include "progress/report.h"
#include "progress/progresstext.h"

#include "settings/parentsettings.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <map>
#include <set>

namespace numbolo {

namespace {

// The next step looks at the latest RecentMonths months with play (what the child found hard
// years ago says nothing about today); fewer exercises than this in those months say too
// little for any advice.
constexpr int MinPlayedInAll = 10;
// A group of fewer exercises than this is too small to be called hard or easy.
constexpr int MinPlayedInGroup = 5;
// Below this share solved a skill or range is worth practising; at or above the other share
// every group is easy enough for bigger numbers.
constexpr double HardShare = 0.7;
constexpr double EasyShare = 0.9;
// The game takes no range nearer 0 than this (0 - 100, or -100 - 0): none smaller is advised.
constexpr int SmallestRange = 100;

struct Recent {
    QString name;
    int played = 0;
    int solved = 0;
    double share() const { return double(solved) / played; }
};

// The first day of the oldest month counted as recent: RecentMonths months up to the latest
// month in which any group has play, not later than this month (a wrong clock's play is not).
QDate recentFrom(const Report &report)
{
    const QDate now = QDate::currentDate();
    const QDate thisMonth(now.year(), now.month(), 1);
    QDate latest;
    for (const auto *groups : {&report.skills, &report.ranges})
        for (const GroupFigures &group : *groups)
            for (const auto &[month, figures] : group.byMonth)
                if (month <= thisMonth && (!latest.isValid() || month > latest))
                    latest = month;
    return latest.isValid() ? QDate(latest.year(), latest.month(), 1).addMonths(1 - RecentMonths) : QDate();
}

std::vector<Recent> recent(const std::vector<GroupFigures> &groups, const QDate &from)
{
    std::vector<Recent> out;
    for (const GroupFigures &group : groups) {
        Recent r{group.name};
        const auto until = group.byMonth.lower_bound(from.addMonths(RecentMonths));
        for (auto month = group.byMonth.lower_bound(from); month != until; ++month) {
            r.played += month->second.played;
            r.solved += month->second.solved;
        }
        if (r.played > 0)
            out.push_back(r);
    }
    return out;
}

// The hardest group of at least MinPlayedInGroup exercises: the lowest share solved, then the
// most played; none where no group is that big.
const Recent *hardest(const std::vector<Recent> &groups)
{
    const Recent *worst = nullptr;
    for (const Recent &group : groups) {
        if (group.played < MinPlayedInGroup)
            continue;
        // Compared as fractions, so that 2 of 10 and 1 of 5 tie exactly.
        const qint64 mine = qint64(group.solved) * (worst ? worst->played : 1);
        const qint64 theirs = worst ? qint64(worst->solved) * group.played : 0;
        if (worst == nullptr || mine < theirs || (mine == theirs && group.played > worst->played))
            worst = &group;
    }
    return worst;
}

// "«x» και «+»" for the skill "x +".
QString operatorsText(const QString &skill)
{
    QStringList keys = skill.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (QString &key : keys)
        key = QStringLiteral("«%1»").arg(key);
    if (keys.size() < 2)
        return keys.value(0);
    const QString last = keys.takeLast();
    return QCoreApplication::translate("Report", "%1 και %2").arg(keys.join(QStringLiteral(", ")), last);
}

QString ofText(const Recent &group)
{
    return QCoreApplication::translate("Report", "%1 από %2").arg(group.solved).arg(group.played);
}

} // namespace

int currentRun(const std::vector<QDate> &daysPlayed, const QDate &today)
{
    const std::set<QDate> days(daysPlayed.begin(), daysPlayed.end());
    QDate day = days.count(today) ? today : today.addDays(-1);
    int run = 0;
    while (days.count(day)) {
        ++run;
        day = day.addDays(-1);
    }
    return run;
}

QString nextStep(const Report &report)
{
    const QDate from = recentFrom(report);
    if (!from.isValid())
        return {};
    const std::vector<Recent> skills = recent(report.skills, from);
    const std::vector<Recent> ranges = recent(report.ranges, from);
    Recent all;
    for (const Recent &range : ranges) {
        all.played += range.played;
        all.solved += range.solved;
    }
    if (all.played < MinPlayedInAll)
        return {};

    if (const Recent *skill = hardest(skills); skill != nullptr && skill->share() < HardShare) {
        const bool one = !skill->name.contains(QLatin1Char(' '));
        return QCoreApplication::translate("Report", "Τους τελευταίους μήνες λύθηκαν %1 ασκήσεις με %2 %3. Λύστε μαζί με το παιδί "
                              "μερικές τέτοιες ασκήσεις και δείτε έναν τρόπο για κάθε στόχο που δεν βρέθηκε.")
            .arg(ofText(*skill), one ? QCoreApplication::translate("Report", "την πράξη") : QCoreApplication::translate("Report", "τις πράξεις"),
                 operatorsText(skill->name));
    }
    if (const Recent *range = hardest(ranges); range != nullptr && range->share() < HardShare) {
        if (range->name == targetRangeText(SmallestRange) || range->name == targetRangeText(-SmallestRange))
            return QCoreApplication::translate("Report", "Τους τελευταίους μήνες λύθηκαν %1 ασκήσεις στο εύρος %2. "
                                                           "Λύστε μαζί με το παιδί μερικές ασκήσεις αυτού του εύρους.")
                .arg(ofText(*range), range->name);
        return QCoreApplication::translate("Report", "Τους τελευταίους μήνες λύθηκαν %1 ασκήσεις στο εύρος %2. Λύστε μαζί με το παιδί "
                              "μερικές ασκήσεις αυτού του εύρους, ή παίξτε λίγο με μικρότερο εύρος.")
            .arg(ofText(*range), range->name);
    }
    if (all.share() >= EasyShare) {
        return QCoreApplication::translate("Report", "Τους τελευταίους μήνες λύθηκαν %1 ασκήσεις. Το παιδί είναι έτοιμο για μεγαλύτερο "
                              "εύρος αριθμών: αλλάξτε το «Εύρος τιμών αριθμών στόχων» στο παιχνίδι.")
            .arg(ofText(all));
    }
    return QCoreApplication::translate("Report", "Τους τελευταίους μήνες λύθηκαν %1 ασκήσεις. Συνεχίστε με το ίδιο εύρος αριθμών "
                          "λίγες ημέρες ακόμη: μικρά και συχνά παιχνίδια βοηθούν περισσότερο.")
        .arg(ofText(all));
}

QString mediansNote(const Report &report)
{
    if (!report.mediansSecondsPerExercise)
        return {};
    return QCoreApplication::translate("Report", "Οι διάμεσοι χρόνοι λύσης είναι μόνο από τα παιχνίδια με χρόνο ανά άσκηση «%1», "
                          "τα περισσότερα: με άλλο χρόνο ένα παιδί λύνει με άλλο ρυθμό.")
        .arg(Parents::secondsText(*report.mediansSecondsPerExercise));
}

HistorySummary totalsOf(const std::vector<GameRow> &games)
{
    HistorySummary totals;
    totals.games = int(games.size());
    for (const GameRow &game : games) {
        totals.exercises += int(game.played.size());
        totals.solved += game.solved();
        totals.seconds += game.seconds();
    }
    return totals;
}

std::vector<GameResult> resultsOf(const std::vector<GameRow> &games, int latest)
{
    std::vector<GameResult> results;
    for (auto game = games.rbegin(); game != games.rend(); ++game)
        if (game->end == GameEnd::Finished && game->percentage >= 0)
            results.push_back({game->started, game->percentage}); // as the list shows the game
    if (results.size() > std::size_t(std::max(latest, 0)))
        results.erase(results.begin(), results.end() - std::max(latest, 0));
    return results;
}

std::vector<DaySolved> solvedPerDayOf(const std::vector<GameRow> &games, int days)
{
    std::map<QDate, int> perDay;
    for (const GameRow &game : games)
        for (const ExerciseRow &e : game.played) {
            int &count = perDay[(e.ended.isValid() ? e.ended : game.started).date()];
            if (e.end == ExerciseEnd::Solved)
                ++count;
        }
    while (perDay.size() > std::size_t(std::max(days, 0)))
        perDay.erase(perDay.begin());
    std::vector<DaySolved> latest;
    for (const auto &[day, count] : perDay)
        latest.push_back({day, count});
    return latest;
}

} // namespace numbolo
