// A game through the real widgets: the options and the red arrow, the move from one exercise to
// the next, the countdown with its pause and time-out, and the end of the game with its endless
// results animation, all on a clock the tests move by hand.

#include "app/setup.h"
#include "game/form1.h"
#include "arithmetic/numbertext.h"
#include "windows/form3.h"
#include "tests/fakes.h"

#include <QAccessible>

#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <cmath>

using namespace numbolo;
using namespace numbolo::testing;

namespace {

const QString RangeMessage =
    QStringLiteral("Στο πεδίο  \"Αριθμοί 0 -  \", επιτρέπονται ακέραιοι αριθμοί από 100 εως 9999 ή -9999 εως -100");
const QString CountMessage = QStringLiteral("Ο ελάχιστος αριθμός ασκήσεων είναι 10 και ο μέγιστος 300!");
const QString SkipQuestion =
    QStringLiteral("Θές σιγουρα να παραλείψεις την τρέχουσα άσκηση και να προχωρήσεις στην επόμενη;");
const QString TimeUp = QStringLiteral("Ο χρόνος τελείωσε... Την επόμενη φορά θα τα καταφέρεις καλύτερα.");

// Puts a running game on its last exercise with the given score.
void toLastExercise(Form1 &form, int score)
{
    form.Text17->setText(form.Text16->text());
    form.Text13->setText(QString::number(score));
}

int count(const std::vector<Sound> &played, Sound sound)
{
    return int(std::count(played.begin(), played.end(), sound));
}

// Every text box's text and lock and every key's enabled state, in creation order.
QStringList boxesAndKeys(const Form1 &form)
{
    QStringList state;
    for (const QObject *control : form.controls()) {
        if (const auto *box = qobject_cast<const TextBox *>(control))
            state << box->text() << QString::number(box->isLocked());
        if (const auto *key = qobject_cast<const PushButton *>(control))
            state << QString::number(key->isEnabled());
    }
    return state;
}

bool targetsDrawn(const Form1 &form)
{
    const auto boxes = form.targetBoxesByName();
    return std::all_of(boxes.begin(), boxes.end(), [](const TextBox *box) { return !box->text().isEmpty(); });
}

// ---- The results animation ----------------------------------------------------------------

struct Shown {
    qint64 at; // ms after the animation started
    QString text;
    bool operator==(const Shown &) const = default;
};

struct ResultLine {
    QString text;
    int length;
    int steps;
    int pauseMs;
};

std::vector<ResultLine> resultLines(int percentage)
{
    std::vector<ResultLine> lines{
        {QStringLiteral("ΤΕΡΜΑΤΙΣΜΟΣ ΠΑΙΧΝΙΔΙΟΥ."), 23, 24, 200},
        {QStringLiteral("ΑΠΟΤΕΛΕΣΜΑΤΑ: %1 %").arg(percentage), 16 + int(QString::number(percentage).size()), 20, 300},
    };
    if (percentage >= 50) {
        lines.push_back({QStringLiteral("ΕΠΙΤΥΧΙΑ!!"), 10, 11, 200});
        lines.push_back({QStringLiteral(":-)     :-)     :-)     :-)     :-)     :-)"), 43, 44, 700});
    } else {
        lines.push_back({QStringLiteral(":-(     :-(     :-(     :-(     :-(     :-)"), 43, 44, 700});
    }
    return lines;
}

// Every change of the display in one cycle: one character more every 50 ms, the full line held
// for the extra steps, then the line's pause.
std::vector<Shown> expectedCycle(int percentage, qint64 *cycleMs = nullptr)
{
    std::vector<Shown> shown;
    qint64 t = 0;
    for (const ResultLine &line : resultLines(percentage)) {
        Q_ASSERT(line.text.size() == line.length);
        for (int n = 1; n <= line.length; ++n)
            shown.push_back({t + (n - 1) * 50, line.text.left(n)});
        t += qint64(line.steps) * 50 + line.pauseMs;
    }
    if (cycleMs != nullptr)
        *cycleMs = t;
    return shown;
}

// What the display shows `offset` ms into a cycle.
QString shownAt(int percentage, qint64 offset)
{
    QString text;
    for (const Shown &step : expectedCycle(percentage))
        if (step.at <= offset)
            text = step.text;
    return text;
}

// Records every change of the display, with its time since the recorder was made.
class DisplayRecorder {
public:
    DisplayRecorder(Form1 &form, FakeClock &clock) : m_clock(clock), m_start(clock.now())
    {
        m_connection = QObject::connect(form.Text1, &QLineEdit::textChanged,
                                        [this](const QString &text) { shown.push_back({m_clock.now() - m_start, text}); });
    }
    ~DisplayRecorder() { QObject::disconnect(m_connection); }
    void restart()
    {
        shown.clear();
        m_start = m_clock.now();
    }
    std::vector<Shown> shown;

private:
    FakeClock &m_clock;
    qint64 m_start;
    QMetaObject::Connection m_connection;
};

QString describe(const std::vector<Shown> &steps)
{
    QStringList lines;
    for (const Shown &s : steps)
        lines << QStringLiteral("%1 %2").arg(s.at).arg(s.text);
    return lines.join(QLatin1Char('\n'));
}

} // namespace

