// The folding tool strip and the sound switch. Sounds are on while Image8 is visible.

#include "game/form1.h"

namespace numbolo {

// A switch pressed from the keyboard keeps the keyboard: focus moves to the picture that
// takes its place, which switches back.
static void swapPictures(QWidget *shown, QWidget *hidden)
{
    const bool focused = shown->hasFocus();
    showToAssistiveTechnology(hidden);
    if (focused)
        hidden->setFocus(Qt::OtherFocusReason);
    shown->hide();
}

void Form1::Image7_Click()
{
    const bool focused = Image7->hasFocus();
    setOuterWidth(7400); // Image7 is now outside the window, out of the keyboard's reach
    showToAssistiveTechnology(Image3);
    if (focused)
        Image3->setFocus(Qt::OtherFocusReason);
}

void Form1::Image3_Click()
{
    setOuterWidth(9060);
    swapPictures(Image3, Image7);
}

void Form1::Image8_Click()
{
    swapPictures(Image8, Image4);
}

void Form1::Image4_Click()
{
    swapPictures(Image4, Image8);
}

} // namespace numbolo
