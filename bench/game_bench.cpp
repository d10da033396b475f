// Measures the game's window as it runs: what it costs while waiting, how exactly it keeps
// time, and how fast "=" answers. Form1 runs on the real services (real clock, real sound, the
// user's settings and font folders), except that message boxes answer themselves at once.
// The settings file is written first, so the window resumes a game.
//
//   game_bench idle still|countdown|results SECONDS
//       CPU time over SECONDS with the window open: nothing moving, the countdown running,
//       or the results animation running. Prints "cpu_ms wall_ms context_switches" (how
//       often the process gave up or lost the processor: a measure of its wake-ups).
//   game_bench countdown TICKS
//       Starts the countdown with a digit key and records every change of the seconds box.
//       Prints "ticks end_error_ms worst_tick_error_ms".
//   game_bench results CYCLES
//       Ends the game and records every change of the display for CYCLES cycles of the
//       results animation. Prints "steps step_min_ms step_median_ms step_max_ms
//       worst_schedule_error_ms cycles cycle_min_ms cycle_max_ms expected_cycle_ms".
//   game_bench soak SECONDS
//       Ends the game and lets the results animation run for SECONDS on the real clock.
//       Prints one line a minute, "minute rss_kib windows cpu_ms", then "rss_growth_kib
//       windows_start windows_end steps".
//   game_bench click CLICKS
//       Clicks "=" with the mouse on a typed expression CLICKS times. Prints the medians "click
//       to display text, in ms" and "click to display repainted, in ms", then the same for three
//       displays that are refused or nested deep (fewer clicks): a million digits, "1+1+...+"
//       of a million characters, and 10,000 nested parentheses.

#include "app/setup.h"
#include "desktop/qtsound.h"
#include "desktop/realclock.h"
#include "desktop/seededrandom.h"
#include "desktop/userfontfolders.h"
#include "desktop/userplayerfiles.h"
#include "engine/exercise.h"
#include "game/form1.h"
#include "services/services.h"

#include "residentmemory.h"
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSettings>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <vector>

using namespace numbolo;

namespace {

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

double ms(long long ns)
{
    return double(ns) / 1e6;
}

template <class T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? T{} : values[values.size() / 2];
}

// Message boxes that are answered at once: "OK", and "No" to a question.
class AnsweredMessages : public MessageBoxes {
public:
    MessageAnswer show(const Message &message) override
    {
        ++shown;
        return message.buttons == MessageButtons::Ok ? MessageAnswer::Ok : MessageAnswer::No;
    }
    int shown = 0;
};

// The program's services, with self-answering message boxes.
struct BenchServices {
    AnsweredMessages messages;
    QtSoundPlayer sound;
    UserPlayerFiles files;
    UserFontFolders fonts;
    SeededRandom random;
    RealClock clock;
    Services services() { return Services{messages, sound, files, fonts, random, clock}; }
};

// Writes a game under way at exercise `cur` of 10 with `score` solved.
void storeGame(const QString &iniPath, int cur, int score)
{
    QDir().mkpath(QFileInfo(iniPath).path());
    QFile::remove(iniPath);
    QSettings ini(iniPath, QSettings::IniFormat);
    ini.beginGroup(QStringLiteral("Str"));
    ini.setValue(QStringLiteral("Level"), QStringLiteral("1.5"));
    ini.setValue(QStringLiteral("score"), QString::number(score));
    ini.setValue(QStringLiteral("maxnums"), QStringLiteral("100"));
    ini.setValue(QStringLiteral("cur"), QString::number(cur));
    ini.setValue(QStringLiteral("nums"), QStringLiteral("90"));
    ini.setValue(QStringLiteral("reps"), QStringLiteral("10"));
    ini.endGroup();
    ini.sync();
}

