// The exercise generator: targets drawn from the number range, exactly two usable operators and
// three or five usable digits, the forced "-", and the fixed sequence of every program start.

#include "app/setup.h"
#include "engine/exercise.h"
#include "game/form1.h"
#include "arithmetic/numbertext.h"
#include "tests/fakes.h"

#include <QSignalSpy>
#include <QTest>

#include <array>
#include <cmath>
#include <limits>
#include <map>
#include <set>

using namespace numbolo;
using namespace numbolo::testing;

namespace {

// The fixed-seed sequence, counting how many values were drawn.
class CountingRandom : public RandomSource {
public:
    float next() override
    {
        ++draws;
        return m_inner.next();
    }
    long draws = 0;

private:
    SeededRandom m_inner;
};

// The largest float below 1.
constexpr float AlmostOne = 0.99999994f;

// A started window with no game, ready for DrawExercise with the given state texts.
std::unique_ptr<Form1> windowFor(World &world, const QString &level, const QString &nums, const QString &maxnums)
{
    auto form = world.start();
    form->Text12->setText(level);
    form->Text18->setText(nums);
    form->Text14->setText(maxnums);
    return form;
}

double chiSquare(const std::vector<long> &observed, double expectedEach)
{
    double sum = 0;
    for (long o : observed)
        sum += (o - expectedEach) * (o - expectedEach) / expectedEach;
    return sum;
}

// Everything DrawExercise decides: the eight targets and the enabled flags of all keys.
QStringList snapshot(const Form1 &form)
{
    QStringList shown;
    for (const TextBox *box : form.targetBoxesByName())
        shown << box->text();
    for (const PushButton *key : form.controlsOf<PushButton>())
        shown << (key->isEnabled() ? key->objectName() : QString());
    return shown;
}

} // namespace

class TestGenerator : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();

    void target_data();
    void target();
    void targetsStayInTheRange_data();
    void targetsStayInTheRange();
    void drawnKeys_data();
    void drawnKeys();
    void drawOrderAndForcedMinus_data();
    void drawOrderAndForcedMinus();
    void keysOutsideTheGroupsUntouched_data();
    void keysOutsideTheGroupsUntouched();
    void everyStartReplaysTheSameExercises();
    void levelOneOrLessIsARunTimeError_data();
    void levelOneOrLessIsARunTimeError();
    void levelSetsTheKeyThreshold_data();
    void levelSetsTheKeyThreshold();
};

void TestGenerator::initTestCase()
{
    setupApplication();
    QLocale::setDefault(QLocale::c());
}

void TestGenerator::target_data()
{
    QTest::addColumn<double>("range");
    QTest::addColumn<float>("r");
    QTest::addColumn<QString>("text");
    QTest::newRow("whole range, draw 0") << 100.0 << 0.0f << "0";
    QTest::newRow("whole range never reaches its end") << 100.0 << AlmostOne << "99";
    QTest::newRow("whole range, middle") << 100.0 << 0.5f << "50";
    QTest::newRow("fractional range") << 36.4 << AlmostOne << "36";
    QTest::newRow("fractional range from the ramp") << 34.3333333333333 << 0.999f << "34";
    QTest::newRow("negative range reaches its end") << -100.0 << AlmostOne << "-100";
    QTest::newRow("negative range, tiny draw rounds down to -1") << -100.0 << 1e-7f << "-1";
    QTest::newRow("negative range, exact zero draw gives 0, not -0") << -100.0 << 0.0f << "0";
    QTest::newRow("fractional negative range") << -32.3 << AlmostOne << "-33";
    QTest::newRow("fractional negative range, tiny draw") << -32.3 << 1e-7f << "-1";
}

void TestGenerator::target()
{
    QFETCH(double, range);
    QFETCH(float, r);
    QFETCH(QString, text);
    QCOMPARE(NumberText::format(Exercise::target(range, r)), text);
}

void TestGenerator::targetsStayInTheRange_data()
{
    QTest::addColumn<QString>("nums");
    QTest::addColumn<QString>("maxnums");
    QTest::addColumn<int>("low");
    QTest::addColumn<int>("high");
    QTest::addColumn<bool>("everyValue");
    QTest::newRow("whole range 10") << "10" << "100" << 0 << 9 << true;
    QTest::newRow("whole range 100") << "100" << "100" << 0 << 99 << true;
    QTest::newRow("fractional range 36.4") << "36.4" << "100" << 0 << 36 << true;
    QTest::newRow("negative range -100") << "-100" << "-100" << -100 << -1 << true;
    QTest::newRow("fractional negative range -32.3") << "-32.3" << "-100" << -33 << -1 << true;
    QTest::newRow("largest start range 3363") << "3363" << "9999" << 0 << 3362 << false;
}

