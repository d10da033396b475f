#include "desktop/modulehistoryrecorder.h"

#include "services/programname.h"

#include <QCoreApplication>
#include <QDir>

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
        using Lost = std::function<void(std::size_t records, const QString &why)>;
        using Create = HistoryRecorder *(*)(const QString &historyPath, const QString &pendingPath, const Lost &lost);
        if (const auto create = reinterpret_cast<Create>(
                m_find(QStringLiteral("numbolo_history"), "numbolo_create_history_recorder")))
            m_recorder.reset(create(m_files.historyPath(), m_files.pendingPath(), [history = m_files.historyPath()](
                                       std::size_t records, const QString &why) {
                // Nowhere left to keep them: said where whoever started the game can read it.
                tellOnStandardError(QCoreApplication::translate("History", "%1 εγγραφές παιχνιδιού δεν γράφτηκαν στο ιστορικό %2 και χάθηκαν: %3")
                                        .arg(records)
                                        .arg(QDir::toNativeSeparators(history), why));
            }));
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
