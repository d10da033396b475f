#include "speech/spokenforms.h"

#include <QRegularExpression>

#include <algorithm>
#include <utility>

namespace numbolo::spoken {

QString listed(const QStringList &parts, const QString &and_)
{
    if (parts.size() < 2)
        return parts.join(QString());
    return and_.arg(QStringList(parts.mid(0, parts.size() - 1)).join(QStringLiteral(", ")), parts.last());
}

QString number(QStringView text, const QString &minus, const QString &point)
{
    QString digits = text.trimmed().toString();
    QString spoken;
    if (digits.startsWith(QLatin1Char('-'))) {
        spoken = minus + QLatin1Char(' ');
        digits.remove(0, 1);
    }
    const qsizetype at = std::max(digits.indexOf(QLatin1Char('.')), digits.indexOf(QLatin1Char(',')));
    if (at < 0)
        return spoken + digits;
    const QString whole = digits.left(at), decimals = digits.mid(at + 1);
    QStringList parts;
    if (!whole.isEmpty())
        parts << whole;
    parts << point;
    if (!decimals.isEmpty())
        parts << decimals;
    return spoken + parts.join(QLatin1Char(' '));
}

QString expression(QStringView text, const Speech &rules)
{
    QStringList spoken;
    QString number;
    const auto endNumber = [&] {
        if (!number.isEmpty())
            spoken << rules.number(std::exchange(number, QString()));
    };
    for (const QChar c : text) {
        const QString name = c == QLatin1Char('x') ? QString() : rules.operatorName(c);
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

QString duration(int seconds, const Speech &rules, const Unit (&units)[3], const QString &and_)
{
    seconds = std::max(seconds, 0);
    QStringList parts;
    if (seconds >= 3600)
        parts << rules.counted(seconds / 3600, units[0].one, units[0].many);
    if (seconds % 3600 >= 60)
        parts << rules.counted(seconds % 3600 / 60, units[1].one, units[1].many);
    if (seconds % 60 != 0 || parts.isEmpty())
        parts << rules.counted(seconds % 60, units[2].one, units[2].many);
    return listed(parts, and_);
}

QString withoutMarks(const QString &text, const Speech &rules)
{
    static const QRegularExpression clock(QStringLiteral("\\b([01]?\\d|2[0-3]):([0-5]\\d)\\b"));
    // ";" after a Greek word at the end of a line is the Greek question mark: heard as a question.
    static const QRegularExpression question(QStringLiteral("(?<=\\p{Greek});[ \\t]*$"), QRegularExpression::MultilineOption);
    static const QRegularExpression pause(QStringLiteral("[ \\t]*[:;·][ \\t]*"));
    // Orca names each dot of an ellipsis; the pause it stands for is a full stop's.
    static const QRegularExpression ellipsis(QStringLiteral("\\.{3}|\u2026"));
    static const QRegularExpression bracketBlank(QStringLiteral("\\(\\s+"));
    static const QRegularExpression doubled(QStringLiteral(",(\\s*,)+"));
    static const QRegularExpression beforeStop(QStringLiteral(",\\s*(?=[.!?\\n]|$)"));
    QString spoken;
    qsizetype from = 0;
    for (const QRegularExpressionMatch &match : clock.globalMatch(text)) {
        spoken += QStringView(text).sliced(from, match.capturedStart() - from);
        spoken += rules.timeOfDay(QTime(match.captured(1).toInt(), match.captured(2).toInt()));
        from = match.capturedEnd();
    }
    spoken += QStringView(text).sliced(from);
    spoken.replace(QLatin1Char('/'), QLatin1Char(' '));
    spoken.replace(question, QStringLiteral("?"));
    spoken.replace(ellipsis, QStringLiteral("."));
    // Orca names guillemets too; what they quote reads as well without them.
    spoken.remove(QChar(u'\u00AB')).remove(QChar(u'\u00BB'));
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

} // namespace numbolo::spoken
