#include "desktop/moduleclassrecorder.h"

#include "services/programname.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace numbolo {

ModuleClassRecorder::ModuleClassRecorder(ModuleHistoryRecorder::FindFunction find, const PlayerFiles &files,
                                         School school, HistoryRecorder &local)
    : m_find(std::move(find)), m_files(files), m_school(std::move(school)), m_local(local)
{
    // The queue the class store keeps beside the history (classQueuePath in classstore/): what
    // an earlier start could not send goes now, even where the pupil does not play.
    if (QFileInfo(m_files.historyPath() + QStringLiteral(".class-queue")).size() > 0) {
        m_waiting.setSingleShot(true);
        m_waiting.callOnTimeout([this] { recorder(); });
        m_waiting.start(std::chrono::seconds(1));
    }
}

ModuleClassRecorder::~ModuleClassRecorder() = default;

HistoryRecorder *ModuleClassRecorder::recorder()
{
    if (!m_looked) {
        m_looked = true;
        using Create = HistoryRecorder *(*)(const QString &database, const QString &className, const QString &profile,
                                            const QString &historyPath);
        if (const auto create = reinterpret_cast<Create>(
                m_find(QStringLiteral("numbolo_classstore"), "numbolo_create_class_recorder")))
            m_recorder.reset(create(m_school.database, m_school.className, m_files.profileName(), m_files.historyPath()));
        else
            tellOnStandardError(QCoreApplication::translate(
                "Numbolo", "Η αποθήκη της τάξης δεν φορτώθηκε: το παιχνίδι κρατά το ιστορικό μόνο σε αυτόν τον υπολογιστή."));
    }
    return m_recorder.get();
}

void ModuleClassRecorder::gameStarted(const GameFacts &game)
{
    m_local.gameStarted(game);
    if (HistoryRecorder *r = recorder())
        r->gameStarted(game);
}

void ModuleClassRecorder::exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise)
{
    m_local.exerciseEnded(game, exercise);
    if (HistoryRecorder *r = recorder())
        r->exerciseEnded(game, exercise);
}

void ModuleClassRecorder::gameEnded(const GameFacts &game, GameEnd end, int percentage)
{
    m_local.gameEnded(game, end, percentage);
    if (HistoryRecorder *r = recorder())
        r->gameEnded(game, end, percentage);
}

} // namespace numbolo
