// The 180-second countdown of an exercise and its pause key.

#include "game/announce.h"
#include "game/form1.h"
#include "game/numbertext.h"

namespace numbolo {

void Form1::Timer1_Timer()
{
    const double left = NumberText::parseOrThrow(Text15->text()) - 1;
    Text15->setText(NumberText::format(left));
    Announce::timeLeft(*this, int(left));
    if (Text15->text() != QLatin1String("0"))
        return;
    // Stopped before the message, so the count never shows -1, -2, ... under "time is up".
    Timer1->setEnabled(false);
    if (!gameRunning()) {
        // No exercise to lose: the countdown goes back to its start and nothing moves on.
        Text15->setText(QStringLiteral("180"));
        return;
    }
    const quint64 timedOut = exerciseShown();
    message(MessageIcon::Exclamation, MessageButtons::Ok, QStringLiteral("Numbolo"),
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
