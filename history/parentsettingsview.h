#pragma once
// The settings a parent or teacher gives the child, in the progress window: "Χρόνος ανά άσκηση"
// and a keyboard that presses the keypad's keys. Each change is written at once into [Parents]
// of the settings file the game reads, and counts from the next game that starts.

#include <QGroupBox>

#include <functional>

class QCheckBox;
class QComboBox;
class QLabel;

namespace numbolo {

class SettingsLocation;

class ParentSettingsView : public QGroupBox {
    Q_OBJECT
public:
    explicit ParentSettingsView(const SettingsLocation &location, QWidget *parent = nullptr);

    QComboBox *secondsBox;
    QCheckBox *typingBox;
    // Why the latest change was not saved; empty while every change was.
    QLabel *status;
    // Tells the parent that a change was not saved: a message box, unless replaced.
    std::function<void(const QString &text)> warn;

private:
    void save();
    // Shows what the settings file holds, whatever was chosen.
    void showStored();

    const SettingsLocation &m_location;
};

} // namespace numbolo
