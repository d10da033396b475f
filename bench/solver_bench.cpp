// The solver on the exercises a game draws: for each target range, many exercises drawn as the
// game draws them (eight targets from the whole range, two operators, three digits or five for
// "/" with "x", "-" for negative ranges and targets of 0), each solved whole by a fresh Solver.
// Prints lines of "name value":
//   reach N                          presses every search covers
//   <range>_exercises N
//   <range>_median_ms, <range>_worst_ms   CPU time to solve all eight targets of one exercise
//   <range>_worst_exercise KEYS TARGETS...  the exercise that took longest
//   <range>_no_way_percent           share of targets without a way within reach
//   <range>_no_way_targets N
//   <range>_worst_memory_mib         the most memory one exercise's tables held
//   <range>_sign_after_operator_ways N  ways with a "-" as a sign after an operator or "("
//   <range>_plain_percent            share of the targets with a way whose way is plain: no "^",
//                                    no number that starts with ".", no sign after an operator
//   <range>_presses_<n> N            targets whose fewest presses are n
// then peak_resident_mib, the process's peak resident memory. Times are CPU time of this thread.
//   solver_bench [--exercises N] [--reach N]   (default 300 per range, the solver's own reach)

#include "drawnexercise.h"
#include "arithmetic/solver.h"
#include "residentmemory.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <map>
#include <vector>

namespace {

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return double(t.tv_sec) + double(t.tv_nsec) / 1e9;
}

// A "-" used as a sign right after an operator or "(", as in "5--3", "4*-2", "(-3": harder for a
// parent to read than a way without one.
bool hasSignAfterOperator(const QString &way)
{
    for (int i = 1; i < way.size(); ++i)
        if (way[i] == u'-' && QStringLiteral("+-*/^(").contains(way[i - 1]))
            return true;
    return false;
}

bool isPlain(const QString &way)
{
    for (int i = 0; i < way.size(); ++i)
        if (way[i] == u'^' || (way[i] == u'.' && (i == 0 || !way[i - 1].isDigit())))
            return false;
    return !hasSignAfterOperator(way);
}

} // namespace

int main(int argc, char **argv)
{
    int exercises = 300;
    int reach = numbolo::Solver::DefaultReach;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--exercises") == 0)
            exercises = std::max(1, std::atoi(argv[i + 1]));
        else if (std::strcmp(argv[i], "--reach") == 0)
            reach = std::clamp(std::atoi(argv[i + 1]), 1, numbolo::Solver::MaxReach);
    }
    std::printf("reach %d\n", reach);
    for (const double range : {100.0, 1000.0, 9999.0, -100.0}) {
        const QString name = QString::number(range).replace(QLatin1Char('-'), QLatin1String("minus"));
        numbolo::SeededRandom random(20240601u);
        std::vector<double> times;
        struct {
            double ms = -1;
            numbolo::measure::DrawnExercise exercise;
        } slowest;
        std::size_t noWay = 0, worstBytes = 0, signAfter = 0, plain = 0;
        std::map<int, int> presses;
        for (int e = 0; e < exercises; ++e) {
            const numbolo::measure::DrawnExercise exercise = numbolo::measure::drawExercise(random, range);
            const double start = cpuSeconds();
            numbolo::Solver solver(exercise.keys, reach);
            for (const QString &target : exercise.targets) {
                const numbolo::Way way = solver.solve(target);
                if (way.outcome == numbolo::Way::Outcome::Found) {
                    ++presses[way.reach];
                    signAfter += hasSignAfterOperator(way.keys) ? 1 : 0;
                    plain += isPlain(way.keys) ? 1 : 0;
                } else
                    ++noWay;
            }
            times.push_back((cpuSeconds() - start) * 1000);
            if (times.back() > slowest.ms) {
                slowest.ms = times.back();
                slowest.exercise = exercise;
            }
            worstBytes = std::max(worstBytes, solver.peakMemoryBytes());
        }
        std::sort(times.begin(), times.end());
        const QByteArray n = name.toLatin1();
        std::printf("%s_exercises %d\n", n.constData(), exercises);
        std::printf("%s_median_ms %.2f\n", n.constData(), times[times.size() / 2]);
        std::printf("%s_worst_ms %.2f\n", n.constData(), times.back());
        std::printf("%s_worst_exercise %s %s\n", n.constData(), qPrintable(slowest.exercise.keys), qPrintable(slowest.exercise.targets.join(u' ')));
        std::printf("%s_no_way_percent %.1f\n", n.constData(), 100.0 * double(noWay) / (8.0 * exercises));
        std::printf("%s_no_way_targets %zu\n", n.constData(), noWay);
        std::printf("%s_worst_memory_mib %.1f\n", n.constData(), double(worstBytes) / (1024 * 1024));
        std::printf("%s_sign_after_operator_ways %zu\n", n.constData(), signAfter);
        std::printf("%s_plain_percent %.1f\n", n.constData(), 100.0 * double(plain) / std::max(1.0, 8.0 * exercises - double(noWay)));
        for (const auto &[length, count] : presses)
            std::printf("%s_presses_%d %d\n", n.constData(), length, count);
        std::fflush(stdout);
    }
    std::printf("peak_resident_mib %.1f\n", double(numbolo::measure::peakResidentKib()) / 1024);
    return 0;
}
