#include "bench/drawnexercise.h"
#include "arithmetic/equals.h"
#include "arithmetic/solver.h"

#include <QHash>
#include <QTest>

#include <algorithm>
#include <cmath>
#include <vector>

using numbolo::Solver;
using numbolo::Way;

Q_DECLARE_METATYPE(Way::Outcome)

namespace {

// The characters of a way in the order the solver prefers them, and the keys that always work.
const QString KeyOrder = QStringLiteral("0123456789+-*/^.()");
const QString AlwaysWorking = QStringLiteral("^.()");

QString usableKeys(const QString &keys)
{
    QString usable;
    for (const QChar key : KeyOrder)
        if (keys.contains(key) || AlwaysWorking.contains(key))
            usable += key;
    return usable;
}

bool isWholeNumberText(const QString &text)
{
    const QStringView digits = text.startsWith(QLatin1Char('-')) ? QStringView(text).sliced(1) : QStringView(text);
    return !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), [](QChar c) { return c.isDigit(); });
}

// A way as the solver orders ways of one length: by its keys in KeyOrder, a "-" that is a sign
// (first, or after an operator or "(") before every key.
QList<int> keyRanks(const QString &way)
{
    QList<int> ranks;
    for (int i = 0; i < way.size(); ++i) {
        const bool sign = way[i] == QLatin1Char('-') && (i == 0 || QStringLiteral("+-*/^(").contains(way[i - 1]));
        ranks << (sign ? -1 : int(KeyOrder.indexOf(way[i])));
    }
    return ranks;
}

// A way a child would write: no "^", no number that starts with ".", no sign after an operator
// or "(". `strictly`: a sign only first, before a product ("-204/2", where "-7+9" is "9-7").
bool plain(const QString &way, bool strictly)
{
    for (qsizetype i = 0; i < way.size(); ++i) {
        const bool afterOperand = i > 0 && (way[i - 1].isDigit() || way[i - 1] == u')' || way[i - 1] == u'.');
        if (way[i] == u'^' || (way[i] == u'.' && !(i > 0 && way[i - 1].isDigit())) || (way[i] == u'-' && i > 0 && !afterOperand))
            return false;
    }
    int depth = 0;
    for (qsizetype i = 1; strictly && way.startsWith(u'-') && i < way.size(); ++i) {
        depth += way[i] == u'(' ? 1 : way[i] == u')' ? -1 : 0;
        if (depth == 0 && (way[i] == u'+' || way[i] == u'-'))
            return false;
    }
    return true;
}

// A plain way whose every part has a whole value: no point, and each division's left side (back
// to a "+", "-" or "(" outside brackets) divided by its right side (a number or brackets) whole.
bool inWholeNumbers(const numbolo::Evaluator &evaluator, const QString &way)
{
    if (way.contains(u'.'))
        return false;
    for (qsizetype i = way.indexOf(u'/'); i >= 0; i = way.indexOf(u'/', i + 1)) {
        qsizetype from = i, to = i + 1, depth = 0;
        while (from > 0 && (depth > 0 || !QStringLiteral("+-(").contains(way[from - 1]))) {
            depth += way[from - 1] == u')' ? 1 : way[from - 1] == u'(' ? -1 : 0;
            --from;
        }
        while (to < way.size() && (way[to].isDigit() || depth > 0 || way[to] == u'(')) {
            depth += way[to] == u'(' ? 1 : way[to] == u')' ? -1 : 0;
            ++to;
        }
        const double quotient = *evaluator.evaluate(QStringView(way).sliced(from, i - from))
            / *evaluator.evaluate(QStringView(way).sliced(i + 1, to - i - 1));
        if (std::trunc(quotient) != quotient)
            return false;
    }
    return true;
}

struct TriedWays {
    QHash<QString, QString> first, plain, whole;
};

