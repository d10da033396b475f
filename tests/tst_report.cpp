// The progress report: what its figures say (the run of days, the next step), and how the
// window and the printed document show a report.

#include "fakes.h"
#include "progress/progress.h"
#include "progress/progresstext.h"
#include "progress/progresswidgets.h"
#include "progress/report.h"
#include "progress/reportdocument.h"
#include "progress/reportreading.h"

#include <QChartView>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTabBar>
#include <QTest>
#include <QTextDocument>

#include <algorithm>

using namespace numbolo;
using numbolo::testing::FakeHistory;

namespace {

struct Month {
    QDate first;
    int played = 0;
    int solved = 0;
};

GroupFigures group(const QString &name, const std::vector<Month> &months)
{
    GroupFigures g{name, {}, {}};
    for (const Month &m : months) {
        g.byMonth[m.first] = {m.played, m.solved, std::nullopt};
        g.whole.played += m.played;
        g.whole.solved += m.solved;
    }
    return g;
}

const QDate February(2026, 2, 1), March(2026, 3, 1), April(2026, 4, 1), May(2026, 5, 1), Old(2025, 11, 1);
// A month of a computer whose clock battery failed.
const QDate Future(2037, 6, 1);

// Two games of two exercises each, newest first, keyed 20 and 10, and a report of them.
std::vector<GameRow> twoGames()
{
    std::vector<GameRow> games;
    for (qint64 key : {20, 10}) {
        GameRow game;
        game.key = key;
        game.started = QDateTime(QDate(2026, 5, int(key / 10)), QTime(17, 0));
        game.exercises = 10;
        game.range = 100;
        for (int n = 1; n <= 2; ++n)
            game.played.push_back({n, 1.5, n == 1 ? ExerciseEnd::Solved : ExerciseEnd::Skipped, 30, n == 1 ? 8 : 2, 3,
                                   game.started.addSecs(60 * n)});
        games.push_back(game);
    }
    return games;
}

// `range` names its range: as the window writes it, or by its number as the history reads it.
Report smallReport(const QString &range = QStringLiteral("0 - 100"))
{
    Report report;
    report.skills = {group("x +", {{April, 4, 1}, {May, 6, 2}}), group("/ -", {{May, 10, 9}})};
    report.skills[0].byMonth[May].medianSeconds = 75;
    report.ranges = {group(range, {{April, 4, 1}, {May, 16, 11}})};
    report.daysPlayed = {QDate(2026, 4, 30), QDate(2026, 5, 1), QDate(2026, 5, 2)};
    return report;
}

// Exercise 2 of a game: two targets hit, one missed with a way, one without; its ways as the
// solver finds them, where the window reads it.
ExerciseDetail missedDetail()
{
    ExerciseDetail detail{true, {2, 1.5, ExerciseEnd::Skipped, 30, 2, 2, {}}, "2 7 8 x +", {}, {}};
    detail.targets = {{35, true, 12, "35", "27+8", "35"}, {43, true, 65, "43", "27+2*8", "43"},
                      {58, false, {}, {}, "2+7*8", "58"}, {-999, false, {}, {}, {}, "-999"}};
    detail.presses = {{12, "35", {0}}, {65, "43", {1}}};
    return detail;
}

// `detail` as the history reads it: without ways, which the window finds.
ExerciseDetail withoutWays(ExerciseDetail detail)
{
    for (TargetLine &target : detail.targets)
        target.way.clear();
    return detail;
}

// The text of every cell of `table`, row by row, cells joined by "|".
QStringList tableText(const QTableWidget *table)
{
    QStringList rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        QStringList cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells << (table->item(row, column) ? table->item(row, column)->text() : QString());
        rows << cells.join(QLatin1Char('|'));
    }
    return rows;
}

} // namespace

class TestReport : public QObject {
    Q_OBJECT
private slots:
    void run_data();
    void run();
    void spoken_data();
    void spoken();
    void nextStep_data();
    void nextStep();
    void targets_data();
    void targets();
    void sections();
    void longHistory();
    void figuresWhenWanted();
    void document_data();
    void document();
    void documentFacts_data();
    void documentFacts();
};

