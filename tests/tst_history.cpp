// The history of play: what the game records as exercises and games end, the SQLite store
// under a locked or damaged database, the CSV, and the progress window.

#include "app/rungame.h"
#include "fakes.h"
#include "history/historystore.h"
#include "history/progress.h"

#include <QChartView>
#include <QFile>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#ifdef Q_OS_UNIX
#include <csignal>
#include <unistd.h>
#endif

using namespace numbolo;
using namespace numbolo::testing;

class TestHistory : public QObject {
    Q_OBJECT
private slots:
    void recorded_data();
    void recorded();
    void damagedDatabase_data();
    void damagedDatabase();
    void csv();
    void commandLine_data();
    void commandLine();
    void window_data();
    void window();
};

void TestHistory::recorded_data()
{
    QTest::addColumn<QStringList>("steps");
    QTest::addColumn<QStringList>("history");
    const QString start = QStringLiteral("start 10 100");
    const QString solved = QStringLiteral("1 solved 0s 8/8 8=");
    QTest::newRow("solved, ΟΚ") << QStringList{"solve", "ok"} << QStringList{start, solved};
    QTest::newRow("solved, a close refused, ΟΚ") << QStringList{"solve", "close", "ok"} << QStringList{start, solved};
    QTest::newRow("solved, SIGTERM under the success window") << QStringList{"solve"} << QStringList{start, solved};
    QTest::newRow("last solved, ΟΚ") << QStringList{"last", "solve", "ok"}
                                     << QStringList{start, "10 solved 0s 8/8 8=", "end finished 11"};
    QTest::newRow("last solved, SIGTERM under the success window")
        << QStringList{"last", "solve"} << QStringList{start, "10 solved 0s 8/8 8=", "end finished 11"};
    QTest::newRow("one hit, skipped, the next solved")
        << QStringList{"hit", "skip", "solve", "ok"} << QStringList{start, "1 skipped 0s 1/8 1=", "2 solved 0s 8/8 8="};
    QTest::newRow("timed out") << QStringList{"digit", "wait"} << QStringList{start, "1 timeout 180s 0/8 0="};
    QTest::newRow("last skipped: the game finishes")
        << QStringList{"last", "skip"} << QStringList{start, "10 skipped 0s 0/8 0=", "end finished 0"};
    QTest::newRow("restarted midway, then a new game")
        << QStringList{"skip", "solve", "ok", "restart", "start"}
        << QStringList{start, "1 skipped 0s 0/8 0=", "2 solved 0s 8/8 8=", "end restarted -1", start};
}

void TestHistory::recorded()
{
    // The program as it runs, ended by SIGTERM after the steps: each exercise and each game end
    // is recorded once, whichever way it ends.
    QFETCH(QStringList, steps);
    QFETCH(QStringList, history);
    World world;
    world.shipFont();
    world.installFont();
    QTimer act;
    act.setSingleShot(true);
    connect(&act, &QTimer::timeout, this, [&] {
        Form1 *form = runningWindow();
        if (form == nullptr)
            return QCoreApplication::exit(99);
        startGame(*form, QStringLiteral("10"), QStringLiteral("100"));
        for (const QString &step : std::as_const(steps)) {
            if (step == QLatin1String("last")) {
                form->Text17->setText(form->Text16->text());
            } else if (step == QLatin1String("solve")) {
                setTargets(*form, {"1", "2", "3", "4", "5", "6", "7", "8"});
                typeEveryTarget(*form);
            } else if (step == QLatin1String("hit")) {
                setTargets(*form, {"1", "2", "3", "4", "5", "6", "7", "9"});
                form->Text1->setText(QStringLiteral("7"));
                click(form->Command17);
            } else if (step == QLatin1String("ok")) {
                click(form->successWindow()->Command1);
            } else if (step == QLatin1String("close")) {
                form->close();
            } else if (step == QLatin1String("skip")) {
                skipExercise(world, *form);
            } else if (step == QLatin1String("digit")) {
                click(usableDigit(*form));
            } else if (step == QLatin1String("wait")) {
                world.clock.advance(181'000);
            } else if (step == QLatin1String("restart")) {
                world.messages.answers.push_back(MessageAnswer::Yes);
                click(form->Image5);
            } else if (step == QLatin1String("start")) {
                startGame(*form, QStringLiteral("10"), QStringLiteral("100"));
            }
        }
#ifdef Q_OS_UNIX
        ::kill(::getpid(), SIGTERM);
#else
        form->shutDown();
#endif
    });
    act.start(0);
    QCOMPARE(runGame(world.services()), 0);
    QCOMPARE(world.history.lines, history);
}

void TestHistory::damagedDatabase_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<int>("pendingWhileBroken");
    QTest::addColumn<bool>("keptAside");
    QTest::addColumn<int>("pendingAfter");
    QTest::newRow("locked by another writer, then free") << "locked" << 2 << false << 0;
    QTest::newRow("not a database") << "text" << 0 << true << 0;
    QTest::newRow("its pages overwritten") << "pages" << 0 << true << 0;
    QTest::newRow("written by a later version") << "newer" << 2 << false << 3;
    QTest::newRow("a folder in its place") << "folder" << 2 << false << 3;
}

