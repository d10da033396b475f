#include "store/waykeeper.h"

#include "arithmetic/solver.h"
#include "store/rememberedways.h"

#include <QThread>

#include <algorithm>

#include <optional>
#include <vector>

namespace numbolo {

WayKeeper::WayKeeper(QString waysPath) : m_path(std::move(waysPath)) {}

WayKeeper::~WayKeeper()
{
    {
        std::lock_guard lock(m_mutex);
        m_ending = true;
        m_waiting.clear();
    }
    m_changed.notify_all();
    if (m_thread)
        m_thread->wait();
}

void WayKeeper::keep(const QString &keys, const QStringList &targets)
{
    if (keys.isEmpty() || targets.isEmpty())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_waiting.emplace_back(keys, targets);
    }
    m_changed.notify_all();
    if (!m_thread) {
        m_thread.reset(QThread::create([this] { run(); }));
        m_thread->start(QThread::LowestPriority);
    }
}

void WayKeeper::waitUntilKept()
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_ending || (m_waiting.empty() && !m_busy); });
}

void WayKeeper::run()
{
    RememberedWays remembered(m_path, Solver::Version);
    std::unique_lock lock(m_mutex);
    for (;;) {
        m_changed.wait(lock, [this] { return m_ending || !m_waiting.empty(); });
        if (m_ending)
            return;
        const auto [keys, targets] = std::move(m_waiting.front());
        m_waiting.pop_front();
        m_busy = true;
        lock.unlock();
        const QHash<QString, QString> known = remembered.of(keys);
        std::vector<RememberedWay> found;
        std::optional<Solver> solver;
        for (const QString &target : targets) {
            if (known.contains(target) || std::any_of(found.begin(), found.end(), [&](const RememberedWay &w) { return w.target == target; }))
                continue;
            if (!solver)
                solver.emplace(keys);
            const Way way = solver->solve(target);
            found.push_back({keys, target, way.outcome == Way::Outcome::Found ? way.keys : QString()});
        }
        remembered.remember(found); // where it cannot, a report finds these ways itself
        lock.lock();
        m_busy = false;
        m_changed.notify_all();
    }
}

RecorderKeepingWays::RecorderKeepingWays(std::unique_ptr<HistoryRecorder> recorder, QString waysPath)
    : m_recorder(std::move(recorder)), m_keeper(std::move(waysPath))
{
}

RecorderKeepingWays::~RecorderKeepingWays() = default;

void RecorderKeepingWays::exerciseEnded(const GameFacts &game, const ExerciseFacts &exercise)
{
    m_recorder->exerciseEnded(game, exercise);
    m_keeper.keep(exercise.keys, exercise.targets);
}

} // namespace numbolo
