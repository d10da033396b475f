// The progress window on a history of ten years of daily play: generates it in the store's own
// schema (about 330,000 exercises), then, each in a process of its own, shows the window of the
// progress module as `Numbolo --progress` does, once on an empty history and once on the long
// one, and reports the time to the first frame and the peak resident memory of each. It also
// times the reading functions the window calls (at opening, as a tab of the report's figures is
// first opened, for the document), the report's figures where every tenth game had 30 minutes an
// exercise (its medians then count the games of one time setting), and the targets CSV of the
// long history, and the cost of the game's first record of a session on it.
//
//   history_bench [--years N] [--csv] [--keep FILE] [--no-window]
//                                                generates, measures, prints "key value" lines;
//                                                --keep generates into FILE (reused when present);
//                                                --no-window times the reading functions only
//   history_bench --show MODULE HISTORY          one measured showing (the child process)

#include "bench/residentmemory.h"
#include "store/historystore.h"
#include "store/sqlhistorysource.h"
#include "progress/reportcsv.h"
#include "progress/reportreading.h"
#include "progress/targetways.h"
#include "store/rememberedways.h"
#include "arithmetic/solver.h"
#include "services/services.h"

#include <QApplication>
#include <QBuffer>
#include <QElapsedTimer>
#include <QLibrary>
#include <QProcess>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTimer>
#include <QVariant>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

using namespace numbolo;

namespace {

// Ten years of play by SQL, in one transaction: three games of 30 exercises a day, each
// exercise with its targets, its keys and two or three "=".
bool generate(const QString &path, int years)
{
    {
        HistoryStore store(path, path + QStringLiteral(".pending")); // makes the schema
        store.gameStarted({30, 100, QStringLiteral("first")});
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("generate"));
    db.setDatabaseName(path);
    if (!db.open())
        return false;
    QSqlQuery q(db);
    q.exec(QStringLiteral("PRAGMA synchronous=OFF"));
    db.transaction();
    QSqlQuery game(db), exercise(db), press(db);
    game.prepare(QStringLiteral("INSERT INTO game (started, ended, exercises, target_range, outcome, result, uuid) "
                                "VALUES (?, ?, 30, ?, 'finished', ?, ?)"));
    exercise.prepare(QStringLiteral("INSERT INTO exercise (game, number, level, outcome, seconds, targets, "
                                    "equals_presses, ended, shown_targets, keys, operators, day) "
                                    "VALUES (?, ?, 1.5, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    press.prepare(QStringLiteral("INSERT INTO equals_press (exercise, seconds, value, hit) VALUES (?, ?, ?, ?)"));
    QRandomGenerator random(23);
    const QStringList operators{QStringLiteral("/"), QStringLiteral("x"), QStringLiteral("-"), QStringLiteral("+")};
    const QDateTime start = QDateTime::currentDateTimeUtc().addYears(-years);
    qint64 gameId = 1, exerciseId = 0;
    for (int day = 0; day < years * 365; ++day) {
        for (int g = 0; g < 3; ++g) {
            const QDateTime begun = start.addDays(day).addSecs(3600 * (15 + g));
            const int range = (g + 1) * 100;
            game.addBindValue(begun.toString(Qt::ISODate));
            game.addBindValue(begun.addSecs(1800).toString(Qt::ISODate));
            game.addBindValue(range);
            game.addBindValue(int(random.bounded(101)));
            game.addBindValue(QStringLiteral("g%1").arg(++gameId));
            if (!game.exec())
                return false;
            const qint64 gameRow = game.lastInsertId().toLongLong();
            for (int n = 1; n <= 30; ++n) {
                QStringList keys;
                for (int d = 0; d < 10; ++d)
                    if (random.bounded(10) < 3)
                        keys << QString::number(d);
                const int a = int(random.bounded(4)), b = (a + 1 + int(random.bounded(3))) % 4;
                const QStringList ops{operators[std::min(a, b)], operators[std::max(a, b)]};
                keys << ops;
                QStringList targets;
                for (int t = 0; t < 8; ++t)
                    targets << QString::number(random.bounded(range));
                const bool solved = random.bounded(3) != 0;
                const int presses = 2 + int(random.bounded(2));
                exercise.addBindValue(gameRow);
                exercise.addBindValue(n);
                exercise.addBindValue(solved ? QStringLiteral("solved") : QStringLiteral("skipped"));
                exercise.addBindValue(int(random.bounded(180)));
                exercise.addBindValue(solved ? 8 : 2);
                exercise.addBindValue(presses);
                exercise.addBindValue(begun.addSecs(60 * n).toString(Qt::ISODate));
                exercise.addBindValue(targets.join(QLatin1Char(' ')));
                exercise.addBindValue(keys.join(QLatin1Char(' ')));
                exercise.addBindValue(ops.join(QLatin1Char(' ')));
                exercise.addBindValue(begun.addSecs(60 * n).toLocalTime().date().toString(Qt::ISODate));
                if (!exercise.exec())
                    return false;
                exerciseId = exercise.lastInsertId().toLongLong();
                for (int p = 0; p < presses; ++p) {
                    press.addBindValue(exerciseId);
                    press.addBindValue(10 * (p + 1));
                    press.addBindValue(targets[p]);
                    press.addBindValue(QString::number(p));
                    if (!press.exec())
                        return false;
                }
            }
        }
    }
    return db.commit();
}

// The ways of every exercise's targets, remembered beside the history as the game remembers
// them when each exercise ends.
bool rememberWays(const QString &path)
{
    GatheredWays ways;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("ways"));
        db.setDatabaseName(path);
        QSqlQuery q(db);
        if (!db.open() || !q.exec(QStringLiteral("SELECT keys, shown_targets FROM exercise WHERE keys <> ''")))
            return false;
        while (q.next())
            ways.gather(q.value(0).toString(), q.value(1).toString().split(QLatin1Char(' '), Qt::SkipEmptyParts));
    }
    QSqlDatabase::removeDatabase(QStringLiteral("ways"));
    RememberedWays remembered(RememberedWays::besideHistory(path), Solver::Version);
    ways.solve(&remembered);
    return true;
}

// The files of the benchmark's player: the history given, its settings beside it.
class BenchFiles : public PlayerFiles {
public:
    explicit BenchFiles(QString history) : m_history(std::move(history)) {}
    QString iniPath() const override { return m_history + QStringLiteral(".ini"); }
    QString historyPath() const override { return m_history; }
    QString pendingPath() const override { return m_history + QStringLiteral(".pending"); }
    bool flushFile(QFileDevice &) const override { return true; }
    bool flushFolder(const QString &) const override { return true; }

private:
    QString m_history;
};

// The child: loads the progress module, shows its window, and leaves the event loop once the
// first frame is drawn. Prints the milliseconds to that frame and the peak resident memory.
int show(const QString &module, const QString &history, int argc, char *argv[])
{
    QElapsedTimer timer;
    timer.start();
    QApplication app(argc, argv);
    QLibrary library(module);
    using Entry = int (*)(const PlayerFiles &);
    const auto entry = reinterpret_cast<Entry>(library.resolve("numbolo_progress_window"));
    if (entry == nullptr) {
        std::fprintf(stderr, "history_bench: %s\n", qPrintable(library.errorString()));
        return 1;
    }
    // Queued behind the window's own show and paint events.
    QTimer::singleShot(0, &app, [] { QTimer::singleShot(0, qApp, &QCoreApplication::quit); });
    const long before = measure::peakResidentKib();
    entry(BenchFiles(history));
    std::printf("%lld %ld %ld\n", timer.elapsed(), before, measure::peakResidentKib());
    return 0;
}

struct Shown {
    double ms = -1;
    long peakKib = -1;
};

Shown showIn(const QString &module, const QString &history)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--show"), module, history});
    child.waitForFinished(120000);
    const QStringList f = QString::fromLatin1(child.readAllStandardOutput()).split(QLatin1Char(' '));
    if (f.size() < 3)
        return {};
    return {f[0].toDouble(), f[2].trimmed().toLong()};
}

