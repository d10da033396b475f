#pragma once
// What the progress window and the printed report read of the history (store/historysource.h),
// made ready to show: the ranges named as the window writes them, a way to make each target, and
// why the history cannot be read in words.

#include "store/historysource.h"

#include <QString>

#include <vector>

namespace numbolo {

// Games read at a time into the list of a long history, as it is scrolled to its end.
constexpr int GamesPage = 100;
// The chart of results shows the latest finished games only: years of games would be a smear of
// points, and their text far too long to hear.
constexpr int ResultChartGames = 30;
// Days shown in the chart of exercises solved per day: the latest days with any exercise.
constexpr int SolvedChartDays = 30;

// What the window shows as it opens: the totals, the newest page of games, the charts' series
// and the recent figures for the next step, each read by a call of its own. Where one cannot be
// read, `error` says why, and nothing is read after it; then it holds no games.
struct Opening {
    HistorySummary totals;
    std::vector<GameRow> games;
    std::vector<GameResult> results;
    std::vector<DaySolved> solvedPerDay;
    Report recent;
    QString error;
};
Opening readOpening(HistorySource &history);

// The figures of the whole history, and of its latest months. False, with a Greek `error`.
bool readFigures(HistorySource &history, Report *report, QString *error);
bool readRecentFigures(HistorySource &history, Report *report, QString *error);

// Exercise `number` of the game whose key is `game`, with a way for every target. False, with a
// Greek `error`.
bool readExercise(HistorySource &history, qint64 game, int number, ExerciseDetail *detail, QString *error);

// The newest `count` exercises with a missed target, each with a way for every target. False,
// with a Greek `error`.
bool readMissed(HistorySource &history, int count, std::vector<MissedExercise> *missed, QString *error);

} // namespace numbolo
