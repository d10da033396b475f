#include "progress/targetways.h"

#include "arithmetic/solver.h"

#include <QThread>
#include <QThreadPool>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <optional>

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

void GatheredWays::gather(const QString &keys, const QStringList &targets)
{
    KeySet &keySet = m_keySets[keys];
    for (const QString &target : targets) {
        const auto known = m_numbers.constFind(target);
        if (known != m_numbers.constEnd()) {
            keySet.targets.push_back(*known);
        } else {
            keySet.targets.push_back(int(m_targets.size()));
            m_numbers.insert(target, int(m_targets.size()));
            m_targets << target;
        }
    }
}

void GatheredWays::solve(KeySet &keySet, const QString &keys, const QStringList &targets, const QHash<QString, QString> &known,
                         std::vector<RememberedWay> *found)
{
    std::sort(keySet.targets.begin(), keySet.targets.end());
    keySet.targets.erase(std::unique(keySet.targets.begin(), keySet.targets.end()), keySet.targets.end());
    keySet.targets.shrink_to_fit();
    keySet.ways.clear();
    keySet.ends.clear();
    std::optional<Solver> solver; // its tables are built only where a way is not known
    for (const int target : keySet.targets) {
        const QString &text = targets[target];
        const auto knownWay = known.constFind(text);
        if (knownWay != known.constEnd()) {
            keySet.ways += *knownWay;
        } else {
            if (!solver)
                solver.emplace(keys);
            const Way way = solver->solve(text);
            const QString shown = way.outcome == Way::Outcome::Found ? way.keys : QString();
            keySet.ways += shown;
            found->push_back({keys, text, shown});
        }
        keySet.ends.push_back(int(keySet.ways.size()));
    }
    keySet.ways.squeeze();
}

void GatheredWays::solve(RememberedWays *remembered)
{
    std::vector<std::pair<const QString *, KeySet *>> keySets;
    for (auto keySet = m_keySets.begin(); keySet != m_keySets.end(); ++keySet)
        if (keySet->ends.size() != keySet->targets.size())
            keySets.emplace_back(&keySet.key(), &keySet.value());
    // A batch of key sets at a time: their remembered ways read on this thread, which owns the
    // file's connection; the others solved over the cores, each thread taking the next key set
    // until none is left, this one too; then what was found remembered, in one transaction.
    constexpr std::size_t Batch = 64;
    QThreadPool pool;
    for (std::size_t from = 0; from < keySets.size(); from += Batch) {
        const std::size_t count = std::min(Batch, keySets.size() - from);
        std::vector<QHash<QString, QString>> known(count);
        if (remembered)
            for (std::size_t i = 0; i < count; ++i)
                known[i] = remembered->of(*keySets[from + i].first);
        std::vector<std::vector<RememberedWay>> found(count);
        std::atomic<std::size_t> next{0};
        const auto work = [&] {
            for (std::size_t i = next++; i < count; i = next++)
                solve(*keySets[from + i].second, *keySets[from + i].first, m_targets, known[i], &found[i]);
        };
        const int helpers = std::min(QThread::idealThreadCount(), int(count)) - 1;
        for (int i = 0; i < helpers; ++i)
            pool.start(work);
        work();
        pool.waitForDone();
        if (remembered) {
            std::vector<RememberedWay> all;
            for (std::vector<RememberedWay> &ways : found)
                std::move(ways.begin(), ways.end(), std::back_inserter(all));
            remembered->remember(all); // where it cannot, the ways are found again next time
        }
    }
}

QList<QStringView> GatheredWays::of(const QString &keys, const QStringList &targets)
{
    const auto keySet = m_keySets.constFind(keys);
    const bool solved = keySet != m_keySets.constEnd() && keySet->ends.size() == keySet->targets.size();
    // The place of `target` among the key set's solved targets, none where it was not gathered.
    const auto place = [&](const QString &target) -> std::optional<std::size_t> {
        const auto number = m_numbers.constFind(target);
        if (!solved || number == m_numbers.constEnd())
            return std::nullopt;
        const auto at = std::lower_bound(keySet->targets.begin(), keySet->targets.end(), *number);
        if (at == keySet->targets.end() || *at != *number)
            return std::nullopt;
        return std::size_t(at - keySet->targets.begin());
    };
    QList<QStringView> ways;
    ways.reserve(targets.size());
    for (const QString &target : targets) {
        const std::optional<std::size_t> i = place(target);
        if (!i) {
            m_lateWays << m_late.of(keys, target);
            ways << m_lateWays.back();
            continue;
        }
        const int start = *i == 0 ? 0 : keySet->ends[*i - 1];
        ways << QStringView(keySet->ways).sliced(start, keySet->ends[*i] - start);
    }
    return ways;
}

void addWays(ExerciseDetail *detail, Ways &ways)
{
    for (TargetLine &line : detail->targets)
        line.way = ways.of(detail->keys, line.text);
}

} // namespace numbolo
