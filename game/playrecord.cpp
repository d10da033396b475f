#include "game/playrecord.h"

#include "engine/exercise.h"
#include "game/announce.h"
#include "game/form1.h"
#include "arithmetic/numbertext.h"

#include <QUuid>

#include <algorithm>

namespace numbolo {

void PlayRecord::follow(quint64 shown)
{
    if (shown == m_shown)
        return;
    m_shown = shown;
    m_drawnAt = m_clock.now();
    m_targets.clear();
    m_keys.clear();
    m_presses.clear();
}

void PlayRecord::exerciseDrawn(quint64 shown, const QStringList &targets, const QString &keys)
{
    follow(shown);
    // A draw starts the exercise afresh, even one drawn again under the same serial.
    m_drawnAt = m_clock.now();
    m_presses.clear();
    m_targets = targets;
    m_keys = keys;
}

void PlayRecord::equalsPressed(quint64 shown, const QString &value, const std::vector<int> &hit)
{
    follow(shown);
    m_presses.push_back({int(std::max<qint64>(m_clock.now() - m_drawnAt, 0) / 1000), value, hit});
}

void PlayRecord::exerciseEnded(quint64 shown, const GameFacts &game, ExerciseFacts exercise)
{
    if (m_recorder == nullptr || m_recorded == shown)
        return;
    m_recorded = shown;
    if (shown == m_shown) {
        exercise.targets = m_targets;
        exercise.keys = m_keys;
        exercise.presses = m_presses;
    }
    m_recorder->exerciseEnded(game, exercise);
}

void PlayRecord::gameStarted(const GameFacts &game)
{
    m_gameEndRecorded = false;
    if (m_recorder != nullptr)
        m_recorder->gameStarted(game);
}

void PlayRecord::gameEnded(const GameFacts &game, GameEnd end, int percentage)
{
    if (m_recorder == nullptr || m_gameEndRecorded)
        return;
    m_gameEndRecorded = true;
    m_recorder->gameEnded(game, end, percentage);
}

// ---- The window's hooks ------------------------------------------------------------------

GameFacts Form1::gameFacts() const
{
    return {int(NumberText::parse(Text16->text()).value_or(0)), int(NumberText::parse(Text14->text()).value_or(0)),
            m_gameId, m_parents.secondsPerExercise, m_parents.keyboardTyping};
}

void Form1::newGameId()
{
    m_gameId = QUuid::createUuid().toString(QUuid::WithoutBraces);
}

void Form1::recordExerciseDrawn()
{
    QStringList targets;
    for (const TextBox *box : targetsInReadingOrder(*this))
        targets << box->text();
    // The digits in order, then the operators as the keypad has them: "4 5 7 / +".
    QStringList keys;
    for (PushButton *Form1::*key : {&Form1::Command0, &Form1::Command1, &Form1::Command2, &Form1::Command3,
                                    &Form1::Command4, &Form1::Command5, &Form1::Command6, &Form1::Command7,
                                    &Form1::Command8, &Form1::Command9, &Form1::Command10, &Form1::Command11,
                                    &Form1::Command12, &Form1::Command13})
        if ((this->*key)->isEnabled())
            keys << (this->*key)->text();
    m_play.exerciseDrawn(exerciseShown(), targets, keys.join(QLatin1Char(' ')));
}

void Form1::recordExerciseEnd()
{
    // While the success window holds the game the exercise on screen was solved; a countdown
    // at 0 ran out; any other end is a skip.
    const auto targets = targetBoxesByName();
    ExerciseFacts facts;
    facts.number = int(NumberText::parse(Text17->text()).value_or(0));
    facts.level = NumberText::parse(Text12->text()).value_or(0);
    const bool ranOut = Timer1->state() == Countdown::State::RanOut;
    facts.end = !m_formEnabled ? ExerciseEnd::Solved : ranOut ? ExerciseEnd::TimedOut : ExerciseEnd::Skipped;
    facts.seconds = Timer1->secondsUsed();
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
        m_play.gameEnded(gameFacts(), GameEnd::Finished, percentage);
    }
}

} // namespace numbolo
