// Writes a small history of play through the real recorder, for the README's pictures of the
// progress window: eight games over two weeks of November 2026, results getting better, one
// game restarted and the last one still under way; each exercise with its targets, its keys
// and its "=" presses, the exercises with "x" and "+" the hardest. Always the same history.
//
//   history_fixture <path of history.sqlite>

#include "store/historystore.h"

#include <QCoreApplication>
#include <QFile>

#include <algorithm>
#include <cmath>
#include <cstdio>

using namespace numbolo;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fputs("usage: history_fixture <history.sqlite>\n", stderr);
        return 2;
    }
    QDateTime now(QDate(2026, 11, 2), QTime(17, 0));
    const QString path = QString::fromLocal8Bit(argv[1]);
    HistoryStore store(path, path + QStringLiteral(".pending"), 1000, [&now] { return now; });
    quint32 seed = 7;
    const auto next = [&seed](int below) {
        seed = seed * 1103515245u + 12345u;
        return int((seed >> 16) % quint32(below));
    };
    // Solved exercises out of ten per game; -1 marks the game restarted, 0 the one under way.
    const int solvedPerGame[] = {4, 5, -1, 6, 7, 7, 9, 0};
    for (int g = 0; g < 8; ++g) {
        now = QDateTime(QDate(2026, 11, 2 + 2 * g - (g > 4 ? 1 : 0)), QTime(17, 5 * g));
        const GameFacts game{10, g < 4 ? 100 : 200, QStringLiteral("game-%1").arg(g)};
        store.gameStarted(game);
        const int solved = solvedPerGame[g];
        const int played = solved < 0 ? 4 : solved == 0 ? 3 : 10;
        for (int n = 1; n <= played; ++n) {
            const bool isSolved = solved < 0 ? n <= 2 : solved == 0 ? n != 2 : n <= solved;
            ExerciseFacts e;
            e.number = n;
            e.level = 1.16 + 0.06 * (n - 1);
            e.end = isSolved ? ExerciseEnd::Solved : next(3) == 0 ? ExerciseEnd::TimedOut : ExerciseEnd::Skipped;
            e.seconds = e.end == ExerciseEnd::TimedOut ? 180 : isSolved ? 40 + next(120) : 20 + next(60);
            e.targetsHit = isSolved ? 8 : next(7);
            e.equalsPresses = e.targetsHit + next(4);
            // Unsolved exercises had "x" and "+" more often than the others.
            const QString keySets[] = {QStringLiteral("2 5 7 x +"), QStringLiteral("3 4 8 - +"),
                                       QStringLiteral("1 6 9 / -"), QStringLiteral("2 3 5 x -")};
            e.keys = keySets[isSolved ? n % 4 : next(3) == 0 ? 1 + next(3) : 0];
            while (e.targets.size() < 8) { // eight different targets, as the game draws them
                const QString target = QString::number(2 + next(game.range - 2));
                if (!e.targets.contains(target))
                    e.targets << target;
            }
            // The targets hit are the first ones, each by an "=" of its own; one "=" hit nothing.
            int at = 0;
            for (int t = 0; t < e.targetsHit; ++t) {
                at += 5 + next(e.seconds / 9 + 1);
                e.presses.push_back({std::min(at, e.seconds), e.targets[t], {t}});
            }
            for (int extra = e.targetsHit; extra < e.equalsPresses; ++extra)
                e.presses.push_back({std::min(at + 3 * (extra + 1), e.seconds), QStringLiteral("1"), {}});
            now = now.addSecs(e.seconds + 5);
            store.exerciseEnded(game, e);
        }
        if (solved < 0)
            store.gameEnded(game, GameEnd::Restarted, -1);
        else if (solved > 0)
            store.gameEnded(game, GameEnd::Finished, std::min(100, int(std::lround(solved * 100.0 / 9))));
    }
    return store.pending() == 0 ? 0 : 1;
}
