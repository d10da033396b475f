#include "progress/progresstext.h"

#include "speech/speech.h"

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
    return seconds >= 3600 ? QCoreApplication::translate("Progress", "%1 ώ. %2 λ.").arg(seconds / 3600).arg(seconds % 3600 / 60)
                           : QCoreApplication::translate("Progress", "%1 λ. %2 δ.").arg(seconds / 60).arg(seconds % 60);
}

QString monthText(const QDate &month)
{
    // The months are named in the language of the game's texts, whatever the number format.
    const QLocale language(QCoreApplication::translate("Progress", "el_GR", "the locale whose month names the report uses"));
    return QStringLiteral("%1 %2").arg(language.standaloneMonthName(month.month())).arg(month.year());
}

QString solvedText(const Figures &figures)
{
    return QCoreApplication::translate("Progress", "%1 από %2").arg(figures.solved).arg(figures.played);
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
    return seconds < 60 ? QCoreApplication::translate("Progress", "%1 δ.").arg(seconds) : durationText(int(seconds));
}

QString perExerciseText(int seconds)
{
    if (seconds <= 0)
        return QCoreApplication::translate("Progress", "χωρίς όριο");
    return seconds % 60 == 0 ? QCoreApplication::translate("Progress", "%1 λ.").arg(seconds / 60) : durationText(seconds);
}

QString targetRangeText(int range)
{
    return range < 0 ? QStringLiteral("%1 - 0").arg(range) : QStringLiteral("0 - %1").arg(range);
}

QString exerciseEndText(ExerciseEnd end)
{
    switch (end) {
    case ExerciseEnd::Solved: return QCoreApplication::translate("Progress", "λύθηκε");
    case ExerciseEnd::Skipped: return QCoreApplication::translate("Progress", "παραλείφθηκε");
    case ExerciseEnd::TimedOut: return QCoreApplication::translate("Progress", "έληξε ο χρόνος");
    }
    return {};
}

QString resultText(const GameRow &game)
{
    if (!game.end)
        return QCoreApplication::translate("Progress", "σε εξέλιξη");
    switch (*game.end) {
    case GameEnd::Finished: return game.percentage >= 0 ? QStringLiteral("%1 %").arg(game.percentage) : QString();
    case GameEnd::Restarted: return QCoreApplication::translate("Progress", "επανεκκίνηση");
    case GameEnd::Abandoned: return QCoreApplication::translate("Progress", "εγκαταλείφθηκε");
    }
    return {};
}

QString readErrorText(const ReadError &error)
{
    switch (error.kind) {
    case ReadError::Kind::None: return {};
    case ReadError::Kind::NewerVersion: return QCoreApplication::translate("Progress", "Το ιστορικό γράφτηκε από νεότερη έκδοση του προγράμματος.");
    case ReadError::Kind::Unreadable:
    case ReadError::Kind::Damaged: {
        QString text = QCoreApplication::translate("Progress", "Το ιστορικό δεν διαβάζεται (%1): %2").arg(QDir::toNativeSeparators(error.file), error.detail);
        if (error.kind == ReadError::Kind::Damaged)
            text += QCoreApplication::translate("Progress", ". Το Numbolo θα το φυλάξει στην άκρη, ως αντίγραφο, και θα ξεκινήσει νέο "
                                   "ιστορικό με το επόμενο παιχνίδι.");
        return text;
    }
    case ReadError::Kind::NoSuchExercise:
        return QCoreApplication::translate("Progress", "Η άσκηση %1 αυτού του παιχνιδιού δεν υπάρχει στο ιστορικό.").arg(error.exercise);
    }
    return {};
}

QString unrecordedWhen(const Unrecorded &unrecorded)
{
    const QString first = dateText(unrecorded.first), last = dateText(unrecorded.last);
    return first == last ? QCoreApplication::translate("Progress", "στις %1").arg(first) : QCoreApplication::translate("Progress", "από %1 έως %2").arg(first, last);
}

QString summaryText(const Opening &opening, const Unrecorded &unrecorded)
{
    const HistorySummary &totals = opening.totals;
    QString text;
    if (!opening.error.isEmpty()) {
        text = opening.error;
    } else if (opening.games.empty()) {
        text = QCoreApplication::translate("Progress", "Δεν υπάρχει ακόμη ιστορικό: δεν έχει παιχτεί κανένα παιχνίδι σε αυτόν τον "
                              "υπολογιστή. Κάθε άσκηση που τελειώνει καταγράφεται εδώ.");
    } else {
        text = QCoreApplication::translate("Progress", "Παιχνίδια: %1. Ασκήσεις: %2, λυμένες: %3. Χρόνος παιχνιδιού: %4")
                   .arg(totals.games).arg(totals.exercises).arg(totals.solved)
                   .arg(durationText(int(std::min<qint64>(totals.seconds, INT_MAX))));
    }
    if (unrecorded.records > 0) {
        // Play that the game could not write into the history (it was locked, read-only or of a
        // newer version) waits beside it, and is written at the next game.
        text += QCoreApplication::translate("Progress", "\n\nΤο παιχνίδι %1 δεν έχει καταγραφεί ακόμη στο ιστορικό, γιατί το "
                               "ιστορικό δεν μπορούσε να γραφτεί τότε. Θα καταγραφεί στο επόμενο "
                               "παιχνίδι, αν το ιστορικό μπορεί πλέον να γραφτεί.")
                    .arg(unrecordedWhen(unrecorded));
    }
    return text;
}

