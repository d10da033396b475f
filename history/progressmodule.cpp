// The entry points of the progress module, which `Numbolo --progress` loads; it brings Qt SQL
// and Qt Charts, so the game never loads them.

#include "history/progress.h"
#include "history/report.h"

#include <QApplication>
#include <QFile>
#include <QtGlobal>

#include <cstdio>

using numbolo::GameRow;

// Writes the whole history as CSV to standard output: 0, or 1 with a message on standard error.
extern "C" Q_DECL_EXPORT int numbolo_progress_csv(const QString &historyPath)
{
    std::vector<GameRow> games;
    QString error;
    if (!numbolo::readHistory(historyPath, &games, &error)) {
        std::fprintf(stderr, "Numbolo: %s\n", error.toLocal8Bit().constData());
        return 1;
    }
    const numbolo::Unrecorded unrecorded = numbolo::readUnrecorded(historyPath);
    if (unrecorded.records > 0) {
        std::fprintf(stderr, "Numbolo: %s\n",
                     QStringLiteral("Το παιχνίδι %1 δεν έχει καταγραφεί ακόμη στο ιστορικό.")
                         .arg(numbolo::unrecordedWhen(unrecorded))
                         .toLocal8Bit()
                         .constData());
    }
    const QByteArray csv = numbolo::historyCsv(games);
    if (std::fwrite(csv.constData(), 1, std::size_t(csv.size()), stdout) != std::size_t(csv.size())
        || std::fflush(stdout) != 0) {
        std::fprintf(stderr, "Numbolo: η έξοδος CSV δεν γράφτηκε ολόκληρη.\n");
        return 1;
    }
    return 0;
}

// Writes one row per target of every recorded exercise, with one way to make it, as CSV to
// standard output: 0, or 1 with a message on standard error.
extern "C" Q_DECL_EXPORT int numbolo_progress_targets_csv(const QString &historyPath)
{
    QFile out;
    QString error;
    if (!out.open(stdout, QIODevice::WriteOnly) || !numbolo::writeTargetsCsv(historyPath, out, &error)
        || !out.flush()) {
        std::fprintf(stderr, "Numbolo: %s\n",
                     (error.isEmpty() ? QStringLiteral("η έξοδος CSV δεν γράφτηκε ολόκληρη.") : error).toLocal8Bit().constData());
        return 1;
    }
    return 0;
}

// Shows the progress window until it is closed.
extern "C" Q_DECL_EXPORT int numbolo_progress_window(const QString &historyPath)
{
    std::vector<GameRow> games;
    QString error;
    numbolo::readHistory(historyPath, &games, &error);
    numbolo::ProgressWindow window(historyPath, std::move(games), error, numbolo::readUnrecorded(historyPath));
    window.show();
    return QApplication::exec();
}
