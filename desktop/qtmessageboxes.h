#pragma once
// The real message boxes: Qt's QMessageBox, with Greek buttons.

#include "services/services.h"

#include <QPointer>
#include <QWidget>

namespace numbolo {

class QtMessageBoxes : public MessageBoxes {
public:
    MessageAnswer show(const Message &message) override;
    void setOwner(QWidget *window) override;

private:
    // Always the main window, never the active one: a box parented to a secondary window
    // would be deleted with it if that window went away while the box was open.
    QPointer<QWidget> m_owner;
};

} // namespace numbolo