void TestReport::run_data()
{
    QTest::addColumn<std::vector<QDate>>("days");
    QTest::addColumn<QDate>("today");
    QTest::addColumn<int>("run");
    const QDate today(2026, 3, 2);
    QTest::newRow("nothing played") << std::vector<QDate>{} << today << 0;
    QTest::newRow("today only") << std::vector<QDate>{today} << today << 1;
    QTest::newRow("not yet today: the run up to yesterday")
        << std::vector<QDate>{today.addDays(-2), today.addDays(-1)} << today << 2;
    QTest::newRow("a day missed ends the run")
        << std::vector<QDate>{today.addDays(-4), today.addDays(-3), today.addDays(-1), today} << today << 2;
    QTest::newRow("last played the day before yesterday") << std::vector<QDate>{today.addDays(-2)} << today << 0;
    QTest::newRow("across the end of February")
        << std::vector<QDate>{QDate(2026, 2, 27), QDate(2026, 2, 28), QDate(2026, 3, 1), today} << today << 4;
    QTest::newRow("out of order, a later day too")
        << std::vector<QDate>{today, today.addDays(3), today.addDays(-1)} << today << 2;
}

void TestReport::run()
{
    QFETCH(std::vector<QDate>, days);
    QFETCH(QDate, today);
    QFETCH(int, run);
    QCOMPARE(currentRun(days, today), run);
}

void TestReport::spoken_data()
{
    // What a screen reader gets of the window's short forms, which it would spell out.
    QTest::addColumn<QString>("shown");
    QTest::addColumn<QString>("spoken");
    QTest::newRow("minutes and seconds") << "5 λ. 3 δ." << "5 λεπτά και 3 δευτερόλεπτα";
    QTest::newRow("one hour, one minute") << "1 ώ. 1 λ." << "1 ώρα και 1 λεπτό";
    QTest::newRow("no minutes: the seconds alone") << "Χρόνος: 0 λ. 42 δ." << "Χρόνος, 42 δευτερόλεπτα";
    QTest::newRow("whole minutes") << "2 λ. 0 δ." << "2 λεπτά";
    QTest::newRow("a duration ending a line") << "σε 27 δ.\nΠλήκτρα: 4" << "σε 27 δευτερόλεπτα.\nΠλήκτρα, 4";
    QTest::newRow("nothing at all") << "0 λ. 0 δ." << "0 δευτερόλεπτα";
    QTest::newRow("date and time") << "07/12/2026 21:07" << "7 Δεκεμβρίου 2026, 21 και 7";
    QTest::newRow("date at midnight") << "08/12/2026 00:00" << "8 Δεκεμβρίου 2026, μεσάνυχτα";
    QTest::newRow("date, a whole hour") << "08/12/2026 09:00" << "8 Δεκεμβρίου 2026, 9 ακριβώς";
    QTest::newRow("days in a list") << "01/04/2026: 3; 02/04/2026: 1 δ." << "1 Απριλίου 2026, 3, 2 Απριλίου 2026, 1 δευτερόλεπτο";
    QTest::newRow("no date: no slashes either") << "31/02/2026 και 7 από 10, 70 %" << "31 02 2026 και 7 από 10, 70 τοις εκατό";
    QTest::newRow("range") << "Εύρος: 0 - 100" << "Εύρος, 0 έως 100";
    QTest::newRow("negative range") << "-500 - 0" << "μείον 500 έως 0";
    QTest::newRow("skill") << "/ x: 0 %; x -" << "διά επί, 0 τοις εκατό, επί μείον";
    QTest::newRow("keys in a sentence") << "με τις πράξεις «x» και «+»." << "με τις πράξεις επί και συν.";
    QTest::newRow("a chart's unit") << "Λυμένες ασκήσεις ανά εύρος (%)" << "Λυμένες ασκήσεις ανά εύρος, τοις εκατό";
    QTest::newRow("no value") << "-" << "καμία τιμή";
    QTest::newRow("negative value") << "Τιμές στο «=»: -45 (3 δ.)" << "Τιμές στο =, μείον 45 (3 δευτερόλεπτα)";
}

void TestReport::spoken()
{
    QFETCH(QString, shown);
    QFETCH(QString, spoken);
    QCOMPARE(readAloud(shown), spoken);
}

