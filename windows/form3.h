#pragma once
// Form3, the success window: it holds the game after a solved exercise until "ΟΚ" is pressed.

#include <QWidget>

class QLabel;
class QPushButton;

namespace numbolo {

class Form1;
class ImageButton;

class Form3 : public QWidget {
    Q_OBJECT
public:
    // Loads the window over `main`; loading disables the main window.
    explicit Form3(Form1 &main);

    QLabel *Label1;
    QPushButton *Command1;

    void Form_Load();
    // Enables the main window and moves the game on. The window closes only if the game goes on:
    // after the last exercise it stays open over the results.
    void Command1_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    Form1 &m_main;
    bool m_unloading = false;
};

} // namespace numbolo
