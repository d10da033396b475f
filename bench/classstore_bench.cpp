// The class store under a school's load, on a real PostgreSQL cluster made in a temporary
// folder: 30 pupils with a school year each (50 games of 100 exercises, about 5,000 exercises)
// queued and sent by 30 senders at once; the counts must be exact, every record stored once.
// Then the teacher's class CSV read from it, the class window's figures and a pupil's report,
// and the time the game's thread spends on a record while the server hangs (stopped with
// SIGSTOP). Exits 1 where a count is wrong, the class is
// read (CSV or window) slower than 1 s or a record takes the game's thread longer than 10 ms.
//
//     ./bench/classstore_bench [pupils] [games] [exercises per game]

#include "../tests/pgcluster.h"

#include "classroom/classcsv.h"
#include "classroom/classfigures.h"
#include "classroom/pupilhistory.h"
#include "classstore/classqueue.h"
#include "classstore/classrecord.h"
#include "classstore/classrecorder.h"
#include "classstore/schooldatabase.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>
#include <memory>
#include <vector>

using namespace numbolo;

namespace {

ExerciseFacts exercise(int number)
{
    ExerciseFacts e;
    e.number = number;
    e.level = 1 + number % 7;
    e.end = number % 5 == 0 ? ExerciseEnd::Skipped : ExerciseEnd::Solved;
    e.seconds = 10 + number % 90;
    e.targetsHit = e.end == ExerciseEnd::Solved ? 8 : 2;
    e.equalsPresses = 3;
    e.targets = QStringList{"12", "7", "30", "4", "18", "25", "9", "40"};
    e.keys = QStringLiteral("2 3 5 + x");
    e.presses = {{4, QStringLiteral("12"), {0}}, {9, QStringLiteral("7"), {1}}, {15, QStringLiteral("30"), {2, 3}}};
    return e;
}

// A school year of a pupil, as the game would have queued it.
std::vector<QByteArray> year(const QString &pupil, int games, int exercises)
{
    std::vector<QByteArray> lines;
    QDateTime when = QDateTime::currentDateTime().addDays(-300);
    for (int g = 0; g < games; ++g) {
        const GameFacts game{exercises, 100, QStringLiteral("%1-game-%2").arg(pupil).arg(g), 180, false};
        lines.push_back(queueLine(classRecord(QString(), QStringLiteral("3Β"),
                                              {HistoryStore::Kind::GameStarted, when, game, {}, GameEnd::Finished, -1})));
        for (int n = 1; n <= exercises; ++n)
            lines.push_back(queueLine(classRecord(QString(), QStringLiteral("3Β"),
                                                  {HistoryStore::Kind::ExerciseEnded, when.addSecs(30 * n), game,
                                                   exercise(n), GameEnd::Finished, -1})));
        lines.push_back(queueLine(classRecord(QString(), QStringLiteral("3Β"),
                                              {HistoryStore::Kind::GameEnded, when.addSecs(30 * exercises + 5), game,
                                               {}, GameEnd::Finished, 80})));
        when = when.addDays(6);
    }
    return lines;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int pupils = argc > 1 ? std::atoi(argv[1]) : 30;
    const int games = argc > 2 ? std::atoi(argv[2]) : 50;
    const int exercises = argc > 3 ? std::atoi(argv[3]) : 100;
    PgCluster server;
    QString why;
    if (!server.create(&why)) {
        std::fprintf(stderr, "PostgreSQL cannot run here: %s\n", qPrintable(why));
        return 2;
    }
    server.psql(QStringLiteral("CREATE ROLE teacher LOGIN IN ROLE numbolo_teacher; "
                               "INSERT INTO numbolo.teaches VALUES ('teacher', '3Β')"));
    QTemporaryDir homes;
    for (int p = 0; p < pupils; ++p) {
        server.psql(QStringLiteral("CREATE ROLE pupil%1 LOGIN IN ROLE numbolo_pupil").arg(p));
        ClassQueue(classQueuePath(homes.filePath(QStringLiteral("pupil%1.sqlite").arg(p))))
            .add(year(QStringLiteral("pupil%1").arg(p), games, exercises));
    }
    const qint64 expected = qint64(pupils) * games * (exercises + 2);

    // All the senders at once, each with its own connection.
    QElapsedTimer timer;
    timer.start();
    std::vector<std::unique_ptr<ClassRecorder>> senders;
    for (int p = 0; p < pupils; ++p)
        senders.push_back(std::make_unique<ClassRecorder>(ClassRecorder::Place{
            server.connection(QStringLiteral("pupil%1").arg(p)), QStringLiteral("3Β"), QString(),
            homes.filePath(QStringLiteral("pupil%1.sqlite").arg(p))}));
    bool allSent = true;
    for (auto &sender : senders)
        allSent = sender->waitUntilIdle(600000) && allSent;
    const qint64 sendMs = timer.elapsed();
    senders.clear();
    const QString counted = server.psql(QStringLiteral("SELECT count(*) || ' ' || count(DISTINCT (pupil, id)) FROM numbolo.record"));
    const bool exact = allSent && counted == QStringLiteral("%1 %1").arg(expected);
    std::printf("sent %lld records of %d pupils by %d senders at once in %lld ms (%.0f records/s); stored: %s%s\n",
                static_cast<long long>(expected), pupils, pupils, static_cast<long long>(sendMs),
                expected * 1000.0 / std::max<qint64>(sendMs, 1), qPrintable(counted), exact ? "" : "  WRONG");

    // The teacher's class, every exercise of it, as `--class --csv` reads it.
    server.psql(QStringLiteral("ANALYZE numbolo.record"));
    QBuffer csv;
    csv.open(QIODevice::WriteOnly);
    timer.restart();
    const bool read = writeClassCsv(server.connection(QStringLiteral("teacher")), csv, &why);
    const qint64 readMs = timer.elapsed();
    const qint64 rows = csv.data().count('\n') - 1;
    std::printf("class CSV: %lld rows, %lld bytes in %lld ms%s\n", static_cast<long long>(rows),
                static_cast<long long>(csv.size()), static_cast<long long>(readMs),
                read && rows == qint64(pupils) * games * exercises ? "" : "  WRONG");

    // What the class window shows as it opens, then one pupil's report copied out for the
    // progress window.
    SchoolDatabase school(server.connection(QStringLiteral("teacher")));
    ClassFigures figures;
    timer.restart();
    const bool figured = school.open(&why) && readClassFigures(school.database(), QDate::currentDate(), &figures, &why);
    const qint64 windowMs = timer.elapsed();
    std::printf("class window's figures: %d pupils, %d groups, %d missed targets in %lld ms%s\n", int(figures.pupils.size()),
                int(figures.groups.size()), int(figures.missed.size()), static_cast<long long>(windowMs),
                figured && int(figures.pupils.size()) == pupils ? "" : "  WRONG");
    timer.restart();
    const bool copied = copyPupilHistory(school.database(), QStringLiteral("3Β"), QStringLiteral("pupil0"), QString(),
                                         homes.filePath(QStringLiteral("report.sqlite")), &why);
    std::printf("a pupil's report copied in %lld ms%s\n", static_cast<long long>(timer.elapsed()), copied ? "" : "  WRONG");
    school.close();

    // The server hangs (every process of it stopped) while a pupil plays on: the game's thread only
    // appends each record to the queue; the sender waits on its own thread.
    const QString pupil = homes.filePath(QStringLiteral("pupil0.sqlite"));
    auto sender = std::make_unique<ClassRecorder>(
        ClassRecorder::Place{server.connection(QStringLiteral("pupil0")), QStringLiteral("3Β"), QString(), pupil});
    sender->waitUntilIdle(60000);
    const std::vector<qint64> processes = server.processes();
    for (qint64 process : processes)
        ::kill(pid_t(process), SIGSTOP);
    const GameFacts game{200, 100, QStringLiteral("hanging"), 180, false};
    qint64 slowest = 0;
    sender->gameStarted(game);
    for (int n = 1; n <= 200; ++n) {
        timer.restart();
        sender->exerciseEnded(game, exercise(n));
        slowest = std::max(slowest, timer.nsecsElapsed());
    }
    for (qint64 process : processes)
        ::kill(pid_t(process), SIGCONT);
    sender->retryNow();
    const bool after = sender->waitUntilIdle(120000);
    sender.reset();
    const QString total = server.psql(QStringLiteral("SELECT count(*) FROM numbolo.record"));
    const bool hangOk = after && slowest < 10'000'000 && total == QString::number(expected + 201);
    std::printf("server stopped: slowest of 201 records on the game's thread %.2f ms; all stored after: %s%s\n",
                slowest / 1e6, qPrintable(total), hangOk ? "" : "  WRONG");
    return exact && read && readMs < 1000 && figured && windowMs < 1000 && copied && hangOk ? 0 : 1;
}