// Runs the event loop for `msecs` of real time.
void runFor(int msecs)
{
    QEventLoop loop;
    QTimer::singleShot(msecs, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

struct Usage {
    long long cpuNs;
    long switches;
};

Usage usage()
{
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    const auto ns = [](const timeval &t) { return t.tv_sec * 1'000'000'000LL + t.tv_usec * 1000LL; };
    return {ns(u.ru_utime) + ns(u.ru_stime), u.ru_nvcsw + u.ru_nivcsw};
}

// An enabled digit key from 1 to 9: it starts the countdown.
PushButton *countdownKey(Form1 &form)
{
    for (const KeyRow &row : CharacterKeys)
        if (row.startsCountdown && (form.*row.key)->isEnabled())
            return form.*row.key;
    return nullptr;
}

class Bench {
public:
    Bench() : m_form(m_real.services()) {}

    // Loads the window on a stored game at exercise `cur` and shows it.
    bool open(int cur, int score)
    {
        storeGame(m_real.files.iniPath(), cur, score);
        m_form.load();
        if (m_form.hasEnded())
            return false;
        m_form.show();
        if (!QTest::qWaitForWindowExposed(&m_form))
            return false;
        runFor(500); // let start-up work settle
        return true;
    }

    int idle(const QString &what, int seconds)
    {
        if (!open(what == QLatin1String("results") ? 10 : 3, what == QLatin1String("results") ? 9 : 2))
            return 1;
        if (what == QLatin1String("countdown")) {
            PushButton *key = countdownKey(m_form);
            if (key == nullptr)
                return 1;
            QTest::mouseClick(key, Qt::LeftButton);
        } else if (what == QLatin1String("results")) {
            m_form.AdvanceExercise();
        }
        runFor(1000);
        const Usage before = usage();
        const long long start = monotonicNs();
        runFor(seconds * 1000);
        const Usage after = usage();
        std::printf("%.1f %.1f %ld\n", ms(after.cpuNs - before.cpuNs), ms(monotonicNs() - start),
                    after.switches - before.switches);
        return 0;
    }

    int countdown(int ticks)
    {
        if (!open(3, 0))
            return 1;
        std::vector<long long> changes;
        QObject::connect(m_form.Text15, &QLineEdit::textChanged, [&] { changes.push_back(monotonicNs()); });
        PushButton *key = countdownKey(m_form);
        if (key == nullptr)
            return 1;
        // The countdown starts at the click; RealClock counts whole milliseconds.
        const long long start = monotonicNs();
        QTest::mouseClick(key, Qt::LeftButton);
        while (int(changes.size()) < ticks)
            QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        double worst = 0;
        for (int k = 0; k < ticks; ++k)
            worst = std::max(worst, std::abs(ms(changes[std::size_t(k)] - start) - 1000.0 * (k + 1)));
        std::printf("%d %.2f %.2f\n", ticks, ms(changes[std::size_t(ticks - 1)] - start) - 1000.0 * ticks, worst);
        return 0;
    }

    int results(int cycles)
    {
        if (!open(10, 9))
            return 1;
        struct Change {
            long long at;
            QString text;
        };
        std::vector<Change> changes;
        changes.reserve(4096);
        QObject::connect(m_form.Text1, &QLineEdit::textChanged,
                         [&](const QString &text) { changes.push_back({monotonicNs(), text}); });
        const long long start = monotonicNs();
        m_form.AdvanceExercise();
        const auto lines = Exercise::resultLines(100);
        const qint64 cycleMs = Typewriter::cycleMs(lines);
        runFor(int(cycleMs * cycles + 100));

        // The schedule: every step that changes the text, at its due time from the start.
        std::vector<std::pair<qint64, QString>> expected;
        qint64 due = 0;
        QString shown;
        for (int c = 0; c <= cycles; ++c) {
            for (const TypedLine &line : lines) {
                for (int n = 1; n <= line.steps; ++n, due += Typewriter::StepMs) {
                    const QString text = line.text.left(n);
                    if (text != shown)
                        expected.emplace_back(due, text);
                    shown = text;
                }
                due += line.pauseMs;
            }
        }
        std::vector<double> steps;
        std::vector<double> cycleLengths;
        double worstSchedule = 0;
        long long lastCycleStart = -1;
        for (std::size_t i = 0; i < changes.size() && i < expected.size(); ++i) {
            if (changes[i].text != expected[i].second) {
                std::fprintf(stderr, "change %zu shows \"%s\", expected \"%s\"\n", i, qPrintable(changes[i].text),
                             qPrintable(expected[i].second));
                return 1;
            }
            worstSchedule = std::max(worstSchedule, std::abs(ms(changes[i].at - start) - double(expected[i].first)));
            if (i > 0 && expected[i].first - expected[i - 1].first == Typewriter::StepMs)
                steps.push_back(ms(changes[i].at - changes[i - 1].at));
            if (changes[i].text.size() == 1 && changes[i].text == lines[0].text.left(1)) {
                if (lastCycleStart >= 0)
                    cycleLengths.push_back(ms(changes[i].at - lastCycleStart));
                lastCycleStart = changes[i].at;
            }
        }
        if (steps.empty() || cycleLengths.empty())
            return 1;
        std::printf("%zu %.2f %.2f %.2f %.2f %zu %.2f %.2f %lld\n", steps.size(), *std::min_element(steps.begin(), steps.end()),
                    median(steps), *std::max_element(steps.begin(), steps.end()), worstSchedule, cycleLengths.size(),
                    *std::min_element(cycleLengths.begin(), cycleLengths.end()),
                    *std::max_element(cycleLengths.begin(), cycleLengths.end()), cycleMs);
        return 0;
    }

    int soak(int seconds)
    {
        if (!open(10, 9))
            return 1;
        long steps = 0;
        QObject::connect(m_form.Text1, &QLineEdit::textChanged, [&] { ++steps; });
        m_form.AdvanceExercise();
        runFor(5000); // allocations of the first cycles settle
        const long startKib = measure::residentKib();
        const qsizetype startWindows = QApplication::topLevelWidgets().size();
        const Usage start = usage();
        for (int minute = 1; minute * 60 <= seconds; ++minute) {
            runFor(60'000);
            std::printf("%d %ld %lld %.1f\n", minute, measure::residentKib(), qlonglong(QApplication::topLevelWidgets().size()),
                        ms(usage().cpuNs - start.cpuNs));
            std::fflush(stdout);
        }
        runFor(seconds % 60 * 1000);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        std::printf("%ld %lld %lld %ld\n", measure::residentKib() - startKib, qlonglong(startWindows),
                    qlonglong(QApplication::topLevelWidgets().size()), steps);
        return m_form.resultsAnimationRunning() ? 0 : 1;
    }

    int click(int clicks)
    {
        if (!open(3, 0))
            return 1;
        // Targets that no expression below hits: a hit would play a sound and change the game.
        for (TextBox *box : m_form.targetBoxesByName())
            box->setText(QStringLiteral("-7777"));
        const QStringList typed{QStringLiteral("12*34+5"), QStringLiteral("(7+8)*9-6/3"), QStringLiteral("2^10-24"),
                                QStringLiteral("99/3+.5"), QStringLiteral("1+2+3+4+5+6+7+8+9")};
        const auto [text, painted] = clickTimes(typed, clicks);
        std::printf("%.4f %.4f\n", text, painted);

        // A million digits (too large a number), and "1+1+...1+" of a million characters.
        const QString million = QStringLiteral("1+").repeated(500'000);
        const QString nested = QString(10'000, QLatin1Char('(')) + QLatin1Char('1') + QString(10'000, QLatin1Char(')'));
        for (const QString &display : {QString(1'000'000, QLatin1Char('9')), million, nested}) {
            const auto [t, p] = clickTimes({display}, 5);
            std::printf("%.4f %.4f\n", t, p);
        }
        return 0;
    }

private:
    // Medians over `clicks` clicks on "=" of: click to the display's new text, and click to the
    // display repainted. For a refused display both are the end of the click.
    std::pair<double, double> clickTimes(const QStringList &displays, int clicks)
    {
        class PaintSeen : public QObject {
        public:
            bool seen = false;
            bool eventFilter(QObject *, QEvent *event) override
            {
                seen = seen || event->type() == QEvent::Paint;
                return false;
            }
        } paint;
        m_form.Text1->installEventFilter(&paint);
        long long changedAt = 0;
        const auto connection = QObject::connect(m_form.Text1, &QLineEdit::textChanged, [&] { changedAt = monotonicNs(); });
        std::vector<double> toText, toPaint;
        for (int i = 0; i < clicks; ++i) {
            m_form.Text1->setText(displays[i % displays.size()]);
            QCoreApplication::processEvents(); // the display shows the expression before the click
            paint.seen = false;
            changedAt = 0;
            const long long start = monotonicNs();
            QTest::mouseClick(m_form.Command17, Qt::LeftButton);
            const long long clicked = monotonicNs();
            // A refused display keeps its text and needs no repaint; a new text is painted by
            // the next pass of the event loop.
            QElapsedTimer guard;
            guard.start();
            while (changedAt != 0 && !paint.seen && guard.elapsed() < 1000)
                QCoreApplication::processEvents();
            const long long repainted = changedAt != 0 ? monotonicNs() : clicked;
            toText.push_back(ms((changedAt != 0 ? changedAt : clicked) - start));
            toPaint.push_back(ms(repainted - start));
        }
        QObject::disconnect(connection);
        m_form.Text1->removeEventFilter(&paint);
        return {median(toText), median(toPaint)};
    }

    BenchServices m_real;
    Form1 m_form;
};

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    setupApplication();
    const QStringList args = app.arguments();
    const QString mode = args.value(1);
    Bench bench;
    if (mode == QLatin1String("idle") && args.size() >= 3)
        return bench.idle(args.value(2), args.value(3, QStringLiteral("10")).toInt());
    if (mode == QLatin1String("countdown"))
        return bench.countdown(std::max(1, args.value(2, QStringLiteral("30")).toInt()));
    if (mode == QLatin1String("results"))
        return bench.results(std::max(1, args.value(2, QStringLiteral("2")).toInt()));
    if (mode == QLatin1String("soak"))
        return bench.soak(std::max(1, args.value(2, QStringLiteral("600")).toInt()));
    if (mode == QLatin1String("click"))
        return bench.click(std::max(1, args.value(2, QStringLiteral("1000")).toInt()));
    std::fprintf(stderr, "usage: game_bench idle still|countdown|results SECONDS | countdown TICKS | results CYCLES | soak SECONDS"
                         " | click CLICKS\n");
    return 2;
}
