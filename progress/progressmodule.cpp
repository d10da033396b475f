// The entry points of the progress module, which `Numbolo --progress` loads; it brings Qt SQL,
// Qt Charts and Qt Print Support, so the game never loads them.

#include "progress/progress.h"
#include "progress/progresstext.h"
#include "progress/reportcsv.h"
#include "progress/report.h"
#include "progress/reportdocument.h"
#include "services/programname.h"

#include <QApplication>
#include <QFile>
#include <QtGlobal>

#include <cstdio>

using numbolo::GameRow;

// Writes the whole history of the player whose files `files` names as CSV to standard output:
// 0, or 1 with a message on standard error.
extern "C" Q_DECL_EXPORT int numbolo_progress_csv(const numbolo::PlayerFiles &files)
{
    const QString historyPath = files.historyPath();
    std::vector<GameRow> games;
    numbolo::ReadError error;
    if (!numbolo::readHistory(historyPath, &games, &error)) {
        numbolo::tellOnStandardError(numbolo::readErrorText(error));
        return 1;
    }
    const numbolo::Unrecorded unrecorded = numbolo::readUnrecorded(files.pendingPath());
    if (unrecorded.records > 0) {
        numbolo::tellOnStandardError(QStringLiteral("Το παιχνίδι %1 δεν έχει καταγραφεί ακόμη στο ιστορικό.")
                                         .arg(numbolo::unrecordedWhen(unrecorded)));
    }
    const QByteArray csv = numbolo::historyCsv(games);
    if (std::fwrite(csv.constData(), 1, std::size_t(csv.size()), stdout) != std::size_t(csv.size())
        || std::fflush(stdout) != 0) {
        numbolo::tellOnStandardError(QStringLiteral("η έξοδος CSV δεν γράφτηκε ολόκληρη."));
        return 1;
    }
    return 0;
}

// Writes one row per target of every recorded exercise, with one way to make it, as CSV to
// standard output: 0, or 1 with a message on standard error.
extern "C" Q_DECL_EXPORT int numbolo_progress_targets_csv(const numbolo::PlayerFiles &files)
{
    const QString historyPath = files.historyPath();
    QFile out;
    QString error;
    if (!out.open(stdout, QIODevice::WriteOnly) || !numbolo::writeTargetsCsv(historyPath, out, &error)
        || !out.flush()) {
        numbolo::tellOnStandardError(error.isEmpty() ? QStringLiteral("η έξοδος CSV δεν γράφτηκε ολόκληρη.") : error);
        return 1;
    }
    return 0;
}

namespace {

// What the window shows of the history at `historyPath`: the newest page of games, the totals,
// the charts' figures and the figures of the latest months for the next step, each read by a
// query of its own; the first error read. The report's whole figures, and the exercises with
// missed targets that the document lists, are read when first wanted.
struct Shown {
    std::vector<GameRow> games;
    QString error;
    numbolo::ProgressReport report;
};

Shown readShown(const QString &historyPath)
{
    using namespace numbolo;
    Shown shown;
    HistorySummary totals;
    QString error;
    const bool read = readSummary(historyPath, &totals, &error)
        && readGames(historyPath, 0, ProgressWindow::gamesPage(), &shown.games, &error)
        && readResults(historyPath, ProgressWindow::resultChartGames(), &shown.report.results, &error)
        && readSolvedPerDay(historyPath, ProgressWindow::solvedChartDays(), &shown.report.solvedPerDay, &error)
        && readRecentReport(historyPath, &shown.report.report, &error);
    if (!read) {
        shown.games.clear();
        shown.error = error;
        return shown;
    }
    shown.report.totals = totals;
    shown.report.moreGames = [historyPath](int first, int count, std::vector<GameRow> *games, QString *readError) {
        return readGames(historyPath, first, count, games, readError);
    };
    shown.report.detail = [historyPath](qint64 game, int number, ExerciseDetail *detail, QString *readError) {
        return readExerciseDetail(historyPath, game, number, detail, readError);
    };
    shown.report.figures = [historyPath](Report *report, QString *readError) {
        return readReport(historyPath, report, readError);
    };
    shown.report.missed = [historyPath](std::vector<MissedExercise> *missed, QString *readError) {
        return readMissed(historyPath, ProgressWindow::documentMissed(), missed, readError);
    };
    return shown;
}

} // namespace

// Writes the progress report as PDF to `file`, the document the window prints: 0, or 1 with a
// message on standard error.
extern "C" Q_DECL_EXPORT int numbolo_progress_pdf(const numbolo::PlayerFiles &files, const QString &file)
{
    const QString historyPath = files.historyPath();
    Shown shown = readShown(historyPath);
    QString error = shown.error;
    if (error.isEmpty()) {
        numbolo::ProgressWindow window(historyPath, std::move(shown.games), QString(),
                                       numbolo::readUnrecorded(files.pendingPath()), std::move(shown.report));
        numbolo::writeReportPdf(window.documentHtml(), file, &error);
    }
    if (!error.isEmpty()) {
        numbolo::tellOnStandardError(error);
        return 1;
    }
    return 0;
}

// Shows the progress window of the player whose files `files` names, with the settings a parent
// gives the child, until it is closed.
extern "C" Q_DECL_EXPORT int numbolo_progress_window(const numbolo::PlayerFiles &files)
{
    const QString historyPath = files.historyPath();
    Shown shown = readShown(historyPath);
    numbolo::ProgressWindow window(historyPath, std::move(shown.games), shown.error,
                                   numbolo::readUnrecorded(files.pendingPath()), std::move(shown.report));
    window.addSettings(files);
    window.show();
    return QApplication::exec();
}
