// Drawing an exercise: eight targets from the current range, and the keys that work in it.

#include "arithmetic/numbertext.h"
#include "engine/exercise.h"
#include "game/form1.h"

namespace numbolo {

void Form1::DrawExercise()
{
    const QString levelText = Text12->text();

    for (TextBox *box : textBoxesWithForeColor(TargetForeColor)) {
        const double range = NumberText::parseOrThrow(Text18->text());
        box->setText(NumberText::format(Exercise::target(range, m_services.random.next())));
    }

    const std::vector<PushButton *> operators = keysWithBackColor(OperatorKeyColor);
    const std::vector<bool> usableOperators =
        Exercise::drawKeys(m_services.random, NumberText::parseOrThrow(levelText), int(operators.size()), 2);
    for (std::size_t i = 0; i < operators.size(); ++i)
        operators[i]->setEnabled(usableOperators[i]);

    // "/" with "x" makes harder sums, so that pair gets five digits.
    const int digitGoal = Command10->isEnabled() && Command11->isEnabled() ? 5 : 3;
    const std::vector<PushButton *> digits = keysWithBackColor(DigitKeyColor);
    const std::vector<bool> usableDigits =
        Exercise::drawKeys(m_services.random, NumberText::parseOrThrow(levelText), int(digits.size()), digitGoal);
    for (std::size_t i = 0; i < digits.size(); ++i)
        digits[i]->setEnabled(usableDigits[i]);

    // Negative targets, and a target of 0, need "-".
    if (NumberText::parseOrThrow(Text14->text()) < 0)
        Command12->setEnabled(true);
    for (TextBox *box : textBoxesWithForeColor(TargetForeColor))
        if (NumberText::parseOrThrow(box->text()) == 0)
            Command12->setEnabled(true);
    recordExerciseDrawn();
}

} // namespace numbolo