class TestProgression : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();

    void optionChecks_data();
    void optionChecks();
    void startValues_data();
    void startValues();
    void skipQuestion_data();
    void skipQuestion();
    void levelSawTooth_data();
    void levelSawTooth();
    void rangeRamp_data();
    void rangeRamp();

    void lastExerciseEndsTheGame_data();
    void lastExerciseEndsTheGame();
    void percentage_data();
    void percentage();
    void resultsAnimationCycle_data();
    void resultsAnimationCycle();
    void gameEndAgainRestartsTheAnimation();

    void countdownStartsWithDigits_data();
    void countdownStartsWithDigits();
    void pauseAndResume();
    void timeOut();
    void countdownStartsFromTheChosenTime_data();
    void countdownStartsFromTheChosenTime();

    void wholeGame();
};

void TestProgression::initTestCase()
{
    setupApplication();
    QLocale::setDefault(QLocale::c());
}

void TestProgression::cleanup()
{
    QLocale::setDefault(QLocale::c());
}

// ---- Options and the red arrow ------------------------------------------------------------

void TestProgression::optionChecks_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("range");
    QTest::addColumn<QString>("message"); // "", "range" or "count"
    QTest::addColumn<QString>("countAfter");
    QTest::addColumn<QString>("rangeAfter");

    for (const char *range : {"100", "-100", "9999", "-9999"})
        QTest::addRow("range %s accepted", range) << "10" << range << "" << "10" << range;
    for (const char *range : {"99", "-99", "0", "10000", "-10000", "150.5", "", "abc"})
        QTest::addRow("range '%s' rejected", range) << "10" << range << "range" << "10" << "";
    QTest::newRow("range with leading zeros") << "10" << "0150" << "" << "10" << "150";
    QTest::newRow("range with blanks") << "10" << " 150 " << "" << "10" << "150";
    for (const char *count : {"10", "300"})
        QTest::addRow("count %s accepted", count) << count << "100" << "" << count << "100";
    for (const char *count : {"9", "301", "12.5", "", "abc"})
        QTest::addRow("count '%s' rejected", count) << count << "100" << "count" << "" << "100";
    QTest::newRow("count with leading zeros") << "010" << "100" << "" << "10" << "100";
    // Each check reads the normalised box: both texts are written back as whole numbers.
    QTest::newRow("range normalised to a whole number") << "10" << "150.00000000000003" << "" << "10" << "150";
    QTest::newRow("count normalised to a whole number") << "10.000000000000002" << "100" << "" << "10" << "100";
    QTest::newRow("both invalid: only the range message") << "9" << "99" << "range" << "9" << "";
    QTest::newRow("range normalised although the count is rejected") << "9" << "0150" << "count" << "" << "150";
}

void TestProgression::optionChecks()
{
    QFETCH(QString, count);
    QFETCH(QString, range);
    QFETCH(QString, message);
    QFETCH(QString, countAfter);
    QFETCH(QString, rangeAfter);
    World world;
    auto form = shownWindowWithFont(world);
    startGame(*form, count, range);

    QCOMPARE(form->Text16->text(), countAfter);
    QCOMPARE(form->Text14->text(), rangeAfter);
    if (message.isEmpty()) {
        QVERIFY(world.messages.shown.empty());
        QCOMPARE(form->Text17->text(), QStringLiteral("1"));
        QVERIFY(form->Text14->isLocked());
        QVERIFY(form->Text16->isLocked());
        QVERIFY(targetsDrawn(*form));
        return;
    }
    verifyOnlyMessage(world.messages, {MessageIcon::Critical, MessageButtons::Ok, QStringLiteral("Numbolo"),
                                       message == QLatin1String("range") ? RangeMessage : CountMessage});
    // Nothing is started: no counter, no locks, no level, no targets.
    QCOMPARE(form->Text17->text(), QStringLiteral("0"));
    QVERIFY(!form->Text14->isLocked());
    QVERIFY(!form->Text16->isLocked());
    QVERIFY(form->Text12->text().isEmpty());
    QVERIFY(form->Text18->text().isEmpty());
    QVERIFY(form->Text2->text().isEmpty());
}

