#include "arithmetic/equals.h"

#include "arithmetic/numbertext.h"

namespace numbolo::Equals {

QString valueText(double value)
{
    return NumberText::format(value).replace(QLatin1Char(','), QLatin1Char('.'));
}

QString displayAfter(const Evaluator &evaluator, QString display, bool *evaluated)
{
    const auto value = evaluator.evaluate(display);
    if (evaluated != nullptr)
        *evaluated = value.has_value();
    if (value)
        return valueText(*value);
    return display.replace(QLatin1Char(','), QLatin1Char('.'));
}

} // namespace numbolo::Equals
