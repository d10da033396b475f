#pragma once
// What the progress report shows beyond the games list: what happened inside each exercise
// (its targets, its keys, every "=" and one way to make each target), and figures by skill, by
// target range and by day that say what the child finds hard. Read from the history by SQL,
// aggregated there, never by reading every row into memory.

#include "store/historyreader.h"

#include <QDate>
#include <QIODevice>
#include <QString>

#include <map>
#include <optional>
#include <vector>

namespace numbolo {

// One "=" of an exercise: the display's text after it, the seconds since the exercise was
// shown, and which of the exercise's targets (indexes 0-7, reading order) it hit.
struct EqualsPress {
    int seconds = 0;
    QString value;
    std::vector<int> hit;
};

// One target of an exercise. `way` is one fewest-press way to make it with the exercise's keys,
// as the display shows it ("7*5+3"); empty where the search found none within its reach.
struct TargetLine {
    int target = 0;
    bool hit = false;
    std::optional<int> seconds; // into the exercise when it was hit
    QString value;              // the display's text that hit it
    QString way;
};

// One exercise as the child met it. `recorded` is false for exercises recorded before the
// history kept targets and keys: then only the row itself is known.
struct ExerciseDetail {
    bool recorded = false;
    ExerciseRow row;
    QString keys; // the working digits and operators as their captions, "4 5 7 / +"
    std::vector<TargetLine> targets;
    std::vector<EqualsPress> presses;
};

// Exercises played and solved in a group, and the median seconds to solve one (none where
// nothing was solved).
struct Figures {
    int played = 0;
    int solved = 0;
    std::optional<double> medianSeconds;
};

// A skill is the set of operators that worked in an exercise, as their captions in keypad
// order ("x +", "/ -"); a range is a game's target range as the window writes it ("0 - 100").
// `byMonth` is keyed by the first day of each month with play.
struct GroupFigures {
    QString name;
    Figures whole;
    std::map<QDate, Figures> byMonth;
};

struct Report {
    std::vector<GroupFigures> skills; // only exercises whose keys were recorded
    std::vector<GroupFigures> ranges;
    std::vector<QDate> daysPlayed;    // local dates with at least one exercise ended, ascending
    // Where games of more than one time per exercise were played: the seconds per exercise (0:
    // no limit) of the games whose solved times the medians count, the setting of the most
    // games. A child given 30 minutes solves at another pace than one given 3.
    std::optional<int> mediansSecondsPerExercise;
};

// ---- Read from the history (SQL) ----------------------------------------------------------

// The report's figures. A missing file is an empty report. False, with a Greek `error`, where
// the file cannot be read.
bool readReport(const QString &historyPath, Report *report, QString *error);

// The months nextStep looks at: the latest with play, this many of them.
constexpr int RecentMonths = 3;

// The report's figures of the latest RecentMonths months with play only, by which nextStep says
// what it says of the whole report: read from the indexes by day, quickly on a history of years.
bool readRecentReport(const QString &historyPath, Report *report, QString *error);

// An exercise with a target that was not hit, and when its game began.
struct MissedExercise {
    QDateTime gameStarted;
    ExerciseDetail detail;
};

// The newest `count` exercises whose targets were recorded and not all hit, newest first, each
// with a way for every target. False, with a Greek `error`, where the history cannot be read.
bool readMissed(const QString &historyPath, int count, std::vector<MissedExercise> *missed, QString *error);

// Exercise `number` of the game whose history key is `game` (GameRow::key), with a way for
// every target. False, with a Greek `error`, where it cannot be read.
bool readExerciseDetail(const QString &historyPath, qint64 game, int number, ExerciseDetail *detail,
                        QString *error);

// One row per target of every exercise whose targets were recorded, oldest first, in RFC 4180
// CSV like historyCsv, header exactly
// "Έναρξη παιχνιδιού,Άσκηση,Στόχος,Βρέθηκε,Δευτερόλεπτα,Πλήκτρα,Ένας τρόπος".
bool writeTargetsCsv(const QString &historyPath, QIODevice &out, QString *error);

// ---- The games list, the summary and the two charts, for a history of years (SQL) ---------
// Each reads just what it returns; none reads every row into memory. A missing file reads as an
// empty history; false, with a Greek `error`, where the file cannot be read.

// The totals above the games list.
struct HistorySummary {
    int games = 0;
    int exercises = 0; // ended
    int solved = 0;
    qint64 seconds = 0; // countdown seconds used, summed over every exercise
};
bool readSummary(const QString &historyPath, HistorySummary *summary, QString *error);

// A page of the games list: the games from the `first`-th newest (0 the newest), at most
// `count` of them, newest first, each with its exercises in order (GameRow::played). The number
// of games is HistorySummary::games.
bool readGames(const QString &historyPath, int first, int count, std::vector<GameRow> *games, QString *error);

// The result of each of the latest `latest` finished games that have one, oldest first: when it
// started (as the list of games shows it) and its percentage.
struct GameResult {
    QDateTime when;
    int percentage = 0;
};
bool readResults(const QString &historyPath, int latest, std::vector<GameResult> *results, QString *error);

// Exercises solved per local day, over the latest `days` days on which any exercise ended (a day
// with none solved has 0), oldest first.
struct DaySolved {
    QDate day;
    int solved = 0;
};
bool readSolvedPerDay(const QString &historyPath, int days, std::vector<DaySolved> *perDay, QString *error);

// ---- What the figures say (pure) ----------------------------------------------------------

// The run of consecutive days played that ends today, or yesterday when today has no play yet;
// 0 when neither was played.
int currentRun(const std::vector<QDate> &daysPlayed, const QDate &today);

// One plain Greek sentence with the next step the figures suggest, or empty where there is too
// little play to say anything.
QString nextStep(const Report &report);

// Which games the median times count, where not all of them: a sentence, or empty.
QString mediansNote(const Report &report);

} // namespace numbolo
