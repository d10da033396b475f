#include "desktop/qtmessageboxes.h"

#include "speech/speech.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>

namespace numbolo {

void QtMessageBoxes::setOwner(QWidget *window)
{
    m_owner = window;
}

MessageAnswer QtMessageBoxes::show(const Message &message)
{
    // Over the main window, so the box opens centred on it.
    QMessageBox box(m_owner.data());
    box.setWindowTitle(message.title);
    box.setText(message.text);
    // The text as the screen shows it, heard without the marks a screen reader would name.
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label")))
        label->setAccessibleName(speech().forTheEar(message.text));
    switch (message.icon) {
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    QPushButton *yes = nullptr;
    QPushButton *no = nullptr;
    QPushButton *ok = nullptr;
    if (message.buttons == MessageButtons::YesNo) {
        yes = box.addButton(QCoreApplication::translate("MessageBoxes", "Ναι"), QMessageBox::YesRole);
        no = box.addButton(QCoreApplication::translate("MessageBoxes", "Όχι"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
    } else {
        ok = box.addButton(QCoreApplication::translate("MessageBoxes", "Εντάξει"), QMessageBox::AcceptRole);
        box.setDefaultButton(ok);
        box.setEscapeButton(ok);
    }
    box.exec();
    const auto *clicked = box.clickedButton();
    if (clicked == nullptr)
        return MessageAnswer::Dismissed;
    if (clicked == yes)
        return MessageAnswer::Yes;
    if (clicked == no)
        return MessageAnswer::No;
    return MessageAnswer::Ok;
}

} // namespace numbolo