QString spokenTotals(const HistorySummary &totals)
{
    return QCoreApplication::translate("Progress", "Παιχνίδια %1, ασκήσεις %2, λυμένες %3, χρόνος παιχνιδιού %4.")
        .arg(totals.games).arg(totals.exercises).arg(totals.solved)
        .arg(speech().duration(int(std::min<qint64>(totals.seconds, INT_MAX))));
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

QString readAloud(const QString &shown)
{
    const Speech &say = speech();
    if (shown.trimmed() == QLatin1String("-"))
        return QCoreApplication::translate("Progress", "καμία τιμή");
    static const QRegularExpression date(QStringLiteral("\\b(\\d{2})/(\\d{2})/(\\d{4})(?: (\\d{2}):(\\d{2}))?"));
    // The units of durationText() and their pattern are the language's; a unit is known by its
    // first letter, hours, minutes, seconds in the order of `units`.
    const QRegularExpression duration(QCoreApplication::translate("Progress", "\\b(\\d+) ([ώλδ])\\.(?: (\\d+) ([λδ])\\.)?",
                                                                  "the hours, minutes and seconds of a duration text"));
    static const QRegularExpression range(QStringLiteral("(?<![\\d.])(-?\\d+) - (-?\\d+)\\b"));
    static const QRegularExpression percent(QStringLiteral("(\\d) ?%"));
    static const QRegularExpression bare(QStringLiteral("(?<=^|\\s)%(?=$|\\s|,)"));
    static const QRegularExpression unit(QStringLiteral("\\s*\\(%\\)"));
    static const QRegularExpression negative(QStringLiteral("(?<![\\w.])-(?=\\d)"));
    // A key of the keypad standing alone, as a skill names them ("x +") or «x» in a sentence.
    static const QRegularExpression key(QStringLiteral("(?<=^|\\s|«)[x/+\\-^](?=$|\\s|»|,|:|;|\\.)"));
    const auto replaced = [](const QString &text, const QRegularExpression &pattern, const auto &words) {
        QString out;
        qsizetype from = 0;
        for (const QRegularExpressionMatch &match : pattern.globalMatch(text)) {
            out += QStringView(text).sliced(from, match.capturedStart() - from);
            out += words(match);
            from = match.capturedEnd();
        }
        out += QStringView(text).sliced(from);
        return out;
    };
    // Dates first: their digits are no durations.
    QString spoken = replaced(shown, date, [&](const QRegularExpressionMatch &match) {
        const QDate day(match.captured(3).toInt(), match.captured(2).toInt(), match.captured(1).toInt());
        if (!day.isValid())
            return match.captured(0);
        if (!match.hasCaptured(4))
            return say.date(day);
        return say.dateTime(QDateTime(day, QTime(match.captured(4).toInt(), match.captured(5).toInt())));
    });
    const QString units = QCoreApplication::translate("Progress", "ώλδ", "the first letters of hours, minutes and seconds");
    static const int perUnit[] = {3600, 60, 1};
    spoken = replaced(spoken, duration, [&](const QRegularExpressionMatch &match) {
        int seconds = 0;
        for (int i = 1; i + 1 <= match.lastCapturedIndex(); i += 2)
            seconds += match.captured(i).toInt() * perUnit[units.indexOf(match.captured(i + 1).at(0))];
        // "1 ώ. 5 λ." leaves its seconds out, and so does what is heard. The last unit's stop
        // also ended the line's sentence; the words keep that.
        const bool endsLine = match.capturedEnd() < spoken.size() && spoken[match.capturedEnd()] == u'\n';
        return say.duration(seconds) + (endsLine ? QStringLiteral(".") : QString());
    });
    spoken = replaced(spoken, range, [&](const QRegularExpressionMatch &match) {
        return say.range(match.captured(1).toInt(), match.captured(2).toInt());
    });
    spoken.replace(percent, QStringLiteral("\\1 ") + QCoreApplication::translate("Progress", "τοις εκατό"));
    // A chart's unit, "(%)" after its title, as the title's end.
    spoken.replace(unit, QStringLiteral(", ") + QCoreApplication::translate("Progress", "τοις εκατό"));
    spoken.replace(bare, QCoreApplication::translate("Progress", "τοις εκατό"));
    spoken = replaced(spoken, key, [&](const QRegularExpressionMatch &match) { return say.operatorName(match.captured(0)[0]); });
    spoken.replace(negative, say.operatorName(QLatin1Char('-')) + QLatin1Char(' '));
    return say.forTheEar(spoken);
}

} // namespace numbolo
