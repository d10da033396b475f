#include "progress/reportdocument.h"

#include "progress/progresstext.h"
#include "progress/reportreading.h"
#include "progress/reportview.h"
#include "services/programname.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QSaveFile>
#include <QTextDocument>

namespace numbolo {

namespace {

QString paragraph(const QString &text)
{
    return QStringLiteral("<p>%1</p>\n").arg(text.toHtmlEscaped().replace(QLatin1Char('\n'), QStringLiteral("<br>")));
}

QString table(const QStringList &headers, const std::vector<QStringList> &rows)
{
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"3\">\n<tr>");
    for (const QString &header : headers)
        html += QStringLiteral("<th>%1</th>").arg(header.toHtmlEscaped());
    html += QStringLiteral("</tr>\n");
    for (const QStringList &row : rows) {
        html += QStringLiteral("<tr>");
        for (const QString &cell : row)
            html += QStringLiteral("<td>%1</td>").arg(cell.toHtmlEscaped());
        html += QStringLiteral("</tr>\n");
    }
    return html + QStringLiteral("</table>\n");
}

QString heading(const QString &text)
{
    return QStringLiteral("<h2>%1</h2>\n").arg(text.toHtmlEscaped());
}

// The first day of the oldest month the document lists.
QDate documentFrom(const Report &report)
{
    if (report.daysPlayed.empty())
        return {};
    const QDate latest = report.daysPlayed.back();
    return QDate(latest.year(), latest.month(), 1).addMonths(1 - DocumentMonths);
}

QString groupsPart(const QString &title, const QString &groupHeader, const std::vector<GroupFigures> &groups,
                   const QDate &from)
{
    if (groups.empty())
        return {};
    return heading(title)
        + table({groupHeader, QCoreApplication::translate("Report", "Περίοδος"), QCoreApplication::translate("Report", "Λυμένες"), QCoreApplication::translate("Report", "Ποσοστό"),
                 QCoreApplication::translate("Report", "Διάμεσος χρόνος λύσης")},
                groupRows(groups, from));
}

// Each exercise's line as the window says it, under its game, and a table of its missed targets,
// each with one way to make it.
QString missedPart(const std::vector<MissedExercise> &missed)
{
    if (missed.empty())
        return {};
    QString html = heading(QCoreApplication::translate("Report", "Στόχοι που δεν βρέθηκαν"));
    html += paragraph(QCoreApplication::translate("Report", "Οι πιο πρόσφατες ασκήσεις με στόχους που δεν βρέθηκαν, με έναν τρόπο για τον "
                                     "καθένα με τα πλήκτρα της άσκησης, τις παρενθέσεις, την υποδιαστολή και το «x^y»."));
    for (const MissedExercise &exercise : missed) {
        html += paragraph(QCoreApplication::translate("Report", "Παιχνίδι της %1. %2").arg(dateText(exercise.gameStarted),
                                                                    exerciseLine(exercise.detail)));
        std::vector<QStringList> rows;
        for (const TargetLine &target : exercise.detail.targets)
            if (!target.hit)
                rows.push_back({QString::number(target.target), wayText(target)});
        html += table({QCoreApplication::translate("Report", "Στόχος"), QCoreApplication::translate("Report", "Ένας τρόπος")}, rows);
    }
    return html;
}

} // namespace

