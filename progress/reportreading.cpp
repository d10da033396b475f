#include "progress/reportreading.h"

#include "progress/progresstext.h"
#include "progress/targetways.h"

namespace numbolo {

namespace {

// The history names a range by its number: named as the window writes it, "0 - 100".
void nameRanges(Report *report)
{
    for (GroupFigures &range : report->ranges)
        range.name = targetRangeText(range.name.toInt());
}

bool told(const ReadError &error, QString *text)
{
    *text = readErrorText(error);
    return false;
}

// Figures read by `read` of `history`, their ranges named.
bool readNamed(HistorySource &history, bool (HistorySource::*read)(Report *, ReadError *), Report *report,
               QString *error)
{
    ReadError unread;
    if (!(history.*read)(report, &unread))
        return told(unread, error);
    nameRanges(report);
    return true;
}

} // namespace

Opening readOpening(HistorySource &history)
{
    Opening opening;
    ReadError error;
    const bool read = history.summary(&opening.totals, &error)
        && history.games(0, GamesPage, &opening.games, &error)
        && history.results(ResultChartGames, &opening.results, &error)
        && history.solvedPerDay(SolvedChartDays, &opening.solvedPerDay, &error)
        && history.recentFigures(&opening.recent, &error);
    if (!read) {
        opening = {};
        opening.error = readErrorText(error);
        return opening;
    }
    nameRanges(&opening.recent);
    return opening;
}

bool readFigures(HistorySource &history, Report *report, QString *error)
{
    return readNamed(history, &HistorySource::figures, report, error);
}

bool readRecentFigures(HistorySource &history, Report *report, QString *error)
{
    return readNamed(history, &HistorySource::recentFigures, report, error);
}

bool readExercise(HistorySource &history, qint64 game, int number, ExerciseDetail *detail, QString *error)
{
    ReadError unread;
    if (!history.exercise(game, number, detail, &unread))
        return told(unread, error);
    Ways ways;
    addWays(detail, ways);
    return true;
}

bool readMissed(HistorySource &history, int count, std::vector<MissedExercise> *missed, QString *error)
{
    ReadError unread;
    if (!history.missed(count, missed, &unread))
        return told(unread, error);
    Ways ways;
    for (MissedExercise &exercise : *missed)
        addWays(&exercise.detail, ways);
    return true;
}

} // namespace numbolo
