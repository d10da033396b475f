#pragma once
// The colour picker: six swatches that recolour the main window, its frames and its targets.

#include "controls/vb.h"

#include <QWidget>
#include <array>

class QPushButton;

namespace numbolo {

class Form1;
class Frame;
class FormsButton;

class ColourDialog : public QWidget {
    Q_OBJECT
public:
    // The palette: swatch index, place inside the frame in twips, tab position and colour.
    struct Swatch {
        int index;
        int left, top;
        int tabOrder;
        VbColor color;
        const char *name; // read out by screen readers
    };
    static const std::array<Swatch, 6> Palette;

    explicit ColourDialog(Form1 &main);

    Frame *Frame1;
    std::array<FormsButton *, 6> CommandButton1; // in the order of Palette
    QPushButton *Command1;

    void CommandButton1_Click(int swatch);
    void Command1_Click();

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    Form1 &m_main;
};

} // namespace numbolo