// Every key sequence of up to `reach` presses on an empty display, shortest first, pressed into
// "=": for each whole number shown, its first way of the fewest presses in the solver's order, and
// for each length its first strictly plain way and its first one in whole numbers.
TriedWays firstWaysByTrying(const QString &keys, int reach)
{
    const numbolo::Evaluator evaluator;
    const QString usable = usableKeys(keys);
    TriedWays tried;
    // The first way in the solver's order of each number shown, and of each length for the plain.
    const auto keep = [](QHash<QString, QString> &first, const QString &shown, const QString &way) {
        const auto known = first.constFind(shown);
        if (known == first.constEnd() || (known->size() == way.size() && keyRanks(way) < keyRanks(*known)))
            first.insert(shown, way);
    };
    for (int length = 1; length <= reach; ++length) {
        std::vector<int> key(std::size_t(length), 0);
        QString way(length, usable[0]);
        for (;;) {
            // No need to ask the evaluator about a text that starts with ")", "*", "/" or "^", or
            // ends in an operator or "(": it has no value. One that starts with "+" has the value
            // of the shorter text after it.
            const bool worthTrying = !QStringLiteral(")*/^+").contains(way.front())
                && (way.back().isDigit() || way.back() == QLatin1Char('.') || way.back() == QLatin1Char(')'));
            if (worthTrying) {
                const QString shown = numbolo::Equals::displayAfter(evaluator, way);
                if (isWholeNumberText(shown)) {
                    keep(tried.first, shown + u' ', way);
                    if (plain(way, true)) {
                        keep(tried.plain, shown + u' ' + QString::number(length), way);
                        if (inWholeNumbers(evaluator, way))
                            keep(tried.whole, shown + u' ' + QString::number(length), way);
                    }
                }
            }
            int i = length - 1;
            while (i >= 0 && ++key[std::size_t(i)] == usable.size()) {
                key[std::size_t(i)] = 0;
                way[i] = usable[0];
                --i;
            }
            if (i < 0)
                break;
            way[i] = usable[key[std::size_t(i)]];
        }
    }
    return tried;
}

} // namespace

class TestSolver : public QObject {
    Q_OBJECT

private slots:
    void ways_data();
    void ways();
    void agreesWithTryingEveryKeySequence_data();
    void agreesWithTryingEveryKeySequence();
    void drawnExercises_data();
    void drawnExercises();
};

void TestSolver::ways_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("reach");
    QTest::addColumn<QString>("target");
    QTest::addColumn<Way::Outcome>("outcome");
    QTest::addColumn<QString>("way");

    const auto found = Way::Outcome::Found;
    const auto none = Way::Outcome::NoneWithinReach;
    const auto notATarget = Way::Outcome::NotATarget;
    const int reach = Solver::DefaultReach;
    QTest::newRow("the target's own digits") << "57+*" << reach << "57" << found << "57";
    QTest::newRow("keys as captions, x shows as *") << "3 5 7 x" << reach << "105" << found << "35*3";
    QTest::newRow("negative target") << "12-+" << reach << "-12" << found << "-12";
    QTest::newRow("zero as a digit") << "05-" << reach << "0" << found << "0";
    QTest::newRow("zero without its digit") << "257-" << reach << "0" << found << "2-2";
    QTest::newRow("power") << "28+" << reach << "64" << found << "8^2";
    QTest::newRow("a sign after ^") << "028-+" << reach << "25" << found << ".2^-2";
    QTest::newRow("a sign first rather than after an operator") << "024/-" << reach << "-102" << found << "-204/2";
    // Within 6 presses no plain way is found: the fewest presses, with "^" and ".2".
    QTest::newRow("a hair below the target shows as it") << "026/+" << 6 << "50" << found << "2/.2^2";
    QTest::newRow("plain, one press more than a power") << "026/+" << reach << "50" << found << "200/2/2";
    QTest::newRow("plain, one press more than a leading point") << "19/" << reach << "90" << found << "99/1.1";
    QTest::newRow("a sign first is plain") << "27-" << reach << "-2" << found << "-2";
    // No plain way within two presses more ("7+7+7+7+7+7+7+7+7+7+7+1" would do): the fewest.
    QTest::newRow("no plain way near: .5") << "159/" << reach << "76" << found << "19/.5/.5";
    QTest::newRow("no plain way near: 0^0") << "07+" << reach << "78" << found << "0^0+77";
    QTest::newRow("no plain way near: --") << "27-" << reach << "9" << found << "2--7";
    QTest::newRow("no plain way near: powers") << "79/+" << reach << "58" << found << "7^9/7^7+9";
    QTest::newRow("brackets") << "178/+" << reach << "49" << found << "7/(1/7)";
    QTest::newRow("whole numbers before a fraction") << "457/+" << reach << "33" << found << "5+7+7+7+7";
    QTest::newRow("no way in whole numbers: 1/2 is no whole part") << "127/-" << reach << "422" << found << "211/(1/2)";
    QTest::newRow("whole numbers before a point, as many presses") << "456*+" << reach << "37" << found << "5*5+6+6";
    QTest::newRow("out of a short reach") << "5+" << 3 << "7" << none << "";
    QTest::newRow("out of the whole reach") << "01479/*" << reach << "6831" << none << "";
    QTest::newRow("no digit works") << "+-" << reach << "1" << none << "";
    QTest::newRow("not a whole number") << "57+" << reach << "5.5" << notATarget << "";
    QTest::newRow("leading zero") << "57+" << reach << "057" << notATarget << "";
    QTest::newRow("empty") << "57+" << reach << "" << notATarget << "";
    QTest::newRow("minus zero") << "05-" << reach << "-0" << notATarget << "";
    QTest::newRow("exponent form") << "15+" << reach << "1E+16" << notATarget << "";
}