void TestReport::nextStep_data()
{
    QTest::addColumn<std::vector<GroupFigures>>("skills");
    QTest::addColumn<std::vector<GroupFigures>>("ranges");
    QTest::addColumn<QString>("said"); // in the sentence; empty: no sentence at all
    using Groups = std::vector<GroupFigures>;
    QTest::newRow("nine exercises: too little to say")
        << Groups{group("x +", {{May, 9, 1}})} << Groups{group("0 - 100", {{May, 9, 1}})} << QString();
    QTest::newRow("old play does not count toward enough")
        << Groups{group("x +", {{Old, 40, 2}, {May, 5, 1}})} << Groups{group("0 - 100", {{Old, 40, 2}, {May, 5, 1}})}
        << QString();
    QTest::newRow("the pair solved least")
        << Groups{group("x +", {{April, 4, 1}, {May, 6, 2}}), group("- +", {{May, 10, 5}}), group("/ +", {{May, 10, 9}})}
        << Groups{group("0 - 100", {{April, 4, 1}, {May, 26, 16}})}
        << "λύθηκαν 3 από 10 ασκήσεις με τις πράξεις «x» και «+».";
    QTest::newRow("one operator")
        << Groups{group("/", {{May, 6, 2}}), group("+", {{May, 10, 9}})} << Groups{group("0 - 100", {{May, 16, 11}})}
        << "λύθηκαν 2 από 6 ασκήσεις με την πράξη «/».";
    QTest::newRow("three operators")
        << Groups{group("x - +", {{May, 10, 1}})} << Groups{group("0 - 100", {{May, 10, 1}})}
        << "με τις πράξεις «x», «-» και «+».";
    QTest::newRow("a tie: the skill played more")
        << Groups{group("/", {{May, 5, 1}}), group("x", {{May, 10, 2}})} << Groups{group("0 - 100", {{May, 15, 3}})}
        << "2 από 10 ασκήσεις με την πράξη «x»";
    QTest::newRow("five exercises are enough to call a skill hard")
        << Groups{group("x", {{May, 5, 1}}), group("+", {{May, 10, 9}})} << Groups{group("0 - 100", {{May, 15, 10}})}
        << "λύθηκαν 1 από 5 ασκήσεις με την πράξη «x»";
    QTest::newRow("four exercises are too few to call a skill hard")
        << Groups{group("x", {{May, 4, 0}}), group("+", {{May, 10, 9}})}
        << Groups{group("0 - 100", {{May, 10, 9}}), group("0 - 500", {{May, 4, 0}})}
        << "λύθηκαν 9 από 14 ασκήσεις. Συνεχίστε";
    QTest::newRow("only three months count")
        << Groups{group("-", {{Old, 30, 0}, {March, 10, 10}})} << Groups{group("0 - 100", {{Old, 30, 0}, {March, 10, 10}, {May, 5, 5}})}
        << "λύθηκαν 15 από 15 ασκήσεις. Το παιδί είναι έτοιμο για μεγαλύτερο εύρος";
    QTest::newRow("the fourth month back does not count")
        << Groups{group("-", {{February, 30, 0}, {March, 10, 10}})}
        << Groups{group("0 - 100", {{February, 30, 0}, {March, 10, 10}, {May, 5, 5}})}
        << "λύθηκαν 15 από 15 ασκήσεις. Το παιδί είναι έτοιμο για μεγαλύτερο εύρος";
    QTest::newRow("exactly 90 % solved: ready for bigger numbers")
        << Groups{group("x +", {{May, 10, 9}})} << Groups{group("0 - 100", {{May, 10, 9}})}
        << "λύθηκαν 9 από 10 ασκήσεις. Το παιδί είναι έτοιμο";
    QTest::newRow("exactly 70 % solved: not hard")
        << Groups{group("x +", {{May, 10, 7}})} << Groups{group("0 - 100", {{May, 10, 7}})}
        << "λύθηκαν 7 από 10 ασκήσεις. Συνεχίστε";
    const QDate thisMonth(QDate::currentDate().year(), QDate::currentDate().month(), 1);
    QTest::newRow("this month counts")
        << Groups{group("x +", {{thisMonth, 10, 9}})} << Groups{group("0 - 100", {{thisMonth, 10, 9}})}
        << "λύθηκαν 9 από 10 ασκήσεις. Το παιδί είναι έτοιμο";
    // Regression: one exercise stamped in 2037 made the next step empty for good.
    QTest::newRow("a month later than this one does not count")
        << Groups{group("x +", {{May, 10, 8}, {Future, 1, 0}})} << Groups{group("0 - 100", {{May, 10, 8}, {Future, 1, 0}})}
        << "λύθηκαν 8 από 10 ασκήσεις. Συνεχίστε";
    QTest::newRow("before keys were recorded: the range solved least")
        << Groups{} << Groups{group("0 - 100", {{May, 10, 9}}), group("0 - 500", {{May, 10, 4}})}
        << "λύθηκαν 4 από 10 ασκήσεις στο εύρος 0 - 500.";
    QTest::newRow("the smallest range solved least: no smaller one advised")
        << Groups{} << Groups{group("0 - 100", {{May, 10, 4}}), group("0 - 500", {{May, 10, 9}})}
        << "στο εύρος 0 - 100. Λύστε μαζί με το παιδί μερικές ασκήσεις αυτού του εύρους.";
    QTest::newRow("the smallest negative range")
        << Groups{} << Groups{group("-100 - 0", {{May, 10, 4}})} << "στο εύρος -100 - 0. Λύστε μαζί με το παιδί "
                                                                   "μερικές ασκήσεις αυτού του εύρους.";
    QTest::newRow("in between: keep going")
        << Groups{group("x +", {{May, 10, 8}})} << Groups{group("0 - 100", {{May, 10, 8}})}
        << "λύθηκαν 8 από 10 ασκήσεις. Συνεχίστε";
}

