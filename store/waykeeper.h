#pragma once
// The ways of each recorded exercise's targets, found soon after it ends and remembered beside
// the history, so that a report of years of play reads them instead of finding them all.

#include "services/services.h"

#include <QString>
#include <QStringList>

#include <condition_variable>
#include <deque>
#include <memory>
#include <mutex>
#include <utility>

class QThread;

namespace numbolo {

// Solves the targets of the exercises it is given on a thread of its own, at the lowest
// priority, one exercise after another, and remembers their ways (RememberedWays) in the file
// at `waysPath`; a way remembered before is not found again. The thread starts with the first
// exercise and waits, without using the processor, for the next one. Its end finishes the
// exercise being solved and leaves those still waiting, whose ways a report finds itself.
class WayKeeper {
public:
    explicit WayKeeper(QString waysPath);
    ~WayKeeper();
    WayKeeper(const WayKeeper &) = delete;
    WayKeeper &operator=(const WayKeeper &) = delete;

    // `keys` as the history keeps them ("4 5 7 / +"); nothing where either is empty.
    void keep(const QString &keys, const QStringList &targets);
    // Returns once every exercise given so far is remembered, or could not be.
    void waitUntilKept();

private:
    void run();

    QString m_path;
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<std::pair<QString, QStringList>> m_waiting;
    bool m_busy = false;
    bool m_ending = false;
    std::unique_ptr<QThread> m_thread;
};

// The history's recorder that also keeps the ways of every exercise it records.
class RecorderKeepingWays : public HistoryRecorder {
public:
    RecorderKeepingWays(std::unique_ptr<HistoryRecorder> recorder, QString waysPath);
    ~RecorderKeepingWays() override;

    void gameStarted(const GameFacts &game) override { m_recorder->gameStarted(game); }
    void exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise) override;
    void gameEnded(const GameFacts &game, GameEnd end, int percentage) override { m_recorder->gameEnded(game, end, percentage); }
    void waitUntilKept() { m_keeper.waitUntilKept(); }

private:
    std::unique_ptr<HistoryRecorder> m_recorder;
    WayKeeper m_keeper;
};

} // namespace numbolo
