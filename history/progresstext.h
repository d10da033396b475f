#pragma once
// How the progress window and the printed report write dates, durations and figures (a target
// range: targetRangeText in history/report.h).

#include "history/report.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace numbolo {

// "02/11/2026 17:05"
QString dateText(const QDateTime &when);
// "3 λ. 7 δ.", or "1 ώ. 5 λ." from an hour on.
QString durationText(int seconds);
// "Νοέμβριος 2026"
QString monthText(const QDate &month);
// "7 από 10"
QString solvedText(const Figures &figures);
// "70 %", or "-" where nothing was played.
QString shareText(const Figures &figures);
// The median time to solve: "42 δ.", "1 λ. 5 δ.", or "-" where nothing was solved.
QString medianText(const Figures &figures);

} // namespace numbolo
