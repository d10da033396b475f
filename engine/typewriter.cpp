#include "engine/typewriter.h"

namespace numbolo {

void Typewriter::start(std::vector<TypedLine> lines, bool repeat, Show show, std::function<void()> finished)
{
    m_alarm.cancel();
    m_lines = std::move(lines);
    m_show = std::move(show);
    m_finished = std::move(finished);
    m_repeat = repeat;
    m_line = 0;
    m_step = 0;
    m_due = m_alarm.clock().now();
    if (!m_lines.empty())
        step();
}

qint64 Typewriter::cycleMs(const std::vector<TypedLine> &lines)
{
    qint64 total = 0;
    for (const TypedLine &line : lines)
        total += qint64(line.steps) * StepMs + line.pauseMs;
    return total;
}

void Typewriter::step()
{
    const TypedLine &line = m_lines[m_line];
    ++m_step;
    m_due += StepMs;
    if (m_step >= line.steps) {
        m_due += line.pauseMs;
        m_step = 0;
        if (++m_line == m_lines.size()) {
            m_line = 0;
            if (!m_repeat) {
                // Show the last step, then report the end once its pause has passed.
                auto finished = m_finished;
                m_alarm.at(m_due, [finished] {
                    if (finished)
                        finished();
                });
                const auto show = m_show;
                show(line.text.left(line.steps));
                return;
            }
        }
    }
    const QString text = line.text.left(m_step == 0 ? line.steps : m_step);
    m_alarm.at(m_due, [this] { step(); });
    // Shown last, through a copy: the show callback may restart or stop this typewriter.
    const auto show = m_show;
    show(text);
}

} // namespace numbolo
