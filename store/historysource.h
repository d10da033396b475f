#pragma once
// What the progress report and its window read of the history, behind one interface, and the
// values it returns: the games list and its totals, what happened inside an exercise, the figures
// by skill, by target range and by day, and the charts' series. SqlHistorySource
// (store/sqlhistorysource.h) reads them from the store's database; tests pass the fake of
// tests/fakes.h. No text here is for a person to read: progress/ writes every one.

#include "services/services.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>

#include <map>
#include <optional>
#include <vector>

namespace numbolo {

struct ExerciseRow {
    int number = 0;
    double level = 0;
    ExerciseEnd end = ExerciseEnd::Solved;
    int seconds = 0;
    int targetsHit = 0;
    int equalsPresses = 0;
    QDateTime ended;
};

struct GameRow {
    qint64 key = 0; // the game's row in the history, which names it to HistorySource::exercise
    QDateTime started;
    QDateTime ended;
    int exercises = 0;
    int range = 0;
    std::optional<GameEnd> end; // none while the game is under way
    int percentage = -1;        // -1 unless it finished
    int secondsPerExercise = 180; // 0: no time limit
    bool keyboardTyping = false;
    std::vector<ExerciseRow> played;

    int solved() const;
    int seconds() const;
};

// Why the history cannot be read, as a value; the report says it in words. What SQLite said and
// the history's file come with the kinds that a parent is told them with.
struct ReadError {
    enum class Kind {
        None,
        NewerVersion,   // written by a later version of the program
        Unreadable,     // SQLite cannot read it: `file`, and `detail`, what SQLite said
        Damaged,        // not a sound database, which the game keeps aside: `file` and `detail`
        NoSuchExercise, // the exercise asked for is not in the history: its number, `exercise`
    };
    Kind kind = Kind::None;
    QString file;
    QString detail;
    int exercise = 0;

    bool failed() const { return kind != Kind::None; }
};

// The totals above the games list.
struct HistorySummary {
    int games = 0;
    int exercises = 0; // ended
    int solved = 0;
    qint64 seconds = 0; // countdown seconds used, summed over every exercise
};

// The result of a finished game: when it started (as the list of games shows it) and its
// percentage.
struct GameResult {
    QDateTime when;
    int percentage = 0;
};

// Exercises solved on a local day.
struct DaySolved {
    QDate day;
    int solved = 0;
};

// Exercises played and solved in a group, and the median seconds to solve one (none where
// nothing was solved).
struct Figures {
    int played = 0;
    int solved = 0;
    std::optional<double> medianSeconds;
};

// A skill is the set of operators that worked in an exercise, named by their captions in keypad
// order ("x +", "/ -"); a range is a game's target range, named as read by its number ("100",
// "-500"), which the report writes as the window does. `byMonth` is keyed by the first day of
// each month with play.
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

// The months the recent figures cover: the latest with play, this many of them.
constexpr int RecentMonths = 3;

// One target of an exercise: hit by the first "=" that names it, or missed. `way` is one
// fewest-press way to make it with the exercise's keys, as the display shows it ("7*5+3"), which
// the report finds (the history keeps none): empty as read, and where none was found.
struct TargetLine {
    int target = 0;
    bool hit = false;
    std::optional<int> seconds; // into the exercise when it was hit
    QString value;              // the display's text that hit it
    QString way;
    QString text;               // the target as the history keeps it, as it was shown
};

// One exercise as the child met it. `recorded` is false for exercises recorded before the
// history kept targets and keys: then only the row itself is known.
struct ExerciseDetail {
    bool recorded = false;
    ExerciseRow row;
    QString keys; // the working digits and operators as their captions, "4 5 7 / +"
    std::vector<TargetLine> targets;
    std::vector<EqualsFacts> presses;
};

// An exercise with a target that was not hit, and when its game began.
struct MissedExercise {
    QDateTime gameStarted;
    ExerciseDetail detail;
};

// An exercise whose targets were recorded, as the targets' CSV lists it: its game's key
// (GameRow::key) and start, its targets as they were shown, in reading order, and its presses.
struct RecordedExercise {
    qint64 game = 0;
    QDateTime gameStarted;
    int number = 0;
    QString keys;
    QStringList targets;
    std::vector<EqualsFacts> presses;
};

// Each call reads just what it returns, aggregated where the history is kept: on a history of
// years none but everyGame() reads every row. A missing history reads as an empty one. False,
// with why in `error`, where the history cannot be read.
class HistorySource {
public:
    virtual ~HistorySource() = default;

    // Whether the history can be read at all.
    virtual bool readable(ReadError *error) = 0;
    // The totals above the games list.
    virtual bool summary(HistorySummary *summary, ReadError *error) = 0;
    // A page of the games list: the games from the `first`-th newest (0 the newest), at most
    // `count` of them, newest first, each with its exercises in order (GameRow::played). The
    // number of games is HistorySummary::games.
    virtual bool games(int first, int count, std::vector<GameRow> *games, ReadError *error) = 0;
    // Every game, as games() gives them.
    virtual bool everyGame(std::vector<GameRow> *games, ReadError *error) = 0;
    // The result of each of the latest `latest` finished games that have one, oldest first.
    virtual bool results(int latest, std::vector<GameResult> *results, ReadError *error) = 0;
    // Exercises solved per local day, over the latest `days` days on which any exercise ended (a
    // day with none solved has 0), oldest first.
    virtual bool solvedPerDay(int days, std::vector<DaySolved> *perDay, ReadError *error) = 0;
    // The figures by skill, by range and by day.
    virtual bool figures(Report *report, ReadError *error) = 0;
    // The figures of the latest RecentMonths months with play only, by which the report's next
    // step says what it says of the whole: quickly read on a history of years.
    virtual bool recentFigures(Report *report, ReadError *error) = 0;
    // Exercise `number` of the game whose key is `game` (GameRow::key); NoSuchExercise where the
    // history has none such.
    virtual bool exercise(qint64 game, int number, ExerciseDetail *detail, ReadError *error) = 0;
    // The newest `count` exercises whose targets were recorded and not all hit, newest first.
    virtual bool missed(int count, std::vector<MissedExercise> *missed, ReadError *error) = 0;

    // A page of the exercises whose targets were recorded: those of the `games` games after the
    // game `afterGame` (GameRow::key; 0 for the first), oldest game first and by number. Each
    // page is read in one short read of its own, so that a game being played meanwhile writes
    // between pages without waiting. `*lastGame`: the last game the page covered, `afterGame`
    // where no game follows it. With `keysOnly`, each exercise has its game, number, keys and
    // targets, without its game's start and its presses.
    virtual bool recordedExercises(qint64 afterGame, int games, std::vector<RecordedExercise> *page, qint64 *lastGame,
                                   ReadError *error, bool keysOnly = false) = 0;
};

} // namespace numbolo
