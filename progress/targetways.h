#pragma once
// One way to make each target of the report, found with the solver.

#include "store/historysource.h"
#include "store/rememberedways.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace numbolo {

class RememberedWays;
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

// The ways of the targets of many exercises, found before they are asked for: the targets of
// every exercise are gathered first, then each key set's targets are solved together with one
// solver, the key sets spread over the processor's cores. A target not gathered is found when
// it is asked for, as Ways finds it. Every way is the one Ways gives, or one that this solver
// found before and `remembered` keeps.
class GatheredWays {
public:
    void gather(const QString &keys, const QStringList &targets);
    // Finds the ways of every target gathered so far: those `remembered` keeps are read from it,
    // the others solved and remembered there. Without `remembered`, every way is solved.
    void solve(RememberedWays *remembered = nullptr);
    // The way of each of `targets`, shown with `keys`, as Ways::of gives it; each valid while
    // this object lives.
    QList<QStringView> of(const QString &keys, const QStringList &targets);

private:
    // A key set's targets, by their numbers in m_targets, ascending and each once after solve(),
    // and the way of each: the ways one after another in `ways`, the i-th ending at ends[i].
    struct KeySet {
        std::vector<int> targets;
        QString ways;
        std::vector<int> ends;
    };
    // Solves those of the key set's targets that `known` has no way for, and adds them to `found`.
    static void solve(KeySet &keySet, const QString &keys, const QStringList &targets, const QHash<QString, QString> &known,
                      std::vector<RememberedWay> *found);

    QStringList m_targets; // every target's text, once, numbered by its place
    QHash<QString, int> m_numbers;
    QHash<QString, KeySet> m_keySets;
    Ways m_late;
    QStringList m_lateWays; // the ways found when asked for, which of() gives views of
};

// Gives each target of `detail` its way.
void addWays(ExerciseDetail *detail, Ways &ways);

} // namespace numbolo
