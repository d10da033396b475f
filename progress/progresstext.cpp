#include "progress/progresstext.h"

#include <QCoreApplication>

#include <QDir>
#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <climits>
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

QString perExerciseText(int seconds)
{
    if (seconds <= 0)
        return QStringLiteral("χωρίς όριο");
    return seconds % 60 == 0 ? QStringLiteral("%1 λ.").arg(seconds / 60) : durationText(seconds);
}

QString targetRangeText(int range)
{
    return range < 0 ? QStringLiteral("%1 - 0").arg(range) : QStringLiteral("0 - %1").arg(range);
}

QString exerciseEndText(ExerciseEnd end)
{
    switch (end) {
    case ExerciseEnd::Solved: return QStringLiteral("λύθηκε");
    case ExerciseEnd::Skipped: return QStringLiteral("παραλείφθηκε");
    case ExerciseEnd::TimedOut: return QStringLiteral("έληξε ο χρόνος");
    }
    return {};
}

QString resultText(const GameRow &game)
{
    if (!game.end)
        return QStringLiteral("σε εξέλιξη");
    switch (*game.end) {
    case GameEnd::Finished: return game.percentage >= 0 ? QStringLiteral("%1 %").arg(game.percentage) : QString();
    case GameEnd::Restarted: return QStringLiteral("επανεκκίνηση");
    case GameEnd::Abandoned: return QStringLiteral("εγκαταλείφθηκε");
    }
    return {};
}

QString readErrorText(const ReadError &error)
{
    switch (error.kind) {
    case ReadError::Kind::None: return {};
    case ReadError::Kind::NewerVersion: return QStringLiteral("Το ιστορικό γράφτηκε από νεότερη έκδοση του προγράμματος.");
    case ReadError::Kind::Unreadable:
    case ReadError::Kind::Damaged: {
        QString text = QStringLiteral("Το ιστορικό δεν διαβάζεται (%1): %2").arg(QDir::toNativeSeparators(error.file), error.detail);
        if (error.kind == ReadError::Kind::Damaged)
            text += QStringLiteral(". Το Numbolo θα το φυλάξει στην άκρη, ως αντίγραφο, και θα ξεκινήσει νέο "
                                   "ιστορικό με το επόμενο παιχνίδι.");
        return text;
    }
    case ReadError::Kind::NoSuchExercise:
        return QStringLiteral("Η άσκηση %1 αυτού του παιχνιδιού δεν υπάρχει στο ιστορικό.").arg(error.exercise);
    }
    return {};
}

QString unrecordedWhen(const Unrecorded &unrecorded)
{
    const QString first = dateText(unrecorded.first), last = dateText(unrecorded.last);
    return first == last ? QStringLiteral("στις %1").arg(first) : QStringLiteral("από %1 έως %2").arg(first, last);
}

QString summaryText(const Opening &opening, const Unrecorded &unrecorded)
{
    const HistorySummary &totals = opening.totals;
    QString text;
    if (!opening.error.isEmpty()) {
        text = opening.error;
    } else if (opening.games.empty()) {
        text = QStringLiteral("Δεν υπάρχει ακόμη ιστορικό: δεν έχει παιχτεί κανένα παιχνίδι σε αυτόν τον "
                              "υπολογιστή. Κάθε άσκηση που τελειώνει καταγράφεται εδώ.");
    } else {
        text = QStringLiteral("Παιχνίδια: %1. Ασκήσεις: %2, λυμένες: %3. Χρόνος παιχνιδιού: %4")
                   .arg(totals.games).arg(totals.exercises).arg(totals.solved)
                   .arg(durationText(int(std::min<qint64>(totals.seconds, INT_MAX))));
    }
    if (unrecorded.records > 0) {
        // Play that the game could not write into the history (it was locked, read-only or of a
        // newer version) waits beside it, and is written at the next game.
        text += QStringLiteral("\n\nΤο παιχνίδι %1 δεν έχει καταγραφεί ακόμη στο ιστορικό, γιατί το "
                               "ιστορικό δεν μπορούσε να γραφτεί τότε. Θα καταγραφεί στο επόμενο "
                               "παιχνίδι, αν το ιστορικό μπορεί πλέον να γραφτεί.")
                    .arg(unrecordedWhen(unrecorded));
    }
    return text;
}

QString classQueueText(int records, const QDateTime &since)
{
    if (records <= 0)
        return {};
    return records == 1
        ? QCoreApplication::translate("Numbolo", "1 εγγραφή παιχνιδιού περιμένει να σταλεί στη βάση του σχολείου, "
                                                 "από %1.")
              .arg(dateText(since))
        : QCoreApplication::translate("Numbolo", "%1 εγγραφές παιχνιδιού περιμένουν να σταλούν στη βάση του "
                                                 "σχολείου, από %2.")
              .arg(records)
              .arg(dateText(since));
}

namespace {

// "1 λεπτό", "5 λεπτά".
QString units(int count, const QString &one, const QString &many)
{
    return QStringLiteral("%1 %2").arg(count).arg(count == 1 ? one : many);
}

// A matched "1 ώ. 5 λ.", "5 λ. 3 δ." or "42 δ." in words; a unit of none is left out unless
// nothing else is said.
QString spokenDuration(const QRegularExpressionMatch &match)
{
    static const QStringList ones{QStringLiteral("ώρα"), QStringLiteral("λεπτό"), QStringLiteral("δευτερόλεπτο")};
    static const QStringList manys{QStringLiteral("ώρες"), QStringLiteral("λεπτά"), QStringLiteral("δευτερόλεπτα")};
    static const QStringList shorts{QStringLiteral("ώ"), QStringLiteral("λ"), QStringLiteral("δ")};
    QStringList parts;
    for (int i = 1; i + 1 <= match.lastCapturedIndex(); i += 2) {
        const int count = match.captured(i).toInt();
        const auto unit = shorts.indexOf(match.captured(i + 1));
        if (count != 0 || (parts.isEmpty() && i + 2 > match.lastCapturedIndex()))
            parts << units(count, ones[unit], manys[unit]);
    }
    return parts.join(QLatin1Char(' '));
}

} // namespace

QString readAloud(const QString &shown)
{
    static const QRegularExpression date(QStringLiteral("\\b(\\d{2})/(\\d{2})/(\\d{4})(?: (\\d{2}:\\d{2}))?"));
    static const QRegularExpression duration(QStringLiteral("\\b(\\d+) ([ώλδ])\\.(?: (\\d+) ([λδ])\\.)?"));
    const QLocale greek(QLocale::Greek, QLocale::Greece);
    QString spoken;
    qsizetype from = 0;
    // Dates first: their digits are no durations.
    for (const QRegularExpressionMatch &match : date.globalMatch(shown)) {
        spoken += shown.mid(from, match.capturedStart() - from);
        const QDate day(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
        spoken += day.isValid() ? greek.toString(day, QStringLiteral("d MMMM yyyy")) : match.captured(0);
        if (match.hasCaptured(4))
            spoken += QStringLiteral(", ") + match.captured(4);
        from = match.capturedEnd();
    }
    spoken += shown.mid(from);
    QString words;
    from = 0;
    for (const QRegularExpressionMatch &match : duration.globalMatch(spoken)) {
        words += spoken.mid(from, match.capturedStart() - from) + spokenDuration(match);
        from = match.capturedEnd();
    }
    return words + spoken.mid(from);
}

} // namespace numbolo
