#include "history/parentsettingsview.h"

#include "game/parentsettings.h"
#include "services/services.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFormLayout>
#include <QLabel>
#include <QMessageBox>
#include <QSignalBlocker>

namespace numbolo {

ParentSettingsView::ParentSettingsView(const SettingsLocation &location, QWidget *parent)
    : QGroupBox(QStringLiteral("Ρυθμίσεις για το παιδί"), parent), m_location(location)
{
    setObjectName(QStringLiteral("parentSettings"));
    auto *form = new QFormLayout(this);

    secondsBox = new QComboBox(this);
    secondsBox->setObjectName(QStringLiteral("secondsPerExercise"));
    for (const int seconds : Parents::SecondsChoices)
        secondsBox->addItem(Parents::secondsText(seconds), seconds);
    secondsBox->setAccessibleName(QStringLiteral("Χρόνος ανά άσκηση"));
    secondsBox->setToolTip(QStringLiteral("Περισσότερος χρόνος, ή χωρίς όριο, για ένα παιδί που παίζει με "
                                          "αναγνώστη οθόνης ή με το πληκτρολόγιο, ή που χρειάζεται χρόνο"));
    auto *secondsLabel = new QLabel(QStringLiteral("&Χρόνος ανά άσκηση:"), this);
    secondsLabel->setBuddy(secondsBox);
    form->addRow(secondsLabel, secondsBox);

    typingBox = new QCheckBox(QStringLiteral("Το π&ληκτρολόγιο πατά τα πλήκτρα του παιχνιδιού"), this);
    typingBox->setObjectName(QStringLiteral("keyboardTyping"));
    typingBox->setToolTip(QStringLiteral("Ψηφία, πράξεις, «=» ή Enter, Backspace για «<X» και Delete για «Cl» "
                                         "πατούν τα πλήκτρα του παιχνιδιού, όπως ένα κλικ"));
    form->addRow(QStringLiteral("Πληκτρολόγιο:"), typingBox);

    auto *note = new QLabel(QStringLiteral("Οι αλλαγές ισχύουν από το επόμενο παιχνίδι που θα ξεκινήσει."), this);
    note->setObjectName(QStringLiteral("settingsNote"));
    note->setWordWrap(true);
    form->addRow(note);
    status = new QLabel(this);
    status->setObjectName(QStringLiteral("settingsStatus"));
    status->setWordWrap(true);
    status->setTextInteractionFlags(Qt::TextSelectableByMouse);
    status->hide();
    form->addRow(status);

    warn = [this](const QString &text) { QMessageBox::warning(this, QStringLiteral("Πρόοδος"), text); };
    showStored();
    // Only a parent's own changes are written: activated and clicked come from the user alone.
    connect(secondsBox, &QComboBox::activated, this, &ParentSettingsView::save);
    connect(typingBox, &QCheckBox::clicked, this, &ParentSettingsView::save);
}

void ParentSettingsView::showStored()
{
    const ParentSettings stored = Parents::read(m_location.iniPath());
    const QSignalBlocker blockSeconds(secondsBox), blockTyping(typingBox);
    secondsBox->setCurrentIndex(secondsBox->findData(stored.secondsPerExercise));
    typingBox->setChecked(stored.keyboardTyping);
}

void ParentSettingsView::save()
{
    ParentSettings chosen;
    chosen.secondsPerExercise = secondsBox->currentData().toInt();
    chosen.keyboardTyping = typingBox->isChecked();
    QString error;
    const StoredSettings::Saved saved = Parents::write(m_location, chosen, &error);
    // The controls show what the game will read, also where the file kept its old values.
    showStored();
    const QString file = QDir::toNativeSeparators(m_location.iniPath());
    QString text;
    if (saved == StoredSettings::Saved::No)
        text = QStringLiteral("Η ρύθμιση δεν αποθηκεύτηκε στο αρχείο %1: %2 Φαίνονται οι ρυθμίσεις που ισχύουν.")
                   .arg(file, error);
    else if (saved == StoredSettings::Saved::Unconfirmed)
        text = QStringLiteral("Η ρύθμιση γράφτηκε στο αρχείο %1, αλλά: %2").arg(file, error);
    status->setText(text);
    status->setVisible(!text.isEmpty());
    if (!text.isEmpty())
        warn(text);
}

} // namespace numbolo
