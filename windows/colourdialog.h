#pragma once
// The colour picker: six swatches for the colour of the main window, its frames and its
// targets. A swatch tells which colour was chosen; the main window applies it.

#include "controls/vb.h"

#include <QWidget>
#include <array>

class QPushButton;

namespace numbolo {

class ControlGate;
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

    // Opens beside `opener` (the colour button), on the swatch of `current` where there is
    // one. Its buttons and keys act only while `gate` lets them.
    ColourDialog(ControlGate &gate, VbColor current, const QWidget &opener);

    Frame *Frame1;
    std::array<FormsButton *, 6> CommandButton1; // in the order of Palette
    QPushButton *Command1;

    void CommandButton1_Click(int swatch);
    void Command1_Click();

signals:
    // A swatch was clicked: `color`, named `name` as a screen reader says it. The picker then
    // closes.
    void colourChosen(VbColor color, const QString &name);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    ControlGate &m_gate;
};

} // namespace numbolo
