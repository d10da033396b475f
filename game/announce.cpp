#include "game/announce.h"

#include "game/form1.h"
#include "arithmetic/numbertext.h"
#include "services/programname.h"

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
    return QStringList(items.mid(0, items.size() - 1)).join(QStringLiteral(", ")) + QStringLiteral(" και ") + items.last();
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
    QString spoken = text;
    spoken.replace(QLatin1Char('.'), QLatin1Char(','));
    if (spoken.startsWith(QLatin1Char('-')))
        spoken = QStringLiteral("μείον ") + spoken.mid(1);
    return spoken;
}

QString spokenExpression(const QString &text)
{
    static const std::pair<char, const char *> words[] = {
        {'+', "συν"}, {'-', "μείον"}, {'*', "επί"}, {'/', "διά"}, {'^', "στη δύναμη"},
        {'(', "ανοίγει παρένθεση"}, {')', "κλείνει παρένθεση"}, {'.', "κόμμα"}};
    QStringList spoken;
    QString number;
    for (const QChar c : text) {
        const auto word = std::find_if(std::begin(words), std::end(words), [c](const auto &w) { return c == QLatin1Char(w.first); });
        if (word == std::end(words)) {
            number += c;
            continue;
        }
        if (!number.isEmpty())
            spoken << std::exchange(number, QString());
        spoken << QString::fromUtf8(word->second);
    }
    if (!number.isEmpty())
        spoken << number;
    return spoken.join(QLatin1Char(' '));
}

QString remainingTargets(const Form1 &form)
{
    const QStringList targets = targetsOnScreen(form);
    if (targets.isEmpty())
        return QStringLiteral("Δεν απομένει κανένας αριθμός στόχος.");
    if (targets.size() == 1)
        return QStringLiteral("Απομένει ο αριθμός στόχος %1.").arg(targets.first());
    return QStringLiteral("Απομένουν οι αριθμοί στόχοι %1.").arg(listed(targets));
}

QString spokenText(const QString &text)
{
    if (text.startsWith(ProgramName) && text.contains(QLatin1String("v.")))
        return ProgramName;
    QString spoken = text.trimmed();
    if (spoken.endsWith(QLatin1String("...")))
        spoken.chop(3);
    if (spoken.endsWith(QLatin1String(" -")))
        spoken = spoken.chopped(2) + QStringLiteral(" έως");
    static const QRegularExpression range(QStringLiteral(" ?\\((\\d+)-(\\d+)\\)"));
    spoken.replace(range, QStringLiteral(", από \\1 έως \\2"));
    spoken.replace(QLatin1Char('-'), QLatin1Char(' ')).replace(QLatin1Char('_'), QLatin1Char(' ')).replace(QLatin1Char(':'), QLatin1Char(' '));
    return spoken.simplified();
}

