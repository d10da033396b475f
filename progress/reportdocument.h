#pragma once
// The progress report on paper: what "Εκτύπωση…" prints and `--progress --pdf FILE` writes, one
// document for both. The totals, the next step, the latest targets missed with one way to make
// each, the practice calendar and the figures of each skill and target range, in tables, for
// the latest months.

#include "progress/report.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class QPagedPaintDevice;

namespace numbolo {

// Months of figures and days the document lists, up to the latest with play; the window has all.
constexpr int DocumentMonths = 12;
// Exercises with missed targets in the document: five of up to eight targets each, with their
// ways, fill about a page after the figures; enough to practise with, few enough to read.
constexpr int DocumentMissed = 5;

// The document as HTML for QTextDocument. `summary`: the totals as the window states them;
// `missed`: the exercises whose missed targets it lists, each with one way to make it.
QString reportHtml(const QString &summary, const Report &report, const QDate &today,
                   const std::vector<MissedExercise> &missed = {});

// What the document is made of, as read from the history.
struct DocumentFacts {
    QString summary; // the totals as the window states them (summaryText)
    QDate today;
    // The whole figures; none where they could not be read, and then the document holds the
    // summary and why, `figuresError`, alone.
    std::optional<Report> figures;
    QString figuresError;
    // The newest exercises with missed targets, each with a way for every target; none where
    // they could not be read, and then the document says why, `missedError`.
    std::vector<MissedExercise> missed;
    QString missedError;
};

// The document, as reportHtml() makes it, of `facts` alone.
QString documentHtml(const DocumentFacts &facts);

// Reads the exercises with missed targets that the document lists into `facts`, or why they
// cannot be read.
void readMissedTargets(HistorySource &history, DocumentFacts *facts);
// Reads what the document prints from `history`, under `summary`, as of `today`.
DocumentFacts readDocumentFacts(HistorySource &history, const QString &summary, const QDate &today);

// The parts of a document, with every text escaped: a paragraph (line breaks kept), a table of
// `headers` over `rows`, a heading.
QString htmlParagraph(const QString &text);
QString htmlTable(const QStringList &headers, const std::vector<QStringList> &rows);
QString htmlHeading(const QString &text);

// Lays the document out on the pages of `device`, a printer or a PDF writer.
void printReport(const QString &html, QPagedPaintDevice *device);

// Writes the document as PDF to `file`, replacing it only once whole. False with a Greek `error`.
bool writeReportPdf(const QString &html, const QString &file, QString *error);

} // namespace numbolo
