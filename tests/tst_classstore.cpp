// The class store on a real PostgreSQL server: every record of a pupil's play reaches the
// school's database once, whatever happens on the way (the server stopped, the connection cut,
// the game killed, a full disk, the records sent again, a history played before the school
// turned the store on), and row-level security keeps each pupil's rows the pupil's own.

#include "fakes.h"
#include "pgcluster.h"

#include "app/realservices.h"
#include "progress/progress.h"
#include "progress/progresstext.h"

#include "classstore/classqueue.h"
#include "classstore/classrecord.h"
#include "classstore/classrecorder.h"
#include "classstore/classsending.h"
#include "classstore/schooldatabase.h"
#include "classroom/classfigures.h"
#include "classroom/classreport.h"
#include "classroom/classwindow.h"
#include "classroom/pupilhistory.h"
#include "store/historystore.h"
#include "store/sqlhistorysource.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QSettings>
#include <QAbstractScrollArea>
#include <QPushButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <future>
#include <memory>

#include <csignal>

#include <sys/stat.h>

using namespace numbolo;
using numbolo::testing::FakeHistory;
using numbolo::testing::TempPlayerFiles;

namespace {

// The login `name` as a libpq value, quoted, so that any name can be a login.
QString conninfoValue(const QString &name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('\''), QLatin1String("\\'"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

// `name` as an SQL identifier, for the superuser's set-up.
QString identifier(const QString &name)
{
    QString quoted = name;
    return QLatin1Char('"') + quoted.replace(QLatin1Char('"'), QLatin1String("\"\"")) + QLatin1Char('"');
}

QString literal(const QString &text)
{
    QString quoted = text;
    return QLatin1Char('\'') + quoted.replace(QLatin1Char('\''), QLatin1String("''")) + QLatin1Char('\'');
}

GameFacts gameOf(const QString &id)
{
    return {3, 100, id, 180, false};
}

ExerciseFacts exercise(int number, ExerciseEnd end = ExerciseEnd::Solved)
{
    ExerciseFacts e;
    e.number = number;
    e.level = number;
    e.end = end;
    e.seconds = 20 * number;
    e.targetsHit = end == ExerciseEnd::Solved ? 8 : 3;
    e.equalsPresses = 2;
    e.targets = QStringList{"1", "2", "3", "4", "5", "6", "7", "8"};
    e.keys = QStringLiteral("4 5 7 / +");
    e.presses = {{5, QStringLiteral("9"), {0, 3}}, {9, QStringLiteral("12"), {5}}};
    return e;
}

// A game of three exercises, the second skipped: five records.
constexpr int RecordsOfAGame = 5;
void play(HistoryRecorder &recorder, const QString &gameId, int from = 0, int to = RecordsOfAGame)
{
    const GameFacts game = gameOf(gameId);
    for (int i = from; i < to; ++i) {
        if (i == 0)
            recorder.gameStarted(game);
        else if (i == RecordsOfAGame - 1)
            recorder.gameEnded(game, GameEnd::Finished, 67);
        else
            recorder.exerciseEnded(game, exercise(i, i == 2 ? ExerciseEnd::Skipped : ExerciseEnd::Solved));
    }
}

// Puts each record into the queue at `path` as the class recorder does, and sends nothing.
class QueueOnly : public HistoryRecorder {
public:
    explicit QueueOnly(const QString &path) : m_queue(path) {}
    void gameStarted(const GameFacts &game) override { add({HistoryStore::Kind::GameStarted, {}, game, {}, {}, -1}); }
    void exerciseEnded(const GameFacts &game, const ExerciseFacts &e) override
    {
        add({HistoryStore::Kind::ExerciseEnded, {}, game, e, {}, -1});
    }
    void gameEnded(const GameFacts &game, GameEnd end, int percentage) override
    {
        add({HistoryStore::Kind::GameEnded, {}, game, {}, end, percentage});
    }

private:
    void add(HistoryStore::Record record)
    {
        record.when = QDateTime::currentDateTime();
        m_queue.add(queueLine(classRecord(QString(), QStringLiteral("2Γ"), record)));
    }
    ClassQueue m_queue;
};

// Waits for the sender to have stored everything queued, asking it again after a failed try
// (a connection found cut is noticed by the try that uses it).
bool sent(ClassRecorder &recorder)
{
    for (int tries = 0; tries < 5; ++tries) {
        if (recorder.waitUntilIdle(30000))
            return true;
        recorder.retryNow();
    }
    return false;
}

// An exercise of `keys` that hit the targets `hit` (indexes), solved where it hit all eight.
ExerciseFacts exerciseOf(int number, const QString &keys, int seconds, const std::vector<int> &hit)
{
    ExerciseFacts e = exercise(number, hit.size() == 8 ? ExerciseEnd::Solved : ExerciseEnd::Skipped);
    e.seconds = seconds;
    e.keys = keys;
    e.targetsHit = int(hit.size());
    e.presses = {{5, QStringLiteral("9"), hit}};
    return e;
}

const std::vector<int> AllHit{0, 1, 2, 3, 4, 5, 6, 7};

} // namespace

class TestClassStore : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void turnedOn_data();
    void turnedOn();
    void arrives_data();
    void arrives();
    void forbidden_data();
    void forbidden();
    void classCsv_data();
    void classCsv();
    void queue_data();
    void queue();
    void waiting_data();
    void waiting();
    void classFigures_data();
    void classFigures();

private:
    // A new pupil's login, in `className`'s numbolo_pupil role.
    QString pupil(const QString &name);
    std::unique_ptr<ClassRecorder> recorder(const QString &login, const QString &historyPath,
                                            const QString &className = QStringLiteral("3Β"),
                                            const QString &profile = QString());
    QString count(const QString &login);

    PgCluster m_server;
    QTemporaryDir m_homes;
};

void TestClassStore::initTestCase()
{
    QString why;
    if (!m_server.create(&why))
        QSKIP(qPrintable(QStringLiteral("PostgreSQL cannot run here: ") + why));
    QVERIFY(m_homes.isValid());
    for (const char *teacher : {"kdimou", "tpapa"})
        QVERIFY(!m_server.psql(QStringLiteral("CREATE ROLE %1 LOGIN IN ROLE numbolo_teacher").arg(QLatin1String(teacher))).isNull());
    QVERIFY2(!m_server.psql(QStringLiteral("INSERT INTO numbolo.teaches VALUES ('kdimou', '3Β'), ('tpapa', '3Α')")).isNull(),
             qPrintable(m_server.lastError()));
}

QString TestClassStore::pupil(const QString &name)
{
    if (m_server.psql(QStringLiteral("CREATE ROLE %1 LOGIN IN ROLE numbolo_pupil").arg(identifier(name))).isNull())
        qWarning("%s", qPrintable(m_server.lastError()));
    return name;
}

std::unique_ptr<ClassRecorder> TestClassStore::recorder(const QString &login, const QString &historyPath,
                                                        const QString &className, const QString &profile)
{
    return std::make_unique<ClassRecorder>(ClassRecorder::Place{
        m_server.connection(conninfoValue(login)), className, profile, historyPath});
}

// The pupil's rows, and how many of them differ, as the superuser counts them.
QString TestClassStore::count(const QString &login)
{
    return m_server.psql(
        QStringLiteral("SELECT count(*) || ' ' || count(DISTINCT id) FROM numbolo.record WHERE pupil = %1").arg(literal(login)));
}

// Runs before any other test loads the class store's module: its rows without [School] see that
// nothing loaded it.
void TestClassStore::turnedOn_data()
{
    QTest::addColumn<QString>("where"); // of the [School] group
    QTest::addColumn<QString>("database");
    QTest::addColumn<int>("records");

    QTest::newRow("no [School]: nothing loaded, nothing sent") << "" << "" << 0;
    QTest::newRow("[School] without a database: nothing loaded") << "own" << " " << 0;
    QTest::newRow("[School] in the player's file") << "own" << "server" << RecordsOfAGame;
    QTest::newRow("[School] in the system-wide file") << "system" << "server" << RecordsOfAGame;
    QTest::newRow("player's file before the system-wide one") << "both" << "server" << RecordsOfAGame;
    QTest::newRow("records of an earlier start sent after the next, without a game") << "waiting" << "server"
                                                                                      << RecordsOfAGame;
    QTest::newRow("a password in the system-wide [School]: in none of the pupil's files") << "password" << "server"
                                                                                         << RecordsOfAGame;
}

void TestClassStore::turnedOn()
{
    QFETCH(QString, where);
    QFETCH(QString, database);
    QFETCH(int, records);
    const QString login = pupil(QStringLiteral("turned-%1").arg(QTest::currentDataTag()).left(60));
    QTemporaryDir home;
    const QString connection = database == QLatin1String("server") ? m_server.connection(conninfoValue(login)) : database;
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, home.filePath(QStringLiteral("etc")));
    const auto write = [&](const QString &path, const QString &value) {
        QSettings ini(path, QSettings::IniFormat);
        ini.setValue(QStringLiteral("School/database"), value);
        ini.setValue(QStringLiteral("School/class"), QStringLiteral("2Γ"));
    };
    TempPlayerFiles files(home.filePath(QStringLiteral("Numbolo.ini")));
    if (where == QLatin1String("waiting")) {
        write(files.iniPath(), connection);
        QueueOnly earlier(classQueuePath(files.historyPath()));
        play(earlier, QStringLiteral("g"));
        RealServices real(files, {QStringLiteral(NUMBOLO_BINARY_DIR)});
        QTRY_COMPARE_WITH_TIMEOUT(count(login), QStringLiteral("%1 %1").arg(records), 30000);
        return;
    }
    if (where == QLatin1String("own") || where == QLatin1String("both"))
        write(files.iniPath(), connection);
    if (where == QLatin1String("system") || where == QLatin1String("both") || where == QLatin1String("password"))
        write(home.filePath(QStringLiteral("etc/Numbolo/Numbolo.ini")),
              where == QLatin1String("both")       ? QStringLiteral("host=/nonexistent")
              : where == QLatin1String("password") ? connection + QStringLiteral(" password=sekret-42")
                                                   : connection);
    {
        RealServices real(files, {QStringLiteral(NUMBOLO_BINARY_DIR)});
        play(*real.services().history, QStringLiteral("g"));
    }
    QFile maps(QStringLiteral("/proc/self/maps"));
    QVERIFY(maps.open(QIODevice::ReadOnly));
    QCOMPARE(maps.readAll().contains("libnumbolo_classstore"), records > 0);
    if (records > 0) {
        // What the end of the game left unsent goes with the next start.
        auto r = recorder(login, files.historyPath());
        QVERIFY2(sent(*r), qPrintable(r->lastError()));
    }
    QCOMPARE(count(login), QStringLiteral("%1 %1").arg(records));
    QVERIFY(QFileInfo::exists(files.historyPath())); // the local history as always
    if (where == QLatin1String("password")) {
        QDirIterator written(home.path(), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (written.hasNext()) {
            QFile file(written.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            QVERIFY2(file.fileName().contains(QLatin1String("/etc/")) || !file.readAll().contains("sekret-42"),
                     qPrintable(file.fileName()));
        }
    }
}

void TestClassStore::arrives_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<int>("records");

    QTest::newRow("served") << "" << RecordsOfAGame;
    QTest::newRow("server stopped before the game, back at the next start") << "stopped before" << RecordsOfAGame;
    QTest::newRow("server stopped in the middle, back in the game") << "stopped middle" << RecordsOfAGame;
    QTest::newRow("connection cut in the middle") << "cut" << RecordsOfAGame;
    QTest::newRow("server hanging as the game ends: it ends, the rest sent at the next start") << "hung" << RecordsOfAGame;
    QTest::newRow("game killed with a torn line in the queue") << "killed" << RecordsOfAGame;
    QTest::newRow("queue sent again after it was stored") << "sent again" << RecordsOfAGame;
    QTest::newRow("history played before the school turned the store on") << "earlier" << 2 * RecordsOfAGame;
    QTest::newRow("earlier history queued a second time") << "earlier twice" << 2 * RecordsOfAGame;
}

void TestClassStore::arrives()
{
    QFETCH(QString, fault);
    QFETCH(int, records);
    const QString login = pupil(QStringLiteral("pupil-%1").arg(QTest::currentDataTag()).left(60));
    const QString history = m_homes.filePath(login + QStringLiteral(".sqlite"));
    const QString queuePath = classQueuePath(history);

    if (fault.startsWith(QLatin1String("earlier"))) {
        HistoryStore local(history, history + QStringLiteral(".pending"));
        play(local, QStringLiteral("before"));
    }
    if (fault == QLatin1String("stopped before") || fault == QLatin1String("killed")) {
        QVERIFY(m_server.stop());
        {
            auto r = recorder(login, history, QStringLiteral("2Γ"));
            play(*r, QStringLiteral("g"));
            QVERIFY(!r->waitUntilIdle(30000));
            QVERIFY(!r->lastError().isEmpty());
        }
        QVERIFY(QFileInfo(queuePath).size() > 0);
        if (fault == QLatin1String("killed")) {
            QFile queue(queuePath);
            QVERIFY(queue.open(QIODevice::Append));
            queue.write(R"({"id":"6f1d2a8e-3c57-4b0e-9a41-0d6c2f7b9300","kind":"exer)");
        }
        QVERIFY(m_server.start());
        auto r = recorder(login, history, QStringLiteral("2Γ"));
        QVERIFY2(sent(*r), qPrintable(r->lastError()));
    } else if (fault == QLatin1String("hung")) {
        auto r = recorder(login, history, QStringLiteral("2Γ"));
        play(*r, QStringLiteral("g"), 0, 2);
        QVERIFY2(sent(*r), qPrintable(r->lastError()));
        const std::vector<qint64> processes = m_server.processes();
        for (qint64 process : processes)
            ::kill(pid_t(process), SIGSTOP);
        play(*r, QStringLiteral("g"), 2);
        // The sender waits on the hanging server: the game's end cuts its connection.
        auto ending = std::async(std::launch::async, [&r] { r.reset(); });
        const bool ended = ending.wait_for(std::chrono::seconds(20)) == std::future_status::ready;
        for (qint64 process : processes)
            ::kill(pid_t(process), SIGCONT);
        ending.wait();
        QVERIFY(ended);
        r = recorder(login, history, QStringLiteral("2Γ"));
        QVERIFY2(sent(*r), qPrintable(r->lastError()));
    } else {
        auto r = recorder(login, history, QStringLiteral("2Γ"));
        if (fault == QLatin1String("stopped middle") || fault == QLatin1String("cut")) {
            play(*r, QStringLiteral("g"), 0, 2);
            QVERIFY2(sent(*r), qPrintable(r->lastError()));
            if (fault == QLatin1String("cut"))
                QVERIFY(!m_server
                             .psql(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity WHERE usename = %1")
                                       .arg(literal(login)))
                             .isNull());
            else
                QVERIFY(m_server.stop());
            play(*r, QStringLiteral("g"), 2);
            if (fault == QLatin1String("stopped middle")) {
                QVERIFY(!r->waitUntilIdle(30000));
                QVERIFY(m_server.start());
                r->retryNow();
            }
        } else {
            play(*r, QStringLiteral("g"));
        }
        QVERIFY2(sent(*r), qPrintable(r->lastError()));
        if (fault == QLatin1String("sent again")) {
            // The records stored, the queue kept as if the end of the send never reached the disk.
            QueueOnly again(queuePath);
            play(again, QStringLiteral("g"));
            r->retryNow();
            QVERIFY2(sent(*r), qPrintable(r->lastError()));
        }
        if (fault == QLatin1String("earlier twice")) {
            r.reset();
            QVERIFY(QFile::remove(queuePath + QStringLiteral(".earlier")));
            r = recorder(login, history, QStringLiteral("2Γ"));
            QVERIFY2(sent(*r), qPrintable(r->lastError()));
        }
    }
    QCOMPARE(count(login), QStringLiteral("%1 %1").arg(records));
    QVERIFY2(!QFileInfo::exists(queuePath) || QFileInfo(queuePath).size() == 0, "the queue is empty once all is stored");
}

void TestClassStore::forbidden_data()
{
    QTest::addColumn<QString>("login");
    QTest::addColumn<QString>("sql");
    QTest::addColumn<QString>("expected"); // psql's output; null where the server refuses

    const QString refused;
    QTest::newRow("pupil reads only its own rows")
        << "ana" << "SELECT count(*) FROM numbolo.record WHERE pupil <> current_user" << "0";
    QTest::newRow("pupil's own rows") << "ana" << "SELECT count(*) FROM numbolo.record" << QString::number(RecordsOfAGame);
    QTest::newRow("pupil changes a row") << "ana" << "UPDATE numbolo.record SET result = 100" << refused;
    QTest::newRow("pupil deletes rows") << "ana" << "DELETE FROM numbolo.record" << refused;
    QTest::newRow("pupil empties the table") << "ana" << "TRUNCATE numbolo.record" << refused;
    QTest::newRow("pupil adds a row as another pupil")
        << "ana"
        << "INSERT INTO numbolo.record (pupil, id, class, kind, at, game, exercises, target_range) "
           "VALUES ('bob', gen_random_uuid(), '3Α', 'game', now(), 'x', 1, 10)"
        << refused;
    QTest::newRow("pupil adds a row of its own, stored under its own name")
        << "ana"
        << "INSERT INTO numbolo.record (id, class, kind, at, game, exercises, target_range) "
           "VALUES (gen_random_uuid(), '3Β', 'game', now(), 'x', 1, 10) RETURNING pupil"
        << "ana";
    QTest::newRow("pupil reads who teaches") << "ana" << "SELECT count(*) FROM numbolo.teaches" << refused;
    QTest::newRow("pupil makes itself a teacher") << "ana" << "INSERT INTO numbolo.teaches VALUES ('ana', '3Α')" << refused;
    QTest::newRow("teacher reads only its class")
        << "kdimou" << "SELECT string_agg(DISTINCT class, ',') FROM numbolo.record" << "3Β";
    QTest::newRow("teacher reads the pupils of its class")
        << "kdimou" << "SELECT string_agg(DISTINCT pupil, ',' ORDER BY pupil) FROM numbolo.record" << "ana,pupil-' OR 1=1 --";
    QTest::newRow("teacher changes a row") << "kdimou" << "UPDATE numbolo.record SET result = 100" << refused;
    QTest::newRow("teacher deletes rows") << "kdimou" << "DELETE FROM numbolo.record" << refused;
    QTest::newRow("teacher adds a row")
        << "kdimou"
        << "INSERT INTO numbolo.record (id, class, kind, at, game, exercises, target_range) "
           "VALUES (gen_random_uuid(), '3Β', 'game', now(), 'x', 1, 10)"
        << refused;
    QTest::newRow("teacher gives itself a class") << "kdimou" << "INSERT INTO numbolo.teaches VALUES ('kdimou', '3Α')"
                                                  << refused;
    QTest::newRow("teacher sees only its own classes") << "kdimou" << "SELECT count(*) FROM numbolo.teaches" << "1";
    QTest::newRow("other teacher reads its own class")
        << "tpapa" << "SELECT string_agg(DISTINCT pupil, ',' ORDER BY pupil) FROM numbolo.record" << "bob";
    QTest::newRow("SQL in a class name is a class of its own")
        << "tpapa" << "SELECT count(*) FROM numbolo.record WHERE class LIKE '%OR%'" << "0";
    QTest::newRow("SQL in a profile name stored as written")
        << "kdimou" << "SELECT DISTINCT profile FROM numbolo.record WHERE pupil LIKE 'pupil-%'" << "x'); DELETE FROM numbolo.record; --";
    QTest::newRow("a login of another database role reads nothing")
        << "postgres_like" << "SELECT count(*) FROM numbolo.record" << refused;
}

void TestClassStore::forbidden()
{
    QFETCH(QString, login);
    QFETCH(QString, sql);
    QFETCH(QString, expected);

    static bool played = false;
    if (!played) {
        played = true;
        // Two pupils of two classes, and one whose login, profile and class carry SQL.
        auto a = recorder(pupil(QStringLiteral("ana")), m_homes.filePath(QStringLiteral("ana.sqlite")));
        auto b = recorder(pupil(QStringLiteral("bob")), m_homes.filePath(QStringLiteral("bob.sqlite")), QStringLiteral("3Α"));
        auto c = recorder(pupil(QStringLiteral("pupil-' OR 1=1 --")), m_homes.filePath(QStringLiteral("sql.sqlite")),
                          QStringLiteral("3Β"), QStringLiteral("x'); DELETE FROM numbolo.record; --"));
        auto d = recorder(pupil(QStringLiteral("dora\" OR 1=1")), m_homes.filePath(QStringLiteral("dora.sqlite")),
                          QStringLiteral("3Α' OR '1'='1"));
        for (ClassRecorder *r : {a.get(), b.get(), c.get(), d.get()}) {
            play(*r, QStringLiteral("g"));
            QVERIFY2(sent(*r), qPrintable(r->lastError()));
        }
        QVERIFY(!m_server.psql(QStringLiteral("CREATE ROLE postgres_like LOGIN")).isNull());
    }
    const QString output = m_server.psql(sql, login);
    if (expected.isNull())
        QVERIFY2(output.isNull(), qPrintable(output));
    else
        QCOMPARE(output, expected);
    // Nothing any login tried changed the pupils' rows.
    QCOMPARE(m_server.psql(QStringLiteral("SELECT count(*) FROM numbolo.record WHERE pupil IN ('bob', 'pupil-'' OR 1=1 --')")),
             QString::number(2 * RecordsOfAGame));
}

// `Numbolo --class --csv` under a login, with [School] in the login's settings; runs after
// forbidden(), whose pupils it reads.
void TestClassStore::classCsv_data()
{
    QTest::addColumn<QString>("login");    // empty: no [School]; "down": a server that is not there
    QTest::addColumn<int>("status");
    QTest::addColumn<QStringList>("lines"); // the start of each line after the header, in order; or
                                            // what standard error holds
    const QString sqlPupil = QStringLiteral("3Β,pupil-' OR 1=1 --,x'); DELETE FROM numbolo.record; --,");
    QTest::newRow("teacher: its class, pupil by pupil")
        << "kdimou" << 0 << QStringList{"3Β,ana,,", "3Β,ana,,", "3Β,ana,,", sqlPupil, sqlPupil, sqlPupil};
    QTest::newRow("other teacher: its class only")
        << "tpapa" << 0 << QStringList{"3Α,bob,,", "3Α,bob,,", "3Α,bob,,"};
    QTest::newRow("pupil: its own rows only") << "ana" << 0 << QStringList{"3Β,ana,,", "3Β,ana,,", "3Β,ana,,"};
    QTest::newRow("a formula in a name written as text")
        << "eva" << 0 << QStringList{"3Γ,eva,'=1+1,", "3Γ,eva,'=1+1,", "3Γ,eva,'=1+1,"};
    // Every byte as one ORDER BY of the rows read through Qt's driver wrote them, in St. John's
    // (offsets of half hours, changed in the middle of an hour of UTC): games by their starts (two
    // at once by their ids, an exercise without its game's start by its own end), a start of
    // .9996 s shown the next second, names COPY escapes, a missing number and level, infinite
    // times and levels.
    QTest::newRow("every byte as the rows in one ORDER BY: class 6Ζ")
        << "kpetrou" << 0
        << QStringList{"6Ζ,adam,\"a,\"\"b\"\"\",2026-02-01T06:30:00-03:30,3,100,1,6,λύθηκε,2,8,1,2026-02-01T06:32:00-03:30",
                       "6Ζ,adam,\"a,\"\"b\"\"\",2026-02-01T06:30:00-03:30,3,100,1,'-1.23457e+06,'=cmd,1,8,1,2026-02-01T06:31:00-03:30",
                       "6Ζ,zoe,,2026-01-15T04:30:01-03:30,3,100,1,1,later kind,40,8,3,2026-01-15T04:31:00-03:30",
                       "6Ζ,zoe,,2026-01-15T04:30:01-03:30,3,100,2,2.5,έληξε ο χρόνος,180,5,0,2026-01-15T04:32:00-03:30",
                       "6Ζ,zoe,,,3,100,2,4,λύθηκε,9,8,1,2026-03-08T01:59:59-03:30",
                       "6Ζ,zoe,,,3,100,1,4,λύθηκε,9,8,1,2026-03-08T03:00:00-02:30",
                       "6Ζ,zoe,,2026-07-01T06:30:00-02:30,3,50,1,3,λύθηκε,30,8,2,2026-07-01T06:30:30-02:30",
                       "6Ζ,zoe,,2026-07-01T06:30:00-02:30,3,50,0,0,παραλείφθηκε,7,1,1,2026-07-01T06:31:00-02:30",
                       "6Ζ,zoe,x\\y\tz,2025-12-01T06:30:00-03:30,3,100,1,1e-07,λύθηκε,60,8,1,2025-12-01T06:31:00-03:30",
                       "6Ζ,Άννα,,,3,100,1,nan,λύθηκε,2,8,1,2026-05-05T02:35:05-02:30",
                       "6Ζ,Άννα,,,3,100,2,'-inf,λύθηκε,0,0,1,2026-05-05T02:35:06-02:30",
                       "6Ζ,Άννα,,,3,100,3,inf,λύθηκε,2,8,1,"};
    QTest::newRow("server not there: said, nothing written")
        << "down" << 1 << QStringList{"Η βάση της τάξης δεν απαντά:"};
    QTest::newRow("no [School]: said") << "" << 1 << QStringList{"Δεν ορίστηκε βάση του σχολείου"};
    // `--class --pdf FILE`, FILE in the home: "pdf " and its name.
    QTest::newRow("pdf: the teacher's class report") << "pdf kdimou" << 0 << QStringList{"τάξη.pdf"};
    QTest::newRow("pdf: server not there") << "pdf down" << 1 << QStringList{"Η βάση της τάξης δεν απαντά:"};
    QTest::newRow("pdf: a login without rights")
        << "pdf postgres_like" << 1 << QStringList{"Η βάση της τάξης δεν διαβάστηκε:"};
    QTest::newRow("pdf: a file that cannot be written")
        << "pdf kdimou" << 1 << QStringList{"λείπει/τάξη.pdf δεν γράφτηκε"};
    QTest::newRow("a \";\" where Qt's driver would not keep it: said")
        << "semicolon" << 1 << QStringList{"έχει «;» στο options"};
}

void TestClassStore::classCsv()
{
    QFETCH(QString, login);
    QFETCH(int, status);
    QFETCH(QStringList, lines);
    if (login == QLatin1String("eva")) {
        auto r = recorder(pupil(login), m_homes.filePath(QStringLiteral("eva.sqlite")), QStringLiteral("3Γ"),
                          QStringLiteral("=1+1"));
        play(*r, QStringLiteral("g"));
        QVERIFY2(sent(*r), qPrintable(r->lastError()));
    }
    if (login == QLatin1String("kpetrou")) {
        const char *const rows[] = {
            "'zoe', '', 'game', '2026-01-15 08:00:00.9996+00', 'b-first', 100, NULL, NULL, NULL, NULL, NULL, NULL",
            "'zoe', '', 'exercise', '2026-01-15 08:02:00+00', 'b-first', 100, 2, 2.5, 'timeout', 180, 5, 0",
            "'zoe', '', 'exercise', '2026-01-15 08:01:00.5+00', 'b-first', 100, 1, 1, 'later kind', 40, 8, 3",
            "'zoe', '', 'game', '2026-07-01 09:00:00+00', 'a-later', 50, NULL, NULL, NULL, NULL, NULL, NULL",
            "'zoe', '', 'exercise', '2026-07-01 09:01:00+00', 'a-later', 50, NULL, NULL, 'skipped', 7, 1, 1",
            "'zoe', '', 'exercise', '2026-07-01 09:00:30+00', 'a-later', 50, 1, 3, 'solved', 30, 8, 2",
            "'zoe', '', 'exercise', '2026-03-08 05:29:59+00', 'no-start', 100, 2, 4, 'solved', 9, 8, 1",
            "'zoe', '', 'exercise', '2026-03-08 05:30:00+00', 'no-start', 100, 1, 4, 'solved', 9, 8, 1",
            "'zoe', E'x\\\\y\\tz', 'game', '2025-12-01 10:00:00+00', 'p', 100, NULL, NULL, NULL, NULL, NULL, NULL",
            "'zoe', E'x\\\\y\\tz', 'exercise', '2025-12-01 10:01:00+00', 'p', 100, 1, 1e-7, 'solved', 60, 8, 1",
            "'adam', 'a,\"b\"', 'game', '2026-02-01 10:00:00+00', 'g1', 100, NULL, NULL, NULL, NULL, NULL, NULL",
            "'adam', 'a,\"b\"', 'game', '2026-02-01 10:00:00+00', 'g0', 100, NULL, NULL, NULL, NULL, NULL, NULL",
            "'adam', 'a,\"b\"', 'exercise', '2026-02-01 10:01:00+00', 'g1', 100, 1, -1234567, '=cmd', 1, 8, 1",
            "'adam', 'a,\"b\"', 'exercise', '2026-02-01 10:02:00+00', 'g0', 100, 1, 6, 'solved', 2, 8, 1",
            "'Άννα', '', 'exercise', '2026-05-05 05:05:05+00', 'ά', 100, 1, 'NaN', 'solved', 2, 8, 1",
            "'Άννα', '', 'exercise', '2026-05-05 05:05:06+00', 'ά', 100, 2, '-Infinity', 'solved', NULL, NULL, 1",
            "'Άννα', '', 'exercise', 'infinity', 'ά', 100, 3, 'Infinity', 'solved', 2, 8, 1"};
        QStringList values;
        for (const char *row : rows)
            values << QStringLiteral("(gen_random_uuid(), '6Ζ', 3, %1)").arg(QString::fromUtf8(row));
        QVERIFY2(!m_server.psql(QStringLiteral("CREATE ROLE kpetrou LOGIN IN ROLE numbolo_teacher; "
                                               "INSERT INTO numbolo.teaches VALUES ('kpetrou', '6Ζ'); "
                                               "INSERT INTO numbolo.record (id, class, exercises, pupil, profile, kind, at, "
                                               "game, target_range, number, level, outcome, seconds, targets, "
                                               "equals_presses) VALUES ")
                                + values.join(QStringLiteral(", ")))
                      .isNull(),
                 qPrintable(m_server.lastError()));
    }
    QTemporaryDir home;
    QStringList options{QStringLiteral("--class"), QStringLiteral("--csv")};
    if (login.startsWith(QLatin1String("pdf "))) {
        login = login.mid(4);
        options.last() = QStringLiteral("--pdf=") + home.filePath(status == 0 ? lines.constFirst() : QStringLiteral("λείπει/τάξη.pdf"));
    }
    if (!login.isEmpty()) {
        QSettings ini(home.filePath(QStringLiteral("config/Numbolo/Numbolo.ini")), QSettings::IniFormat);
        ini.setValue(QStringLiteral("School/database"),
                     login == QLatin1String("down")        ? QStringLiteral("host=%1").arg(home.filePath(QStringLiteral("none")))
                         : login == QLatin1String("semicolon") ? m_server.connection(QStringLiteral("kdimou options='-c a;b'"))
                                                               : m_server.connection(conninfoValue(login)));
    }
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_CONFIG_DIRS"), home.filePath(QStringLiteral("etc")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
    environment.insert(QStringLiteral("TZ"), QStringLiteral("America/St_Johns"));
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(NUMBOLO_BINARY_DIR "/Numbolo"), options);
    QVERIFY(program.waitForFinished(60000));
    const QString out = QString::fromUtf8(program.readAllStandardOutput());
    const QString err = QString::fromUtf8(program.readAllStandardError());
    QCOMPARE(program.exitCode(), status);
    if (status != 0) {
        QCOMPARE(out, QString());
        QVERIFY2(err.contains(lines.constFirst()), qPrintable(err));
        return;
    }
    if (options.last().startsWith(QLatin1String("--pdf="))) {
        QFile pdf(home.filePath(lines.constFirst()));
        QVERIFY2(pdf.open(QIODevice::ReadOnly) && pdf.read(5) == "%PDF-", qPrintable(err));
        return;
    }
    QStringList rows = out.split(QStringLiteral("\r\n"));
    QCOMPARE(rows.takeFirst(), QStringLiteral("Τάξη,Μαθητής,Προφίλ,Έναρξη παιχνιδιού,Ασκήσεις,Εύρος,Άσκηση,Επίπεδο,Έκβαση,"
                                              "Δευτερόλεπτα,Στόχοι,Πατήματα =,Τέλος άσκησης"));
    QCOMPARE(rows.takeLast(), QString()); // the last line ends too
    QCOMPARE(rows.size(), lines.size());
    for (int i = 0; i < rows.size(); ++i)
        QVERIFY2(rows[i].startsWith(lines[i]), qPrintable(rows[i]));
    if (login == QLatin1String("kpetrou")) {
        QCOMPARE(rows, lines);
        return;
    }
    // The first pupil's game: 3 exercises of range 100, the second skipped.
    QVERIFY2(rows[1].contains(QStringLiteral(",3,100,2,2,%1,40,3,2,").arg(exerciseEndText(ExerciseEnd::Skipped))),
             qPrintable(rows[1]));
}