void TestProgression::startValues_data()
{
    QTest::addColumn<QLocale>("locale");
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("range");
    QTest::addColumn<QString>("level");
    QTest::addColumn<QString>("nums");
    const QLocale c = QLocale::c();
    QTest::newRow("smallest game") << c << "10" << "100" << "1.16333333333333" << "34.3333333333333";
    QTest::newRow("largest game") << c << "300" << "9999" << "3.1199" << "3363";
    QTest::newRow("negative range: same level, negative numbers")
        << c << "10" << "-100" << "1.16333333333333" << "-32.3333333333333";
    QTest::newRow("largest negative game") << c << "300" << "-9999" << "3.1199" << "-3303";
    QTest::newRow("Greek decimal comma") << QLocale(QLocale::Greek, QLocale::Greece) << "10" << "100"
                                         << "1,16333333333333" << "34,3333333333333";
}

void TestProgression::startValues()
{
    QFETCH(QLocale, locale);
    QFETCH(QString, count);
    QFETCH(QString, range);
    QFETCH(QString, level);
    QFETCH(QString, nums);
    QLocale::setDefault(locale);
    World world;
    auto form = shownGame(world, count, range);
    QCOMPARE(form->Text12->text(), level);
    QCOMPARE(form->Text18->text(), nums);
    QCOMPARE(form->Text17->text(), QStringLiteral("1"));
    QVERIFY(world.messages.shown.empty());
}

void TestProgression::skipQuestion_data()
{
    QTest::addColumn<MessageAnswer>("answer");
    QTest::addColumn<QString>("meanwhile");
    QTest::newRow("yes skips") << MessageAnswer::Yes << "";
    QTest::newRow("no changes nothing") << MessageAnswer::No << "";
    // An answer is about the exercise it was asked about: one that is over by then stays the
    // only one lost, and a game that ended stays ended (its results do not start again).
    QTest::newRow("yes after the countdown ran out") << MessageAnswer::Yes << "time-out";
    QTest::newRow("yes after the countdown ended the game") << MessageAnswer::Yes << "time-out, last exercise";
}

void TestProgression::skipQuestion()
{
    QFETCH(MessageAnswer, answer);
    QFETCH(QString, meanwhile);
    World world;
    auto form = shownGame(world);
    form->Text13->setText(QStringLiteral("0"));
    click(usableDigit(*form));
    world.clock.advance(3000);
    QCOMPARE(form->Text15->text(), QStringLiteral("177"));
    const QStringList before = boxesAndKeys(*form);

    if (!meanwhile.isEmpty()) {
        if (meanwhile.endsWith(QLatin1String("last exercise")))
            form->Text17->setText(form->Text16->text());
        // The child leaves the question open until the countdown runs out, dismisses the
        // time-out message on top of it, and only then answers the question.
        world.messages.whileOpen = [&](const Message &message) {
            if (message.text == SkipQuestion)
                world.clock.advance(177'000);
        };
        world.messages.answers.push_back(MessageAnswer::Ok);
        world.messages.answers.push_back(answer);
        click(form->Image6);
        QCOMPARE(world.messages.shown.size(), std::size_t(2));
        QCOMPARE(world.messages.shown[1].text, TimeUp);
        if (meanwhile.endsWith(QLatin1String("last exercise"))) {
            QVERIFY(!form->Frame1->isFrameEnabled());
            QCOMPARE(form->Text17->text(), form->Text16->text());
            QCOMPARE(world.sound.played, std::vector<Sound>{Sound::EndMusic});
        } else {
            QCOMPARE(form->Text17->text(), QStringLiteral("2"));
            QCOMPARE(form->Text12->text(), QStringLiteral("1.22333333333333"));
        }
        return;
    }

    world.messages.answers.push_back(answer);
    click(form->Image6);

    verifyOnlyMessage(world.messages,
                      {MessageIcon::Information, MessageButtons::YesNo, QStringLiteral("Επιβεβαίωση"), SkipQuestion});
    if (answer == MessageAnswer::Yes) {
        QCOMPARE(form->Text17->text(), QStringLiteral("2"));
        QCOMPARE(form->Text13->text(), QStringLiteral("0"));
        QCOMPARE(form->Text15->text(), QStringLiteral("180"));
        QVERIFY(!form->Timer1->isEnabled());
        QCOMPARE(form->Text12->text(), QStringLiteral("1.22333333333333"));
        return;
    }
    QCOMPARE(boxesAndKeys(*form), before);
    // The countdown goes on.
    world.clock.advance(1000);
    QCOMPARE(form->Text15->text(), QStringLiteral("176"));
}

void TestProgression::levelSawTooth_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("after");
    QTest::newRow("2.92 drops") << "2.92" << "1.22";
    QTest::newRow("2.91 drops") << "2.91" << "1.21";
    QTest::newRow("2.90 does not drop") << "2.90" << "2.96";
    QTest::newRow("2.9 does not drop") << "2.9" << "2.96";
    QTest::newRow("1.5 rises") << "1.5" << "1.56";
    QTest::newRow("largest start level drops") << "3.1199" << "1.4199";
}

