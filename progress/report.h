#pragma once
// What the progress report's figures say of the child's play: the run of days played, the one
// next step, and which games the median times count; and the figures of games held in memory.
// The figures are read from the history (store/historysource.h, progress/reportreading.h).

#include "store/historysource.h"

#include <QDate>
#include <QString>

#include <vector>

namespace numbolo {

// The run of consecutive days played that ends today, or yesterday when today has no play yet;
// 0 when neither was played.
int currentRun(const std::vector<QDate> &daysPlayed, const QDate &today);

// One plain Greek sentence with the next step the figures suggest, or empty where there is too
// little play to say anything.
QString nextStep(const Report &report);

// Which games the median times count, where not all of them: a sentence, or empty.
QString mediansNote(const Report &report);

// The totals, the latest `latest` results and the solved exercises of the latest `days` days
// with play of `games` (newest first, each with its exercises), as HistorySource gives them of a
// history: for a history held in memory whole.
HistorySummary totalsOf(const std::vector<GameRow> &games);
std::vector<GameResult> resultsOf(const std::vector<GameRow> &games, int latest);
std::vector<DaySolved> solvedPerDayOf(const std::vector<GameRow> &games, int days);

} // namespace numbolo
