#include "windows/colourdialog.h"

#include "controls/buttons.h"
#include "controls/controlgate.h"
#include "controls/designfont.h"
#include "controls/focusring.h"
#include "controls/frame.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>

namespace numbolo {

const std::array<ColourDialog::Swatch, 6> ColourDialog::Palette{{
    {0, 120, 240, 6, 0x005E3F00, QT_TRANSLATE_NOOP("ColourDialog", "Σκούρο μπλε")},
    {1, 360, 240, 5, 0x00663131, QT_TRANSLATE_NOOP("ColourDialog", "Σκούρο μωβ μπλε")},
    {3, 600, 240, 4, 0x00484800, QT_TRANSLATE_NOOP("ColourDialog", "Σκούρο πετρόλ")},
    {5, 120, 480, 2, 0x002B2B57, QT_TRANSLATE_NOOP("ColourDialog", "Σκούρο κεραμιδί")},
    {9, 360, 480, 1, 0x001F3F3F, QT_TRANSLATE_NOOP("ColourDialog", "Σκούρο λαδί")},
    {4, 600, 480, 3, 0x00444444, QT_TRANSLATE_NOOP("ColourDialog", "Σκούρο γκρι, το αρχικό χρώμα")},
}};

ColourDialog::ColourDialog(ControlGate &gate, VbColor current, const QWidget &opener)
    : QWidget(nullptr, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint), m_gate(gate)
{
    setObjectName(QStringLiteral("Dialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QCoreApplication::translate("ColourDialog", "Επιλογή Χρώματος"));
    setFixedSize(px(1650), px(915));

    Frame1 = new Frame(QCoreApplication::translate("ColourDialog", "Παλέττα"), 0x000000, this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setBackColor(0xC0C0C0);
    Frame1->setFont(designFont(QStringLiteral("Comic Sans MS"), 9));
    Frame1->setGeometry(twipsRect(0, 0, 975, 855));

    for (std::size_t i = 0; i < Palette.size(); ++i) {
        const Swatch &swatch = Palette[i];
        auto *button = new FormsButton(swatch.color, Frame1);
        button->setObjectName(QStringLiteral("CommandButton1_%1").arg(swatch.index));
        button->setGeometry(twipsRect(swatch.left, swatch.top, 255, 255));
        button->setFocusPolicy(Qt::StrongFocus);
        button->setAccessibleName(QCoreApplication::translate("ColourDialog", swatch.name));
        // Like the main window's controls, the swatches and the close button wait while a
        // question is open: the picker must not close under it.
        gate.connectHandler(button, [this, i] { CommandButton1_Click(int(i)); });
        CommandButton1[i] = button;
    }

    Command1 = new QPushButton(QStringLiteral("X"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setAccessibleName(QCoreApplication::translate("ColourDialog", "Κλείσιμο"));
    Command1->setFont(designFont(QStringLiteral("Comic Sans MS"), 9.75, true));
    Command1->setGeometry(twipsRect(1200, 240, 255, 285));
    gate.connectHandler(Command1, [this] { Command1_Click(); });
    gate.guard(this); // Escape, while the window itself has the keyboard

    // Tab order by the palette's tab positions, the close button last; focus starts on the first.
    std::array<QWidget *, 7> order{};
    for (std::size_t i = 0; i < Palette.size(); ++i)
        order[std::size_t(Palette[i].tabOrder - 1)] = CommandButton1[i];
    order[6] = Command1;
    for (std::size_t i = 0; i + 1 < order.size(); ++i)
        setTabOrder(order[i], order[i + 1]);
    // The picker opens on the window's colour, marked on its swatch and told to a screen
    // reader; a colour of no swatch leaves the keyboard at the start of the tab order.
    order[0]->setFocus();
    for (FormsButton *swatch : CommandButton1) {
        if (swatch->backColor() != current)
            continue;
        swatch->setMarked(true);
        swatch->setAccessibleDescription(QCoreApplication::translate("ColourDialog", "Το τωρινό χρώμα του παραθύρου."));
        swatch->setFocus();
    }
    new FocusRing(this);

    // Opens beside the colour button that called it.
    const QPoint button = opener.mapToGlobal(QPoint(0, opener.height() / 2));
    move(button - QPoint(width() + 12, height() / 2));
}

void ColourDialog::CommandButton1_Click(int swatch)
{
    emit colourChosen(Palette[std::size_t(swatch)].color, QCoreApplication::translate("ColourDialog", Palette[std::size_t(swatch)].name));
    close();
}

void ColourDialog::Command1_Click()
{
    close();
}

void ColourDialog::keyPressEvent(QKeyEvent *event)
{
    // Escape closes the picker as it would close a dialog, like its close button.
    if (event->key() == Qt::Key_Escape && !m_gate.isBlocked(Command1)) {
        Command1_Click();
        return;
    }
    QWidget::keyPressEvent(event);
}

} // namespace numbolo