// The best of three runs of `read`: wall-clock and processor milliseconds (the machine may be
// shared, and the processor time is what a busy neighbour does not inflate).
struct Timed {
    double ms = 0;
    double cpuMs = 0;
};

template <class Read>
Timed timed(Read read)
{
    Timed best{1e12, 1e12};
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        const std::clock_t cpu = std::clock();
        read();
        best.cpuMs = std::min(best.cpuMs, double(std::clock() - cpu) * 1000 / CLOCKS_PER_SEC);
        best.ms = std::min(best.ms, double(timer.nsecsElapsed()) / 1e6);
    }
    return best;
}

void print(const char *key, const Timed &t)
{
    std::printf("%s_ms %.1f\n%s_cpu_ms %.1f\n", key, t.ms, key, t.cpuMs);
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc == 4 && qstrcmp(argv[1], "--show") == 0)
        return show(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), argc, argv);
    QCoreApplication app(argc, argv);
    int years = 10;
    bool csv = false;
    bool window = true;
    QString kept;
    for (int i = 1; i < argc; ++i) {
        if (qstrcmp(argv[i], "--years") == 0 && i + 1 < argc)
            years = std::atoi(argv[++i]);
        else if (qstrcmp(argv[i], "--csv") == 0)
            csv = true;
        else if (qstrcmp(argv[i], "--no-window") == 0)
            window = false;
        else if (qstrcmp(argv[i], "--keep") == 0 && i + 1 < argc)
            kept = QString::fromLocal8Bit(argv[++i]);
    }
    QTemporaryDir dir;
    const QString empty = dir.filePath(QStringLiteral("empty.sqlite"));
    const QString history = kept.isEmpty() ? dir.filePath(QStringLiteral("history.sqlite")) : kept;
    QElapsedTimer timer;
    timer.start();
    if (!QFileInfo::exists(history) && !generate(history, years)) {
        std::fprintf(stderr, "history_bench: the history could not be generated\n");
        return 1;
    }
    QSqlDatabase::removeDatabase(QStringLiteral("generate"));
    if (!QFileInfo::exists(RememberedWays::besideHistory(history)) && !rememberWays(history)) {
        std::fprintf(stderr, "history_bench: the ways could not be remembered\n");
        return 1;
    }
    SqlHistorySource source(history);
    HistorySummary summary;
    ReadError unread;
    QString error;
    source.summary(&summary, &unread);
    std::printf("generated_s %.1f\nexercises %d\ngames %d\nfile_mib %.1f\n", double(timer.elapsed()) / 1000,
                summary.exercises, summary.games, double(QFileInfo(history).size()) / (1 << 20));

    if (window) {
        const QString module = QCoreApplication::applicationDirPath() + QStringLiteral("/../libnumbolo_progress.so");
        const Shown none = showIn(module, empty), full = showIn(module, history);
        std::printf("window_empty_ms %.0f\nwindow_ms %.0f\nwindow_empty_peak_mib %.1f\nwindow_peak_mib %.1f\n"
                    "window_more_mib %.1f\n",
                    none.ms, full.ms, double(none.peakKib) / 1024, double(full.peakKib) / 1024,
                    double(full.peakKib - none.peakKib) / 1024);
    }

    // The reading functions the window calls, each on its own.
    std::vector<GameRow> games;
    std::vector<GameResult> results;
    std::vector<DaySolved> days;
    Report report;
    ExerciseDetail detail;
    const Timed opening[] = {
        timed([&] { source.summary(&summary, &unread); }),
        timed([&] { source.games(0, GamesPage, &games, &unread); }),
        timed([&] { source.results(ResultChartGames, &results, &unread); }),
        timed([&] { source.solvedPerDay(SolvedChartDays, &days, &unread); }),
        timed([&] { readRecentFigures(source, &report, &error); }),
    };
    const char *keys[] = {"read_summary", "read_games_page", "read_results", "read_solved_per_day", "read_recent_report"};
    Timed together;
    for (int i = 0; i < 5; ++i) {
        print(keys[i], opening[i]);
        together.ms += opening[i].ms;
        together.cpuMs += opening[i].cpuMs;
    }
    print("read_opening", together); // all of the above, as the window reads them when it opens
    // Read as a tab of the report's figures is first opened, and for the document.
    print("read_report", timed([&] { readFigures(source, &report, &error); }));
    std::vector<MissedExercise> missed;
    print("read_missed", timed([&] { readMissed(source, 5, &missed, &error); }));
    {
        // Games of 3 and of 30 minutes an exercise: the medians count the 3-minute games only.
        const QString mixed = dir.filePath(QStringLiteral("mixed.sqlite"));
        QFile::remove(mixed);
        QFile::copy(history, mixed);
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("mixed"));
            db.setDatabaseName(mixed);
            if (db.open())
                QSqlQuery(db).exec(QStringLiteral("UPDATE game SET seconds_per_exercise = 1800 WHERE id % 10 = 0"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("mixed"));
        SqlHistorySource mixedSource(mixed);
        print("read_report_mixed_times", timed([&] { readFigures(mixedSource, &report, &error); }));
    }
    print("read_exercise_detail",
          timed([&] { readExercise(source, games.empty() ? 1 : games.front().key, 1, &detail, &error); }));
    // The game's first record of a session on the long history, on the game's thread: opening the
    // store and the record, which waits in memory while the file is checked on another thread.
    // Then the whole of it, to the store's end: the check, and the commit once the file passed.
    {
        std::vector<std::unique_ptr<HistoryStore>> stores;
        print("first_record", timed([&] {
                  stores.push_back(std::make_unique<HistoryStore>(history, history + QStringLiteral(".bench-pending")));
                  stores.back()->gameStarted({30, 100, QStringLiteral("first record")});
              }));
    }
    print("first_record_whole", timed([&] {
              HistoryStore store(history, history + QStringLiteral(".bench-pending"));
              store.gameStarted({30, 100, QStringLiteral("first record")});
          }));
    if (window)
        print("read_history_whole", timed([&] { source.everyGame(&games, &unread); }));
    if (csv) {
        // With the ways the game remembered, and then as a history of an earlier version without
        // them, each way found anew.
        RememberedWays remembered(RememberedWays::besideHistory(history), Solver::Version);
        for (RememberedWays *ways : {&remembered, static_cast<RememberedWays *>(nullptr)}) {
            QElapsedTimer timer;
            timer.start();
            const std::clock_t cpu = std::clock();
            QFile out(dir.filePath(QStringLiteral("targets.csv")));
            const bool written = out.open(QIODevice::WriteOnly) && writeTargetsCsv(source, out, &error, ways);
            const char *key = ways ? "targets_csv" : "targets_csv_unremembered";
            std::printf("%s_s %.1f\n%s_cpu_s %.1f\n%s_mib %.1f\n", key, double(timer.elapsed()) / 1000, key,
                        double(std::clock() - cpu) / CLOCKS_PER_SEC, key, double(out.size()) / (1 << 20));
            std::fflush(stdout);
            if (!written)
                std::fprintf(stderr, "history_bench: %s\n", qPrintable(error));
        }
    }
    return 0;
}
