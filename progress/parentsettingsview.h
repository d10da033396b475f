#pragma once
// The settings a parent or teacher gives the child, in the progress window: "Χρόνος ανά άσκηση"
// and a keyboard that presses the keypad's keys. Each change is written at once into [Parents]
// of the settings file the game reads, and counts from the next game that starts.

#include <QGroupBox>

#include <functional>

class QButtonGroup;
class QCheckBox;
class QLabel;

namespace numbolo {

class PlayerFiles;

class ParentSettingsView : public QGroupBox {
    Q_OBJECT
public:
    explicit ParentSettingsView(const PlayerFiles &location, QWidget *parent = nullptr);

    // "Χρόνος ανά άσκηση": a radio button per choice, its id the seconds (0: no limit). A screen
    // reader reads radio buttons with their group and their state; a closed combo box of Qt's
    // reached Orca without its value.
    QButtonGroup *secondsGroup;
    QCheckBox *typingBox;
    // When the settings count: the last control Tab reaches.
    QLabel *note;
    // Why the latest change was not saved; empty while every change was.
    QLabel *status;
    // Tells the parent that a change was not saved: a message box, unless replaced.
    std::function<void(const QString &text)> warn;

private:
    void save();
    // Shows what the settings file holds, whatever was chosen.
    void showStored();

    const PlayerFiles &m_location;
};

} // namespace numbolo
