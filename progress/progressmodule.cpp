// The entry points of the progress module, which `Numbolo --progress` loads; it brings Qt SQL,
// Qt Charts and Qt Print Support, so the game never loads them.

#include "arithmetic/solver.h"
#include "progress/childrenprogress.h"
#include "progress/progress.h"
#include "progress/progresstext.h"
#include "progress/reportcsv.h"
#include "progress/reportdocument.h"
#include "services/programname.h"
#include "store/pendingfile.h"
#include "store/rememberedways.h"
#include "store/sqlhistorysource.h"

#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QtGlobal>

#include <cstdio>

using numbolo::GameRow;

// Writes the whole history of the player whose files `files` names as CSV to standard output:
// 0, or 1 with a message on standard error.
extern "C" Q_DECL_EXPORT int numbolo_progress_csv(const numbolo::PlayerFiles &files)
{
    numbolo::SqlHistorySource history(files.historyPath());
    std::vector<GameRow> games;
    numbolo::ReadError error;
    if (!history.everyGame(&games, &error)) {
        numbolo::tellOnStandardError(numbolo::readErrorText(error));
        return 1;
    }
    const numbolo::Unrecorded unrecorded = numbolo::readUnrecorded(files.pendingPath());
    if (unrecorded.records > 0) {
        numbolo::tellOnStandardError(QCoreApplication::translate("Progress", "Το παιχνίδι %1 δεν έχει καταγραφεί ακόμη στο ιστορικό.")
                                         .arg(numbolo::unrecordedWhen(unrecorded)));
    }
    const QByteArray csv = numbolo::historyCsv(games);
    if (std::fwrite(csv.constData(), 1, std::size_t(csv.size()), stdout) != std::size_t(csv.size())
        || std::fflush(stdout) != 0) {
        numbolo::tellOnStandardError(QCoreApplication::translate("Progress", "η έξοδος CSV δεν γράφτηκε ολόκληρη."));
        return 1;
    }
    return 0;
}

// Writes one row per target of every recorded exercise, with one way to make it, as CSV to
// standard output: 0, or 1 with a message on standard error.
extern "C" Q_DECL_EXPORT int numbolo_progress_targets_csv(const numbolo::PlayerFiles &files)
{
    numbolo::SqlHistorySource history(files.historyPath());
    numbolo::RememberedWays remembered(numbolo::RememberedWays::besideHistory(files.historyPath()), numbolo::Solver::Version);
    QFile out;
    QString error;
    if (!out.open(stdout, QIODevice::WriteOnly) || !numbolo::writeTargetsCsv(history, out, &error, &remembered) || !out.flush()) {
        numbolo::tellOnStandardError(error.isEmpty() ? QCoreApplication::translate("Progress", "η έξοδος CSV δεν γράφτηκε ολόκληρη.") : error);
        return 1;
    }
    return 0;
}

// Writes the progress report as PDF to `file`, the document the window prints, without making a
// window: 0, or 1 with a message on standard error.
extern "C" Q_DECL_EXPORT int numbolo_progress_pdf(const numbolo::PlayerFiles &files, const QString &file)
{
    numbolo::SqlHistorySource history(files.historyPath());
    // What the window would show as it opens, and the figures its "Εκτύπωση…" prints; no window.
    const numbolo::Opening opening = numbolo::readOpening(history);
    QString error = opening.error;
    if (error.isEmpty()) {
        const QString summary = numbolo::summaryText(opening, numbolo::readUnrecorded(files.pendingPath()));
        numbolo::writeReportPdf(numbolo::documentHtml(numbolo::readDocumentFacts(history, summary, QDate::currentDate())),
                                file, &error);
    }
    if (!error.isEmpty()) {
        numbolo::tellOnStandardError(error);
        return 1;
    }
    return 0;
}

// Shows the progress window of the account whose own files `account` names: its one player's,
// or with profiles one child's at a time, the profile `childId` first (empty: the child who
// played last), until it is closed.
extern "C" Q_DECL_EXPORT int numbolo_progress_window(const numbolo::PlayerFiles &account, const QString &childId)
{
    numbolo::ChildrenProgress window(account, childId);
    window.show();
    return QApplication::exec();
}