void TestReport::nextStep()
{
    QFETCH(std::vector<GroupFigures>, skills);
    QFETCH(std::vector<GroupFigures>, ranges);
    QFETCH(QString, said);
    Report report;
    report.skills = skills;
    report.ranges = ranges;
    const QString sentence = numbolo::nextStep(report);
    if (said.isEmpty())
        QVERIFY2(sentence.isEmpty(), qPrintable(sentence));
    else
        QVERIFY2(sentence.contains(said), qPrintable(sentence));
}

void TestReport::targets_data()
{
    QTest::addColumn<bool>("recorded");
    QTest::addColumn<QString>("error"); // what SQLite says of the exercise's history; empty: it reads
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QString>("said"); // in the line above the table
    // Each row as a sentence: its cells in words after their columns' names, the empty ones left
    // out, a way as the game reads the display.
    QTest::addColumn<QStringList>("heard");
    QTest::newRow("hit, missed with a way, missed without one")
        << true << QString()
        << QStringList{"35|ναι|12 δ.|35|", "43|ναι|1 λ. 5 δ.|43|", "58|όχι|||2+7*8", "-999|όχι|||δεν βρέθηκε σύντομος τρόπος"}
        << "Άσκηση 2: παραλείφθηκε σε 30 δ. Πλήκτρα: 2 7 8 x +. Βρέθηκαν 2 από 4 στόχους. Τιμές στο «=»: "
           "35 (12 δ.), 43 (1 λ. 5 δ.)."
        << QStringList{"Στόχος 35, Βρέθηκε ναι, Μετά από 12 δευτερόλεπτα, Με την τιμή 35",
                       "Στόχος 43, Βρέθηκε ναι, Μετά από 1 λεπτό και 5 δευτερόλεπτα, Με την τιμή 43",
                       "Στόχος 58, Βρέθηκε όχι, Ένας τρόπος 2 συν 7 επί 8",
                       "Στόχος μείον 999, Βρέθηκε όχι, Ένας τρόπος δεν βρέθηκε σύντομος τρόπος"};
    QTest::newRow("recorded before targets were kept") << false << QString() << QStringList{}
                                                        << "Οι στόχοι της δεν καταγράφηκαν" << QStringList{};
    QTest::newRow("the history cannot be read") << true << QStringLiteral("disk I/O error") << QStringList{}
                                                << "Το ιστορικό δεν διαβάζεται (/ιστορικό.sqlite): disk I/O error"
                                                << QStringList{};
}

