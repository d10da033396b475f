// The success window after a solved exercise: it holds the game until its "ΟΚ", which moves the
// game on.

#include "game/form1.h"
#include "windows/form3.h"

namespace numbolo {

void Form1::showSuccessWindow()
{
    // The hit that solved the exercise is heard before the window that congratulates.
    m_services.announcer.speakNow();
    m_success = new Form3(*this);
    Form3 *window = m_success;
    connect(window, &Form3::okPressed, this, [this, window] { successConfirmed(*window); });
    connect(window, &Form3::closeRequested, this, [this] {
        if (!Frame1->isFrameEnabled())
            close();
    });
    // Loading the success window disables this one: only its "ΟΚ" lets the game go on.
    setFormEnabled(false);
    m_success->show();
    m_success->activateWindow(); // the keyboard, and with it the screen reader, goes to "ΟΚ"
    // The score already counts the solved exercise, and the success window holds the game
    // until its button moves it on: the save stores the game as the button will leave it.
    checkpoint();
}

void Form1::successConfirmed(Form3 &window)
{
    setFormEnabled(true);
    Advance result = Advance::NextExercise;
    run([&] { result = AdvanceExercise(); });
    // After the last exercise the window stays open over the results.
    if (m_ended || result == Advance::GameEnded)
        return;
    window.unload();
}

} // namespace numbolo
