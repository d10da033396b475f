#pragma once
// One way to make each target of the report, found with the solver.

#include "store/historysource.h"

#include <QHash>
#include <QString>

#include <memory>

namespace numbolo {

class Solver;

// The ways of one key set's targets, found once each with one solver; another key set starts
// afresh. Whoever asks for a key set's targets together builds its solver's tables once.
class Ways {
public:
    Ways();
    ~Ways();
    Ways(const Ways &) = delete;
    Ways &operator=(const Ways &) = delete;

    // One fewest-press way to make `target` with `keys`, as the display shows it; empty where
    // none is found within the solver's reach.
    QString of(const QString &keys, const QString &target);

private:
    QString m_keys;
    std::unique_ptr<Solver> m_solver;
    QHash<QString, QString> m_found;
};

// Gives each target of `detail` its way.
void addWays(ExerciseDetail *detail, Ways &ways);

} // namespace numbolo
