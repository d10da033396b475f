// The colour button and the colour picker's choice: the window, its frames and its targets
// take the colour, and a screen reader hears it.

#include "game/announce.h"
#include "game/form1.h"
#include "windows/colourdialog.h"

namespace numbolo {

void Form1::Image2_Click()
{
    // One picker at a time, without an owner; a second click brings it to the front.
    if (m_colours == nullptr) {
        m_colours = new ColourDialog(*this, backColor(), *Image2);
        connect(m_colours, &ColourDialog::colourChosen, this, [this](VbColor color, const QString &name) {
            applyWindowColour(color);
            Announce::colourChosen(*this, name);
        });
    }
    m_colours->show();
    m_colours->raise();
    m_colours->activateWindow();
}

void Form1::applyWindowColour(VbColor color)
{
    setBackColor(color);
    for (TextBox *box : textBoxesWithForeColor(TargetForeColor))
        box->setBackColor(color);
    for (Frame *frame : controlsOf<Frame>())
        frame->setBackColor(color);
}

} // namespace numbolo