void TestClassStore::queue_data()
{
    QTest::addColumn<QString>("path");      // of the queue, in the temporary folder where relative
    QTest::addColumn<QByteArray>("before"); // already in the file
    QTest::addColumn<int>("taken");

    QTest::newRow("new queue") << "q1" << QByteArray() << 3;
    QTest::newRow("torn line of a kill left out") << "q2" << QByteArray("{\"id\":\"x\",\"ki") << 3;
    QTest::newRow("a line of a later program left out") << "q3" << QByteArray("{\"id\":\"x\",\"kind\":\"new kind\"}\n") << 3;
    QTest::newRow("full disk: kept in memory") << "/dev/full" << QByteArray() << 3;
}

void TestClassStore::queue()
{
    QFETCH(QString, path);
    QFETCH(QByteArray, before);
    QFETCH(int, taken);
    QTemporaryDir dir;
    if (!path.startsWith(QLatin1Char('/'))) {
        path = dir.filePath(path);
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(before);
    }
    std::vector<QByteArray> lines;
    for (int i = 1; i <= 3; ++i)
        lines.push_back(queueLine(classRecord(QStringLiteral("Μαρία"), QStringLiteral("3Β"),
                                              {HistoryStore::Kind::ExerciseEnded, QDateTime::currentDateTime(),
                                               gameOf(QStringLiteral("g")), exercise(i), GameEnd::Finished, -1})));
    {
        ClassQueue queue(path);
        queue.add(lines[0]);
        queue.add({lines[1], lines[2]});
        ClassQueue::Taken t = queue.take(100);
        std::vector<QByteArray> read;
        for (const QByteArray &line : t.lines)
            if (fromQueueLine(line))
                read.push_back(line);
        QCOMPARE(int(read.size()), taken);
        QCOMPARE(read, lines);
        if (path != QLatin1String("/dev/full")) {
            struct stat st = {};
            QCOMPARE(::stat(QFile::encodeName(path).constData(), &st), 0);
            QCOMPARE(st.st_mode & 0777, 0600u);
            // A second program's view: the records survive the queue's end.
            QCOMPARE(readQueueState(path).records, taken);
        } else {
            QCOMPARE(int(t.fromMemory), taken);
        }
        queue.drop(t);
        QVERIFY(queue.take(100).lines.empty());
    }
}

