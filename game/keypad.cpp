// The keypad: character keys append to the display, "<X" shortens it, "Cl" clears it; every
// key then reads the display back.

#include "game/announce.h"
#include "game/form1.h"

namespace numbolo {

// The keys show "x" and "x^y" but insert the operators the evaluator reads.
const KeyRow CharacterKeys[18] = {
    {&Form1::Command0, "0", false},  {&Form1::Command1, "1", true},   {&Form1::Command2, "2", true},
    {&Form1::Command3, "3", true},   {&Form1::Command4, "4", true},   {&Form1::Command5, "5", true},
    {&Form1::Command6, "6", true},   {&Form1::Command7, "7", true},   {&Form1::Command8, "8", true},
    {&Form1::Command9, "9", true},   {&Form1::Command10, "/", false}, {&Form1::Command11, "*", false},
    {&Form1::Command12, "-", false}, {&Form1::Command13, "+", false}, {&Form1::Command14, ".", false},
    {&Form1::Command15, "(", false}, {&Form1::Command16, ")", false}, {&Form1::Command20, "^", false},
};

void Form1::CharacterKey_Click(const KeyRow &key)
{
    Text1->setText(Text1->text() + QLatin1String(key.appends));
    Announce::display(*this);
    // Digits 1 to 9 start the countdown, or resume it after a pause, which is said.
    if (key.startsCountdown) {
        const bool resumes = Timer1->state() == Countdown::State::Paused;
        Timer1->setEnabled(true);
        if (resumes)
            Announce::countdownResumed(*this);
    }
}

void Form1::Command18_Click()
{
    // On an empty display there is nothing to remove; that is not an error.
    const QString text = Text1->text();
    if (!text.isEmpty())
        Text1->setText(text.left(text.size() - 1));
    Announce::display(*this);
}

void Form1::CommandButton2_Click()
{
    Text1->setText(QString());
    Announce::display(*this);
}

} // namespace numbolo
