#include "input/equals.h"

#include "game/numbertext.h"

namespace numbolo::Equals {

QString valueText(double value)
{
    return NumberText::format(value).replace(QLatin1Char(','), QLatin1Char('.'));
}

QString displayAfter(const Evaluator &evaluator, QString display)
{
    if (const auto value = evaluator.evaluate(display))
        return valueText(*value);
    return display.replace(QLatin1Char(','), QLatin1Char('.'));
}

} // namespace numbolo::Equals