void TestHistory::damagedDatabase()
{
    // The game's calls return whatever the file is like; what cannot be written is kept for the
    // next record, and a damaged file is kept aside, untouched, while a new one starts.
    QFETCH(QString, damage);
    QFETCH(int, pendingWhileBroken);
    QFETCH(bool, keptAside);
    QFETCH(int, pendingAfter);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Numbolo/history.sqlite"));
    QDir().mkpath(dir.filePath(QStringLiteral("Numbolo")));
    const GameFacts game{10, 100};
    if (damage == QLatin1String("locked") || damage == QLatin1String("pages")) {
        HistoryStore earlier(path);
        for (int i = 0; i < 40; ++i)
            earlier.gameStarted(game);
    }
    if (damage == QLatin1String("text")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray("notes of a parent, not a database\n").repeated(200));
    } else if (damage == QLatin1String("pages")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        QVERIFY(file.seek(4096));
        file.write(QByteArray(8192, '\xA5'));
    } else if (damage == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    }
    const QByteArray before = fileContents(path);
    {
        QSqlDatabase other = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("other"));
        other.setDatabaseName(path);
        QSqlQuery query(other);
        if (damage == QLatin1String("locked")) {
            QVERIFY(other.open());
            QVERIFY(query.exec(QStringLiteral("BEGIN EXCLUSIVE")));
        } else if (damage == QLatin1String("newer")) {
            QVERIFY(other.open());
            QVERIFY(query.exec(QStringLiteral("PRAGMA user_version = 99")));
        }

        HistoryStore store(path, 10);
        store.gameStarted(game);
        store.exerciseEnded(game, {1, 1.5, ExerciseEnd::Solved, 30, 8, 9});
        QCOMPARE(int(store.pending()), pendingWhileBroken);
        QCOMPARE(!store.damagedCopy().isEmpty(), keptAside);
        if (keptAside)
            QCOMPARE(fileContents(store.damagedCopy()), before);

        query.finish();
        other.close();
        store.gameEnded(GameEnd::Finished, 11);
        QCOMPARE(int(store.pending()), pendingAfter);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("other"));
    if (pendingAfter == 0) {
        std::vector<GameRow> games;
        QString error;
        QVERIFY2(readHistory(path, &games, &error), qPrintable(error));
        QVERIFY(!games.empty());
        QCOMPARE(games.front().played.size(), std::size_t(1));
        QCOMPARE(games.front().played.front().equalsPresses, 9);
        QCOMPARE(games.front().percentage, 11);
    }
}

void TestHistory::csv()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("history.sqlite"));
    {
        HistoryStore store(path);
        store.gameStarted({10, 100});
        store.exerciseEnded({10, 100}, {1, 1.4767, ExerciseEnd::Solved, 42, 8, 5});
        store.exerciseEnded({10, 100}, {2, 1.5, ExerciseEnd::TimedOut, 180, 3, 2});
        store.gameEnded(GameEnd::Finished, 11);
        store.gameStarted({20, -500});
        store.exerciseEnded({20, -500}, {1, 1.2, ExerciseEnd::Skipped, 10, 0, 0});
        store.gameEnded(GameEnd::Restarted, -1);
        // An exercise with no game under way in the history opens one for it.
        store.exerciseEnded({30, 1000}, {7, 2.25, ExerciseEnd::Solved, 60, 8, 8});
    }
    std::vector<GameRow> games;
    QString error;
    QVERIFY(readHistory(path, &games, &error));
    QCOMPARE(games.size(), std::size_t(3));
    const QString csv = QString::fromUtf8(historyCsv(games));
    QVERIFY(csv.endsWith(QLatin1String("\r\n")));
    const QStringList lines = csv.chopped(2).split(QStringLiteral("\r\n"));
    const auto start = [&](std::size_t i) { return games[i].started.toString(Qt::ISODate); };
    QVERIFY(QRegularExpression(QStringLiteral("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:\\d\\d$")).match(start(0)).hasMatch());
    QCOMPARE(lines, (QStringList{
        "Έναρξη παιχνιδιού,Ασκήσεις,Εύρος,Άσκηση,Επίπεδο,Έκβαση,Δευτερόλεπτα,Στόχοι,Πατήματα =,Αποτέλεσμα %",
        start(2) + ",10,100,1,1.4767,λύθηκε,42,8,5,11",
        start(2) + ",10,100,2,1.5,έληξε ο χρόνος,180,3,2,11",
        start(1) + ",20,-500,1,1.2,παραλείφθηκε,10,0,0,",
        start(0) + ",30,1000,7,2.25,λύθηκε,60,8,8,",
    }));
}

