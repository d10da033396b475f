#pragma once
// An exercise drawn as the game draws one, without its window, for the solver's benchmark and tests.

#include "desktop/seededrandom.h"
#include "engine/exercise.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace numbolo::measure {

struct DrawnExercise {
    QStringList targets;
    QString keys; // the working digits, then the working operators as they insert: "457/+"
};

// In the game's order: eight targets from the whole `range`, two of the operators "/", "x", "-"
// and "+", three digits or five for "/" with "x"; "-" also works for a negative range or a target
// of 0.
inline DrawnExercise drawExercise(RandomSource &random, double range)
{
    DrawnExercise exercise;
    for (int i = 0; i < 8; ++i)
        exercise.targets << QString::number(Exercise::target(range, random.next()), 'f', 0);
    const std::vector<bool> operators = Exercise::drawKeys(random, 2, 4, 2);
    const std::vector<bool> digits = Exercise::drawKeys(random, 2, 10, operators[0] && operators[1] ? 5 : 3);
    for (int i = 0; i < 10; ++i)
        if (digits[std::size_t(i)])
            exercise.keys += QChar(u'0' + i);
    const bool needsMinus = range < 0 || exercise.targets.contains(QStringLiteral("0"));
    for (int i = 0; i < 4; ++i)
        if (operators[std::size_t(i)] || (i == 2 && needsMinus))
            exercise.keys += QLatin1Char("/*-+"[i]);
    return exercise;
}

} // namespace numbolo::measure
