#include "history/progresstext.h"

#include <QLocale>

#include <cmath>

namespace numbolo {

QString dateText(const QDateTime &when)
{
    return when.toString(QStringLiteral("dd/MM/yyyy HH:mm"));
}

QString durationText(int seconds)
{
    return seconds >= 3600 ? QStringLiteral("%1 ώ. %2 λ.").arg(seconds / 3600).arg(seconds % 3600 / 60)
                           : QStringLiteral("%1 λ. %2 δ.").arg(seconds / 60).arg(seconds % 60);
}

QString monthText(const QDate &month)
{
    const QLocale greek(QLocale::Greek, QLocale::Greece);
    return QStringLiteral("%1 %2").arg(greek.standaloneMonthName(month.month())).arg(month.year());
}

QString solvedText(const Figures &figures)
{
    return QStringLiteral("%1 από %2").arg(figures.solved).arg(figures.played);
}

QString shareText(const Figures &figures)
{
    if (figures.played <= 0)
        return QStringLiteral("-");
    return QStringLiteral("%1 %").arg(std::lround(100.0 * figures.solved / figures.played));
}

QString medianText(const Figures &figures)
{
    if (!figures.medianSeconds)
        return QStringLiteral("-");
    const long seconds = std::lround(*figures.medianSeconds);
    return seconds < 60 ? QStringLiteral("%1 δ.").arg(seconds) : durationText(int(seconds));
}

} // namespace numbolo