void TestSolver::ways()
{
    QFETCH(QString, keys);
    QFETCH(int, reach);
    QFETCH(QString, target);
    QFETCH(Way::Outcome, outcome);
    QFETCH(QString, way);

    Solver solver(keys, reach);
    const Way found = solver.solve(target);
    QCOMPARE(found.outcome, outcome);
    QCOMPARE(found.keys, way);
    if (outcome == Way::Outcome::NoneWithinReach)
        QCOMPARE(found.reach, reach);
}

void TestSolver::agreesWithTryingEveryKeySequence_data()
{
    QTest::addColumn<QString>("keys");
    QTest::addColumn<int>("reach");

    QTest::newRow("7 alone, 8 presses") << "7" << 8;
    QTest::newRow("2 and -, 7 presses") << "2-" << 7;
    QTest::newRow("3 with x and /, 6 presses") << "3*/" << 6;
    QTest::newRow("026/+, 6 presses") << "026/+" << 6;
    QTest::newRow("178/+, 6 presses") << "178/+" << 6;
    QTest::newRow("0259/-, 6 presses") << "0259/-" << 6;
    QTest::newRow("29-, 7 presses, a negative base") << "29-" << 7; // 49 is (2-9)^2
    QTest::newRow("13579*/, 6 presses") << "13579*/" << 6;
    numbolo::SeededRandom random(7u);
    for (const double range : {100.0, 1000.0, -100.0, 9999.0}) {
        const numbolo::measure::DrawnExercise exercise = numbolo::measure::drawExercise(random, range);
        QTest::addRow("drawn for %g: %s, 6 presses", range, qPrintable(exercise.keys)) << exercise.keys << 6;
    }
}

