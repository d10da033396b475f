#pragma once
// Form3, the success window: it holds the game after a solved exercise until "ΟΚ" is pressed.
// It tells the main window what happened; the main window decides what follows.

#include <QWidget>

class QLabel;
class QPushButton;

namespace numbolo {

class ImageButton;

class Form3 : public QWidget {
    Q_OBJECT
public:
    // Loads the window over `main`, centred on it.
    explicit Form3(QWidget &main);

    QLabel *Label1;
    QPushButton *Command1;

    // Emits okPressed.
    void Command1_Click();
    // Closes the window: the only close it takes.
    void unload();

signals:
    void okPressed();
    // A close from the keyboard or the window manager, which the window refused.
    void closeRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    bool m_unloading = false;
};

} // namespace numbolo
