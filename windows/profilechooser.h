#pragma once
// "Ποιος παίζει;": the window that asks who plays, where children share the computer account
// each with a profile of their own, before the game window opens. A large button for each
// child, with the child's name and picture, in alphabetical order; the first child has the
// keyboard. Tab and Shift+Tab, or the arrow keys, go from child to child, Space or Return chooses
// one, and Escape or closing the window chooses no one.

#include "profiles/profilelist.h"

#include <QDialog>

#include <optional>
#include <vector>

class QPushButton;

namespace numbolo {

class ProfileChooser : public QDialog {
    Q_OBJECT
public:
    explicit ProfileChooser(std::vector<Profile> profiles, QWidget *parent = nullptr);

    // The child chosen; none until one is, and none where the window was closed.
    std::optional<Profile> chosen() const { return m_chosen; }

    // A button for each child, in the order shown.
    std::vector<QPushButton *> buttons;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::vector<Profile> m_profiles;
    std::optional<Profile> m_chosen;
};

} // namespace numbolo
