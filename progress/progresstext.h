#pragma once
// How the progress window, the printed report and the CSV write what the history holds: dates,
// durations, figures, outcomes, and why the history cannot be read.

#include "progress/report.h"
#include "progress/reportreading.h"
#include "store/pendingfile.h"

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
// A game's time for each exercise: "3 λ.", "30 λ.", or "χωρίς όριο" for none.
QString perExerciseText(int seconds);

// A target range as the window writes it: "0 - 100", "-500 - 0".
QString targetRangeText(int range);
// "λύθηκε", "παραλείφθηκε", "έληξε ο χρόνος".
QString exerciseEndText(ExerciseEnd end);
// The result of a game: its percentage, or how it ended without one ("επανεκκίνηση",
// "εγκαταλείφθηκε"), or "σε εξέλιξη".
QString resultText(const GameRow &game);
// Why the history cannot be read, as a parent is told it: a sentence, or empty for no error.
QString readErrorText(const ReadError &error);

// When the play that is `unrecorded` took place: "στις <date and time>", or "από <first> έως
// <last>".
QString unrecordedWhen(const Unrecorded &unrecorded);
// The totals above the window's tabs and atop the printed report: why the history cannot be
// read, that there is none yet, or the totals of `opening`; then the play not recorded yet.
QString summaryText(const Opening &opening, const Unrecorded &unrecorded);
// The totals as the window's opening says them, in one sentence: "Παιχνίδια 2, ασκήσεις 10,
// λυμένες 7, χρόνος παιχνιδιού 3 λεπτά και 5 δευτερόλεπτα."
QString spokenTotals(const HistorySummary &totals);
// What waits to be sent to the school's database: `records` records, the oldest played at
// `since`; empty where none wait.
QString classQueueText(int records, const QDateTime &since);

// `shown` as a screen reader is to say it: the short forms above, which it would spell out, and
// the marks it would name, in words. "5 λ. 3 δ." becomes "5 λεπτά και 3 δευτερόλεπτα",
// "07/12/2026 21:07" "7 Δεκεμβρίου 2026, 21 και 7", "0 - 100" "0 έως 100", "70 %" "70 τοις
// εκατό", the keys of a skill ("x +", «/») their names, "-" alone "καμία τιμή"; and no colon,
// slash or semicolon is left (see Speech::forTheEar).
QString readAloud(const QString &shown);

} // namespace numbolo
