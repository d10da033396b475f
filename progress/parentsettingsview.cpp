#include "progress/parentsettingsview.h"

#include "settings/parentsettings.h"
#include "services/services.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

namespace numbolo {

ParentSettingsView::ParentSettingsView(const PlayerFiles &location, QWidget *parent)
    : QGroupBox(QCoreApplication::translate("ParentSettings", "Ρυθμίσεις για το παιδί"), parent), m_location(location)
{
    setObjectName(QStringLiteral("parentSettings"));
    auto *layout = new QVBoxLayout(this);

    // Its mnemonic takes the keyboard to the chosen time; the arrow keys choose another.
    auto *times = new QGroupBox(QCoreApplication::translate("ParentSettings", "&Χρόνος ανά άσκηση"), this);
    times->setObjectName(QStringLiteral("secondsPerExercise"));
    // Named as it reads: without it Qt names a group inside a group after the outer one.
    times->setAccessibleName(QCoreApplication::translate("ParentSettings", "Χρόνος ανά άσκηση"));
    times->setToolTip(QCoreApplication::translate("ParentSettings", "Περισσότερος χρόνος, ή χωρίς όριο, για ένα παιδί που παίζει με "
                                     "αναγνώστη οθόνης ή με το πληκτρολόγιο, ή που χρειάζεται χρόνο"));
    auto *timesLayout = new QVBoxLayout(times);
    secondsGroup = new QButtonGroup(this);
    for (const int seconds : Parents::SecondsChoices) {
        auto *choice = new QRadioButton(Parents::secondsText(seconds), times);
        choice->setObjectName(QStringLiteral("seconds%1").arg(seconds));
        secondsGroup->addButton(choice, seconds);
        timesLayout->addWidget(choice);
    }
    layout->addWidget(times);

    typingBox = new QCheckBox(QCoreApplication::translate("ParentSettings", "Το π&ληκτρολόγιο πατά τα πλήκτρα του παιχνιδιού"), this);
    typingBox->setObjectName(QStringLiteral("keyboardTyping"));
    typingBox->setToolTip(QCoreApplication::translate("ParentSettings", "Ψηφία, πράξεις, «=» ή Enter, Backspace για «<X» και Delete για «Cl» "
                                         "πατούν τα πλήκτρα του παιχνιδιού, όπως ένα κλικ"));
    layout->addWidget(typingBox);

    note = new QLabel(QCoreApplication::translate("ParentSettings", "Οι αλλαγές ισχύουν από το επόμενο παιχνίδι που θα ξεκινήσει."), this);
    note->setObjectName(QStringLiteral("settingsNote"));
    note->setWordWrap(true);
    note->setTextInteractionFlags(Qt::TextSelectableByKeyboard | Qt::TextSelectableByMouse);
    note->setFocusPolicy(Qt::StrongFocus); // read in its place as Tab passes
    layout->addWidget(note);
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("settingsStatus"));
    status->setWordWrap(true);
    status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status->hide();
    layout->addWidget(status);

    warn = [this](const QString &text) { QMessageBox::warning(this, QCoreApplication::translate("ParentSettings", "Πρόοδος"), text); };
    showStored();
    // Only a parent's own changes are written: clicks, and the arrow keys' choices, come from the
    // user alone.
    connect(secondsGroup, &QButtonGroup::idClicked, this, &ParentSettingsView::save);
    connect(typingBox, &QCheckBox::clicked, this, &ParentSettingsView::save);
}

void ParentSettingsView::showStored()
{
    const ParentSettings stored = Parents::read(m_location.iniPath());
    QAbstractButton *chosen = secondsGroup->button(stored.secondsPerExercise);
    chosen->setChecked(true);
    typingBox->setChecked(stored.keyboardTyping);
    // The keyboard comes to the group at the time that holds: Tab does so itself, and the tab's
    // page gives it to the first of its controls, so the chosen one goes first.
    QWidget *previous = chosen;
    for (QAbstractButton *other : secondsGroup->buttons()) {
        if (other != chosen) {
            QWidget::setTabOrder(previous, other);
            previous = other;
        }
    }
}

void ParentSettingsView::save()
{
    ParentSettings chosen;
    chosen.secondsPerExercise = secondsGroup->checkedId();
    chosen.keyboardTyping = typingBox->isChecked();
    QString error;
    const StoredSettings::Saved saved = Parents::write(m_location, chosen, &error);
    // The controls show what the game will read, also where the file kept its old values.
    showStored();
    const QString file = QDir::toNativeSeparators(m_location.iniPath());
    QString text;
    if (saved == StoredSettings::Saved::No)
        text = QCoreApplication::translate("ParentSettings", "Η ρύθμιση δεν αποθηκεύτηκε στο αρχείο %1: %2 Φαίνονται οι ρυθμίσεις που ισχύουν.")
                   .arg(file, error);
    else if (saved == StoredSettings::Saved::Unconfirmed)
        text = QCoreApplication::translate("ParentSettings", "Η ρύθμιση γράφτηκε στο αρχείο %1, αλλά: %2").arg(file, error);
    status->setText(text);
    status->setVisible(!text.isEmpty());
    if (!text.isEmpty())
        warn(text);
}

} // namespace numbolo