// The progress window says what waits in the queue to be sent, and since when.
void TestClassStore::waiting_data()
{
    QTest::addColumn<QStringList>("played"); // the times of the queued records, in the queue's order
    QTest::addColumn<QString>("said");       // after the summary, or nothing

    QTest::newRow("nothing waits") << QStringList{} << "";
    QTest::newRow("one record") << QStringList{"2026-03-02T10:05:00"}
                                << "1 εγγραφή παιχνιδιού περιμένει να σταλεί στη βάση του σχολείου, από 02/03/2026 10:05.";
    QTest::newRow("three, the oldest last in the queue")
        << QStringList{"2026-03-02T10:05:00", "2026-03-03T09:00:00", "2026-03-01T08:30:00"}
        << "3 εγγραφές παιχνιδιού περιμένουν να σταλούν στη βάση του σχολείου, από 01/03/2026 08:30.";
    QTest::newRow("a torn line not counted") << QStringList{"2026-03-02T10:05:00", "torn"}
                                             << "1 εγγραφή παιχνιδιού περιμένει να σταλεί στη βάση του σχολείου, από 02/03/2026 10:05.";
}

void TestClassStore::waiting()
{
    QFETCH(QStringList, played);
    QFETCH(QString, said);
    QTemporaryDir dir;
    const QString path = classQueuePath(dir.filePath(QStringLiteral("history.sqlite")));
    {
        ClassQueue queue(path);
        for (const QString &when : played) {
            if (when == QLatin1String("torn")) {
                QFile file(path);
                QVERIFY(file.open(QIODevice::Append));
                file.write(R"({"id":"6f1d2a8e-3c57-4b0e-9a41-0d6c2f7b9300","kind":"ga)");
                continue;
            }
            queue.add(queueLine(classRecord(QString(), QStringLiteral("3Β"),
                                            {HistoryStore::Kind::GameStarted, QDateTime::fromString(when, Qt::ISODate),
                                             gameOf(when), {}, GameEnd::Finished, -1})));
        }
    }
    FakeHistory history;
    ProgressWindow window(history);
    const QString before = window.summary->text();
    const QueueState state = readQueueState(path);
    window.tellClassQueue(state.records, state.since);
    QCOMPARE(window.summary->text(), said.isEmpty() ? before : before + QStringLiteral("\n\n") + said);
    QVERIFY(said.isEmpty() || window.summary->accessibleName().contains(QStringLiteral("βάση του σχολείου")));
}