void TestGenerator::targetsStayInTheRange()
{
    QFETCH(QString, nums);
    QFETCH(QString, maxnums);
    QFETCH(int, low);
    QFETCH(int, high);
    QFETCH(bool, everyValue);
    World world;
    auto form = windowFor(world, QStringLiteral("2"), nums, maxnums);
    std::map<int, long> seen;
    for (int draw = 0; draw < 2000; ++draw) {
        form->DrawExercise();
        for (const TextBox *box : form->targetBoxesByName()) {
            const auto value = NumberText::parse(box->text());
            QVERIFY(value.has_value());
            QCOMPARE(std::floor(*value), *value);
            // A negative range gives 0 only on an exact zero draw, which the generator allows.
            const bool inRange = (*value >= low && *value <= high) || (low < 0 && *value == 0);
            QVERIFY2(inRange, qPrintable(box->text()));
            ++seen[int(*value)];
        }
    }
    if (low < 0)
        seen.erase(0);
    // Both ends of the range come out, and nothing beyond them.
    QCOMPARE(seen.begin()->first, low);
    QCOMPARE(seen.rbegin()->first, high);
    if (everyValue) {
        for (int v = low; v <= high; ++v)
            QVERIFY2(seen.count(v) == 1, qPrintable(QString::number(v)));
    }
}

void TestGenerator::drawnKeys_data()
{
    // The level changes only how many passes a selection takes, never which selections come
    // out or how often.
    QTest::addColumn<QString>("level");
    QTest::newRow("level 1.2") << "1.2";
    QTest::newRow("level 2") << "2";
    QTest::newRow("level 2.96") << "2.96";
    QTest::newRow("start level 3.1199") << "3.1199";
}

void TestGenerator::drawnKeys()
{
    QFETCH(QString, level);
    World world;
    auto form = windowFor(world, level, QStringLiteral("5000"), QStringLiteral("5000"));
    const auto operators = form->keysWithBackColor(OperatorKeyColor); // x - + /
    const auto digits = form->keysWithBackColor(DigitKeyColor);
    QCOMPARE(operators.size(), std::size_t(4));
    QCOMPARE(digits.size(), std::size_t(10));

    std::map<QString, long> pairs;
    std::vector<long> threeDigitKeys(10, 0), fiveDigitKeys(10, 0);
    long threeDigitDraws = 0, fiveDigitDraws = 0, pairDraws = 0;
    constexpr int Draws = 3000;
    for (int draw = 0; draw < Draws; ++draw) {
        form->DrawExercise();
        bool zero = false;
        for (const TextBox *box : form->targetBoxesByName())
            zero = zero || box->text() == QLatin1String("0");
        QString pair;
        int enabled = 0;
        for (const PushButton *key : operators) {
            if (key->isEnabled()) {
                ++enabled;
                pair += key->text();
            }
        }
        if (zero) {
            // "-" may have come on as a third operator for the zero target.
            QVERIFY(form->Command12->isEnabled());
            QVERIFY(enabled == 2 || enabled == 3);
        } else {
            QCOMPARE(enabled, 2);
            ++pairs[pair];
            ++pairDraws;
        }
        const bool fiveDigits = form->Command10->isEnabled() && form->Command11->isEnabled();
        int digitCount = 0;
        for (std::size_t i = 0; i < digits.size(); ++i) {
            if (digits[i]->isEnabled()) {
                ++digitCount;
                ++(fiveDigits ? fiveDigitKeys : threeDigitKeys)[i];
            }
        }
        QCOMPARE(digitCount, fiveDigits ? 5 : 3);
        ++(fiveDigits ? fiveDigitDraws : threeDigitDraws);
    }

    // Each of the six pairs about equally often: chi-square with 5 degrees of freedom stays
    // below 20.5 but for one uniform sample in a thousand.
    QCOMPARE(pairs.size(), std::size_t(6));
    std::vector<long> pairCounts;
    for (const auto &[name, count] : pairs)
        pairCounts.push_back(count);
    QVERIFY2(chiSquare(pairCounts, pairDraws / 6.0) < 20.5, qPrintable(QString::number(chiSquare(pairCounts, pairDraws / 6.0))));
    // "/" with "x" is one pair in six, so it gets five digits about one draw in six.
    QVERIFY(std::abs(double(fiveDigitDraws) / Draws - 1.0 / 6) < 0.03);
    // Every digit key equally likely within its selection size (9 degrees of freedom).
    QVERIFY(chiSquare(threeDigitKeys, threeDigitDraws * 0.3) < 27.9);
    QVERIFY(chiSquare(fiveDigitKeys, fiveDigitDraws * 0.5) < 27.9);
}