namespace Announce {

namespace {

void say(Form1 &form, const QString &text)
{
    form.services().announcer.announce(text, form);
}

// The seconds the countdown shows, as a sentence.
QString secondsLeft(const QString &seconds)
{
    if (seconds == QLatin1String("1"))
        return QStringLiteral("Απομένει 1 δευτερόλεπτο.");
    return QStringLiteral("Απομένουν %1 δευτερόλεπτα.").arg(spokenNumber(seconds));
}

// What to do once the game has ended.
const QString AfterTheEnd = QStringLiteral("Για να κλείσεις το παιχνίδι, πάτησε Alt και F4. "
                                           "Την επόμενη φορά θα ξεκινήσει νέο παιχνίδι.");

} // namespace

void exercise(Form1 &form)
{
    const QStringList targets = targetsOnScreen(form);
    QStringList keys;
    for (PushButton *digit : {form.Command0, form.Command1, form.Command2, form.Command3, form.Command4,
                              form.Command5, form.Command6, form.Command7, form.Command8, form.Command9})
        if (digit->isEnabled())
            keys << digit->text();
    const std::pair<PushButton *, const char *> operators[] = {
        {form.Command10, "διά"}, {form.Command11, "επί"}, {form.Command12, "μείον"}, {form.Command13, "συν"}};
    for (const auto &[key, name] : operators)
        if (key->isEnabled())
            keys << QString::fromUtf8(name);
    say(form, QStringLiteral("Άσκηση %1 από %2. Αριθμοί στόχοι %3. Πλήκτρα %4.")
                  .arg(form.Text17->text(), form.Text16->text(), listed(targets), listed(keys)));
}

void display(Form1 &form)
{
    const QString shown = form.Text1->text();
    form.services().announcer.echo(shown.isEmpty() ? QStringLiteral("Άδεια οθόνη") : spokenExpression(shown), form);
}

void nothingWorkedOut(Form1 &form)
{
    const QString shown = form.Text1->text();
    if (shown.isEmpty())
        say(form, QStringLiteral("Η οθόνη είναι άδεια. Γράψε πρώτα μια πράξη."));
    else
        say(form, spokenExpression(shown) + QStringLiteral(". Δεν βγαίνει αποτέλεσμα. Η οθόνη έμεινε ίδια."));
}

void result(Form1 &form, const std::vector<int> &hitNumbers)
{
    const QString shown = form.Text1->text();
    if (shown.isEmpty())
        return;
    QString text = spokenNumber(shown) + QLatin1Char('.');
    if (!hitNumbers.empty()) {
        QStringList numbers;
        for (int number : hitNumbers)
            numbers << QString::number(number);
        text += hitNumbers.size() == 1 ? QStringLiteral(" Βρήκες τον αριθμό στόχο %1.").arg(numbers.first())
                                       : QStringLiteral(" Βρήκες τους αριθμούς στόχους %1.").arg(listed(numbers));
        int left = 0;
        for (TextBox *box : targetsInReadingOrder(form))
            left += box->text().isEmpty() ? 0 : 1;
        if (left == 1)
            text += QStringLiteral(" Απομένει 1 στόχος.");
        else if (left > 1)
            text += QStringLiteral(" Απομένουν %1 στόχοι.").arg(left);
    }
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
    say(form, seconds > 60 ? QStringLiteral("Απομένουν %1 λεπτά.").arg(seconds / 60) : secondsLeft(QString::number(seconds)));
}

void timeSetting(Form1 &form)
{
    const int seconds = form.parentSettings().secondsPerExercise;
    if (seconds == 0)
        say(form, QStringLiteral("Χωρίς όριο χρόνου."));
    else if (seconds != ParentSettings::DefaultSeconds)
        say(form, QStringLiteral("Χρόνος ανά άσκηση: %1.").arg(Parents::secondsText(seconds)));
}

void keyOff(Form1 &form, const QString &keyName)
{
    say(form, keyName + (form.Text17->text() == QLatin1String("0") ? QStringLiteral(". Δεν δουλεύει πριν αρχίσει ένα παιχνίδι.")
                                                                    : QStringLiteral(". Δεν δουλεύει σε αυτή την άσκηση.")));
}

void countdownPaused(Form1 &form)
{
    if (!form.timeLimited())
        say(form, QStringLiteral("Χωρίς όριο χρόνου."));
    else
        say(form, QStringLiteral("Το χρονόμετρο σταμάτησε. ") + secondsLeft(form.Text15->text()));
}

void countdownResumed(Form1 &form)
{
    say(form, QStringLiteral("Το χρονόμετρο συνεχίζει. ") + secondsLeft(form.Text15->text()));
}

void restarted(Form1 &form)
{
    say(form, QStringLiteral("Το παιχνίδι μηδενίστηκε. Για νέο παιχνίδι, γράψε τον αριθμό ασκήσεων και τον "
                             "μέγιστο αριθμό στόχο, και πάτησε Νέα άσκηση."));
}

void gameEnd(Form1 &form, int percentage)
{
    QString text = QStringLiteral("Τέλος του παιχνιδιού. Αποτελέσματα %1 τοις εκατό.").arg(spokenNumber(QString::number(percentage)));
    if (percentage >= 50)
        text += QStringLiteral(" Επιτυχία!");
    say(form, text + QStringLiteral(" Τα πλήκτρα δεν δουλεύουν πια. ") + AfterTheEnd);
}

void gameOver(Form1 &form)
{
    say(form, QStringLiteral("Το παιχνίδι τελείωσε. ") + AfterTheEnd);
}

void colourChosen(Form1 &form, const QString &colour)
{
    say(form, QStringLiteral("Το παράθυρο έγινε %1.").arg(colour.toLower()));
}

void credits(Form1 &form, const QStringList &lines)
{
    say(form, lines.join(QStringLiteral(". ")) + QLatin1Char('.'));
}

} // namespace Announce

} // namespace numbolo
