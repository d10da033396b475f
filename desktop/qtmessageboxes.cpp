#include "desktop/qtmessageboxes.h"

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
    switch (message.icon) {
    case MessageIcon::Information: box.setIcon(QMessageBox::Information); break;
    case MessageIcon::Exclamation: box.setIcon(QMessageBox::Warning); break;
    case MessageIcon::Critical: box.setIcon(QMessageBox::Critical); break;
    }
    QPushButton *yes = nullptr;
    QPushButton *no = nullptr;
    QPushButton *ok = nullptr;
    if (message.buttons == MessageButtons::YesNo) {
        yes = box.addButton(QStringLiteral("Ναι"), QMessageBox::YesRole);
        no = box.addButton(QStringLiteral("Όχι"), QMessageBox::NoRole);
        box.setDefaultButton(yes);
        box.setEscapeButton(no);
    } else {
        ok = box.addButton(QStringLiteral("Εντάξει"), QMessageBox::AcceptRole);
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