void TestProgression::levelSawTooth()
{
    QFETCH(QString, before);
    QFETCH(QString, after);
    World world;
    auto form = shownGame(world);
    form->Text12->setText(before);
    skipExercise(world, *form);
    QCOMPARE(form->Text17->text(), QStringLiteral("2"));
    QCOMPARE(form->Text12->text(), after);
}

void TestProgression::rangeRamp_data()
{
    QTest::addColumn<QString>("count");
    QTest::addColumn<QString>("range");
    QTest::addColumn<bool>("exactEnd");
    QTest::newRow("10 exercises up to 100") << "10" << "100" << true;
    QTest::newRow("10 exercises down to -100") << "10" << "-100" << false;
    QTest::newRow("37 exercises up to 5000") << "37" << "5000" << false;
    QTest::newRow("300 exercises up to 9999") << "300" << "9999" << false;
}

void TestProgression::rangeRamp()
{
    // The number range grows in equal steps from a third of the range (plus one per ten
    // exercises) to the whole range at the last exercise.
    QFETCH(QString, count);
    QFETCH(QString, range);
    QFETCH(bool, exactEnd);
    World world;
    auto form = shownGame(world, count, range);
    const double reps = count.toDouble();
    const double maxnums = range.toDouble();
    const double start = maxnums / 3 + reps / 10;
    const double step = (maxnums - start) / (reps - 1);
    for (int exercise = 1; exercise <= int(reps); ++exercise) {
        QCOMPARE(form->Text17->text(), QString::number(exercise));
        const double nums = NumberText::parseOrThrow(form->Text18->text());
        QVERIFY2(std::abs(nums - (start + (exercise - 1) * step)) < 1e-9 * std::abs(maxnums),
                 qPrintable(form->Text18->text()));
        if (exercise < int(reps))
            skipExercise(world, *form);
    }
    // The decimal texts of the steps may leave the last range a hair off the target range.
    if (exactEnd)
        QCOMPARE(form->Text18->text(), range);
    QVERIFY(!form->resultsAnimationRunning());
}

// ---- The end of the game --------------------------------------------------------------------

void TestProgression::lastExerciseEndsTheGame_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<bool>("soundsOn");
    QTest::newRow("solved") << "solve" << true;
    QTest::newRow("timed out") << "time-out" << true;
    QTest::newRow("skipped") << "skip" << true;
    QTest::newRow("skipped, sounds off: no music") << "skip" << false;
    QTest::newRow("solved, sounds off: no music") << "solve" << false;
}

