#include "windows/profilechooser.h"

#include "controls/windowicon.h"
#include "profiles/profilepictures.h"

#include <QCoreApplication>
#include <QGridLayout>
#include <QIcon>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace numbolo {

namespace {

constexpr int Columns = 3;

} // namespace

ProfileChooser::ProfileChooser(std::vector<Profile> profiles, QWidget *parent)
    : QDialog(parent), m_profiles(std::move(profiles))
{
    ProfileList::sortByName(m_profiles);
    setObjectName(QStringLiteral("ProfileChooser"));
    setWindowTitle(QCoreApplication::translate("ProfileChooser", "Ποιος παίζει;"));
    setWindowIcon(programIcon());
    auto *layout = new QVBoxLayout(this);
    layout->setSpacing(16);
    layout->setContentsMargins(24, 24, 24, 24);

    auto *question = new QLabel(windowTitle(), this);
    question->setObjectName(QStringLiteral("question"));
    QFont large = question->font();
    large.setPointSizeF(large.pointSizeF() * 2);
    large.setBold(true);
    question->setFont(large);
    question->setAlignment(Qt::AlignCenter);
    layout->addWidget(question);

    auto *grid = new QGridLayout;
    grid->setSpacing(12);
    QFont named = font();
    named.setPointSizeF(named.pointSizeF() * 1.6);
    for (const Profile &profile : m_profiles) {
        // A name is shown as it was typed: "&" is no mnemonic here.
        auto *button = new QPushButton(QString(profile.name).replace(QLatin1Char('&'), QLatin1String("&&")), this);
        button->setObjectName(QStringLiteral("profile%1").arg(buttons.size()));
        button->setFont(named);
        button->setMinimumSize(220, 96);
        button->setIconSize(QSize(64, 64));
        button->setAccessibleName(profile.name);
        if (const ProfilePicture *picture = profilePicture(profile.picture)) {
            button->setIcon(QIcon(QString::fromLatin1(picture->file)));
            button->setAccessibleDescription(profilePictureName(*picture));
        }
        button->setAutoDefault(true);
        button->installEventFilter(this);
        connect(button, &QPushButton::clicked, this, [this, profile] {
            m_chosen = profile;
            accept();
        });
        const int place = int(buttons.size());
        grid->addWidget(button, place / Columns, place % Columns);
        buttons.push_back(button);
    }
    layout->addLayout(grid);
    if (!buttons.empty()) {
        buttons.front()->setDefault(true);
        buttons.front()->setFocus();
    }
}

bool ProfileChooser::eventFilter(QObject *watched, QEvent *event)
{
    // The arrow keys go through the children in their order, as Tab does, and stop at the ends;
    // a button's own arrow keys would go round the grid and wrap.
    const auto focused = std::find(buttons.begin(), buttons.end(), watched);
    if (event->type() != QEvent::KeyPress || focused == buttons.end())
        return QDialog::eventFilter(watched, event);
    int step = 0;
    switch (static_cast<QKeyEvent *>(event)->key()) {
    case Qt::Key_Left:
    case Qt::Key_Up: step = -1; break;
    case Qt::Key_Right:
    case Qt::Key_Down: step = 1; break;
    default: return QDialog::eventFilter(watched, event);
    }
    const long next = std::clamp<long>((focused - buttons.begin()) + step, 0, long(buttons.size()) - 1);
    buttons[std::size_t(next)]->setFocus(Qt::TabFocusReason);
    return true;
}

} // namespace numbolo
