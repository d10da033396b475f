// Start-up cost of a window: the time from process start to its first painted frame, and the
// resident memory 3 s after process start. Built twice from this file:
//   startup_form1  the game's window, started as the program starts it (real services);
//   startup_bare   a bare Qt Widgets window with as many plain controls as the game's window,
//                  linked against Qt Widgets only: the baseline.
//
//   startup_bare --measure RUNS EXE...   starts every EXE as a fresh process RUNS times,
//                                        interleaved, after one warm-up run each, and prints one
//                                        line per EXE: "EXE paint_ms cpu_ms rss_kib runs", each
//                                        the median over the runs
//   EXE --child                          one measured run (used by --measure); prints
//                                        "paint_ms cpu_ms rss_kib windows"
//
// paint_ms is wall time to the first frame; cpu_ms is the CPU time the process had used by
// then, which other load on the machine does not inflate.
//
// The process start is the moment just before the measuring parent spawns the child, passed to
// it on CLOCK_MONOTONIC in NUMBOLO_BENCH_T0_NS, so dynamic loading and Qt's own start-up count.
//
// With NUMBOLO_BENCH_EXIT_AT_FRAME set, a child ends right after its first frame, printing
// nothing: run under valgrind's callgrind, it counts the instructions from process start to
// the first frame, which repeat where times on a busy machine do not.

#ifdef NUMBOLO_BARE
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#else
#include "app/realservices.h"
#include "desktop/userplayerfiles.h"
#include "app/setup.h"
#include "game/form1.h"
#include "services/services.h"
#endif

#include "residentmemory.h"
#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>
#include <memory>
#include <spawn.h>
#include <sys/resource.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

constexpr int MemorySampleMs = 3000;
const char *const StartVariable = "NUMBOLO_BENCH_T0_NS";

long long monotonicNs()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return now.tv_sec * 1'000'000'000LL + now.tv_nsec;
}

double cpuMs()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &t) { return double(t.tv_sec) * 1e3 + double(t.tv_usec) / 1e3; };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Reports the end of the first frame of `window`: the first paint event of the window is
// followed, in the same pass, by its children's and the flush; a zero timer runs after that.
class FirstFrame : public QObject {
public:
    explicit FirstFrame(std::function<void()> done) : m_done(std::move(done)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && !m_seen) {
            m_seen = true;
            QTimer::singleShot(0, this, [this] { m_done(); });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_done;
    bool m_seen = false;
};

#ifdef NUMBOLO_BARE
// The baseline: a window of the game's size with the game's number of plain controls by kind
// (8 group boxes, 16 line edits, 22 push buttons, 9 labels), laid out in the same frames.
std::unique_ptr<QWidget> makeWindow()
{
    auto window = std::make_unique<QWidget>();
    window->setFixedSize(598, 361);
    window->setWindowTitle(QStringLiteral("Numbolo"));
    std::vector<QGroupBox *> frames;
    for (int i = 0; i < 8; ++i) {
        auto *frame = new QGroupBox(QStringLiteral("Frame %1").arg(i + 1), window.get());
        frame->setGeometry(8 + (i % 4) * 146, 8 + (i / 4) * 176, 140, 170);
        frames.push_back(frame);
    }
    int slot[8] = {};
    const auto place = [&](QWidget *control, int frame) {
        control->setParent(frames[std::size_t(frame)]);
        const int n = slot[frame]++;
        control->setGeometry(6 + (n % 2) * 66, 20 + (n / 2) * 24, 62, 22);
    };
    for (int i = 0; i < 16; ++i)
        place(new QLineEdit(QString::number(180 - i)), i % 8);
    for (int i = 0; i < 22; ++i)
        place(new QPushButton(QString::number(i % 10)), i % 8);
    for (int i = 0; i < 9; ++i)
        place(new QLabel(QStringLiteral("L%1").arg(i)), i % 8);
    return window;
}
#endif

int child(int argc, char *argv[])
{
    const char *start = std::getenv(StartVariable);
    const long long t0 = start != nullptr ? std::atoll(start) : monotonicNs();

    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    double paintMs = -1;
    double paintCpuMs = -1;
    const bool exitAtFrame = std::getenv("NUMBOLO_BENCH_EXIT_AT_FRAME") != nullptr;
    FirstFrame firstFrame([&] {
        if (exitAtFrame)
            std::_Exit(0);
        paintMs = double(monotonicNs() - t0) / 1e6;
        paintCpuMs = cpuMs();
    });

#ifdef NUMBOLO_BARE
    std::unique_ptr<QWidget> window = makeWindow();
    window->installEventFilter(&firstFrame);
    window->show();
#else
    // As the program starts.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.numbolo.Numbolo"));
    numbolo::setupApplication();
    numbolo::UserPlayerFiles files;
    numbolo::RealServices real(files);
    auto window = std::make_unique<numbolo::Form1>(real.services());
    window->installEventFilter(&firstFrame);
    window->load();
    if (window->hasEnded())
        return 1;
    window->show();
#endif

    const long long elapsedMs = (monotonicNs() - t0) / 1'000'000;
    QTimer::singleShot(int(std::max(0LL, MemorySampleMs - elapsedMs)), &app, [&] {
        // A window beside the main one (a message box at start-up) would spoil the comparison.
        const QWidgetList topLevels = QApplication::topLevelWidgets();
        const auto windows = std::count_if(topLevels.cbegin(), topLevels.cend(), [](const QWidget *w) { return w->isVisible(); });
        std::printf("%.3f %.3f %ld %d\n", paintMs, paintCpuMs, numbolo::measure::residentKib(), int(windows));
        std::fflush(stdout);
        // exit() leaves the window open: closing it would write settings, and every run must
        // start from the same files.
        QCoreApplication::exit(0);
    });
    return app.exec();
}

struct Sample {
    double paintMs;
    double cpuMs;
    long rssKib;
};

// Runs `exe --child` once as a fresh process and reads its report.
bool runOnce(const std::string &exe, Sample &sample)
{
    int pipeFds[2];
    if (pipe(pipeFds) != 0)
        return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, pipeFds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, pipeFds[0]);

