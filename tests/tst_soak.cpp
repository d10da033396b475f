// Long runs on the fake clock: a whole game of 300 exercises played through the window, and
// eight hours of the results animation. The game keeps its books right to the end, and a long
// run neither grows in memory nor leaves windows or pending calls behind.

#include "app/setup.h"
#include "engine/exercise.h"
#include "game/form1.h"
#include "arithmetic/numbertext.h"
#include "windows/form3.h"
#include "tests/fakes.h"

#include "bench/residentmemory.h"
#include <QApplication>
#include <QFile>
#include <QTest>

#include <cmath>

using namespace numbolo;
using namespace numbolo::testing;

namespace {

const QString TimeUp = QStringLiteral("Ο χρόνος τελείωσε... Την επόμενη φορά θα τα καταφέρεις καλύτερα.");




// Runs the window's pending events, deferred deletions included.
void settle()
{
    QCoreApplication::processEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace

class TestSoak : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void threeHundredExercises();
    void eightHoursOfResults();
};

void TestSoak::initTestCase()
{
    setupApplication();
    QLocale::setDefault(QLocale::c());
}

void TestSoak::threeHundredExercises()
{
    // Every tenth exercise is lost to the countdown, every other multiple of seven skipped, the
    // rest solved: 232 of 300 solved rate 232 / 270 = 85.9, shown as 86 %.
    World world;
    auto form = shownWindowWithFont(world);
    startGame(*form, QStringLiteral("300"), QStringLiteral("9999"));
    const qsizetype windows = QApplication::topLevelWidgets().size();

    int solved = 0;
    for (int exercise = 1; exercise <= 300; ++exercise) {
        QCOMPARE(form->Text17->text(), QString::number(exercise));
        QCOMPARE(form->Text15->text(), QStringLiteral("180"));
        const double nums = NumberText::parseOrThrow(form->Text18->text());
        QVERIFY(std::abs(nums - (3363 + (exercise - 1) * (9999.0 - 3363) / 299)) < 1e-6);
        for (const TextBox *box : form->targetBoxesByName()) {
            const auto target = NumberText::parse(box->text());
            QVERIFY2(target && *target >= 0 && *target < nums, qPrintable(box->text()));
        }
        const double level = NumberText::parseOrThrow(form->Text12->text());
        QVERIFY2(level > 1.1 && level < 3.2, qPrintable(form->Text12->text()));

        PushButton *digit = usableDigit(*form);
        QVERIFY(digit != nullptr);
        click(digit); // the countdown runs
        if (exercise % 10 == 0) {
            world.clock.advance(180'000);
            QCOMPARE(world.messages.shown.back().text, TimeUp);
        } else if (exercise % 7 == 0) {
            world.messages.answers.push_back(MessageAnswer::Yes);
            click(form->Image6);
        } else {
            world.clock.advance(30'000);
            typeEveryTarget(*form);
            ++solved;
            QCOMPARE(form->Text13->text(), QString::number(solved));
            QVERIFY(form->successWindow() != nullptr);
            click(form->successWindow()->Command1);
        }
        settle();
        // Every success window is gone once closed.
        QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    }

    QCOMPARE(solved, 232);
    QCOMPARE(form->Text17->text(), QStringLiteral("300"));
    QCOMPARE(form->Text13->text(), QStringLiteral("232"));
    QVERIFY(!form->Frame1->isFrameEnabled());
    QVERIFY(form->resultsAnimationRunning());
    const auto lines = Exercise::resultLines(86);
    const qint64 typedResult = lines[0].steps * 50 + lines[0].pauseMs + lines[1].text.size() * 50;
    world.clock.advance(typedResult - 50);
    QCOMPARE(form->Text1->text(), QStringLiteral("ΑΠΟΤΕΛΕΣΜΑΤΑ: 86 %"));
    QCOMPARE(form->Text1->foreColor(), VbColor(0x00FF00)); // not red: 50 % or more
}

#if defined(__SANITIZE_ADDRESS__)
constexpr bool underAddressSanitizer = true;
#elif defined(__has_feature)
constexpr bool underAddressSanitizer = __has_feature(address_sanitizer);
#else
constexpr bool underAddressSanitizer = false;
#endif

void TestSoak::eightHoursOfResults()
{
    World world;
    world.store({{"Level", "1.5"}, {"score", "9"}, {"maxnums", "100"}, {"cur", "10"}, {"nums", "100"}, {"reps", "10"}});
    auto form = shownWindowWithFont(world);
    world.messages.answers.push_back(MessageAnswer::Yes);
    click(form->Image6); // skip the last exercise: the results run
    QVERIFY(form->resultsAnimationRunning());

    const qsizetype windows = QApplication::topLevelWidgets().size();
    long settled = 0;
    const qint64 hour = 3'600'000;
    for (qint64 elapsed = 0; elapsed < 8 * hour; elapsed += 10'000) {
        world.clock.advance(10'000);
        settle(); // the display repaints, as it would between steps
        QCOMPARE(world.clock.pending(), std::size_t(1)); // only the next step is due
        if (elapsed % hour == 0 && elapsed > 0) {
            // A further game end (the success window's button pressed again) restarts the
            // results; the runs do not pile up.
            form->AdvanceExercise();
            QCOMPARE(world.clock.pending(), std::size_t(1));
        }
        if (elapsed == hour)
            settled = measure::residentKib();
    }
    QCOMPARE(QApplication::topLevelWidgets().size(), windows);
    QVERIFY(world.messages.shown.size() == 1); // the skip question only
    // AddressSanitizer keeps freed blocks resident in its quarantine, so under it resident
    // memory grows with any allocation and says nothing about leaks; the other builds check.
    if (settled > 0 && !underAddressSanitizer) {
        const long growth = measure::residentKib() - settled;
        QVERIFY2(growth < 5 * 1024, qPrintable(QStringLiteral("resident memory grew by %1 KiB").arg(growth)));
    }
}

QTEST_MAIN(TestSoak)
#include "tst_soak.moc"
