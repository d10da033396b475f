#pragma once
// The game's side of the history of play: counts the "=" presses of the exercise on screen and
// passes each exercise's end, and each game's start and end, to the recorder exactly once.

#include "services/services.h"

#include <optional>

namespace numbolo {

class PlayRecord {
public:
    explicit PlayRecord(HistoryRecorder *recorder) : m_recorder(recorder) {}

    // "=" was pressed in exercise `shown` (the window's serial of the exercise on screen).
    void equalsPressed(quint64 shown);
    int equalsPresses(quint64 shown) const { return shown == m_counting ? m_equals : 0; }
    // Records the end of exercise `shown`, unless it was recorded already.
    void exerciseEnded(quint64 shown, const GameFacts &game, const ExerciseFacts &exercise);
    void gameStarted(const GameFacts &game);
    // Records the end of the game under way, unless its end was recorded already.
    void gameEnded(const GameFacts &game, GameEnd end, int percentage);

private:
    HistoryRecorder *m_recorder;
    quint64 m_counting = 0;
    int m_equals = 0;
    std::optional<quint64> m_recorded;
    bool m_gameEndRecorded = false;
};

} // namespace numbolo