void TestProgression::lastExerciseEndsTheGame()
{
    QFETCH(QString, how);
    QFETCH(bool, soundsOn);
    World world;
    auto form = shownGame(world);
    if (!soundsOn)
        click(form->Image8);
    QCOMPARE(form->soundsOn(), soundsOn);
    toLastExercise(*form, 6);

    if (how == QLatin1String("solve")) {
        typeEveryTarget(*form);
        QVERIFY(form->successWindow() != nullptr);
        click(form->successWindow()->Command1);
        // The game ended under the success window, which stays open over the results.
        QVERIFY(form->successWindow() != nullptr && form->successWindow()->isVisible());
    } else if (how == QLatin1String("time-out")) {
        click(usableDigit(*form));
        world.clock.advance(180'000);
        QCOMPARE(world.messages.shown.size(), std::size_t(1));
        QCOMPARE(world.messages.shown.back().text, TimeUp);
    } else {
        skipExercise(world, *form);
    }
    const int messagesAtEnd = int(world.messages.shown.size());

    QCOMPARE(form->Text17->text(), QStringLiteral("10"));
    QCOMPARE(form->Text13->text(), how == QLatin1String("solve") ? QStringLiteral("7") : QStringLiteral("6"));
    QCOMPARE(form->Text15->text(), QStringLiteral("180"));
    QVERIFY(!form->Timer1->isEnabled());
    QVERIFY(form->resultsAnimationRunning());
    QCOMPARE(form->Text1->text(), QStringLiteral("Τ"));
    QCOMPARE(form->Text1->font().family(), QStringLiteral("System"));
    QCOMPARE(form->Text1->font().pointSizeF(), 20.0);
    QVERIFY(form->Text1->alignment() & Qt::AlignHCenter);
    QCOMPARE(count(world.sound.played, Sound::EndMusic), soundsOn ? 1 : 0);

    // Every frame is locked; only the controls that sit on the window itself still react.
    for (const Frame *frame : form->controlsOf<Frame>())
        QVERIFY2(!frame->isFrameEnabled(), qPrintable(frame->objectName()));
    const QStringList reachable{"Text16", "Image3", "Image7"};
    for (QObject *control : form->controls())
        if (auto *widget = qobject_cast<QWidget *>(control))
            QCOMPARE(form->isBlocked(widget), !reachable.contains(widget->objectName()));
    click(form->Image6);
    click(form->Image5);
    QCOMPARE(int(world.messages.shown.size()), messagesAtEnd);
    QCOMPARE(form->Text17->text(), QStringLiteral("10"));
    click(form->Image7);
    QVERIFY(form->Image3->isVisible());

    // The display shows the same animation with or without sound.
    const int percentage = how == QLatin1String("solve") ? 78 : 67; // 7 or 6 of 9
    world.clock.advance(1400 + 17 * 50);
    QCOMPARE(form->Text1->text(), QStringLiteral("ΑΠΟΤΕΛΕΣΜΑΤΑ: %1 %").arg(percentage));

    // A screen reader reads the result whole whatever the animation shows, and no target as
    // left to play.
    world.clock.advance(1234);
    QCOMPARE(QAccessible::queryAccessibleInterface(form->Text1)->textInterface()->text(0, -1),
             QStringLiteral("Αποτελέσματα %1 τοις εκατό. Λύθηκαν %2 από 10 ασκήσεις.").arg(percentage).arg(form->Text13->text()));
    QCOMPARE(form->Frame4->accessibleDescription(),
             QStringLiteral("Το παιχνίδι τελείωσε. Δεν απομένουν αριθμοί στόχοι για να παίξεις."));
}

void TestProgression::percentage_data()
{
    // The score rated against 90 % of the exercises, rounded half to even, at most 100.
    QTest::addColumn<QString>("count");
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("percentage");
    QTest::newRow("10 exercises, 9 solved") << "10" << 9 << 100;
    QTest::newRow("10 exercises, 10 solved: capped") << "10" << 10 << 100;
    QTest::newRow("10 exercises, 5 solved") << "10" << 5 << 56;
    QTest::newRow("10 exercises, 4 solved: red") << "10" << 4 << 44;
    QTest::newRow("10 exercises, none solved") << "10" << 0 << 0;
    QTest::newRow("20 exercises, 9 solved: exactly 50") << "20" << 9 << 50;
    QTest::newRow("80 exercises, 9 solved: 12.5 rounds to even 12") << "80" << 9 << 12;
    QTest::newRow("80 exercises, 27 solved: 37.5 rounds to even 38") << "80" << 27 << 38;
}

void TestProgression::percentage()
{
    QFETCH(QString, count);
    QFETCH(int, score);
    QFETCH(int, percentage);
    World world;
    auto form = shownGame(world, count);
    toLastExercise(*form, score);
    DisplayRecorder display(*form, world.clock);
    skipExercise(world, *form);
    qint64 cycle = 0;
    const auto expected = expectedCycle(percentage, &cycle);
    world.clock.advance(cycle - 1);
    QVERIFY2(display.shown == expected, qPrintable(describe(display.shown)));
    QCOMPARE(form->Text1->foreColor(), percentage < 50 ? VbColor(0x0000FF) : VbColor(0x00FF00));
}

void TestProgression::resultsAnimationCycle_data()
{
    QTest::addColumn<int>("score");
    QTest::addColumn<int>("percentage");
    QTest::addColumn<qint64>("cycleMs");
    QTest::newRow("success") << 9 << 100 << qint64(6350);
    QTest::newRow("below 50 %: no success line") << 4 << 44 << qint64(5600);
}

void TestProgression::resultsAnimationCycle()
{
    // Every character and every pause of a cycle, and the next cycle from stage a again.
    QFETCH(int, score);
    QFETCH(int, percentage);
    QFETCH(qint64, cycleMs);
    World world;
    auto form = shownGame(world);
    toLastExercise(*form, score);
    DisplayRecorder display(*form, world.clock);
    skipExercise(world, *form);

    qint64 cycle = 0;
    const auto one = expectedCycle(percentage, &cycle);
    QCOMPARE(cycle, cycleMs);
    std::vector<Shown> expected;
    for (int round = 0; round < 3; ++round)
        for (const Shown &step : one)
            expected.push_back({step.at + round * cycle, step.text});
    world.clock.advance(3 * cycle - 1);
    QVERIFY2(display.shown == expected, qPrintable(describe(display.shown)));
    world.clock.advance(1);
    QVERIFY(display.shown.back() == (Shown{3 * cycle, QStringLiteral("Τ")}));
    QVERIFY(form->resultsAnimationRunning());
}

void TestProgression::gameEndAgainRestartsTheAnimation()
{
    // The success window stays open after the last exercise, so its button can end the game
    // again: the animation starts over at stage a and the music again, and nothing piles up.
    World world;
    auto form = shownGame(world);
    toLastExercise(*form, 8);
    typeEveryTarget(*form);
    Form3 *success = form->successWindow();
    QVERIFY(success != nullptr);
    click(success->Command1);
    QCOMPARE(count(world.sound.played, Sound::EndMusic), 1);

    world.clock.advance(2500); // stage b
    QCOMPARE(form->Text1->text(), shownAt(100, 2500));
    DisplayRecorder display(*form, world.clock);
    click(success->Command1);
    QCOMPARE(form->Text1->text(), QStringLiteral("Τ"));
    QCOMPARE(count(world.sound.played, Sound::EndMusic), 2);
    qint64 cycle = 0;
    const auto expected = expectedCycle(100, &cycle);
    world.clock.advance(cycle - 1);
    QVERIFY2(display.shown == expected, qPrintable(describe(display.shown)));

    for (int again = 0; again < 1000; ++again) {
        click(success->Command1);
        world.clock.advance(7);
        QVERIFY(world.clock.pending() <= 2);
    }
    QCOMPARE(count(world.sound.played, Sound::EndMusic), 1002);
    world.clock.advance(100);
    display.restart();
    click(success->Command1);
    world.clock.advance(cycle - 1);
    QVERIFY2(display.shown == expected, qPrintable(describe(display.shown)));
    QVERIFY(world.clock.pending() <= 2);
    QCOMPARE(form->Text17->text(), QStringLiteral("10"));
}

// ---- The countdown ----------------------------------------------------------------------------

void TestProgression::countdownStartsWithDigits_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<bool>("starts");
    for (int digit = 1; digit <= 9; ++digit)
        QTest::addRow("digit %d", digit) << QStringLiteral("Command%1").arg(digit) << true;
    const std::pair<const char *, const char *> others[] = {
        {"0", "Command0"},  {"/", "Command10"}, {"x", "Command11"}, {"-", "Command12"},  {"+", "Command13"},
        {".", "Command14"}, {"(", "Command15"}, {")", "Command16"}, {"=", "Command17"},  {"<X", "Command18"},
        {"||", "Command19"}, {"x^y", "Command20"}, {"Cl", "CommandButton2"},
    };
    for (const auto &[caption, name] : others)
        QTest::addRow("key %s", caption) << QString::fromLatin1(name) << false;
}

