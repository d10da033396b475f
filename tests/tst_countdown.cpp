// The countdown of an exercise on its own, driven by the fake clock: the seconds it counts and
// when, a pause and a resume, the last second and the time-out, no time limit, and a reset to
// another limit as a game resumed at start-up makes.

#include "engine/countdown.h"
#include "tests/fakes.h"

#include <QTest>

using namespace numbolo;
using namespace numbolo::testing;

namespace {

QString stateName(Countdown::State state)
{
    switch (state) {
    case Countdown::State::Ready:
        return QStringLiteral("Ready");
    case Countdown::State::Running:
        return QStringLiteral("Running");
    case Countdown::State::Paused:
        return QStringLiteral("Paused");
    case Countdown::State::RanOut:
        return QStringLiteral("RanOut");
    case Countdown::State::NoLimit:
        return QStringLiteral("NoLimit");
    case Countdown::State::NoLimitRunning:
        return QStringLiteral("NoLimitRunning");
    }
    return QStringLiteral("?");
}

} // namespace

class TestCountdown : public QObject {
    Q_OBJECT
private slots:
    void steps_data();
    void steps();
};

void TestCountdown::steps_data()
{
    QTest::addColumn<int>("limit");     // the seconds it is made with; 0: no time limit
    QTest::addColumn<QString>("steps"); // "run", "stop", "reset=<limit>", "+<ms>" on the clock
    QTest::addColumn<QString>("heard"); // what it emitted, in order: the seconds left, "out"
    QTest::addColumn<QString>("state");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("used");

    QTest::newRow("made ready") << 180 << "" << "" << "Ready" << 180 << 0;
    QTest::newRow("no second before 1000 ms") << 180 << "run +999" << "" << "Running" << 180 << 0;
    QTest::newRow("a second every 1000 ms") << 180 << "run +1000 +2000" << "179 178 177" << "Running" << 177 << 3;
    QTest::newRow("a pause keeps what is left") << 180 << "run +3000 stop +60000" << "179 178 177" << "Paused" << 177 << 3;
    // Resumed half a second into a second: the next one goes a whole second after the resume.
    QTest::newRow("resumed, 999 ms on") << 180 << "run +3500 stop +200 run +999" << "179 178 177" << "Running" << 177 << 3;
    QTest::newRow("resumed, 1000 ms on") << 180 << "run +3500 stop +200 run +1000" << "179 178 177 176" << "Running" << 176 << 4;
    QTest::newRow("a pause before the first second is no pause") << 180 << "run +999 stop" << "" << "Ready" << 180 << 0;
    QTest::newRow("enabled twice, the second goes on") << 180 << "run +500 run +500" << "179" << "Running" << 179 << 1;
    QTest::newRow("the last second") << 3 << "run +2999" << "2 1" << "Running" << 1 << 2;
    QTest::newRow("the time runs out at 0") << 3 << "run +3000" << "2 1 0 out" << "RanOut" << 0 << 3;
    QTest::newRow("no second below 0") << 3 << "run +3000 +5000" << "2 1 0 out" << "RanOut" << 0 << 3;
    QTest::newRow("run out, it does not start again") << 3 << "run +3000 run +5000" << "2 1 0 out" << "RanOut" << 0 << 3;
    QTest::newRow("paused at 1 s") << 3 << "run +2000 stop +9000" << "2 1" << "Paused" << 1 << 2;
    QTest::newRow("resumed at 1 s, it runs out a second later") << 3 << "run +2000 stop run +999 +1" << "2 1 0 out"
                                                                << "RanOut" << 0 << 3;
    QTest::newRow("no limit, made") << 0 << "" << "" << "NoLimit" << 0 << 0;
    // Ten hours: nothing is heard and nothing runs out, but every second played counts.
    QTest::newRow("no limit, played") << 0 << "run +36000000" << "" << "NoLimitRunning" << 0 << 36000;
    QTest::newRow("no limit, a pause stops the seconds played") << 0 << "run +2500 stop +5000 run +1500" << ""
                                                                << "NoLimitRunning" << 0 << 3;
    QTest::newRow("no limit, stopped") << 0 << "run +2000 stop" << "" << "NoLimit" << 0 << 2;
    QTest::newRow("a reset starts again, stopped and silent") << 180 << "run +5000 reset=180 +5000" << "179 178 177 176 175"
                                                             << "Ready" << 180 << 0;
    QTest::newRow("a reset to no limit") << 180 << "run +2000 reset=0 run +1000" << "179 178" << "NoLimitRunning" << 0 << 1;
    QTest::newRow("a reset from no limit to a limit") << 0 << "run +3000 reset=360 run +2000" << "359 358" << "Running"
                                                      << 358 << 2;
    // A resumed game is first shown the parent's setting, then the time it began with.
    QTest::newRow("a resumed game's own limit") << 180 << "reset=1800 run +1000" << "1799" << "Running" << 1799 << 1;
    QTest::newRow("a reset after running out") << 3 << "run +3000 reset=3 run +1000" << "2 1 0 out 2" << "Running" << 2 << 1;
}

void TestCountdown::steps()
{
    QFETCH(int, limit);
    QFETCH(QString, steps);
    QFETCH(QString, heard);
    QFETCH(QString, state);
    QFETCH(int, left);
    QFETCH(int, used);
    FakeClock clock;
    Countdown countdown(clock, limit, nullptr);
    QStringList emitted;
    connect(&countdown, &Countdown::secondsChanged, this, [&](int seconds) { emitted << QString::number(seconds); });
    connect(&countdown, &Countdown::ranOut, this, [&] {
        QVERIFY(!countdown.isEnabled());
        emitted << QStringLiteral("out");
    });

    for (const QString &step : steps.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        if (step == QLatin1String("run"))
            countdown.setEnabled(true);
        else if (step == QLatin1String("stop"))
            countdown.setEnabled(false);
        else if (step.startsWith(QLatin1String("reset=")))
            countdown.reset(step.mid(6).toInt());
        else
            clock.advance(step.toLongLong());
    }

    QCOMPARE(emitted.join(QLatin1Char(' ')), heard);
    QCOMPARE(stateName(countdown.state()), state);
    QCOMPARE(countdown.secondsLeft(), left);
    QCOMPARE(countdown.secondsUsed(), used);
    // Enabled exactly while it runs, and only then waiting on the clock.
    const bool runs = state == QLatin1String("Running") || state == QLatin1String("NoLimitRunning");
    QCOMPARE(countdown.isEnabled(), runs);
    QCOMPARE(clock.pending(), std::size_t(runs ? 1 : 0));
}

QTEST_GUILESS_MAIN(TestCountdown)
#include "tst_countdown.moc"