void TestGenerator::drawOrderAndForcedMinus_data()
{
    QTest::addColumn<QString>("nums");
    QTest::addColumn<QString>("maxnums");
    QTest::addColumn<float>("firstTarget");
    QTest::addColumn<bool>("minusForced");
    QTest::newRow("a zero target forces -") << "50" << "100" << 0.0f << true;
    QTest::newRow("a negative range forces -") << "-50" << "-100" << 0.5f << true;
    QTest::newRow("a negative range with a zero target") << "-50" << "-100" << 0.0f << true;
    QTest::newRow("no zero, positive range: - stays off") << "50" << "100" << 0.5f << false;
}

void TestGenerator::drawOrderAndForcedMinus()
{
    QFETCH(QString, nums);
    QFETCH(QString, maxnums);
    QFETCH(float, firstTarget);
    QFETCH(bool, minusForced);
    World world;
    auto form = windowFor(world, QStringLiteral("2"), nums, maxnums);
    // At level 2 a draw of 0.9 enables a key and 0.1 does not. Operators are drawn in the
    // order x, -, +, / and digits in the order 7 8 9 4 5 6 1 2 3 0.
    const std::vector<float> keys{0.9f, 0.1f, 0.9f, 0.1f,                                 // x and +
                                  0.9f, 0.1f, 0.9f, 0.1f, 0.9f, 0.1f, 0.1f, 0.1f, 0.1f, 0.1f}; // 7 9 5
    world.random.values = {firstTarget, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    world.random.values.insert(world.random.values.end(), keys.begin(), keys.end());
    form->DrawExercise();

    QCOMPARE(form->Text9->text(), NumberText::format(Exercise::target(NumberText::parseOrThrow(nums), firstTarget)));
    QVERIFY(form->Command11->isEnabled());
    QVERIFY(form->Command13->isEnabled());
    QVERIFY(!form->Command10->isEnabled());
    QCOMPARE(form->Command12->isEnabled(), minusForced);
    QStringList usableDigits;
    for (const PushButton *key : form->keysWithBackColor(DigitKeyColor))
        if (key->isEnabled())
            usableDigits << key->text();
    QCOMPARE(usableDigits, (QStringList{"7", "9", "5"}));

    // A forced "-" does not carry over into an exercise that does not need it.
    form->Text18->setText(QStringLiteral("50"));
    form->Text14->setText(QStringLiteral("100"));
    world.random.values = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f};
    world.random.values.insert(world.random.values.end(), keys.begin(), keys.end());
    form->DrawExercise();
    QVERIFY(!form->Command12->isEnabled());
}

void TestGenerator::keysOutsideTheGroupsUntouched_data()
{
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("alternate");
    QTest::newRow("all enabled") << true << false;
    QTest::newRow("all disabled") << false << false;
    QTest::newRow("every other one disabled") << true << true;
}

void TestGenerator::keysOutsideTheGroupsUntouched()
{
    QFETCH(bool, enabled);
    QFETCH(bool, alternate);
    World world;
    auto form = windowFor(world, QStringLiteral("1.5"), QStringLiteral("20"), QStringLiteral("100"));
    const QList<QPushButton *> others{form->Command14, form->Command15, form->Command16, form->Command17,
                                      form->Command18, form->Command19, form->Command20, form->CommandButton2};
    std::vector<bool> expected;
    for (qsizetype i = 0; i < others.size(); ++i) {
        expected.push_back(alternate && i % 2 == 1 ? !enabled : enabled);
        others[i]->setEnabled(expected.back());
    }
    for (int draw = 0; draw < 300; ++draw) {
        form->DrawExercise();
        for (qsizetype i = 0; i < others.size(); ++i)
            QVERIFY2(others[i]->isEnabled() == expected[std::size_t(i)], qPrintable(others[i]->objectName()));
    }
}

