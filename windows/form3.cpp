#include "windows/form3.h"

#include "controls/buttons.h"
#include "controls/designfont.h"
#include "controls/focusring.h"
#include "controls/vb.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>

namespace numbolo {

Form3::Form3(QWidget &main) : QWidget(&main, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
{
    setObjectName(QStringLiteral("Form3"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QCoreApplication::translate("Form3", "Συγχαρητήρια!"));
    setFixedSize(px(4080), px(1365));
    setAutoFillBackground(true);
    setPaletteColor(this, QPalette::Window, 0xC0C0C0);
    setPaletteColor(this, QPalette::WindowText, 0x000000);
    setFont(designFont(QStringLiteral("Comic Sans MS"), 9.75, true));

    auto *tick = new ImageButton(QStringLiteral(":/pictures/tick.svg"), this);
    tick->setObjectName(QStringLiteral("Image1"));
    tick->setCursor(Qt::ArrowCursor);
    tick->setFocusPolicy(Qt::NoFocus); // a picture only: it does nothing
    tick->setAccessibleName(QCoreApplication::translate("Form3", "Επιτυχία"));
    tick->setGeometry(twipsRect(120, 120, 750, 750));

    Label1 = new QLabel(QCoreApplication::translate("Form3", "Η άσκηση αυτή ολοκληρώθηκε με επιτυχία!"), this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setWordWrap(true);
    Label1->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label1->setGeometry(twipsRect(1080, 120, 2775, 615));
    shrinkToFit(Label1);

    // Greek capital omicron and kappa.
    Command1 = new QPushButton(QStringLiteral("\u039F\u039A"), this);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(designFont(QStringLiteral("Comic Sans MS"), 9, true));
    Command1->setGeometry(twipsRect(1800, 840, 495, 435));
    Command1->setDefault(true);
    // Read as a word, not as two Greek letters; the message comes with it, since the window
    // opens with the keyboard on the button.
    Command1->setAccessibleName(QCoreApplication::translate("Form3", "Εντάξει"));
    Command1->setAccessibleDescription(Label1->text());
    Command1->setFocus(Qt::OtherFocusReason);
    connect(Command1, &QPushButton::clicked, this, &Form3::Command1_Click);
    new FocusRing(this);

    // Centred over the main window.
    move(main.geometry().center() - rect().center());
}

void Form3::Command1_Click()
{
    emit okPressed();
}

void Form3::unload()
{
    m_unloading = true;
    close();
}

void Form3::closeEvent(QCloseEvent *event)
{
    // The title bar has no close button; a close from the keyboard or the window manager would
    // leave the main window disabled for good, so only unload() closes this window. The main
    // window hears of the others: after the last exercise, when this window stays over the
    // results, closing it (Alt+F4, as the end of the game tells a screen-reader user) closes
    // the game.
    if (m_unloading) {
        event->accept();
        return;
    }
    event->ignore();
    emit closeRequested();
}

} // namespace numbolo
