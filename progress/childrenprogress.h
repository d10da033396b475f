#pragma once
// "Πρόοδος" of a computer account whose children may each have a profile: one child's progress
// at a time, chosen at the top ("Παιδί:", the child who played last first), and "Παιδιά", where
// a parent makes, renames and deletes the children's profiles. Without profiles it shows the
// account's own player, as the progress window always has, and "Παιδιά" makes the first.

#include "profiles/profilelist.h"
#include "services/services.h"

#include <QWidget>

#include <functional>
#include <memory>

class QComboBox;
class QFileSystemWatcher;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QVBoxLayout;

namespace numbolo {

class HistorySource;
class ProgressWindow;

class ChildrenProgress : public QWidget {
    Q_OBJECT
public:
    // The progress of the account whose own files `account` names (it must outlive this),
    // showing the profile `childId` first where there is one; `today` as the window takes it (by
    // default the clock's day, each time it is asked).
    explicit ChildrenProgress(const PlayerFiles &account, const QString &childId = {},
                              const QDate &today = {}, QWidget *parent = nullptr);
    ~ChildrenProgress() override;

    // The profiles, in the order "Παιδί:" lists them.
    const std::vector<Profile> &profiles() const { return m_profiles; }
    // The progress shown now, and whose it is: a profile's id, empty for the account's own.
    ProgressWindow *progress() const { return m_progress; }
    QString shownId() const { return m_shownId; }

    QComboBox *childBox;   // "Παιδί:", hidden without profiles
    QGroupBox *children;   // "Παιδιά"
    QLineEdit *nameEdit;   // the name of a new child, or a child's new name
    QComboBox *pictureBox; // "Εικόνα:": none, or one of the pictures
    QPushButton *addButton;
    QPushButton *renameButton;
    QPushButton *deleteButton;
    QLabel *status; // what the latest change did, or why it could not
    // Asks the parent; a message box, unless replaced.
    std::function<MessageAnswer(const Message &message)> ask;

    // What the buttons do.
    void addChild();
    void renameChild();
    void deleteChild();
    // Shows what another window changed in the list: a child it deleted is no longer shown.
    void listChanged();

private:
    // Reads the profiles anew and shows the child `id` (empty: the one who played last).
    void reload(const QString &id);
    void showChild(const QString &id);
    void tell(const QString &text);
    void watch();

    const PlayerFiles &m_account;
    ProfileList m_list;
    QDate m_today;
    std::vector<Profile> m_profiles;
    QString m_shownId;
    QVBoxLayout *m_layout;
    QLabel *m_childLabel;
    std::unique_ptr<PlayerFiles> m_files;
    std::unique_ptr<HistorySource> m_history;
    ProgressWindow *m_progress = nullptr;
    QFileSystemWatcher *m_watcher;
};

} // namespace numbolo
