#include "speech/greekspeech.h"

#include <QCoreApplication>
#include <QLocale>
#include <QRegularExpression>
#include <QStringList>

#include <algorithm>
#include <utility>

namespace numbolo {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("Speech", text);
}

// "a", "a και b", "a, b και c"
QString listed(const QStringList &parts)
{
    if (parts.size() < 2)
        return parts.join(QString());
    return tr("%1 και %2").arg(QStringList(parts.mid(0, parts.size() - 1)).join(QStringLiteral(", ")), parts.last());
}

} // namespace

QString GreekSpeech::number(QStringView text) const
{
    QString digits = text.trimmed().toString();
    QString spoken;
    if (digits.startsWith(QLatin1Char('-'))) {
        spoken = tr("μείον") + QLatin1Char(' ');
        digits.remove(0, 1);
    }
    const qsizetype point = std::max(digits.indexOf(QLatin1Char('.')), digits.indexOf(QLatin1Char(',')));
    if (point < 0)
        return spoken + digits;
    const QString whole = digits.left(point), decimals = digits.mid(point + 1);
    QStringList parts;
    if (!whole.isEmpty())
        parts << whole;
    parts << tr("κόμμα");
    if (!decimals.isEmpty())
        parts << decimals;
    return spoken + parts.join(QLatin1Char(' '));
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

QString GreekSpeech::expression(QStringView text) const
{
    QStringList spoken;
    QString number;
    const auto endNumber = [&] {
        if (!number.isEmpty())
            spoken << this->number(std::exchange(number, QString()));
    };
    for (const QChar c : text) {
        const QString name = c == QLatin1Char('x') ? QString() : operatorName(c);
        if (name.isEmpty()) {
            if (!c.isSpace())
                number += c;
            continue;
        }
        endNumber();
        spoken << name;
    }
    endNumber();
    return spoken.join(QLatin1Char(' '));
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
    seconds = std::max(seconds, 0);
    QStringList parts;
    if (seconds >= 3600)
        parts << counted(seconds / 3600, tr("ώρα"), tr("ώρες"));
    if (seconds % 3600 >= 60)
        parts << counted(seconds % 3600 / 60, tr("λεπτό"), tr("λεπτά"));
    if (seconds % 60 != 0 || parts.isEmpty())
        parts << counted(seconds % 60, tr("δευτερόλεπτο"), tr("δευτερόλεπτα"));
    return listed(parts);
}

QString GreekSpeech::range(int from, int to) const
{
    return tr("%1 έως %2").arg(number(QString::number(from)), number(QString::number(to)));
}

QString GreekSpeech::counted(int count, const QString &one, const QString &many) const
{
    return QStringLiteral("%1 %2").arg(number(QString::number(count)), count == 1 || count == -1 ? one : many);
}

QString GreekSpeech::times(int count) const
{
    static const char *const words[] = {"καμία φορά", "μία φορά", "δύο φορές", "τρεις φορές", "τέσσερις φορές",
                                        "πέντε φορές", "έξι φορές", "επτά φορές", "οκτώ φορές", "εννέα φορές"};
    if (count >= 0 && count < int(std::size(words)))
        return tr(words[count]);
    return tr("%1 φορές").arg(count);
}

QString GreekSpeech::forTheEar(const QString &text) const
{
    static const QRegularExpression clock(QStringLiteral("\\b([01]?\\d|2[0-3]):([0-5]\\d)\\b"));
    static const QRegularExpression pause(QStringLiteral("[ \\t]*[:;·][ \\t]*"));
    static const QRegularExpression bracketBlank(QStringLiteral("\\(\\s+"));
    static const QRegularExpression doubled(QStringLiteral(",(\\s*,)+"));
    static const QRegularExpression beforeStop(QStringLiteral(",\\s*(?=[.!?\\n]|$)"));
    QString spoken;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &match : clock.globalMatch(text)) {
        spoken += QStringView(text).sliced(from, match.capturedStart() - from);
        spoken += timeOfDay(QTime(match.captured(1).toInt(), match.captured(2).toInt()));
        from = match.capturedEnd();
    }
    spoken += QStringView(text).sliced(from);
    spoken.replace(QLatin1Char('/'), QLatin1Char(' '));
    spoken.replace(bracketBlank, QStringLiteral("("));
    spoken.replace(pause, QStringLiteral(", "));
    spoken.replace(doubled, QStringLiteral(","));
    spoken.replace(beforeStop, QString());
    // Blanks collapsed, but a line's end kept: it separates what is said as sentences.
    QStringList lines = spoken.split(QLatin1Char('\n'));
    for (QString &line : lines) {
        line = line.simplified();
        if (line.startsWith(QLatin1Char(',')))
            line = line.mid(1).trimmed();
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace numbolo