void TestGenerator::everyStartReplaysTheSameExercises()
{
    // The generator is never seeded from anything that changes: two program starts that make
    // the same calls draw the same exercises.
    const std::map<QString, QString> game{{"Level", "1.5"}, {"score", "2"}, {"maxnums", "500"},
                                          {"cur", "3"},     {"nums", "200"}, {"reps", "10"}};
    World first, second;
    first.store(game);
    second.store(game);
    auto a = first.start();
    auto b = second.start();
    std::set<QStringList> distinct;
    for (int exercise = 0; exercise < 100; ++exercise) {
        QCOMPARE(snapshot(*a), snapshot(*b));
        distinct.insert(snapshot(*a));
        a->DrawExercise();
        b->DrawExercise();
    }
    QVERIFY(distinct.size() > 95); // and the exercises do change from one to the next
}

void TestGenerator::levelOneOrLessIsARunTimeError_data()
{
    QTest::addColumn<double>("level");
    QTest::newRow("1") << 1.0;
    QTest::newRow("just below 1") << 0.999999;
    QTest::newRow("0.5") << 0.5;
    QTest::newRow("0") << 0.0;
    QTest::newRow("negative") << -2.0;
    QTest::newRow("not a number") << std::numeric_limits<double>::quiet_NaN();
}

void TestGenerator::levelOneOrLessIsARunTimeError()
{
    // No drawing pass can meet its goal at such a level; the generator must not loop for ever.
    QFETCH(double, level);
    CountingRandom random;
    try {
        Exercise::drawKeys(random, level, 4, 2);
        QFAIL("no run-time error");
    } catch (const RuntimeError &error) {
        QCOMPARE(error.number(), RuntimeError::InvalidCall);
    }
    QVERIFY(random.draws < 100);

    if (std::isnan(level))
        return;
    // Through the window: reported as a run-time error, which ends the program.
    World world;
    auto form = windowFor(world, NumberText::format(level), QStringLiteral("50"), QStringLiteral("100"));
    QVERIFY_THROWS_EXCEPTION(RuntimeError, form->DrawExercise());
    QSignalSpy ended(form.get(), &Form1::programEnded);
    form->run([&] { form->DrawExercise(); });
    QVERIFY(form->hasEnded());
    QCOMPARE(ended.count(), 1);
    QCOMPARE(ended.first().first().toInt(), 1);
    QCOMPARE(world.messages.shown.size(), std::size_t(1));
    QCOMPARE(world.messages.shown.front().icon, MessageIcon::Critical);
    QVERIFY(world.messages.shown.front().text.contains(QLatin1String("5")));
}

void TestGenerator::levelSetsTheKeyThreshold_data()
{
    // A key is enabled exactly when floor(level x r) is not 0.
    QTest::addColumn<double>("level");
    QTest::addColumn<float>("r");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("level 2, r just below 0.5") << 2.0 << 0.49999997f << false;
    QTest::newRow("level 2, r 0.5") << 2.0 << 0.5f << true;
    QTest::newRow("level 2, r 0") << 2.0 << 0.0f << false;
    QTest::newRow("level 2, r near 1") << 2.0 << AlmostOne << true;
    QTest::newRow("level 1.25, r just below 0.8") << 1.25 << 0.79999995f << false;
    QTest::newRow("level 1.25, r 0.8") << 1.25 << 0.8f << true;
}

void TestGenerator::levelSetsTheKeyThreshold()
{
    QFETCH(double, level);
    QFETCH(float, r);
    QFETCH(bool, enabled);
    // Two keys, goal one: the first pass decides with r for the first key and 0 for the second;
    // if it fails, a second pass enables only the second key.
    ScriptedRandom random;
    random.values = {r, 0.0f, 0.0f, AlmostOne};
    const std::vector<bool> keys = Exercise::drawKeys(random, level, 2, 1);
    QCOMPARE(bool(keys[0]), enabled);
    QCOMPARE(bool(keys[1]), !enabled);
}

QTEST_MAIN(TestGenerator)
#include "tst_generator.moc"
