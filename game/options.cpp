// The red arrow Image6: starts a game from the two option boxes, or skips an exercise.

#include "engine/exercise.h"
#include "game/announce.h"
#include "game/form1.h"
#include "arithmetic/numbertext.h"
#include "services/programname.h"

#include <QCoreApplication>
#include <cmath>

namespace numbolo {

namespace {

const QString AppTitle = ProgramName;

// The range and count checks: a text that is not a number fails the check.
bool rangeInBand(std::optional<double> m)
{
    return m && !(*m > -100 && *m < 100);
}

bool rangeWithinLimits(double m)
{
    return !(m > 9999 || std::floor(m) != m || m < -9999);
}

bool countValid(std::optional<double> r)
{
    return r && !(*r > 300 || *r < 10 || std::floor(*r) != *r);
}

// A rejected option box is emptied, and the keyboard goes to it to type the value again. The
// focus moves first: a screen reader that learns of the emptied box while it already has the
// focus takes it as focused without reading it out.
void correctAgain(TextBox *box)
{
    box->setFocus(Qt::OtherFocusReason);
    box->setText(QString());
}

} // namespace

void Form1::Image6_Click()
{
    // A failing operation here never ends the program: a check that cannot be read counts as
    // failed, and a failure inside the exercise procedures leaves the rest of the click undone.
    const auto cur = NumberText::parse(Text17->text());
    if (!cur || *cur != 0) {
        // The answer is about the exercise on screen now; if that one is over by the time the
        // answer comes (the countdown ran out meanwhile), the answer changes nothing.
        const quint64 asked = exerciseShown();
        if (message(MessageIcon::Information, MessageButtons::YesNo, QCoreApplication::translate("Form1", "Επιβεβαίωση"),
                    QCoreApplication::translate("Form1", "Θές σιγουρα να παραλείψεις την τρέχουσα άσκηση και να προχωρήσεις στην επόμενη;"))
                == MessageAnswer::Yes
            && exerciseShown() == asked)
            skipOnError([this] { AdvanceExercise(); });
        return;
    }

    // Each box is checked on its normalised text: "150.00000000000003" shows as "150" and is 150.
    const auto typed = NumberText::parse(Text14->text());
    if (rangeInBand(typed))
        Text14->setText(NumberText::format(*typed + 0));
    const auto m = NumberText::parse(Text14->text());
    if (!rangeInBand(typed) || !m || !rangeWithinLimits(*m)) {
        message(MessageIcon::Critical, MessageButtons::Ok, AppTitle,
                QCoreApplication::translate("Form1", "Στο πεδίο  \"Αριθμοί 0 -  \", επιτρέπονται ακέραιοι αριθμοί από 100 εως 9999 ή -9999 εως -100"));
        if (!hasEnded())
            correctAgain(Text14);
        return;
    }

    if (const auto typedCount = NumberText::parse(Text16->text()))
        Text16->setText(NumberText::format(*typedCount + 0));
    const auto r = NumberText::parse(Text16->text());
    if (!countValid(r)) {
        message(MessageIcon::Critical, MessageButtons::Ok, AppTitle,
                QCoreApplication::translate("Form1", "Ο ελάχιστος αριθμός ασκήσεων είναι 10 και ο μέγιστος 300!"));
        if (!hasEnded())
            correctAgain(Text16);
        return;
    }

    Text14->setLocked(true);
    Text16->setLocked(true);
    // A setting a parent changed meanwhile counts from this game on.
    readParentSettings();
    resetCountdown();
    Text12->setText(NumberText::format(Exercise::startLevel(*m, *r)));
    Text18->setText(NumberText::format(Exercise::startRange(*m, *r)));
    skipOnError([this] { DrawExercise(); });
    skipOnError([this] { Text17->setText(NumberText::format(NumberText::parseOrThrow(Text17->text()) + 1)); });
    Announce::timeSetting(*this);
    Announce::exercise(*this);
    // The history has the game before the settings do: a start whose record is lost is never
    // played, and a game in the settings always has its start in the history, or is made there
    // from its first record.
    newGameId();
    m_play.gameStarted(gameFacts());
    checkpoint(); // the game has started
}

} // namespace numbolo