void TestProgression::countdownStartsWithDigits()
{
    QFETCH(QString, key);
    QFETCH(bool, starts);
    World world;
    auto form = shownGame(world);
    for (QPushButton *button : form->findChildren<QPushButton *>())
        button->setEnabled(true);
    auto *button = form->findChild<QPushButton *>(key);
    QVERIFY(button != nullptr);
    click(button);
    QCOMPARE(form->Timer1->isEnabled(), starts);
    world.clock.advance(1000);
    QCOMPARE(form->Text15->text(), starts ? QStringLiteral("179") : QStringLiteral("180"));
    world.clock.advance(9000);
    QCOMPARE(form->Text15->text(), starts ? QStringLiteral("170") : QStringLiteral("180"));
}

void TestProgression::pauseAndResume()
{
    World world;
    auto form = shownGame(world);
    // "||" before the first digit: the countdown is stopped already.
    click(form->Command19);
    world.clock.advance(5000);
    QVERIFY(!form->Timer1->isEnabled());
    QCOMPARE(form->Text15->text(), QStringLiteral("180"));

    PushButton *digit = usableDigit(*form);
    click(digit);
    world.clock.advance(123'400);
    QCOMPARE(form->Text15->text(), QStringLiteral("57"));
    click(form->Command19);
    QVERIFY(!form->Timer1->isEnabled());
    world.clock.advance(60'000);
    QCOMPARE(form->Text15->text(), QStringLiteral("57"));
    // Other keys do not resume it.
    click(form->Command15);
    click(form->Command18);
    world.clock.advance(5000);
    QCOMPARE(form->Text15->text(), QStringLiteral("57"));

    click(digit);
    QVERIFY(form->Timer1->isEnabled());
    world.clock.advance(999);
    QCOMPARE(form->Text15->text(), QStringLiteral("57"));
    world.clock.advance(1);
    QCOMPARE(form->Text15->text(), QStringLiteral("56"));
    // A further digit while running does not restart the second.
    world.clock.advance(500);
    click(digit);
    world.clock.advance(500);
    QCOMPARE(form->Text15->text(), QStringLiteral("55"));
    QVERIFY(world.messages.shown.empty());
}

void TestProgression::timeOut()
{
    World world;
    auto form = shownGame(world);
    form->Text13->setText(QStringLiteral("0"));
    QStringList whileOpen;
    world.messages.whileOpen = [&](const Message &) {
        whileOpen << form->Text15->text() << QString::number(form->Timer1->isEnabled());
        world.clock.advance(5000); // the child takes a while to read the message
        whileOpen << form->Text15->text();
    };

    click(usableDigit(*form));
    world.clock.advance(179'999);
    QCOMPARE(form->Text15->text(), QStringLiteral("1"));
    QVERIFY(world.messages.shown.empty());
    world.clock.advance(1);

    verifyOnlyMessage(world.messages, {MessageIcon::Exclamation, MessageButtons::Ok, QStringLiteral("Numbolo"), TimeUp});
    // Stopped at 0 before the message: it never counts on below 0 under "time is up".
    QCOMPARE(whileOpen, (QStringList{"0", "0", "0"}));

    // The next exercise, with a full and stopped countdown and the score unchanged.
    QCOMPARE(form->Text17->text(), QStringLiteral("2"));
    QCOMPARE(form->Text13->text(), QStringLiteral("0"));
    QCOMPARE(form->Text15->text(), QStringLiteral("180"));
    QVERIFY(!form->Timer1->isEnabled());
    world.clock.advance(10'000);
    QCOMPARE(form->Text15->text(), QStringLiteral("180"));
    QCOMPARE(world.messages.shown.size(), std::size_t(1));
}

void TestProgression::countdownStartsFromTheChosenTime_data()
{
    QTest::addColumn<QString>("stored"); // [Parents] secondsPerExercise; "absent": no such key
    QTest::addColumn<QString>("place");
    QTest::addColumn<int>("seconds"); // the time of an exercise; 0: no limit
    const std::pair<const char *, int> settings[] = {{"absent", 180}, {"360", 360}, {"1800", 1800}, {"0", 0}};
    for (const auto &[stored, seconds] : settings)
        for (const char *place : {"first exercise", "after a skip", "after a time-out", "after a solved exercise",
                                  "after a restart", "resumed at start-up"})
            if (seconds != 0 || place != QLatin1String("after a time-out"))
                QTest::addRow("%s, %s", stored, place) << QString::fromLatin1(stored) << QString::fromLatin1(place) << seconds;
    // A setting changed while the program runs counts from the next game, never in one.
    for (const auto &[stored, seconds] : settings) {
        QTest::addRow("%s, set before a new game", stored) << QString::fromLatin1(stored) << "set before a new game" << seconds;
        QTest::addRow("%s, set during a game", stored) << QString::fromLatin1(stored) << "set during a game" << 180;
        // A game resumed when the program starts again keeps the time it began with.
        QTest::addRow("%s, changed during a game, resumed at the next start", stored)
            << QString::fromLatin1(stored) << "changed during a game, resumed" << seconds;
    }
    // Anything but the four choices plays as designed.
    for (const char *damaged : {"600", " 360", "360.0", "-1", "abc", ""})
        QTest::addRow("'%s' plays 180 seconds", damaged) << QString::fromLatin1(damaged) << "first exercise" << 180;
}

void TestProgression::countdownStartsFromTheChosenTime()
{
    QFETCH(QString, stored);
    QFETCH(QString, place);
    QFETCH(int, seconds);
    World world;
    const bool later = place.startsWith(QLatin1String("set "));
    if (stored != QLatin1String("absent") && !later)
        world.storeParents({{"secondsPerExercise", stored}});
    const QString start = seconds == 0 ? QStringLiteral("∞") : QString::number(seconds);
    std::unique_ptr<Form1> form;
    if (place == QLatin1String("resumed at start-up")) {
        world.store({{"Level", "1.5"}, {"score", "0"}, {"maxnums", "100"}, {"cur", "3"}, {"nums", "40"}, {"reps", "10"}});
        form = shownWindowWithFont(world);
    } else if (place == QLatin1String("set before a new game")) {
        form = shownWindowWithFont(world);
        world.storeParents({{"secondsPerExercise", stored}});
        startGame(*form, QStringLiteral("10"), QStringLiteral("100"));
    } else {
        form = shownGame(world);
        if (later) {
            world.storeParents({{"secondsPerExercise", stored}});
            skipExercise(world, *form);
        } else if (place.endsWith(QLatin1String("resumed"))) {
            world.storeParents({{"secondsPerExercise", seconds == 1800 ? "360" : "1800"}});
            QVERIFY(form->close());
            form = shownWindowWithFont(world);
        }
    }
    QCOMPARE(form->Text15->text(), start);
    if (place == QLatin1String("after a skip")) {
        click(usableDigit(*form));
        world.clock.advance(5000);
        skipExercise(world, *form);
    } else if (place == QLatin1String("after a time-out")) {
        click(usableDigit(*form));
        world.clock.advance(seconds * 1000);
        QCOMPARE(world.messages.shown.back().text, TimeUp);
        QCOMPARE(world.history.lines.last(), QStringLiteral("1 timeout %1s 0/8 0=").arg(seconds));
    } else if (place == QLatin1String("after a solved exercise")) {
        click(usableDigit(*form));
        world.clock.advance(7000);
        typeEveryTarget(*form);
        click(form->successWindow()->Command1);
        QVERIFY(world.history.lines.last().startsWith(QStringLiteral("1 solved 7s ")));
    } else if (place == QLatin1String("after a restart")) {
        click(usableDigit(*form));
        world.clock.advance(5000);
        world.messages.answers = {MessageAnswer::Yes};
        click(form->Image5);
        QCOMPARE(form->Text15->text(), start);
        startGame(*form, QStringLiteral("10"), QStringLiteral("100"));
    }
    const QString exercise = form->Text17->text();
    QCOMPARE(form->Text15->text(), start);
    QVERIFY(!form->Timer1->isEnabled());
    world.messages.shown.clear();

    click(usableDigit(*form));
    world.clock.advance(1000);
    if (seconds == 0) {
        // No number counts, however long the child plays, and no time-out comes; the pause
        // changes nothing either.
        QCOMPARE(form->Text15->text(), start);
        world.clock.advance(10 * 3600'000 - 1000);
        click(form->Command19);
        click(usableDigit(*form));
        world.clock.advance(3000);
        QCOMPARE(form->Text15->text(), start);
        QVERIFY(world.messages.shown.empty());
        QCOMPARE(form->Text17->text(), exercise);
        // The seconds played still reach the history.
        skipExercise(world, *form);
        QVERIFY2(world.history.lines.last().startsWith(exercise + QStringLiteral(" skipped 36003s ")),
                 qPrintable(world.history.lines.last()));
        return;
    }
    QCOMPARE(form->Text15->text(), QString::number(seconds - 1));
    world.clock.advance((seconds - 2) * 1000);
    QCOMPARE(form->Text15->text(), QStringLiteral("1"));
    QVERIFY(world.messages.shown.empty());
    world.clock.advance(1000);
    QCOMPARE(world.messages.shown.size(), std::size_t(1));
    QCOMPARE(world.messages.shown.back().text, TimeUp);
    QCOMPARE(form->Text15->text(), start);
}

// ---- A whole game -----------------------------------------------------------------------------

void TestProgression::wholeGame()
{
    // Ten exercises played through the window: solved ones with "=" and the success window,
    // one lost to the countdown, one skipped. 8 solved of 10 rate 8 / 9 = 89 %.
    World world;
    auto form = shownGame(world);

    const QStringList plan{"solve", "solve", "solve", "time-out", "solve", "solve", "skip", "solve", "solve", "solve"};
    int solved = 0;
    for (int exercise = 1; exercise <= 10; ++exercise) {
        QCOMPARE(form->Text17->text(), QString::number(exercise));
        QCOMPARE(form->Text15->text(), QStringLiteral("180"));
        QVERIFY(targetsDrawn(*form));
        QVERIFY(std::abs(NumberText::parseOrThrow(form->Text18->text()) - (34.3333333333333 + (exercise - 1) * 7.2962962962963))
                < 1e-9);
        const QString step = plan[exercise - 1];
        if (step == QLatin1String("solve")) {
            click(usableDigit(*form)); // the child starts typing: the countdown runs
            world.clock.advance(20'000);
            typeEveryTarget(*form);
            ++solved;
            QCOMPARE(form->Text13->text(), QString::number(solved));
            QVERIFY(!form->Timer1->isEnabled());
            Form3 *success = form->successWindow();
            QVERIFY(success != nullptr && success->isVisible());
            QVERIFY(form->isBlocked(form->Command17)); // the success window holds the game
            click(success->Command1);
            QVERIFY(!form->isBlocked(form->Command17) || exercise == 10);
        } else if (step == QLatin1String("time-out")) {
            click(usableDigit(*form));
            world.clock.advance(180'000);
            QCOMPARE(world.messages.shown.back().text, TimeUp);
        } else {
            skipExercise(world, *form);
            QCOMPARE(world.messages.shown.back().text, SkipQuestion);
        }
    }

    QCOMPARE(world.messages.shown.size(), std::size_t(2));
    QCOMPARE(form->Text17->text(), QStringLiteral("10"));
    QCOMPARE(form->Text13->text(), QStringLiteral("8"));
    QCOMPARE(form->Text18->text(), QStringLiteral("100"));
    QVERIFY(form->resultsAnimationRunning());
    QVERIFY(!form->Frame1->isFrameEnabled());
    QCOMPARE(count(world.sound.played, Sound::EndMusic), 1);
    world.clock.advance(2300);
    QCOMPARE(form->Text1->text(), QStringLiteral("ΑΠΟΤΕΛΕΣΜΑΤΑ: 89 %"));
    world.clock.advance(6350 - 2300);
    QCOMPARE(form->Text1->text(), QStringLiteral("Τ"));
}

QTEST_MAIN(TestProgression)
#include "tst_progression.moc"