    std::vector<std::string> env;
    for (char **e = environ; *e != nullptr; ++e)
        if (std::strncmp(*e, StartVariable, std::strlen(StartVariable)) != 0)
            env.emplace_back(*e);
    env.emplace_back(std::string(StartVariable) + "=");
    std::vector<char *> envp;
    for (std::string &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    std::string exeArg = exe, childArg = "--child";
    char *args[] = {exeArg.data(), childArg.data(), nullptr};

    pid_t pid = 0;
    // The start time is taken last, just before the process is created.
    env.back() += std::to_string(monotonicNs());
    envp[envp.size() - 2] = env.back().data();
    const int spawned = posix_spawn(&pid, exe.c_str(), &actions, nullptr, args, envp.data());
    posix_spawn_file_actions_destroy(&actions);
    close(pipeFds[1]);
    if (spawned != 0) {
        close(pipeFds[0]);
        return false;
    }
    std::string out;
    char buffer[256];
    for (ssize_t n; (n = read(pipeFds[0], buffer, sizeof buffer)) > 0;)
        out.append(buffer, std::size_t(n));
    close(pipeFds[0]);
    int status = 0;
    waitpid(pid, &status, 0);
    int windows = 0;
    if (!WIFEXITED(status) || std::sscanf(out.c_str(), "%lf %lf %ld %d", &sample.paintMs, &sample.cpuMs, &sample.rssKib, &windows) != 4)
        return false;
    if (windows != 1 || sample.paintMs < 0) {
        std::fprintf(stderr, "%s: %d windows at start-up, paint %.1f ms\n", exe.c_str(), windows, sample.paintMs);
        return false;
    }
    return true;
}

template <class T>
T median(std::vector<T> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int measure(int runs, const std::vector<std::string> &exes)
{
    std::vector<std::vector<Sample>> samples(exes.size());
    for (int run = -1; run < runs; ++run) { // run -1 warms the caches (fonts, shared libraries)
        for (std::size_t e = 0; e < exes.size(); ++e) {
            Sample sample{};
            if (!runOnce(exes[e], sample)) {
                std::fprintf(stderr, "run of %s failed\n", exes[e].c_str());
                return 1;
            }
            if (run >= 0)
                samples[e].push_back(sample);
        }
    }
    for (std::size_t e = 0; e < exes.size(); ++e) {
        std::vector<double> paints, cpus;
        std::vector<long> rss;
        for (const Sample &s : samples[e]) {
            paints.push_back(s.paintMs);
            cpus.push_back(s.cpuMs);
            rss.push_back(s.rssKib);
        }
        std::printf("%s %.1f %.1f %ld %d\n", exes[e].c_str(), median(paints), median(cpus), median(rss), runs);
    }
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (argc >= 2 && std::strcmp(argv[1], "--child") == 0)
        return child(argc, argv);
    if (argc >= 4 && std::strcmp(argv[1], "--measure") == 0) {
        const int runs = std::max(1, std::atoi(argv[2]));
        return measure(runs, std::vector<std::string>(argv + 3, argv + argc));
    }
    std::fprintf(stderr, "usage: %s --measure RUNS EXE... | --child\n", argv[0]);
    return 2;
}
