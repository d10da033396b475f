#pragma once
// The progress report on paper: what "Εκτύπωση…" prints and `--progress --pdf FILE` writes, one
// document for both. The totals, the next step, the latest targets missed with one way to make
// each, the practice calendar and the figures of each skill and target range, in tables, for
// the latest months.

#include "progress/report.h"

#include <QString>

class QPagedPaintDevice;

namespace numbolo {

// Months of figures and days the document lists, up to the latest with play; the window has all.
constexpr int DocumentMonths = 12;

// The document as HTML for QTextDocument. `summary`: the totals as the window states them;
// `missed`: the exercises whose missed targets it lists, each with one way to make it.
QString reportHtml(const QString &summary, const Report &report, const QDate &today,
                   const std::vector<MissedExercise> &missed = {});

// Lays the document out on the pages of `device`, a printer or a PDF writer.
void printReport(const QString &html, QPagedPaintDevice *device);

// Writes the document as PDF to `file`, replacing it only once whole. False with a Greek `error`.
bool writeReportPdf(const QString &html, const QString &file, QString *error);

} // namespace numbolo
