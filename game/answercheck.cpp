// The "=" key: evaluate the display, hit the targets that equal the value, complete the exercise.

#include "game/announce.h"
#include "game/form1.h"
#include "arithmetic/numbertext.h"
#include "arithmetic/equals.h"

#include <algorithm>

namespace numbolo {

void Form1::Command17_Click()
{
    // Each step that fails is skipped and the next one runs; this key never shows a message.
    bool evaluated = false;
    Text1->setText(Equals::displayAfter(m_evaluator, Text1->text(), &evaluated));

    const QString shown = Text1->text();
    const std::vector<TextBox *> readingOrder = targetsInReadingOrder(*this);
    std::vector<int> hitNumbers;
    for (TextBox *box : textBoxesWithForeColor(TargetForeColor)) {
        // An empty box is never a hit: "=" on an empty display must not "hit" cleared targets.
        if (box->text().isEmpty() || box->text() != shown)
            continue;
        box->setText(QString());
        const auto place = std::find(readingOrder.begin(), readingOrder.end(), box);
        if (place != readingOrder.end())
            hitNumbers.push_back(int(place - readingOrder.begin()) + 1);
        if (soundsOn())
            m_services.sound.play(Sound::Hit);
    }

    std::sort(hitNumbers.begin(), hitNumbers.end());
    std::vector<int> hitIndexes;
    for (int number : hitNumbers)
        hitIndexes.push_back(number - 1);
    m_play.equalsPressed(exerciseShown(), shown, hitIndexes);
    if (evaluated)
        Announce::result(*this, int(hitNumbers.size()));
    else
        Announce::nothingWorkedOut(*this);

    const auto targets = targetBoxesByName();
    const bool allHit = std::all_of(targets.begin(), targets.end(), [](TextBox *box) { return box->text().isEmpty(); });
    const auto counter = NumberText::parse(Text17->text());
    if (!allHit || !counter || *counter == 0)
        return;
    skipOnError([this] { Text13->setText(NumberText::format(NumberText::parseOrThrow(Text13->text()) + 1)); });
    Timer1->setEnabled(false);
    showSuccessWindow();
}

} // namespace numbolo