// The way trying every key sequence finds: the first in key order of the fewest presses where it
// is plain, unless one of as many presses is in whole numbers; else of the strictly plain ways of
// at most two presses more the shortest, one in whole numbers before others; else that first
// way; a target no sequence reaches is reported as out of reach.
void TestSolver::agreesWithTryingEveryKeySequence()
{
    QFETCH(QString, keys);
    QFETCH(int, reach);

    const TriedWays tried = firstWaysByTrying(keys, reach);
    Solver solver(keys, reach);
    for (int number = -300; number <= 3000; ++number) {
        const QString target = QString::number(number);
        const Way way = solver.solve(target);
        const QString first = tried.first.value(target + u' ');
        const auto ofLength = [&](const QHash<QString, QString> &ways, qsizetype length) {
            return ways.value(target + u' ' + QString::number(length));
        };
        QString expected = first;
        if (!first.isEmpty() && plain(first, false) && !inWholeNumbers(numbolo::Evaluator(), first))
            expected = ofLength(tried.whole, first.size()).isEmpty() ? first : ofLength(tried.whole, first.size());
        for (qsizetype length = first.size(); !first.isEmpty() && !plain(first, false) && length <= first.size() + Solver::PlainExtra; ++length) {
            const QString plainWay = ofLength(tried.whole, length).isEmpty() ? ofLength(tried.plain, length) : ofLength(tried.whole, length);
            if (!plainWay.isEmpty()) {
                expected = plainWay;
                break;
            }
        }
        if (way.keys != expected)
            QFAIL(qPrintable(QStringLiteral("%1: the solver gives \"%2\", trying gives \"%3\"").arg(target, way.keys, expected)));
        QCOMPARE(way.outcome, expected.isEmpty() ? Way::Outcome::NoneWithinReach : Way::Outcome::Found);
        QCOMPARE(way.reach, expected.isEmpty() ? reach : int(first.size()));
    }
}

void TestSolver::drawnExercises_data()
{
    QTest::addColumn<double>("range");
    QTest::addColumn<int>("exercises");

    QTest::newRow("100") << 100.0 << 12;
    QTest::newRow("1000") << 1000.0 << 12;
    QTest::newRow("9999") << 9999.0 << 12;
    QTest::newRow("-100") << -100.0 << 12;
}

// Every way found is a hit for "=" and uses only the exercise's keys and the keys that always
// work. The way to a target does not depend on the targets solved before it with the same
// tables, nor on how far the search reaches: a search of 7 presses finds the same ways.
void TestSolver::drawnExercises()
{
    QFETCH(double, range);
    QFETCH(int, exercises);

    const numbolo::Evaluator evaluator;
    numbolo::SeededRandom random(20240601u);
    for (int e = 0; e < exercises; ++e) {
        const numbolo::measure::DrawnExercise exercise = numbolo::measure::drawExercise(random, range);
        Solver solver(exercise.keys);
        std::vector<Way> ways;
        for (const QString &target : exercise.targets)
            ways.push_back(solver.solve(target));
        Solver backwards(exercise.keys);
        Solver shorter(exercise.keys, 7);
        for (qsizetype t = exercise.targets.size() - 1; t >= 0; --t) {
            const QString &target = exercise.targets[t];
            const Way &way = ways[std::size_t(t)];
            const QString context = exercise.keys + u' ' + target + u' ' + way.keys;
            QCOMPARE(backwards.solve(target).keys, way.keys);
            // Within 7 presses: the same way where it has at most 7, a way of the same fewest
            // presses where only that is within them, none where no way is.
            const Way within7 = shorter.solve(target);
            if (way.keys.size() <= 7)
                QCOMPARE(within7.keys, way.keys);
            else
                QCOMPARE(within7.keys.size(), way.reach <= 7 ? qsizetype(way.reach) : 0);
            if (way.outcome == Way::Outcome::NoneWithinReach) {
                QCOMPARE(way.reach, Solver::DefaultReach);
                continue;
            }
            QCOMPARE(way.outcome, Way::Outcome::Found);
            QVERIFY2(way.keys.size() >= way.reach && way.keys.size() <= way.reach + Solver::PlainExtra, qPrintable(context));
            QVERIFY2(numbolo::Equals::displayAfter(evaluator, way.keys) == target, qPrintable(context));
            for (const QChar key : way.keys)
                QVERIFY2(exercise.keys.contains(key) || AlwaysWorking.contains(key), qPrintable(context));
        }
    }
}

QTEST_APPLESS_MAIN(TestSolver)
#include "tst_solver.moc"
