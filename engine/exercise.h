#pragma once
// The arithmetic of the exercise engine, free of widgets: drawing targets and usable keys,
// moving the level and the number range, and rating a finished game.

#include "engine/typewriter.h"
#include "services/services.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace numbolo::Exercise {

// A target drawn from the number range: floor(range x r), rounded towards minus infinity.
double target(double range, float r);

// Runs drawing passes over `keyCount` keys until exactly `goal` are enabled: in a pass each key
// is enabled when floor(level x r) is not 0. Every pass draws all keys again. Raises a run-time
// error for a level of 1 or less, which could never meet the goal, and after MaxPasses passes.
std::vector<bool> drawKeys(RandomSource &random, double level, int keyCount, int goal);
constexpr long MaxPasses = 10'000'000;

// The level and number range a game starts with, from the target range m and the number of
// exercises r.
double startLevel(double maxnums, double reps);
double startRange(double maxnums, double reps);
// The level after the saw-tooth drop (applied only above 2.9), and after the rise.
double levelDrop(double level);
constexpr double LevelRise = 0.06;
// How much the number range grows per exercise so that it reaches the target range at the end.
double rangeStep(double maxnums, double reps);

// Where a game stands: the texts of the counter, the level and the number range.
struct Position {
    QString cur, level, nums;
};
// True when exercise `cur` is the last of `reps`: the end test reads both counts with the
// locale-independent leading-number parse.
bool isLastExercise(const QString &cur, const QString &reps);
// The position after exercise `now`: the counter one on, the level after the drop and then the
// rise, the range one step on towards `maxnums`, each written as its box shows numbers. The rise
// reads the dropped level back from its text, as the level box holds it between the two steps.
// Raises a type-mismatch run-time error for a text that is not a number.
Position nextExercise(const Position &now, const QString &maxnums, const QString &reps);

// The score rated against 90 % of the exercises, rounded half to even into a 16-bit value and
// capped at 100. Raises an overflow run-time error outside the 16-bit range.
std::int16_t percentage(double score, double reps);

// The lines of the endless results animation for a percentage.
std::vector<TypedLine> resultLines(int percentage);

} // namespace numbolo::Exercise
