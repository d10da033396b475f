#include "desktop/modulehistoryrecorder.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace numbolo {

QString defaultHistoryPath()
{
    const QString app = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    return QDir(base).filePath(app + QStringLiteral("/history.sqlite"));
}

ModuleHistoryRecorder::ModuleHistoryRecorder(FindFunction find) : m_find(std::move(find)) {}

ModuleHistoryRecorder::~ModuleHistoryRecorder() = default;

HistoryRecorder *ModuleHistoryRecorder::recorder()
{
    if (!m_looked) {
        m_looked = true;
        using Create = HistoryRecorder *(*)(const QString &path);
        if (const auto create = reinterpret_cast<Create>(
                m_find(QStringLiteral("numbolo_history"), "numbolo_create_history_recorder")))
            m_recorder.reset(create(defaultHistoryPath()));
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
