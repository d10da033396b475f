// The help button: it opens the help window beside the game.

#include "game/form1.h"
#include "windows/form2.h"

namespace numbolo {

void Form1::Image1_Click()
{
    // One help window at a time, without an owner: the game stays usable beside it.
    if (m_help == nullptr)
        m_help = new Form2(m_parents.secondsPerExercise);
    m_help->show();
    m_help->raise();
    m_help->activateWindow();
}

} // namespace numbolo
