#include "progress/targetways.h"

#include "arithmetic/solver.h"

namespace numbolo {

Ways::Ways() = default;
Ways::~Ways() = default;

QString Ways::of(const QString &keys, const QString &target)
{
    if (!m_solver || keys != m_keys) {
        m_solver = std::make_unique<Solver>(keys);
        m_keys = keys;
        m_found.clear();
    }
    const auto known = m_found.constFind(target);
    if (known != m_found.constEnd())
        return *known;
    const Way way = m_solver->solve(target);
    const QString text = way.outcome == Way::Outcome::Found ? way.keys : QString();
    m_found.insert(target, text);
    return text;
}

void addWays(ExerciseDetail *detail, Ways &ways)
{
    for (TargetLine &line : detail->targets)
        line.way = ways.of(detail->keys, line.text);
}

} // namespace numbolo
