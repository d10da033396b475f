// Moving from one exercise to the next, and the end of the game with its results animation.

#include "engine/exercise.h"
#include "game/announce.h"
#include "game/form1.h"
#include "arithmetic/numbertext.h"

namespace numbolo {

Advance Form1::AdvanceExercise()
{
    // The exercise on screen is over, whichever way this goes.
    recordExerciseEnd();
    exerciseChanged();
    resetCountdown();

    if (!Exercise::isLastExercise(Text17->text(), Text16->text())) {
        const Exercise::Position next =
            Exercise::nextExercise({Text17->text(), Text12->text(), Text18->text()}, Text14->text(), Text16->text());
        Text17->setText(next.cur);
        Text12->setText(next.level);
        Text18->setText(next.nums);
        DrawExercise();
        Announce::exercise(*this);
        checkpoint();
        return Advance::NextExercise;
    }

    // The game has ended: lock the window and show the results until the program is closed.
    Text1->setFontName(QStringLiteral("System"));
    Text1->setFontSize(20);
    Text1->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
    for (Frame *frame : controlsOf<Frame>())
        frame->setFrameEnabled(false);
    const int percentage = Exercise::percentage(NumberText::parseOrThrow(Text13->text()),
                                                NumberText::parseOrThrow(Text16->text()));
    if (percentage < 50)
        Text1->setForeColor(0x0000FF);
    if (soundsOn())
        m_services.sound.play(Sound::EndMusic);
    // The credits cannot be started any more; stop a run in progress so only the results type.
    m_credits.stop();
    startResults(percentage);
    Text1->setSpokenText(spokenResults(*this, percentage));
    Frame4->setAccessibleDescription(remainingTargets(*this));
    m_play.gameEnded(gameFacts(), GameEnd::Finished, percentage);
    // The animation types the result for ever; a screen reader hears it once.
    Announce::gameEnd(*this, percentage);
    checkpoint();
    return Advance::GameEnded;
}

void Form1::startResults(int percentage)
{
    // A new call restarts the animation at its first line: only the newest run is ever seen.
    m_results.start(Exercise::resultLines(percentage), true, [this](const QString &text) { Text1->setText(text); });
}

} // namespace numbolo
