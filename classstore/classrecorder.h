#pragma once
// The pupil's side of the class store: every record of play goes into the queue (classqueue.h)
// as the game records it, and a worker thread with a connection of its own sends the queue to
// the school's database. The game's thread only appends a line to a file; it never waits for the
// network, a server that hangs or one that is gone. Where the server cannot be reached, refuses
// the login or goes away in the middle, the records wait in the queue, across restarts, and are
// sent when it is back: first again after a second, then after longer and longer waits, up to a
// minute. At its first start for a player it also queues the player's earlier local history.

#include "classstore/classqueue.h"
#include "services/services.h"
#include "store/historystore.h"

#include <QString>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace numbolo {

class SchoolDatabase;

class ClassRecorder : public HistoryRecorder {
public:
    struct Place {
        QString database;    // the libpq connection string of [School]
        QString className;   // class of [School]
        QString profile;     // the profile's name, empty where the account has one player
        QString historyPath; // the local history, whose earlier records are queued once
    };
    // Starts the sender, which sends what the queue holds at once.
    explicit ClassRecorder(Place place);
    // Gives the sender a moment to finish what it is sending, then breaks off its connection.
    // What was not sent waits in the queue; a record that could be written neither to the server
    // nor to the queue makes the next start queue the local history again.
    ~ClassRecorder() override;

    void gameStarted(const GameFacts &game) override;
    void exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise) override;
    void gameEnded(const GameFacts &game, GameEnd end, int percentage) override;

    // Tries to send at once, without waiting for the next try.
    void retryNow();
    // Waits at most `milliseconds` for the sender to have tried everything queued before the
    // call: true where all of it is stored.
    bool waitUntilIdle(int milliseconds);
    // What the server or libpq said at the last failed try; empty after a good one.
    QString lastError() const;

private:
    void add(HistoryStore::Record record);
    void run();
    bool sendAll(SchoolDatabase &school, QString *error);
    bool queueEarlierHistory();

    Place m_place;
    ClassQueue m_queue;
    QString m_earlierMark;

    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    bool m_stopping = false;
    bool m_done = false;
    quint64 m_asked = 1;  // tries asked for
    quint64 m_served = 0; // the tries asked for when the last try began
    bool m_lastOk = false;
    QString m_lastError;
    std::chrono::milliseconds m_wait{1000};
    SchoolDatabase *m_school = nullptr;
    std::thread m_sender;
};

} // namespace numbolo
