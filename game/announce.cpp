#include "game/announce.h"

#include "game/form1.h"
#include "arithmetic/numbertext.h"
#include "services/programname.h"
#include "speech/speech.h"

#include <QCoreApplication>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>
#include <utility>

namespace numbolo {

namespace {

// "a, b και c"
QString listed(const QStringList &items)
{
    if (items.size() < 2)
        return items.join(QString());
    return QStringList(items.mid(0, items.size() - 1)).join(QStringLiteral(", ")) + QCoreApplication::translate("Announce", " και ") + items.last();
}

// The targets still on screen, in reading order, as spoken.
QStringList targetsOnScreen(const Form1 &form)
{
    QStringList targets;
    for (TextBox *box : targetsInReadingOrder(form))
        if (!box->text().isEmpty())
            targets << spokenNumber(box->text());
    return targets;
}

} // namespace

std::vector<TextBox *> targetsInReadingOrder(const Form1 &form)
{
    return {form.Text3, form.Text6, form.Text2, form.Text7, form.Text5, form.Text4, form.Text8, form.Text9};
}

QString spokenNumber(const QString &text)
{
    return speech().number(text);
}

QString spokenExpression(const QString &text)
{
    return speech().expression(text);
}

QString remainingTargets(const Form1 &form)
{
    if (!form.Frame1->isFrameEnabled())
        return QCoreApplication::translate("Announce", "Το παιχνίδι τελείωσε. Δεν απομένουν αριθμοί στόχοι για να παίξεις.");
    const QStringList targets = targetsOnScreen(form);
    if (targets.isEmpty())
        return QCoreApplication::translate("Announce", "Δεν απομένει κανένας αριθμός στόχος.");
    if (targets.size() == 1)
        return QCoreApplication::translate("Announce", "Απομένει ο αριθμός στόχος %1.").arg(targets.first());
    return QCoreApplication::translate("Announce", "Απομένουν οι αριθμοί στόχοι %1.").arg(listed(targets));
}

QString spokenResults(const Form1 &form, int percentage)
{
    const QString solved = spokenNumber(form.Text13->text()), of = spokenNumber(form.Text16->text());
    const QString count = form.Text13->text() == QLatin1String("1")
        ? QCoreApplication::translate("Announce", "Λύθηκε %1 από %2 ασκήσεις.").arg(solved, of)
        : QCoreApplication::translate("Announce", "Λύθηκαν %1 από %2 ασκήσεις.").arg(solved, of);
    return QCoreApplication::translate("Announce", "Αποτελέσματα %1 τοις εκατό.").arg(spokenNumber(QString::number(percentage)))
        + QLatin1Char(' ') + count;
}

QString spokenText(const QString &text)
{
    if (text.startsWith(ProgramName) && text.contains(QLatin1String("v.")))
        return ProgramName;
    QString spoken = text.trimmed();
    if (spoken.endsWith(QLatin1String("...")))
        spoken.chop(3);
    if (spoken.endsWith(QLatin1String(" -")))
        spoken = spoken.chopped(2) + QCoreApplication::translate("Announce", " έως");
    static const QRegularExpression range(QStringLiteral(" ?\\((\\d+)-(\\d+)\\)"));
    spoken.replace(range, QCoreApplication::translate("Announce", ", από \\1 έως \\2"));
    spoken.replace(QLatin1Char('-'), QLatin1Char(' ')).replace(QLatin1Char('_'), QLatin1Char(' ')).replace(QLatin1Char(':'), QLatin1Char(' '));
    return speech().forTheEar(spoken.simplified());
}

namespace Announce {

namespace {

void say(Form1 &form, const QString &text)
{
    form.services().announcer.announce(speech().forTheEar(text), form);
}

// The seconds the countdown shows, as a sentence.
QString secondsLeft(const QString &seconds)
{
    if (seconds == QLatin1String("1"))
        return QCoreApplication::translate("Announce", "Απομένει 1 δευτερόλεπτο.");
    return QCoreApplication::translate("Announce", "Απομένουν %1 δευτερόλεπτα.").arg(spokenNumber(seconds));
}

// The time the countdown has left, in minutes and seconds, as a sentence.
QString timeLeftInWords(const Form1 &form)
{
    const int seconds = form.Timer1->secondsLeft();
    const QString left = speech().duration(seconds);
    return seconds == 1 || seconds == 60 || seconds == 3600
        ? QCoreApplication::translate("Announce", "Απομένει %1.").arg(left)
        : QCoreApplication::translate("Announce", "Απομένουν %1.").arg(left);
}

// What to do once the game has ended.
QString afterTheEnd()
{
    return QCoreApplication::translate("Announce", "Για να κλείσεις το παιχνίδι, πάτησε Alt και F4. "
                                                   "Την επόμενη φορά θα ξεκινήσει νέο παιχνίδι.");
}

} // namespace

void exercise(Form1 &form)
{
    const QStringList targets = targetsOnScreen(form);
    QStringList keys;
    for (PushButton *digit : {form.Command0, form.Command1, form.Command2, form.Command3, form.Command4,
                              form.Command5, form.Command6, form.Command7, form.Command8, form.Command9})
        if (digit->isEnabled())
            keys << digit->text();
    const std::pair<PushButton *, QChar> operators[] = {
        {form.Command10, u'/'}, {form.Command11, u'*'}, {form.Command12, u'-'}, {form.Command13, u'+'}};
    for (const auto &[key, sign] : operators)
        if (key->isEnabled())
            keys << speech().operatorName(sign);
    say(form, QCoreApplication::translate("Announce", "Άσκηση %1 από %2. Αριθμοί στόχοι %3. Πλήκτρα %4.")
                  .arg(form.Text17->text(), form.Text16->text(), listed(targets), listed(keys)));
}

void display(Form1 &form)
{
    const QString shown = form.Text1->text();
    form.services().announcer.echo(shown.isEmpty() ? QCoreApplication::translate("Announce", "Άδεια οθόνη") : spokenExpression(shown), form);
}

void nothingWorkedOut(Form1 &form)
{
    const QString shown = form.Text1->text();
    if (shown.isEmpty())
        say(form, QCoreApplication::translate("Announce", "Η οθόνη είναι άδεια. Γράψε πρώτα μια πράξη."));
    else
        say(form, spokenExpression(shown) + QCoreApplication::translate("Announce", ". Δεν βγαίνει αποτέλεσμα. Η οθόνη έμεινε ίδια."));
}

void result(Form1 &form, int hits)
{
    const QString shown = form.Text1->text();
    if (shown.isEmpty())
        return;
    if (hits == 0) {
        say(form, spokenNumber(shown) + QLatin1Char('.'));
        return;
    }
    // The value found, not the places of the boxes it emptied: "5 and 7" would name targets.
    QString text = hits == 1 ? QCoreApplication::translate("Announce", "Βρήκες το %1.").arg(spokenNumber(shown))
                             : QCoreApplication::translate("Announce", "Βρήκες το %1, %2.")
                                   .arg(spokenNumber(shown), speech().times(hits));
    if (!targetsOnScreen(form).isEmpty())
        text += QLatin1Char(' ') + remainingTargets(form);
    say(form, text);
}

void timeLeft(Form1 &form, int seconds)
{
    const int limit = form.parentSettings().secondsPerExercise;
    const std::vector<int> moments = limit >= 1800 ? std::vector<int>{300, 60, 30}
        : limit >= 360                             ? std::vector<int>{180, 60, 30, 10}
                                                   : std::vector<int>{60, 30, 10};
    if (std::find(moments.begin(), moments.end(), seconds) == moments.end())
        return;
    const int minutes = seconds / 60;
    say(form, seconds > 60 ? QCoreApplication::translate("Announce", "Απομένουν %n λεπτά.", "", minutes) : secondsLeft(QString::number(seconds)));
}

void timeSetting(Form1 &form)
{
    const int seconds = form.parentSettings().secondsPerExercise;
    if (seconds == 0)
        say(form, QCoreApplication::translate("Announce", "Χωρίς όριο χρόνου."));
    else if (seconds != ParentSettings::DefaultSeconds)
        say(form, QCoreApplication::translate("Announce", "Χρόνος ανά άσκηση %1.").arg(speech().duration(seconds)));
}

void keyOff(Form1 &form, const QString &keyName)
{
    say(form, keyName + (form.Text17->text() == QLatin1String("0") ? QCoreApplication::translate("Announce", ". Δεν δουλεύει πριν αρχίσει ένα παιχνίδι.")
                                                                    : QCoreApplication::translate("Announce", ". Δεν δουλεύει σε αυτή την άσκηση.")));
}

void countdownPaused(Form1 &form, bool alreadyPaused)
{
    if (!form.timeLimited()) {
        say(form, QCoreApplication::translate("Announce", "Χωρίς όριο χρόνου."));
        return;
    }
    const QString state = alreadyPaused ? QCoreApplication::translate("Announce", "Το χρονόμετρο είναι ήδη σταματημένο.")
                                        : QCoreApplication::translate("Announce", "Το χρονόμετρο σταμάτησε.");
    say(form, state + QLatin1Char(' ') + timeLeftInWords(form)
                  + QCoreApplication::translate("Announce", " Για να συνεχίσεις, πάτησε ένα ψηφίο από το 1 έως το 9."));
}

void countdownResumed(Form1 &form)
{
    say(form, QCoreApplication::translate("Announce", "Το χρονόμετρο συνεχίζει. ") + timeLeftInWords(form));
}

void restarted(Form1 &form)
{
    say(form, QCoreApplication::translate("Announce", "Το παιχνίδι μηδενίστηκε. Για νέο παιχνίδι, γράψε τον αριθμό ασκήσεων και τον "
                             "μέγιστο αριθμό στόχο, και πάτησε Νέα άσκηση."));
}

void gameEnd(Form1 &form, int percentage)
{
    QString text = QCoreApplication::translate("Announce", "Τέλος του παιχνιδιού.") + QLatin1Char(' ') + spokenResults(form, percentage);
    if (percentage >= 50)
        text += QCoreApplication::translate("Announce", " Επιτυχία!");
    say(form, text + QCoreApplication::translate("Announce", " Τα πλήκτρα δεν δουλεύουν πια. ") + afterTheEnd());
}

void gameOver(Form1 &form)
{
    say(form, QCoreApplication::translate("Announce", "Το παιχνίδι τελείωσε. ") + afterTheEnd());
}

void colourChosen(Form1 &form, const QString &colour)
{
    say(form, QCoreApplication::translate("Announce", "Το παράθυρο έγινε %1.").arg(colour.toLower()));
}

void credits(Form1 &form, const QStringList &lines)
{
    say(form, lines.join(QStringLiteral(". ")) + QLatin1Char('.'));
}

} // namespace Announce

} // namespace numbolo
