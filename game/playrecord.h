#pragma once
// The game's side of the history of play: follows the exercise on screen from its draw (its
// targets, its keys, every "=" and when it came) and passes each exercise's end, and each game's
// start and end, to the recorder exactly once.

#include "services/services.h"

#include <optional>

namespace numbolo {

class PlayRecord {
public:
    PlayRecord(HistoryRecorder *recorder, const Clock &clock) : m_recorder(recorder), m_clock(clock) {}

    // Exercise `shown` (the window's serial of the exercise on screen) was drawn with these
    // targets, in reading order, and these working keys; its seconds count from now.
    void exerciseDrawn(quint64 shown, const QStringList &targets, const QString &keys);
    // "=" was pressed in exercise `shown`, the display then showing `value`, and hit the targets
    // `hit` (indexes 0-7 in reading order).
    void equalsPressed(quint64 shown, const QString &value, const std::vector<int> &hit);
    int equalsPresses(quint64 shown) const { return shown == m_shown ? int(m_presses.size()) : 0; }
    // Records the end of exercise `shown`, with what its draw and its "=" presses were, unless
    // it was recorded already.
    void exerciseEnded(quint64 shown, const GameFacts &game, ExerciseFacts exercise);
    void gameStarted(const GameFacts &game);
    // Records the end of the game under way, unless its end was recorded already.
    void gameEnded(const GameFacts &game, GameEnd end, int percentage);

private:
    // Starts following exercise `shown` where another was followed.
    void follow(quint64 shown);

    HistoryRecorder *m_recorder;
    const Clock &m_clock;
    quint64 m_shown = 0;
    qint64 m_drawnAt = 0;
    QStringList m_targets;
    QString m_keys;
    std::vector<EqualsFacts> m_presses;
    std::optional<quint64> m_recorded;
    bool m_gameEndRecorded = false;
};

} // namespace numbolo