void TestReport::targets()
{
    QFETCH(bool, recorded);
    QFETCH(QString, error);
    QFETCH(QStringList, rows);
    QFETCH(QString, said);
    QFETCH(QStringList, heard);
    FakeHistory history(twoGames());
    for (const GameRow &game : history.stored) {
        for (const ExerciseRow &row : game.played) {
            ExerciseDetail detail = withoutWays(missedDetail());
            detail.recorded = recorded;
            detail.row = row;
            history.details[{game.key, row.number}] = detail;
        }
    }
    ProgressWindow window(history);
    if (!error.isEmpty())
        history.failure = {ReadError::Kind::Unreadable, QStringLiteral("/ιστορικό.sqlite"), error};
    QVERIFY(window.targetsView != nullptr);
    // Choosing the older game, then its second exercise, reads that exercise.
    window.gamesTable->setCurrentCell(1, 0);
    window.exercisesTable->setFocus();
    window.exercisesTable->setCurrentCell(0, 0);
    QTest::keyClick(window.exercisesTable, Qt::Key_Down);
    QCOMPARE(history.exercisesRead.back(), std::make_pair(qint64(10), 2));
    QVERIFY2(window.targetsView->about->text().contains(said), qPrintable(window.targetsView->about->text()));
    QCOMPARE(window.targetsView->about->accessibleName(), readAloud(window.targetsView->about->text()));
    QCOMPARE(tableText(window.targetsView->table), rows);
    QStringList spoken;
    for (int row = 0; row < window.targetsView->table->rowCount(); ++row)
        spoken << spokenRow(window.targetsView->table, row);
    QCOMPARE(spoken, heard);
    // Another game shows its first exercise's, and its table is entered on that row.
    window.gamesTable->setCurrentCell(0, 0);
    QCOMPARE(window.exercisesTable->currentRow(), 0);
    QCOMPARE(history.exercisesRead.back(), std::make_pair(qint64(20), 1));
    QCOMPARE(tableText(window.targetsView->table), rows);
}

void TestReport::sections()
{
    FakeHistory history(twoGames());
    history.report = smallReport(QStringLiteral("100"));
    // Opened late on the 1st; the run is counted on the 2nd, past midnight.
    QDate today(2026, 5, 1);
    ProgressWindow window(history, {}, ProgressWindow::Today([&today] { return today; }));
    today = QDate(2026, 5, 2);
    QVERIFY(window.nextStepLabel != nullptr);
    QVERIFY2(window.nextStepLabel->text().startsWith(QStringLiteral("Επόμενο βήμα: Τους τελευταίους μήνες λύθηκαν 3 "
                                                                   "από 10 ασκήσεις με τις πράξεις «x» και «+».")),
             qPrintable(window.nextStepLabel->text()));
    QVERIFY(window.gamesTable->accessibleDescription().startsWith(window.nextStepLabel->accessibleName()));
    QCOMPARE(window.tabs->count(), 5);

    // Each chart has its figures in a table beside it; the ranges named as the window writes them.
    window.tabs->setCurrentIndex(2);
    auto *skills = window.findChild<QTableWidget *>(QStringLiteral("skillsTable"));
    QVERIFY(skills != nullptr && window.findChild<QChartView *>(QStringLiteral("skillsChart")) != nullptr);
    QCOMPARE(tableText(skills), (QStringList{"x +|όλοι οι μήνες|3 από 10|30 %|-", "x +|Μάιος 2026|2 από 6|33 %|1 λ. 15 δ.",
                                             "x +|Απρίλιος 2026|1 από 4|25 %|-", "/ -|όλοι οι μήνες|9 από 10|90 %|-",
                                             "/ -|Μάιος 2026|9 από 10|90 %|-"}));
    auto *ranges = window.findChild<QTableWidget *>(QStringLiteral("rangesTable"));
    QVERIFY(ranges != nullptr && window.findChild<QChartView *>(QStringLiteral("rangesChart")) != nullptr);
    QCOMPARE(ranges->rowCount(), 3);
    QCOMPARE(ranges->item(0, 0)->text(), QStringLiteral("0 - 100"));
    // The tables are reached by Tab.
    QVERIFY(skills->focusPolicy() & Qt::TabFocus);

    auto *run = window.findChild<QLabel *>(QStringLiteral("run"));
    QVERIFY(run != nullptr);
    QCOMPARE(run->text(), QStringLiteral("Συνεχόμενες ημέρες παιχνιδιού ως σήμερα: 3. Ημέρες με παιχνίδι: 3."));
    QCOMPARE(tableText(window.findChild<QTableWidget *>(QStringLiteral("calendarTable"))),
             (QStringList{"Μάιος 2026|2|1, 2", "Απρίλιος 2026|1|30"}));

    // A history from before keys were recorded: said so instead of an empty chart; no sentence
    // from too little play.
    FakeHistory before(twoGames());
    ProgressWindow old(before);
    old.tabs->setCurrentIndex(2);
    QVERIFY(old.findChild<QLabel *>(QStringLiteral("skillsNone")) != nullptr);
    QVERIFY(old.nextStepLabel == nullptr);
    QVERIFY(old.printButton->isEnabled());
    FakeHistory empty;
    empty.report = history.report;
    ProgressWindow none(empty);
    QVERIFY(!none.printButton->isEnabled());
}