// The class window's and the class report's figures, read under a teacher's login. Monday is the
// start of this week; wendy played the Sunday before too, xeni (whose login holds a ";") a month
// ago too.
void TestClassStore::classFigures_data()
{
    QTest::addColumn<QString>("what"); // a pupil's row, "groups", "missed" or a pupil's "report"
    QTest::addColumn<QString>("expected");

    QTest::newRow("a row: the week from Monday 00:00, the median of four, the hardest at 5 played")
        << "wendy" << "4Δ|wendy||3 από 7|4 από 8|40|40 δ.|2|x -";
    QTest::newRow("a row: no hardest below 5 played; a login with \";\"")
        << "xe;ni" << "4Δ|xe;ni||1 από 5|1 από 6|24|15 δ.|2|-";
    QTest::newRow("groups: the operators, then the range") << "groups" << "+ 0/1, x + 4/4, x - 1/9, 0 - 100 5/14";
    QTest::newRow("missed: most first, the keys of the latest miss, the last 4 weeks only")
        << "missed" << "5 8 4 5 x -, 6 8 4 5 x -, 7 8 4 5 x -, 8 8 4 5 x -, 2 4 2 3 x -, 3 4 2 3 x -";
    QTest::newRow("report: the latest game without an end under way") << "report wendy" << "8 4, under way";
    QTest::newRow("report: an earlier game without an end abandoned") << "report xe;ni" << "6 1, under way abandoned";
    QTest::newRow("window: Enter on the second row opens its pupil's report") << "window enter" << "xe;ni";
    QTest::newRow("window: every control that takes the keyboard named") << "window names" << "";
    QTest::newRow("window: the pupils' table says how many and what Enter does; nothing said spelt out")
        << "window hint" << "2 μαθητές. Enter σε μια γραμμή ανοίγει την αναφορά του μαθητή.";
    QTest::newRow("window: the worksheet printed with a way for each target")
        << "window worksheet" << "<td>5</td><td>8</td><td>4 5 x -</td><td>";
}