void TestHistory::commandLine_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("output"); // the start of standard output, or what standard error contains
    QTest::newRow("help") << QStringList{"--help"} << 0 << "Χρήση: ";
    QTest::newRow("csv without a display") << QStringList{"--progress", "--csv"} << 0
                                           << "Έναρξη παιχνιδιού,Ασκήσεις,Εύρος,";
    QTest::newRow("unknown option") << QStringList{"--bogus"} << 2 << "Άγνωστη επιλογή: bogus";
    QTest::newRow("csv alone") << QStringList{"--csv"} << 2 << "--csv χρειάζεται και την --progress";
    QTest::newRow("stray argument") << QStringList{"--progress", "x"} << 2 << "Άγνωστο όρισμα: x";
}

void TestHistory::commandLine()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, output);
    QTemporaryDir data;
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("DISPLAY"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), data.path());
    program.setProcessEnvironment(environment);
    program.start(QStringLiteral(NUMBOLO_BINARY_DIR "/Numbolo"), arguments);
    QVERIFY(program.waitForFinished(20000));
    QCOMPARE(program.exitCode(), status);
    if (status == 0)
        QVERIFY(QString::fromUtf8(program.readAllStandardOutput()).startsWith(output));
    else
        QVERIFY(QString::fromUtf8(program.readAllStandardError()).contains(output));
}

void TestHistory::window_data()
{
    QTest::addColumn<int>("games");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty history: said plainly, no charts") << 0 << QString();
    QTest::newRow("unreadable history: the reason, no charts") << 0 << QStringLiteral("Το ιστορικό δεν διαβάζεται");
    QTest::newRow("two games: tables and charts") << 2 << QString();
}

void TestHistory::window()
{
    QFETCH(int, games);
    QFETCH(QString, error);
    std::vector<GameRow> rows;
    for (int i = 0; i < games; ++i) {
        GameRow game;
        game.started = QDateTime(QDate(2026, 11, 1 + i), QTime(17, 0));
        game.ended = game.started.addSecs(600);
        game.exercises = 10;
        game.range = 100;
        game.end = i == 0 ? std::optional(GameEnd::Finished) : std::nullopt;
        game.percentage = i == 0 ? 11 : -1;
        for (int n = 1; n <= i + 1; ++n)
            game.played.push_back({n, 1.5, ExerciseEnd::Solved, 30, 8, 8, game.started.addSecs(60 * n)});
        rows.insert(rows.begin(), game);
    }
    ProgressWindow window(QString(), rows, error);
    QCOMPARE(window.windowTitle(), QStringLiteral("Πρόοδος"));
    QCOMPARE(window.saveButton->isEnabled(), games > 0);
    QCOMPARE(window.findChildren<QChartView *>().size(), games > 0 ? 2 : 0);
    if (games == 0) {
        QVERIFY(window.summary->text().startsWith(error.isEmpty() ? QStringLiteral("Δεν υπάρχει ακόμη ιστορικό") : error));
        return;
    }
    QCOMPARE(window.gamesTable->rowCount(), games);
    QCOMPARE(window.gamesTable->item(1, 3)->text(), QStringLiteral("11 %"));
    QCOMPARE(window.gamesTable->item(0, 3)->text(), QStringLiteral("σε εξέλιξη"));
    QCOMPARE(window.exercisesTable->rowCount(), 2); // the newest game is chosen first
    QTest::keyClick(window.gamesTable, Qt::Key_Down);
    QCOMPARE(window.exercisesTable->rowCount(), 1);
    for (QWidget *chart : {window.resultChart, window.solvedChart})
        QVERIFY(!chart->accessibleName().isEmpty() && !chart->accessibleDescription().isEmpty());
}

QTEST_MAIN(TestHistory)
#include "tst_history.moc"