void TestReport::longHistory()
{
    // 250 games: the list shows the newest page and reads the next ones only when it is
    // scrolled to its end; the totals and the charts come from the history's own figures.
    std::vector<GameRow> every;
    for (int i = 0; i < 250; ++i) {
        GameRow game = twoGames().front();
        game.key = 1000 - i;
        game.started = QDateTime(QDate(2026, 5, 1), QTime(17, 0)).addDays(-i);
        every.push_back(game);
    }
    FakeHistory history(every);
    history.givenTotals = HistorySummary{250, 500, 250, 15000};
    history.givenResults = {{QDateTime(QDate(2026, 4, 1), QTime(18, 0)), 70}};
    history.givenPerDay = {{QDate(2026, 4, 1), 3}, {QDate(2026, 4, 2), 0}};
    const std::vector<int> &asked = history.pagesRead;
    const int page = GamesPage;
    ProgressWindow window(history);
    QVERIFY(window.summary->text().startsWith(QStringLiteral("Παιχνίδια: 250. Ασκήσεις: 500, λυμένες: 250. Χρόνος "
                                                             "παιχνιδιού: 4 ώ. 10 λ.")));
    QCOMPARE(window.gamesTable->rowCount(), page);
    QCOMPARE(asked, std::vector<int>{0});
    QCOMPARE(window.resultChart->accessibleDescription(), QStringLiteral("1 Απριλίου 2026, 18 ακριβώς, 70 τοις εκατό"));
    QCOMPARE(window.solvedChart->accessibleDescription(), QStringLiteral("1 Απριλίου 2026, 3. 2 Απριλίου 2026, 0"));
    window.gamesTable->setFocus();
    QTest::keyClick(window.gamesTable, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(window.gamesTable->rowCount(), 2 * page);
    QCOMPARE(asked, (std::vector<int>{0, page}));
    QTest::keyClick(window.gamesTable, Qt::Key_End, Qt::ControlModifier);
    QTest::keyClick(window.gamesTable, Qt::Key_End, Qt::ControlModifier);
    QCOMPARE(window.gamesTable->rowCount(), 250);
    QCOMPARE(window.gamesTable->item(249, 0)->text(), QStringLiteral("25/08/2025 17:00"));
    QCOMPARE(asked.size(), std::size_t(3)); // nothing is read past the last game
}

void TestReport::figuresWhenWanted()
{
    // A long history's figures are read when one of their tabs is first opened, once; the
    // keyboard goes from the word that they are coming on to them.
    FakeHistory history(twoGames());
    history.report = smallReport(QStringLiteral("100"));
    const int &reads = history.figuresRead;
    ProgressWindow window(history);
    window.show();
    QVERIFY(QTest::qWaitForWindowActive(&window));
    QCOMPARE(reads, 0);
    QVERIFY(window.findChild<QTableWidget *>(QStringLiteral("skillsTable")) == nullptr);
    QCOMPARE(window.tabs->widget(2)->findChild<QLabel *>(QStringLiteral("loading"))->text(), QStringLiteral("Φόρτωση…"));
    window.tabs->setCurrentIndex(1);
    QCOMPARE(reads, 0);
    window.findChild<QWidget *>(QStringLiteral("resultChart"))->setFocus();
    QTest::keyClick(window.focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(reads, 1);
    // The keyboard is left on the tab's name, which a screen reader says, and goes into it by Tab.
    QCOMPARE(window.focusWidget(), window.tabs->tabBar());
    QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
    QCOMPARE(window.focusWidget(), window.findChild<QWidget *>(QStringLiteral("skillsChart")));
    QTest::keyClick(window.focusWidget(), Qt::Key_Tab);
    QCOMPARE(window.focusWidget(), window.findChild<QWidget *>(QStringLiteral("skillsTable")));
    // From the buttons too, and back.
    QTest::keyClick(window.closeButton, Qt::Key_Tab, Qt::ControlModifier);
    QCOMPARE(window.tabs->currentIndex(), 3);
    QTest::keyClick(window.focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(window.tabs->currentIndex(), 2);
    QCOMPARE(window.focusWidget(), window.tabs->tabBar());
    QCOMPARE(window.findChild<QTableWidget *>(QStringLiteral("skillsTable"))->rowCount(), 5);
    QVERIFY(window.findChild<QLabel *>(QStringLiteral("loading")) == nullptr);
    window.tabs->setCurrentIndex(4);
    QCOMPARE(window.findChild<QLabel *>(QStringLiteral("run"))->text(),
             QStringLiteral("Δεν υπάρχει παιχνίδι ούτε σήμερα ούτε χθες. Ημέρες με παιχνίδι: 3."));
    QVERIFY(window.documentHtml().contains(QStringLiteral("Ανά πράξη")));
    QCOMPARE(reads, 1);

    // The document reads them where no tab has, and the exercises with missed targets.
    history.missedExercises.push_back({QDateTime(QDate(2026, 5, 1), QTime(17, 0)), withoutWays(missedDetail())});
    ProgressWindow unopened(history);
    QTextDocument document;
    document.setHtml(unopened.documentHtml());
    QCOMPARE(reads, 2);
    QVERIFY2(document.toPlainText().contains(QStringLiteral("Ανά πράξη")), qPrintable(document.toPlainText()));
    QVERIFY2(document.toPlainText().contains(QStringLiteral("58\n2+7*8")), qPrintable(document.toPlainText()));
    // Where they cannot be read, the document says so and still has the figures.
    history.missedFailure = {ReadError::Kind::Unreadable, QStringLiteral("/ιστορικό.sqlite"), QStringLiteral("disk I/O error")};
    ProgressWindow unread(history);
    document.setHtml(unread.documentHtml());
    QVERIFY2(document.toPlainText().contains(QStringLiteral("Οι στόχοι που δεν βρέθηκαν δεν διαβάστηκαν: Το ιστορικό "
                                                            "δεν διαβάζεται (/ιστορικό.sqlite): disk I/O error")),
             qPrintable(document.toPlainText()));
    QVERIFY(document.toPlainText().contains(QStringLiteral("Ανά πράξη")));
}

void TestReport::document_data()
{
    QTest::addColumn<int>("daysAgo"); // the latest play, days before the report
    QTest::addColumn<bool>("missed"); // with missedDetail() as an exercise with missed targets
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<QStringList>("unsaid");
    QTest::newRow("played today") << 0 << false
        << QStringList{"Πρόοδος στο Numbolo", "Αναφορά της 02/05/2026.", "Επόμενο βήμα: Τους τελευταίους μήνες",
                       "Συνεχόμενες ημέρες παιχνιδιού ως σήμερα: 3.", "Μάιος 2026\n2\n1, 2", "Ανά πράξη",
                       "x +\nΜάιος 2026\n2 από 6\n33 %\n1 λ. 15 δ.", "Ανά εύρος", "0 - 100\nόλοι οι μήνες\n12 από 20"}
        << QStringList{"Δεν υπάρχει παιχνίδι", "Στόχοι που δεν βρέθηκαν"};
    // Play a year and a half long: the document lists the latest twelve months.
    QTest::newRow("months before the latest twelve left out") << 400 << false
        << QStringList{"Δεν υπάρχει παιχνίδι ούτε σήμερα ούτε χθες.", "Ιούνιος 2025\n1\n1", "Ιούλιος 2024\n1\n1",
                       "x +\nΙούλιος 2024"}
        << QStringList{"Ιούνιος 2024", "Ιανουάριος 2024"};
    // Each missed target, and only those, with one way to make it, under its exercise's line.
    QTest::newRow("the latest missed targets with a way each") << 0 << true
        << QStringList{"Επόμενο βήμα: Τους τελευταίους μήνες λύθηκαν 3 από 10 ασκήσεις με τις πράξεις «x» και «+». "
                       "Λύστε μαζί με το παιδί μερικές τέτοιες ασκήσεις και δείτε έναν τρόπο για κάθε στόχο που δεν "
                       "βρέθηκε.\nΣτόχοι που δεν βρέθηκαν\n",
                       "Παιχνίδι της 01/05/2026 17:00. Άσκηση 2: παραλείφθηκε σε 30 δ. Πλήκτρα: 2 7 8 x +. "
                       "Βρέθηκαν 2 από 4 στόχους. Τιμές στο «=»: 35 (12 δ.), 43 (1 λ. 5 δ.).",
                       "Στόχος\nΈνας τρόπος\n58\n2+7*8\n-999\nδεν βρέθηκε σύντομος τρόπος\n"}
        << QStringList{"35\n", "43\n"};
}

void TestReport::document()
{
    QFETCH(int, daysAgo);
    QFETCH(bool, missed);
    QFETCH(QStringList, said);
    QFETCH(QStringList, unsaid);
    Report report = smallReport();
    if (daysAgo > 0) {
        // Play on the first of every month from January 2024 to June 2025.
        report.daysPlayed.clear();
        for (QDate month(2024, 1, 1); month <= QDate(2025, 6, 1); month = month.addMonths(1)) {
            report.daysPlayed.push_back(month);
            report.skills[0].byMonth[month] = {1, 1, 20.0};
        }
    }
    const QDate today = report.daysPlayed.back().addDays(daysAgo);
    QTextDocument document;
    std::vector<MissedExercise> exercises;
    if (missed)
        exercises.push_back({QDateTime(QDate(2026, 5, 1), QTime(17, 0)), missedDetail()});
    document.setHtml(reportHtml(QStringLiteral("Παιχνίδια: 2."), report, today, exercises));
    const QString text = document.toPlainText();
    for (const QString &s : said)
        QVERIFY2(text.contains(s), qPrintable(s + "\n" + text));
    for (const QString &s : unsaid)
        QVERIFY2(!text.contains(s), qPrintable(s));

    // The PDF: whole, or an error and no file.
    QTemporaryDir dir;
    QString error;
    const QString file = dir.filePath(QStringLiteral("πρόοδος.pdf"));
    QVERIFY(writeReportPdf(document.toHtml(), file, &error));
    QFile pdf(file);
    QVERIFY(pdf.open(QIODevice::ReadOnly));
    QVERIFY(pdf.readAll().startsWith("%PDF-"));
    QVERIFY(!writeReportPdf(document.toHtml(), dir.filePath(QStringLiteral("λείπει/πρόοδος.pdf")), &error));
    QVERIFY2(error.contains(QStringLiteral("δεν γράφτηκε")), qPrintable(error));
}

void TestReport::documentFacts_data()
{
    QTest::addColumn<QString>("unread"); // what cannot be read: "", "figures", "missed targets"
    QTest::addColumn<QStringList>("said");
    QTest::addColumn<QStringList>("unsaid");
    const QString why = QStringLiteral("Το ιστορικό δεν διαβάζεται (/ιστορικό.sqlite): disk I/O error");
    QTest::newRow("everything read: figures, and the missed targets with the ways found")
        << "" << QStringList{"Παιχνίδια: 2.\nΕπόμενο βήμα:", "Ανά εύρος", "0 - 100\nόλοι οι μήνες", "58\n2+7*8\n-999\n"}
        << QStringList{"δεν διαβάζεται"};
    QTest::newRow("figures unread: the summary and why, nothing else")
        << "figures" << QStringList{"Παιχνίδια: 2.\n\n" + why}
        << QStringList{"Επόμενο βήμα", "Στόχοι που δεν βρέθηκαν", "Ανά πράξη", "Ημερολόγιο"};
    QTest::newRow("missed targets unread: said, under the summary; the figures still there")
        << "missed targets" << QStringList{"Παιχνίδια: 2.\n\nΟι στόχοι που δεν βρέθηκαν δεν διαβάστηκαν: " + why, "Ανά πράξη"}
        << QStringList{"58\n"};
}

void TestReport::documentFacts()
{
    // The document `--progress --pdf` writes, made of what it reads without a window.
    QFETCH(QString, unread);
    QFETCH(QStringList, said);
    QFETCH(QStringList, unsaid);
    FakeHistory history(twoGames());
    history.report = smallReport(QStringLiteral("100"));
    history.missedExercises.push_back({QDateTime(QDate(2026, 5, 1), QTime(17, 0)), withoutWays(missedDetail())});
    const ReadError failure{ReadError::Kind::Unreadable, QStringLiteral("/ιστορικό.sqlite"), QStringLiteral("disk I/O error")};
    if (unread == QLatin1String("figures"))
        history.failure = failure;
    else if (!unread.isEmpty())
        history.missedFailure = failure;
    QTextDocument document;
    document.setHtml(documentHtml(readDocumentFacts(history, QStringLiteral("Παιχνίδια: 2."), QDate(2026, 5, 2))));
    const QString text = document.toPlainText();
    for (const QString &s : said)
        QVERIFY2(text.contains(s), qPrintable(s + "\n" + text));
    for (const QString &s : unsaid)
        QVERIFY2(!text.contains(s), qPrintable(s));
    QCOMPARE(history.figuresRead, 1);
}

QTEST_MAIN(TestReport)
#include "tst_report.moc"
