// The countdown of an exercise and its pause key. Timer1 counts the seconds a parent chose (180
// unless they chose otherwise) and Text15 shows them; with no time limit the box says so and no
// time-out comes.

#include "game/announce.h"
#include "game/form1.h"
#include "arithmetic/numbertext.h"
#include "services/programname.h"

#include <QCoreApplication>

namespace numbolo {

// Shown in the countdown box while there is no time limit: a sign, not a number that counts.
const QString NoTimeLimitText = QStringLiteral("∞");

QString Form1::countdownText() const
{
    return Timer1->timeLimited() ? NumberText::format(Timer1->secondsLeft()) : NoTimeLimitText;
}

void Form1::resetCountdown()
{
    Timer1->reset(m_parents.secondsPerExercise);
    Text15->setText(countdownText());
    // "1800" is a digit wider than the "180" the box was made for: a smaller size of its face
    // shows it whole. The box keeps its design size for three digits, whatever the font.
    if (Text15->text().size() > 3)
        Text15->fitFontTo(Text15->text());
}

void Form1::Timer1_Timer()
{
    Text15->setText(countdownText());
    Announce::timeLeft(*this, Timer1->secondsLeft());
}

void Form1::timeRanOut()
{
    // The countdown stopped at 0 before the message, so it never shows -1, -2, ... under
    // "time is up".
    if (!gameRunning()) {
        // No exercise to lose: the countdown goes back to its start and nothing moves on.
        resetCountdown();
        return;
    }
    const quint64 timedOut = exerciseShown();
    message(MessageIcon::Exclamation, MessageButtons::Ok, ProgramName,
            QCoreApplication::translate("Form1", "Ο χρόνος τελείωσε... Την επόμενη φορά θα τα καταφέρεις καλύτερα."));
    // The window closed, or the exercise was skipped or abandoned, while the message was open.
    if (m_ended || exerciseShown() != timedOut)
        return;
    if (AdvanceExercise() == Advance::NextExercise)
        Image6->setFocus(Qt::OtherFocusReason); // the keyboard starts the new exercise at the red arrow
}

void Form1::Command19_Click()
{
    const bool alreadyPaused = Timer1->state() == Countdown::State::Paused;
    Timer1->setEnabled(false);
    Announce::countdownPaused(*this, alreadyPaused);
}

} // namespace numbolo
