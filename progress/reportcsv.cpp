#include "progress/reportcsv.h"

#include "progress/progresstext.h"

#include <QStringList>

namespace numbolo {

QByteArray historyCsv(const std::vector<GameRow> &games)
{
    // Every field is a number, a time or one of the outcomes' texts: none holds a comma, a quote or
    // a line break, so none is quoted.
    QStringList lines{QStringLiteral("Έναρξη παιχνιδιού,Ασκήσεις,Εύρος,Άσκηση,Επίπεδο,Έκβαση,Δευτερόλεπτα,Στόχοι,Πατήματα =,"
                                     "Αποτέλεσμα %,Χρόνος ανά άσκηση")};
    for (auto game = games.rbegin(); game != games.rend(); ++game) {
        const QString started = game->started.toOffsetFromUtc(game->started.offsetFromUtc()).toString(Qt::ISODate);
        const QString result = game->end == GameEnd::Finished && game->percentage >= 0 ? QString::number(game->percentage)
                                                                                       : resultText(*game);
        const QString gameFields = QStringLiteral("%1,%2,%3,").arg(started).arg(game->exercises).arg(game->range);
        // The seconds of each exercise, empty where there was no time limit.
        const QString limit = game->secondsPerExercise > 0 ? QString::number(game->secondsPerExercise) : QString();
        const QString lastFields = result + QLatin1Char(',') + limit;
        if (game->played.empty())
            lines << gameFields + QStringLiteral(",,,,,,") + lastFields;
        for (const ExerciseRow &e : game->played) {
            lines << gameFields
                    + QStringList{QString::number(e.number), QString::number(e.level, 'g', 6), exerciseEndText(e.end),
                                  QString::number(e.seconds), QString::number(e.targetsHit),
                                  QString::number(e.equalsPresses), lastFields}
                          .join(QLatin1Char(','));
        }
    }
    return (lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8();
}

} // namespace numbolo
