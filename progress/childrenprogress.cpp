#include "progress/childrenprogress.h"

#include "classstore/classqueue.h"
#include "profiles/profilename.h"
#include "profiles/profilepictures.h"
#include "progress/progress.h"
#include "store/pendingfile.h"
#include "store/sqlhistorysource.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QFileInfo>
#include <QCoreApplication>
#include <QFileSystemWatcher>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

namespace numbolo {

namespace {

// The order of "Παιδί:": who played last first, then those who never played, alphabetically.
void sortByLastPlay(std::vector<Profile> &profiles, const ProfileList &list)
{
    ProfileList::sortByName(profiles);
    std::vector<std::pair<QDateTime, Profile>> dated;
    for (Profile &profile : profiles)
        dated.emplace_back(list.lastPlayed(profile), std::move(profile));
    std::stable_sort(dated.begin(), dated.end(), [](const auto &a, const auto &b) {
        return a.first.isValid() && (!b.first.isValid() || a.first > b.first);
    });
    profiles.clear();
    for (auto &[when, profile] : dated)
        profiles.push_back(std::move(profile));
}

} // namespace

ChildrenProgress::ChildrenProgress(const PlayerFiles &account, const QString &childId, const QDate &today,
                                   QWidget *parent)
    : QWidget(parent), m_account(account), m_list(account), m_today(today)
{
    setObjectName(QStringLiteral("ChildrenProgress"));
    setWindowTitle(QCoreApplication::translate("numbolo::ChildrenProgress", "Πρόοδος"));
    ask = [this](const Message &message) {
        const QMessageBox::StandardButtons buttons =
            message.buttons == MessageButtons::YesNo ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok;
        const QMessageBox::Icon icon = message.icon == MessageIcon::Critical ? QMessageBox::Critical
            : message.buttons == MessageButtons::YesNo                      ? QMessageBox::Question
                                                                             : QMessageBox::Information;
        QMessageBox box(icon, message.title, message.text, buttons, this);
        // Qt has no Greek for its own buttons: the question's "Ναι" and "Όχι" are on them.
        static constexpr std::pair<QMessageBox::StandardButton, const char *> Said[] = {
            {QMessageBox::Yes, QT_TRANSLATE_NOOP("numbolo::ChildrenProgress", "Ναι")},
            {QMessageBox::No, QT_TRANSLATE_NOOP("numbolo::ChildrenProgress", "Όχι")},
            {QMessageBox::Ok, QT_TRANSLATE_NOOP("numbolo::ChildrenProgress", "Εντάξει")},
        };
        for (const auto &[button, said] : Said)
            if (QAbstractButton *shown = box.button(button))
                shown->setText(QCoreApplication::translate("numbolo::ChildrenProgress", said));
        if (message.buttons == MessageButtons::YesNo)
            box.setDefaultButton(QMessageBox::No); // a child's files are not deleted by a stray Return
        const int pressed = box.exec();
        return pressed == QMessageBox::Yes ? MessageAnswer::Yes
            : pressed == QMessageBox::No   ? MessageAnswer::No
            : pressed == QMessageBox::Ok   ? MessageAnswer::Ok
                                           : MessageAnswer::Dismissed;
    };
    m_layout = new QVBoxLayout(this);

    auto *choice = new QHBoxLayout;
    auto *childLabel = m_childLabel = new QLabel(QCoreApplication::translate("numbolo::ChildrenProgress", "Παι&δί:"), this);
    childBox = new QComboBox(this);
    childBox->setObjectName(QStringLiteral("childBox"));
    childBox->setAccessibleName(QCoreApplication::translate("numbolo::ChildrenProgress", "Παιδί"));
    childLabel->setBuddy(childBox);
    choice->addWidget(childLabel);
    choice->addWidget(childBox, 1);
    m_layout->addLayout(choice);

    children = new QGroupBox(QCoreApplication::translate("numbolo::ChildrenProgress", "Παιδιά"), this);
    children->setObjectName(QStringLiteral("children"));
    auto *grid = new QGridLayout(children);
    auto *nameLabel = new QLabel(QCoreApplication::translate("numbolo::ChildrenProgress", "Ό&νομα:"), children);
    nameEdit = new QLineEdit(children);
    nameEdit->setObjectName(QStringLiteral("nameEdit"));
    nameEdit->setAccessibleName(QCoreApplication::translate("numbolo::ChildrenProgress", "Όνομα"));
    nameEdit->setMaxLength(200); // longer than any name, so that a name too long is told, not cut
    nameLabel->setBuddy(nameEdit);
    auto *pictureLabel = new QLabel(QCoreApplication::translate("numbolo::ChildrenProgress", "Ει&κόνα:"), children);
    pictureBox = new QComboBox(children);
    pictureBox->setObjectName(QStringLiteral("pictureBox"));
    pictureBox->setAccessibleName(QCoreApplication::translate("numbolo::ChildrenProgress", "Εικόνα"));
    pictureBox->addItem(QCoreApplication::translate("numbolo::ChildrenProgress", "Χωρίς εικόνα"), QString());
    for (const ProfilePicture &picture : ProfilePictures)
        pictureBox->addItem(QIcon(QString::fromLatin1(picture.file)), profilePictureName(picture),
                            QString::fromLatin1(picture.key));
    pictureLabel->setBuddy(pictureBox);
    addButton = new QPushButton(QCoreApplication::translate("numbolo::ChildrenProgress", "&Νέο παιδί"), children);
    addButton->setObjectName(QStringLiteral("addChild"));
    renameButton = new QPushButton(QCoreApplication::translate("numbolo::ChildrenProgress", "&Μετονομασία"), children);
    renameButton->setObjectName(QStringLiteral("renameChild"));
    deleteButton = new QPushButton(QCoreApplication::translate("numbolo::ChildrenProgress", "Διαγρα&φή…"), children);
    deleteButton->setObjectName(QStringLiteral("deleteChild"));
    status = new QLabel(children);
    status->setObjectName(QStringLiteral("childrenStatus"));
    status->setWordWrap(true);
    status->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    // One row, above the child's progress, so that it stays on a small screen.
    grid->addWidget(nameLabel, 0, 0);
    grid->addWidget(nameEdit, 0, 1);
    grid->addWidget(pictureLabel, 0, 2);
    grid->addWidget(pictureBox, 0, 3);
    grid->addWidget(addButton, 0, 4);
    grid->addWidget(renameButton, 0, 5);
    grid->addWidget(deleteButton, 0, 6);
    grid->setColumnStretch(1, 1);
    grid->addWidget(status, 1, 0, 1, 7);
    m_layout->addWidget(children);

    connect(addButton, &QPushButton::clicked, this, &ChildrenProgress::addChild);
    connect(renameButton, &QPushButton::clicked, this, &ChildrenProgress::renameChild);
    connect(deleteButton, &QPushButton::clicked, this, &ChildrenProgress::deleteChild);
    connect(childBox, &QComboBox::activated, this, [this](int index) {
        if (index >= 0 && std::size_t(index) < m_profiles.size())
            showChild(m_profiles[std::size_t(index)].id);
    });
    m_watcher = new QFileSystemWatcher(this);
    connect(m_watcher, &QFileSystemWatcher::directoryChanged, this, &ChildrenProgress::listChanged);
    reload(childId);
    const QSize wanted = sizeHint().expandedTo(QSize(760, 720));
    resize(screen() != nullptr ? wanted.boundedTo(screen()->availableGeometry().size() * 0.9) : wanted);
}

ChildrenProgress::~ChildrenProgress()
{
    // The window reads the history and settings of the files it is given.
    delete m_progress;
}

void ChildrenProgress::reload(const QString &id)
{
    QString error;
    m_list.finishInterrupted(&error);
    std::vector<Profile> read;
    if (!m_list.read(&read, &error))
        tell(error);
    sortByLastPlay(read, m_list);
    m_profiles = std::move(read);
    childBox->clear();
    for (const Profile &profile : m_profiles) {
        const ProfilePicture *picture = profilePicture(profile.picture);
        childBox->addItem(picture != nullptr ? QIcon(QString::fromLatin1(picture->file)) : QIcon(), profile.name);
    }
    const bool any = !m_profiles.empty();
    childBox->setVisible(any);
    m_childLabel->setVisible(any);
    renameButton->setEnabled(any);
    deleteButton->setEnabled(any);
    const auto wanted = std::find_if(m_profiles.begin(), m_profiles.end(), [&id](const Profile &p) { return p.id == id; });
    watch();
    showChild(wanted != m_profiles.end() ? id : any ? m_profiles.front().id : QString());
}

void ChildrenProgress::showChild(const QString &id)
{
    const auto found = std::find_if(m_profiles.begin(), m_profiles.end(), [&id](const Profile &p) { return p.id == id; });
    delete m_progress; // before the files it reads
    m_progress = nullptr;
    m_history.reset();
    if (found != m_profiles.end()) {
        m_files = std::make_unique<ProfileFiles>(m_list.files(*found));
        childBox->setCurrentIndex(int(found - m_profiles.begin()));
        m_shownId = id;
        setWindowTitle(QCoreApplication::translate("numbolo::ChildrenProgress", "Πρόοδος") + QStringLiteral(" \u2014 ") + found->name);
    } else {
        m_files.reset();
        m_shownId.clear();
        setWindowTitle(QCoreApplication::translate("numbolo::ChildrenProgress", "Πρόοδος"));
    }
    const PlayerFiles &files = m_files ? *m_files : m_account;
    m_history = std::make_unique<SqlHistorySource>(files.historyPath());
    m_progress = new ProgressWindow(*m_history, readUnrecorded(files.pendingPath()), m_today, this);
    m_progress->addSettings(files);
    const QueueState waiting = readQueueState(classQueuePath(files.historyPath()));
    m_progress->tellClassQueue(waiting.records, waiting.since);
    m_layout->addWidget(m_progress, 1);
    setAccessibleName(windowTitle());
}

void ChildrenProgress::watch()
{
    // The list is replaced whole, so its folder is watched; before the first profile, the folder
    // that will hold it.
    if (!m_watcher->directories().isEmpty())
        m_watcher->removePaths(m_watcher->directories());
    const QString folder = QFileInfo::exists(m_list.folder()) ? m_list.folder() : QFileInfo(m_list.folder()).absolutePath();
    if (QFileInfo::exists(folder))
        m_watcher->addPath(folder);
}

void ChildrenProgress::listChanged()
{
    std::vector<Profile> read;
    QString error;
    if (!m_list.read(&read, &error))
        return; // being written, or damaged: what is shown stays until it can be read
    const auto same = [](const std::vector<Profile> &a, const std::vector<Profile> &b) {
        return std::is_permutation(a.begin(), a.end(), b.begin(), b.end(), [](const Profile &x, const Profile &y) {
            return x.id == y.id && x.name == y.name && x.picture == y.picture;
        });
    };
    if (same(read, m_profiles)) {
        watch();
        return;
    }
    const auto shown = std::find_if(m_profiles.begin(), m_profiles.end(), [this](const Profile &p) { return p.id == m_shownId; });
    const QString gone = shown != m_profiles.end() && std::none_of(read.begin(), read.end(), [this](const Profile &p) {
        return p.id == m_shownId;
    }) ? shown->name : QString();
    // The window lets go of a deleted child's files, so that nothing of the child is written again.
    reload(m_shownId);
    if (!gone.isEmpty())
        tell(QCoreApplication::translate("numbolo::ChildrenProgress", "Το παιδί «%1» διαγράφηκε από άλλο παράθυρο.").arg(gone));
}

void ChildrenProgress::tell(const QString &said)
{
    status->setText(said);
    status->setAccessibleName(said);
}

void ChildrenProgress::addChild()
{
    const QString name = ProfileName::cleaned(nameEdit->text());
    // The first child takes over the games played so far: the parent says whose they are.
    if (m_profiles.empty() && m_list.accountHasFiles() && !name.isEmpty()) {
        const QString question =
            QCoreApplication::translate("numbolo::ChildrenProgress",
                                        "Σε αυτόν τον λογαριασμό του υπολογιστή έχει ήδη παίξει ένα παιδί. Ήταν το "
                                        "παιδί «%1»;\n\nΝαι: το παιχνίδι, το ιστορικό και οι ρυθμίσεις ως τώρα "
                                        "γίνονται του παιδιού «%1».\nΌχι: δεν φτιάχνεται προφίλ. Φτιάξτε πρώτα το "
                                        "προφίλ του παιδιού που έπαιζε ως τώρα.")
                .arg(name);
        if (ask({MessageIcon::Exclamation, MessageButtons::YesNo, QCoreApplication::translate("numbolo::ChildrenProgress", "Πρόοδος"), question}) != MessageAnswer::Yes) {
            tell(QCoreApplication::translate("numbolo::ChildrenProgress", "Δεν φτιάχτηκε προφίλ."));
            return;
        }
    }
    Profile made;
    QString error;
    const bool done = m_list.create(nameEdit->text(), pictureBox->currentData().toString(), &made, &error);
    if (made.id.isEmpty()) {
        tell(error);
        return;
    }
    nameEdit->clear();
    reload(made.id);
    tell(done ? QCoreApplication::translate("numbolo::ChildrenProgress", "Φτιάχτηκε το προφίλ του παιδιού «%1».").arg(made.name) : error);
}

void ChildrenProgress::renameChild()
{
    const auto shown = std::find_if(m_profiles.begin(), m_profiles.end(), [this](const Profile &p) { return p.id == m_shownId; });
    if (shown == m_profiles.end())
        return;
    // An empty name keeps the name: the picture alone changes.
    const QString typed = nameEdit->text().trimmed().isEmpty() ? shown->name : nameEdit->text();
    QString error;
    if (!m_list.change(m_shownId, typed, pictureBox->currentData().toString(), &error)) {
        tell(error);
        return;
    }
    const QString id = m_shownId;
    nameEdit->clear();
    reload(id);
    tell(QCoreApplication::translate("numbolo::ChildrenProgress", "Το παιδί λέγεται τώρα «%1».").arg(ProfileName::cleaned(typed)));
}

void ChildrenProgress::deleteChild()
{
    const auto shown = std::find_if(m_profiles.begin(), m_profiles.end(), [this](const Profile &p) { return p.id == m_shownId; });
    if (shown == m_profiles.end())
        return;
    const Profile gone = *shown;
    const QString question = QCoreApplication::translate("numbolo::ChildrenProgress", "Να διαγραφεί το παιδί «%1»; Σβήνονται το παιχνίδι του, το ιστορικό του και οι "
                                  "ρυθμίσεις του. Αυτό δεν αναιρείται.")
                                 .arg(gone.name);
    if (ask({MessageIcon::Exclamation, MessageButtons::YesNo, QCoreApplication::translate("numbolo::ChildrenProgress", "Πρόοδος"), question}) != MessageAnswer::Yes)
        return;
    // The window lets go of the child's history before its files go.
    delete m_progress;
    m_progress = nullptr;
    m_history.reset();
    QString error;
    const bool done = m_list.remove(gone.id, &error);
    reload(done ? QString() : gone.id);
    tell(done ? QCoreApplication::translate("numbolo::ChildrenProgress", "Το παιδί «%1» διαγράφηκε.").arg(gone.name) : error);
}

} // namespace numbolo
