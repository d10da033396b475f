#pragma once
// The recorder of a pupil whose school keeps a class store: each record goes to the local history
// first, as without one, and then to the class store's queue. The class store (Qt's PostgreSQL
// driver, libpq, the sender's thread) lives in the module numbolo_classstore, loaded at the first
// record, or a second after start-up where records of an earlier start still wait in the queue,
// never during start-up; without the module the local history is kept as always.

#include "desktop/modulehistoryrecorder.h"
#include "services/services.h"

#include <QTimer>

#include <memory>

namespace numbolo {

class ModuleClassRecorder : public HistoryRecorder {
public:
    struct School {
        QString database;  // a libpq connection string, [School] database
        QString className; // [School] class
    };
    // Records into `local`, and into the class store of `school` for the player of `files`.
    ModuleClassRecorder(ModuleHistoryRecorder::FindFunction find, const PlayerFiles &files, School school,
                        HistoryRecorder &local);
    ~ModuleClassRecorder() override;
    void gameStarted(const GameFacts &game) override;
    void exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise) override;
    void gameEnded(const GameFacts &game, GameEnd end, int percentage) override;

private:
    HistoryRecorder *recorder();
    ModuleHistoryRecorder::FindFunction m_find;
    const PlayerFiles &m_files;
    School m_school;
    HistoryRecorder &m_local;
    bool m_looked = false;
    std::unique_ptr<HistoryRecorder> m_recorder;
    QTimer m_waiting;
};

} // namespace numbolo
