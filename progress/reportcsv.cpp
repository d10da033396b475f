#include "progress/reportcsv.h"

#include "progress/csvfield.h"
#include "progress/progresstext.h"
#include "progress/targetways.h"

#include <QCoreApplication>
#include <QStringList>

#include <algorithm>
#include <functional>
#include <future>
#include <memory>
#include <system_error>

namespace numbolo {

QByteArray historyCsv(const std::vector<GameRow> &games)
{
    // Every field is a number, a time or one of the outcomes' texts: none holds a comma, a quote or
    // a line break, so none is quoted.
    QStringList lines{QCoreApplication::translate("Report", "Έναρξη παιχνιδιού,Ασκήσεις,Εύρος,Άσκηση,Επίπεδο,Έκβαση,Δευτερόλεπτα,Στόχοι,Πατήματα =,"
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

bool writeTargetsCsv(HistorySource &history, QIODevice &out, QString *error, RememberedWays *remembered, int gamesPerRead)
{
    const auto write = [&](const QStringList &fields) {
        QStringList quoted;
        for (const QString &field : fields)
            quoted << csvField(field);
        return out.write((quoted.join(QLatin1Char(',')) + QStringLiteral("\r\n")).toUtf8()) >= 0;
    };
    const auto notWritten = [&] {
        *error = QCoreApplication::translate("Report", "Το CSV δεν γράφτηκε: %1").arg(out.errorString());
        return false;
    };
    ReadError unread;
    if (!history.readable(&unread)) {
        *error = readErrorText(unread);
        return false;
    }
    if (!write({QCoreApplication::translate("Report", "Έναρξη παιχνιδιού"), QCoreApplication::translate("Report", "Άσκηση"), QCoreApplication::translate("Report", "Στόχος"),
                QCoreApplication::translate("Report", "Βρέθηκε"), QCoreApplication::translate("Report", "Δευτερόλεπτα"), QCoreApplication::translate("Report", "Πλήκτρα"),
                QCoreApplication::translate("Report", "Ένας τρόπος")}))
        return notWritten();
    // The history is read twice, a page of games at a time, each page in a short read of its
    // own: first for the targets of every key set, which are then solved together, then for the
    // rows. Nothing is written while the history is being read.
    const auto eachPage = [&](bool keysOnly, const std::function<bool(std::vector<RecordedExercise> &)> &page) {
        std::vector<RecordedExercise> exercises;
        for (qint64 after = 0, last = 0;; after = last) {
            if (!history.recordedExercises(after, gamesPerRead, &exercises, &last, &unread, keysOnly))
                return false;
            if (last == after || !page(exercises))
                return true;
        }
    };
    GatheredWays ways;
    if (!eachPage(true, [&ways](std::vector<RecordedExercise> &exercises) {
            for (const RecordedExercise &exercise : exercises)
                ways.gather(exercise.keys, exercise.targets);
            return true;
        })) {
        *error = readErrorText(unread);
        return false;
    }
    ways.solve(remembered);
    const QString hit = csvField(QCoreApplication::translate("Report", "ναι")),
                  missed = csvField(QCoreApplication::translate("Report", "όχι"));
    // A page's rows as one text; the start is written once for each game.
    const auto rowsOf = [&](const std::vector<RecordedExercise> &exercises) {
        QString lines;
        QString start;
        qint64 startOf = -1;
        for (const RecordedExercise &exercise : exercises) {
            if (exercise.game != startOf) {
                start = csvField(exercise.gameStarted.toOffsetFromUtc(exercise.gameStarted.offsetFromUtc()).toString(Qt::ISODate));
                startOf = exercise.game;
            }
            const QString number = QString::number(exercise.number), keys = csvField(exercise.keys);
            const QList<QStringView> found = ways.of(exercise.keys, exercise.targets);
            for (int i = 0; i < int(exercise.targets.size()); ++i) {
                std::optional<int> seconds;
                for (const EqualsFacts &press : exercise.presses)
                    if (!seconds && std::find(press.hit.begin(), press.hit.end(), i) != press.hit.end())
                        seconds = press.seconds;
                lines.append(start).append(u',').append(number).append(u',');
                appendCsvField(&lines, exercise.targets[i]);
                lines.append(u',').append(seconds ? hit : missed).append(u',');
                if (seconds)
                    lines.append(QString::number(*seconds));
                lines.append(u',').append(keys).append(u',');
                appendCsvField(&lines, found[i]);
                lines.append(u"\r\n");
            }
        }
        return lines.toUtf8();
    };
    // Each page's rows are made on a thread of their own while the next page is read, and
    // written once that read has ended.
    std::future<QByteArray> made;
    bool written = true;
    const auto writeMade = [&] {
        if (made.valid())
            written = out.write(made.get()) >= 0 && written;
        return written;
    };
    const bool read = eachPage(false, [&](std::vector<RecordedExercise> &exercises) {
        if (!writeMade())
            return false;
        const auto page = std::make_shared<const std::vector<RecordedExercise>>(std::move(exercises));
        const auto make = [page, &rowsOf] { return rowsOf(*page); };
        try {
            made = std::async(std::launch::async, make);
        } catch (const std::system_error &) { // no thread to be had: made here, when written
            made = std::async(std::launch::deferred, make);
        }
        return true;
    });
    if (!writeMade())
        return notWritten();
    if (!read) {
        *error = readErrorText(unread);
        return false;
    }
    return true;
}

} // namespace numbolo
