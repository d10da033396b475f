#include "speech/languages.h"

#include "speech/spokenforms.h"

#include <QCoreApplication>
#include <QLocale>

#include <iterator>

namespace numbolo {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Speech", text);
}

} // namespace

QString GreekSpeech::number(QStringView text) const
{
    return spoken::number(text, tr("μείον"), tr("κόμμα"));
}

QString GreekSpeech::operatorName(QChar key) const
{
    switch (key.unicode()) {
    case '+': return tr("συν");
    case '-': return tr("μείον");
    case '*':
    case 'x': return tr("επί");
    case '/': return tr("διά");
    case '^': return tr("στη δύναμη");
    case '(': return tr("ανοίγει παρένθεση");
    case ')': return tr("κλείνει παρένθεση");
    default: return {};
    }
}

QString GreekSpeech::timeOfDay(QTime time) const
{
    const int hour = time.hour(), minute = time.minute();
    if (hour == 0 && minute == 0)
        return tr("μεσάνυχτα");
    if (hour == 12 && minute == 0)
        return tr("12 το μεσημέρι");
    if (hour == 0)
        return tr("12 και %1 μετά τα μεσάνυχτα").arg(minute);
    if (minute == 0)
        return tr("%1 ακριβώς").arg(hour);
    return tr("%1 και %2").arg(hour).arg(minute);
}

QString GreekSpeech::date(QDate day) const
{
    // The genitive of the month, as a date is said: "8 Δεκεμβρίου 2026".
    return QLocale(QLocale::Greek, QLocale::Greece).toString(day, QStringLiteral("d MMMM yyyy"));
}

QString GreekSpeech::dateTime(const QDateTime &when) const
{
    return tr("%1, %2").arg(date(when.date()), timeOfDay(when.time()));
}

QString GreekSpeech::duration(int seconds) const
{
    const spoken::Unit units[] = {{tr("ώρα"), tr("ώρες")}, {tr("λεπτό"), tr("λεπτά")},
                                  {tr("δευτερόλεπτο"), tr("δευτερόλεπτα")}};
    return spoken::duration(seconds, *this, units, tr("%1 και %2"));
}

QString GreekSpeech::range(int from, int to) const
{
    return tr("%1 έως %2").arg(number(QString::number(from)), number(QString::number(to)));
}

QString GreekSpeech::times(int count) const
{
    static const char *const words[] = {"καμία φορά", "μία φορά", "δύο φορές", "τρεις φορές", "τέσσερις φορές",
                                        "πέντε φορές", "έξι φορές", "επτά φορές", "οκτώ φορές", "εννέα φορές"};
    if (count >= 0 && count < int(std::size(words)))
        return tr(words[count]);
    return tr("%1 φορές").arg(count);
}

} // namespace numbolo
