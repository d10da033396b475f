// The folding tool strip and the sound switch. Sounds are on while Image8 is visible.

#include "app/form1.h"

namespace numbolo {

void Form1::Image7_Click()
{
    setOuterWidth(7400);
    Image3->show();
}

void Form1::Image3_Click()
{
    setOuterWidth(9060);
    Image3->hide();
}

void Form1::Image8_Click()
{
    Image8->hide();
    Image4->show();
}

void Form1::Image4_Click()
{
    Image4->hide();
    Image8->show();
}

} // namespace numbolo