void TestClassStore::classFigures()
{
    QFETCH(QString, what);
    QFETCH(QString, expected);
    static bool played = false;
    const QDateTime monday = QDate::currentDate().addDays(1 - QDate::currentDate().dayOfWeek()).startOfDay();
    if (!played) {
        played = true;
        QVERIFY(!m_server.psql(QStringLiteral("CREATE ROLE tdim LOGIN IN ROLE numbolo_teacher; "
                                              "INSERT INTO numbolo.teaches VALUES ('tdim', '4Δ')"))
                     .isNull());
        pupil(QStringLiteral("wendy"));
        pupil(QStringLiteral("xe;ni"));
        const std::vector<int> two{0, 3}, four{0, 1, 2, 3}, none;
        const auto store = [&](const QString &login, const QString &game,
                               const std::vector<std::pair<QDateTime, ExerciseFacts>> &exercises) {
            std::vector<ClassRecord> records{classRecord(QString(), QStringLiteral("4Δ"),
                                                         {HistoryStore::Kind::GameStarted, exercises.front().first,
                                                          gameOf(game), {}, GameEnd::Finished, -1})};
            for (const auto &[when, e] : exercises)
                records.push_back(classRecord(QString(), QStringLiteral("4Δ"),
                                              {HistoryStore::Kind::ExerciseEnded, when, gameOf(game), e, GameEnd::Finished, -1}));
            SchoolDatabase school(m_server.connection(conninfoValue(login)));
            QString why;
            QVERIFY2(school.open(&why) && storeRecords(school.database(), records, &why), qPrintable(why));
        };
        const QString xPlus = QStringLiteral("2 3 x +"), xMinus = QStringLiteral("2 3 x -");
        store(QStringLiteral("wendy"), QStringLiteral("w"),
              {{monday.addSecs(-1), exerciseOf(1, xPlus, 10, AllHit)},
               {monday, exerciseOf(2, xPlus, 30, AllHit)},
               {monday.addSecs(60), exerciseOf(3, xPlus, 50, AllHit)},
               {monday.addSecs(120), exerciseOf(4, xMinus, 70, AllHit)},
               {monday.addSecs(180), exerciseOf(5, xMinus, 20, two)},
               {monday.addSecs(240), exerciseOf(6, xMinus, 20, two)},
               {monday.addSecs(300), exerciseOf(7, xMinus, 20, two)},
               {monday.addSecs(360), exerciseOf(8, xMinus, 20, two)}});
        const QString later = QStringLiteral("4 5 x -");
        store(QStringLiteral("xe;ni"), QStringLiteral("x-old"),
              {{QDateTime::currentDateTime().addDays(-30), exerciseOf(1, QStringLiteral("9 9 +"), 20, none)}});
        store(QStringLiteral("xe;ni"), QStringLiteral("x"),
              {{monday.addSecs(400), exerciseOf(1, later, 20, four)},
               {monday.addSecs(500), exerciseOf(2, later, 20, four)},
               {monday.addSecs(600), exerciseOf(3, later, 20, four)},
               {monday.addSecs(700), exerciseOf(4, later, 20, four)},
               {monday.addSecs(800), exerciseOf(5, QStringLiteral("4 5 x +"), 15, AllHit)}});
    }
    SchoolDatabase school(m_server.connection(QStringLiteral("tdim")));
    QString why;
    QVERIFY2(school.open(&why), qPrintable(why));
    ClassFigures figures;
    QVERIFY2(readClassFigures(school.database(), QDate::currentDate(), &figures, &why), qPrintable(why));
    QStringList got;
    if (what == QLatin1String("groups")) {
        for (const ClassGroup &group : figures.groups)
            got << QStringLiteral("%1 %2/%3").arg(groupName(group)).arg(group.solved).arg(group.played);
    } else if (what == QLatin1String("missed")) {
        for (const MissedTarget &target : figures.missed)
            got << QStringLiteral("%1 %2 %3").arg(target.target).arg(target.missed).arg(target.keys);
    } else if (what.startsWith(QLatin1String("window "))) {
        QString opened, printed;
        ClassWindow window(
            figures, [&](const PupilRow &row) { opened = row.pupil; }, [&](const QString &html) { printed = html; });
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        if (what == QLatin1String("window enter")) {
            QTest::keyClick(window.pupilsTable, Qt::Key_Down);
            QTest::keyClick(window.pupilsTable, Qt::Key_Return);
            got << opened;
        } else if (what == QLatin1String("window hint")) {
            got << window.pupilsTable->accessibleDescription();
            // Nothing the screen reader says holds what the synthesiser spells out.
            static const QRegularExpression spelt(QStringLiteral("[():/;%]"));
            for (const QWidget *child : window.findChildren<QWidget *>())
                for (const QString &said : {child->accessibleName(), child->accessibleDescription()})
                    if (said.contains(spelt))
                        got << said;
        } else if (what == QLatin1String("window names")) {
            // A view's viewport is reached through the view, which is named.
            for (const QWidget *child : window.findChildren<QWidget *>()) {
                const auto *area = qobject_cast<const QAbstractScrollArea *>(child->parentWidget());
                if (child->isVisible() && (child->focusPolicy() & Qt::TabFocus) && child->accessibleName().isEmpty()
                    && !(area && area->viewport() == child))
                    got << QString::fromLatin1(child->metaObject()->className());
            }
        } else {
            window.worksheetButton->click();
            const qsizetype at = printed.indexOf(QStringLiteral("<td>5</td>"));
            got << printed.mid(at, expected.size());
            QVERIFY2(!printed.contains(QStringLiteral("<td>5</td><td>8</td><td>4 5 x -</td><td></td>")), "a way for 5");
        }
    } else if (what.startsWith(QLatin1String("report "))) {
        QTemporaryDir copy;
        const QString path = copy.filePath(QStringLiteral("history.sqlite"));
        QVERIFY2(copyPupilHistory(school.database(), QStringLiteral("4Δ"), what.mid(7), QString(), path, &why), qPrintable(why));
        SqlHistorySource history(path);
        HistorySummary summary;
        std::vector<GameRow> games;
        ReadError error;
        QVERIFY(history.summary(&summary, &error) && history.games(0, 10, &games, &error));
        QStringList ends;
        for (const GameRow &game : games)
            ends << (!game.end ? QStringLiteral("under way") : *game.end == GameEnd::Abandoned ? QStringLiteral("abandoned") : QStringLiteral("ended"));
        got << QStringLiteral("%1 %2").arg(summary.exercises).arg(summary.solved) << ends.join(QLatin1Char(' '));
    } else {
        for (const PupilRow &row : figures.pupils) {
            if (row.pupil != what)
                continue;
            QStringList cells = pupilCells(row);
            QVERIFY(qAbs(row.lastPlayed.secsTo(monday)) < 1000);
            cells.removeAt(8); // the last played, checked above
            got << cells.join(QLatin1Char('|'));
        }
        QCOMPARE(figures.pupils.size(), std::size_t(2)); // the teacher's class only
    }
    QCOMPARE(got.join(QStringLiteral(", ")), expected);
}

QTEST_MAIN(TestClassStore)
#include "tst_classstore.moc"
