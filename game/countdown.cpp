// The countdown of an exercise and its pause key. It starts from the seconds a parent chose
// (180 unless they chose otherwise); with no time limit the box says so and no time-out comes.

#include "game/announce.h"
#include "game/form1.h"
#include "arithmetic/numbertext.h"
#include "services/programname.h"

namespace numbolo {

// Shown in the countdown box while there is no time limit: a sign, not a number that counts.
const QString NoTimeLimitText = QStringLiteral("∞");

QString Form1::countdownStart() const
{
    return timeLimited() ? QString::number(m_parents.secondsPerExercise) : NoTimeLimitText;
}

void Form1::resetCountdown()
{
    Timer1->setEnabled(false);
    Text15->setText(countdownStart());
    // "1800" is a digit wider than the "180" the box was made for: a smaller size of its face
    // shows it whole. The box keeps its design size for three digits, whatever the font.
    if (Text15->text().size() > 3)
        Text15->fitFontTo(Text15->text());
    m_untimedSeconds = 0;
}

int Form1::secondsUsed() const
{
    if (!timeLimited())
        return m_untimedSeconds;
    const int limit = m_parents.secondsPerExercise;
    const auto left = NumberText::parse(Text15->text());
    return left ? std::clamp(limit - int(*left), 0, limit) : 0;
}

void Form1::Timer1_Timer()
{
    // Without a time limit the digits still switch the timer on, as always; its ticks only
    // count the seconds played, and nothing shows or runs out.
    if (!timeLimited()) {
        ++m_untimedSeconds;
        return;
    }
    const double left = NumberText::parseOrThrow(Text15->text()) - 1;
    Text15->setText(NumberText::format(left));
    Announce::timeLeft(*this, int(left));
    if (Text15->text() != QLatin1String("0"))
        return;
    // Stopped before the message, so the count never shows -1, -2, ... under "time is up".
    Timer1->setEnabled(false);
    if (!gameRunning()) {
        // No exercise to lose: the countdown goes back to its start and nothing moves on.
        resetCountdown();
        return;
    }
    const quint64 timedOut = exerciseShown();
    message(MessageIcon::Exclamation, MessageButtons::Ok, ProgramName,
            QStringLiteral("Ο χρόνος τελείωσε... Την επόμενη φορά θα τα καταφέρεις καλύτερα."));
    // The window closed, or the exercise was skipped or abandoned, while the message was open.
    if (m_ended || exerciseShown() != timedOut)
        return;
    if (AdvanceExercise() == Advance::NextExercise)
        Image6->setFocus(Qt::OtherFocusReason); // the keyboard starts the new exercise at the red arrow
}

void Form1::Command19_Click()
{
    Timer1->setEnabled(false);
    Announce::countdownPaused(*this);
}

} // namespace numbolo
