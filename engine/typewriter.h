#pragma once
// Types lines into a text box one character per 50 ms step, driven by the clock: no sleeping,
// no busy waiting, the window stays responsive and idle between steps. Every step is due a
// fixed time after the previous one, so the rhythm never drifts.

#include "services/alarm.h"
#include "services/services.h"

#include <QString>
#include <functional>
#include <vector>

namespace numbolo {

struct TypedLine {
    QString text;
    int steps;   // steps beyond the line's length hold the full line on screen
    int pauseMs; // after the last step
};

class Typewriter {
public:
    static constexpr int StepMs = 50;
    using Show = std::function<void(const QString &)>;

    explicit Typewriter(Clock &clock) : m_alarm(clock) {}

    // Starts typing `lines` from the first one, replacing any run in progress. Step n of a line
    // shows its first n characters. The first step shows at once. With `repeat` the lines run
    // again for ever after the last pause; otherwise `finished` is called after it.
    void start(std::vector<TypedLine> lines, bool repeat, Show show, std::function<void()> finished = {});
    void stop() { m_alarm.cancel(); }
    bool running() const { return m_alarm.pending(); }

    // The length of one pass through `lines`, in ms.
    static qint64 cycleMs(const std::vector<TypedLine> &lines);

private:
    void step();

    Alarm m_alarm;
    std::vector<TypedLine> m_lines;
    Show m_show;
    std::function<void()> m_finished;
    bool m_repeat = false;
    std::size_t m_line = 0;
    int m_step = 0;
    qint64 m_due = 0;
};

} // namespace numbolo
