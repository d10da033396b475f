#include "game/playrecord.h"

#include "engine/exercise.h"
#include "game/form1.h"
#include "game/numbertext.h"

#include <algorithm>

namespace numbolo {

void PlayRecord::equalsPressed(quint64 shown)
{
    if (shown != m_counting) {
        m_counting = shown;
        m_equals = 0;
    }
    ++m_equals;
}

void PlayRecord::exerciseEnded(quint64 shown, const GameFacts &game, const ExerciseFacts &exercise)
{
    if (m_recorder == nullptr || m_recorded == shown)
        return;
    m_recorded = shown;
    m_recorder->exerciseEnded(game, exercise);
}

void PlayRecord::gameStarted(const GameFacts &game)
{
    m_gameEndRecorded = false;
    if (m_recorder != nullptr)
        m_recorder->gameStarted(game);
}

void PlayRecord::gameEnded(GameEnd end, int percentage)
{
    if (m_recorder == nullptr || m_gameEndRecorded)
        return;
    m_gameEndRecorded = true;
    m_recorder->gameEnded(end, percentage);
}

// ---- The window's hooks ------------------------------------------------------------------

GameFacts Form1::gameFacts() const
{
    return {int(NumberText::parse(Text16->text()).value_or(0)), int(NumberText::parse(Text14->text()).value_or(0))};
}

void Form1::recordExerciseEnd()
{
    // While the success window holds the game the exercise on screen was solved; a countdown
    // at 0 ran out; any other end is a skip.
    const auto left = NumberText::parse(Text15->text()).value_or(180);
    const auto targets = targetBoxesByName();
    ExerciseFacts facts;
    facts.number = int(NumberText::parse(Text17->text()).value_or(0));
    facts.level = NumberText::parse(Text12->text()).value_or(0);
    facts.end = !m_formEnabled ? ExerciseEnd::Solved : left <= 0 ? ExerciseEnd::TimedOut : ExerciseEnd::Skipped;
    facts.seconds = secondsUsed();
    facts.targetsHit = int(std::count_if(targets.begin(), targets.end(), [](TextBox *box) { return box->text().isEmpty(); }));
    facts.equalsPresses = m_play.equalsPresses(exerciseShown());
    m_play.exerciseEnded(exerciseShown(), gameFacts(), facts);
}

void Form1::recordSolvedExercise()
{
    // Only while the success window holds a running game: the exercise is stored as solved
    // from now on, whether "ΟΚ", a close or a signal follows.
    if (m_formEnabled || !Frame1->isFrameEnabled())
        return;
    recordExerciseEnd();
    if (Exercise::isLastExercise(Text17->text(), Text16->text())) {
        int percentage = -1;
        skipOnError([&] {
            percentage = Exercise::percentage(NumberText::parseOrThrow(Text13->text()),
                                              NumberText::parseOrThrow(Text16->text()));
        });
        m_play.gameEnded(GameEnd::Finished, percentage);
    }
}

} // namespace numbolo
