#include "engine/exercise.h"

#include "arithmetic/numbertext.h"
#include "arithmetic/runtimeerror.h"

#include <QCoreApplication>
#include <cmath>

namespace numbolo {

namespace Exercise {

double target(double range, float r)
{
    return std::floor(range * double(r));
}

std::vector<bool> drawKeys(RandomSource &random, double level, int keyCount, int goal)
{
    if (!(level > 1))
        throw RuntimeError(RuntimeError::InvalidCall,
                           QCoreApplication::translate("Exercise", "Το επίπεδο %1 δεν επιτρέπει την επιλογή πλήκτρων.").arg(NumberText::format(level)));
    std::vector<bool> enabled(std::size_t(keyCount), false);
    for (long pass = 0; pass < MaxPasses; ++pass) {
        int count = 0;
        for (int i = 0; i < keyCount; ++i) {
            enabled[std::size_t(i)] = std::floor(level * double(random.next())) != 0;
            count += enabled[std::size_t(i)] ? 1 : 0;
        }
        if (count == goal)
            return enabled;
    }
    throw RuntimeError(RuntimeError::Overflow,
                       QCoreApplication::translate("Exercise", "Το επίπεδο %1 δεν επιτρέπει την επιλογή πλήκτρων.").arg(NumberText::format(level)));
}

double startLevel(double maxnums, double reps)
{
    return std::abs(maxnums / 10000) + 1.12 + reps / 300;
}

double startRange(double maxnums, double reps)
{
    return maxnums / 3 + reps / 10;
}

double levelDrop(double level)
{
    return level > 2.9 ? level + 1.14 - 2.9 : level;
}

double rangeStep(double maxnums, double reps)
{
    return (maxnums - (maxnums / 3 + reps / 10)) / (reps - 1);
}

bool isLastExercise(const QString &cur, const QString &reps)
{
    return NumberText::leadingNumber(reps) == NumberText::leadingNumber(cur);
}

Position nextExercise(const Position &now, const QString &maxnums, const QString &reps)
{
    using NumberText::format;
    using NumberText::parseOrThrow;
    Position next;
    next.cur = format(parseOrThrow(now.cur) + 1);
    const QString dropped = format(levelDrop(parseOrThrow(now.level)));
    next.level = format(parseOrThrow(dropped) + LevelRise);
    next.nums = format(parseOrThrow(now.nums) + rangeStep(parseOrThrow(maxnums), parseOrThrow(reps)));
    return next;
}

std::int16_t percentage(double score, double reps)
{
    const double rated = score / (reps - reps / 10) * 100;
    const double rounded = std::nearbyint(rated); // ties to even in the default rounding mode
    if (!(rounded >= -32768 && rounded <= 32767))
        throw RuntimeError(RuntimeError::Overflow, QCoreApplication::translate("Exercise", "Υπερχείλιση στον υπολογισμό του ποσοστού."));
    return std::int16_t(std::min(rounded, 100.0));
}

std::vector<TypedLine> resultLines(int percentage)
{
    std::vector<TypedLine> lines{
        {QCoreApplication::translate("Exercise", "ΤΕΡΜΑΤΙΣΜΟΣ ΠΑΙΧΝΙΔΙΟΥ."), 24, 200},
        {QCoreApplication::translate("Exercise", "ΑΠΟΤΕΛΕΣΜΑΤΑ: %1 %").arg(percentage), 20, 300},
    };
    if (percentage >= 50) {
        lines.push_back({QCoreApplication::translate("Exercise", "ΕΠΙΤΥΧΙΑ!!"), 11, 200});
        lines.push_back({QStringLiteral(":-)     :-)     :-)     :-)     :-)     :-)"), 44, 700});
    } else {
        lines.push_back({QStringLiteral(":-(     :-(     :-(     :-(     :-(     :-)"), 44, 700});
    }
    return lines;
}

} // namespace Exercise

} // namespace numbolo
