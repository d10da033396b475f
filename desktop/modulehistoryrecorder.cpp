#include "desktop/modulehistoryrecorder.h"

namespace numbolo {

ModuleHistoryRecorder::ModuleHistoryRecorder(FindFunction find, const PlayerFiles &files)
    : m_find(std::move(find)), m_files(files)
{
}

ModuleHistoryRecorder::~ModuleHistoryRecorder() = default;

HistoryRecorder *ModuleHistoryRecorder::recorder()
{
    if (!m_looked) {
        m_looked = true;
        using Create = HistoryRecorder *(*)(const QString &historyPath, const QString &pendingPath);
        if (const auto create = reinterpret_cast<Create>(
                m_find(QStringLiteral("numbolo_history"), "numbolo_create_history_recorder")))
            m_recorder.reset(create(m_files.historyPath(), m_files.pendingPath()));
    }
    return m_recorder.get();
}

void ModuleHistoryRecorder::gameStarted(const GameFacts &game)
{
    if (HistoryRecorder *r = recorder())
        r->gameStarted(game);
}

void ModuleHistoryRecorder::exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise)
{
    if (HistoryRecorder *r = recorder())
        r->exerciseEnded(game, exercise);
}

void ModuleHistoryRecorder::gameEnded(const GameFacts &game, GameEnd end, int percentage)
{
    if (HistoryRecorder *r = recorder())
        r->gameEnded(game, end, percentage);
}

} // namespace numbolo
