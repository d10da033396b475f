#include "speech/languages.h"

#include "speech/spokenforms.h"

#include <QLocale>

namespace numbolo {

QString EnglishSpeech::number(QStringView text) const
{
    return spoken::number(text, QStringLiteral("minus"), QStringLiteral("point"));
}

QString EnglishSpeech::operatorName(QChar key) const
{
    switch (key.unicode()) {
    case '+': return QStringLiteral("plus");
    case '-': return QStringLiteral("minus");
    case '*':
    case 'x': return QStringLiteral("times");
    case '/': return QStringLiteral("divided by");
    case '^': return QStringLiteral("to the power of");
    case '(': return QStringLiteral("open bracket");
    case ')': return QStringLiteral("close bracket");
    default: return {};
    }
}

// A time as English speakers read a digital clock, on the 12-hour clock with the part of the
// day in words rather than "a.m." and "p.m.", whose stops would end a sentence: "9 12 in the
// morning", "9 oh 5 in the evening", "3 o'clock in the afternoon", "noon", "midnight".
QString EnglishSpeech::timeOfDay(QTime time) const
{
    const int hour = time.hour(), minute = time.minute();
    if (minute == 0 && (hour == 0 || hour == 12))
        return hour == 0 ? QStringLiteral("midnight") : QStringLiteral("noon");
    const QString part = hour == 0 ? QStringLiteral("after midnight")
        : hour < 12                ? QStringLiteral("in the morning")
        : hour < 18                ? QStringLiteral("in the afternoon")
                                   : QStringLiteral("in the evening");
    const int onTheDial = hour % 12 == 0 ? 12 : hour % 12;
    const QString minutes = minute == 0 ? QStringLiteral("o'clock")
        : minute < 10                   ? QStringLiteral("oh %1").arg(minute)
                                        : QString::number(minute);
    return QStringLiteral("%1 %2 %3").arg(onTheDial).arg(minutes, part);
}

QString EnglishSpeech::date(QDate day) const
{
    // Day, month, year, as British English says a date and as the Greek one is ordered.
    return QLocale(QLocale::English, QLocale::UnitedKingdom).toString(day, QStringLiteral("d MMMM yyyy"));
}

QString EnglishSpeech::dateTime(const QDateTime &when) const
{
    return QStringLiteral("%1 at %2").arg(date(when.date()), timeOfDay(when.time()));
}

QString EnglishSpeech::duration(int seconds) const
{
    const spoken::Unit units[] = {{QStringLiteral("hour"), QStringLiteral("hours")},
                                  {QStringLiteral("minute"), QStringLiteral("minutes")},
                                  {QStringLiteral("second"), QStringLiteral("seconds")}};
    return spoken::duration(seconds, *this, units, QStringLiteral("%1 and %2"));
}

QString EnglishSpeech::range(int from, int to) const
{
    return QStringLiteral("%1 to %2").arg(number(QString::number(from)), number(QString::number(to)));
}

QString EnglishSpeech::times(int count) const
{
    switch (count) {
    case 0: return QStringLiteral("not once");
    case 1: return QStringLiteral("once");
    case 2: return QStringLiteral("twice");
    default: return QStringLiteral("%1 times").arg(count);
    }
}

} // namespace numbolo