QString reportHtml(const QString &summary, const Report &report, const QDate &today,
                   const std::vector<MissedExercise> &missed)
{
    const QDate from = documentFrom(report);
    QString html = QCoreApplication::translate("Report", "<html><body>\n<h1>Πρόοδος στο Numbolo</h1>\n");
    html += paragraph(QCoreApplication::translate("Report", "Αναφορά της %1.").arg(today.toString(QStringLiteral("dd/MM/yyyy"))));
    html += paragraph(summary);
    if (const QString step = nextStep(report); !step.isEmpty())
        html += QCoreApplication::translate("Report", "<p><b>Επόμενο βήμα:</b> %1</p>\n").arg(step.toHtmlEscaped());
    html += missedPart(missed);
    if (report.daysPlayed.empty())
        return html + QStringLiteral("</body></html>\n");
    html += heading(QCoreApplication::translate("Report", "Ημερολόγιο"));
    html += paragraph(runText(report.daysPlayed, today));
    html += table({QCoreApplication::translate("Report", "Μήνας"), QCoreApplication::translate("Report", "Ημέρες"), QCoreApplication::translate("Report", "Ποιες ημέρες")},
                  calendarRows(report.daysPlayed, from));
    html += groupsPart(QCoreApplication::translate("Report", "Ανά πράξη"), QCoreApplication::translate("Report", "Πράξεις"), report.skills, from);
    html += groupsPart(QCoreApplication::translate("Report", "Ανά εύρος"), QCoreApplication::translate("Report", "Εύρος"), report.ranges, from);
    if (const QString note = mediansNote(report); !note.isEmpty())
        html += paragraph(note);
    html += paragraph(QCoreApplication::translate("Report", "Οι πίνακες δείχνουν τους τελευταίους %1 μήνες με παιχνίδι· το παράθυρο "
                                     "«Πρόοδος» δείχνει όλους τους μήνες.")
                          .arg(DocumentMonths));
    return html + QStringLiteral("</body></html>\n");
}

QString documentHtml(const DocumentFacts &facts)
{
    if (!facts.figures)
        return reportHtml(facts.summary + QStringLiteral("\n\n") + facts.figuresError, {}, facts.today);
    QString said = facts.summary;
    // The figures are printed without the missed targets, and the page says why they are not there.
    if (!facts.missedError.isEmpty())
        said += QCoreApplication::translate("Report", "\n\nΟι στόχοι που δεν βρέθηκαν δεν διαβάστηκαν: %1").arg(facts.missedError);
    return reportHtml(said, *facts.figures, facts.today, facts.missed);
}

void readMissedTargets(HistorySource &history, DocumentFacts *facts)
{
    if (!readMissed(history, DocumentMissed, &facts->missed, &facts->missedError))
        facts->missed.clear();
}

DocumentFacts readDocumentFacts(HistorySource &history, const QString &summary, const QDate &today)
{
    DocumentFacts facts{summary, today, {}, {}, {}, {}};
    Report figures;
    if (readFigures(history, &figures, &facts.figuresError)) {
        facts.figures = std::move(figures);
        readMissedTargets(history, &facts);
    }
    return facts;
}

void printReport(const QString &html, QPagedPaintDevice *device)
{
    QTextDocument document;
    document.setHtml(html);
    document.print(device);
}

bool writeReportPdf(const QString &html, const QString &file, QString *error)
{
    // Without a font the pages would be written without their text, an empty report that looks
    // whole (Qt's minimal platform, for one, brings no fonts unless asked).
    if (QFontDatabase::families().isEmpty()) {
        *error = QCoreApplication::translate("Report", "Το αρχείο %1 δεν γράφτηκε: δεν βρέθηκε καμία γραμματοσειρά για το κείμενό του.")
                     .arg(QDir::toNativeSeparators(file));
        return false;
    }
    QSaveFile out(file);
    if (out.open(QIODevice::WriteOnly)) {
        {
            QPdfWriter pdf(&out);
            pdf.setTitle(QCoreApplication::translate("Report", "Πρόοδος στο Numbolo"));
            pdf.setCreator(ProgramName);
            pdf.setPageSize(QPageSize(QPageSize::A4));
            pdf.setPageMargins(QMarginsF(15, 15, 15, 15), QPageLayout::Millimeter);
            printReport(html, &pdf);
        } // the writer ends the file as it goes
        if (out.error() == QFileDevice::NoError && out.commit())
            return true;
    }
    *error = QCoreApplication::translate("Report", "Το αρχείο %1 δεν γράφτηκε: %2").arg(QDir::toNativeSeparators(file), out.errorString());
    return false;
}

} // namespace numbolo
