#include "classroom/classreport.h"

#include "progress/progresstext.h"
#include "progress/reportdocument.h"
#include "progress/targetways.h"

#include <QCoreApplication>

namespace numbolo {

namespace {

QString worksheetPart(const std::vector<MissedTarget> &missed, Ways &ways)
{
    QString html = htmlHeading(QCoreApplication::translate("numbolo::ClassReport", "Οι στόχοι που η τάξη έχασε πιο συχνά"));
    if (missed.empty())
        return html + htmlParagraph(QCoreApplication::translate("numbolo::ClassReport", "Κανένας στόχος δεν χάθηκε τις τελευταίες %1 εβδομάδες.").arg(MissedWeeks));
    html += htmlParagraph(QCoreApplication::translate("numbolo::ClassReport", "Από τις τελευταίες %1 εβδομάδες: φτιάξε κάθε στόχο με τα πλήκτρα του.").arg(MissedWeeks));
    return html + htmlTable(worksheetHeaders(), worksheetRows(missed, ways));
}

} // namespace

QStringList pupilHeaders()
{
    return {QCoreApplication::translate("numbolo::ClassReport", "Τάξη"),   QCoreApplication::translate("numbolo::ClassReport", "Μαθητής"), QCoreApplication::translate("numbolo::ClassReport", "Προφίλ"),  QCoreApplication::translate("numbolo::ClassReport", "Αυτή την εβδομάδα"), QCoreApplication::translate("numbolo::ClassReport", "Συνολικά"), QCoreApplication::translate("numbolo::ClassReport", "Στόχοι που βρέθηκαν"),
            QCoreApplication::translate("numbolo::ClassReport", "Διάμεσος χρόνος"), QCoreApplication::translate("numbolo::ClassReport", "Ημέρες"), QCoreApplication::translate("numbolo::ClassReport", "Τελευταίο παιχνίδι"), QCoreApplication::translate("numbolo::ClassReport", "Δυσκολότερες πράξεις")};
}

QStringList pupilCells(const PupilRow &row)
{
    return {row.className,
            row.pupil,
            row.profile,
            solvedText({row.playedThisWeek, row.solvedThisWeek, {}}),
            solvedText({row.played, row.solved, {}}),
            QString::number(row.targetsFound),
            medianText({row.played, row.solved, row.medianSeconds}),
            QString::number(row.daysPlayed),
            dateText(row.lastPlayed),
            row.hardest.isEmpty() ? QStringLiteral("-") : row.hardest};
}

QString groupName(const ClassGroup &group)
{
    return group.isRange ? targetRangeText(group.name.toInt()) : group.name;
}

QStringList worksheetHeaders()
{
    return {QCoreApplication::translate("numbolo::ClassReport", "Στόχος"), QCoreApplication::translate("numbolo::ClassReport", "Χάθηκε"), QCoreApplication::translate("numbolo::ClassReport", "Πλήκτρα"), QCoreApplication::translate("numbolo::ClassReport", "Ένας τρόπος")};
}

std::vector<QStringList> worksheetRows(const std::vector<MissedTarget> &missed, Ways &ways)
{
    std::vector<QStringList> rows;
    for (const MissedTarget &target : missed)
        rows.push_back({target.target, QString::number(target.missed), target.keys, ways.of(target.keys, target.target)});
    return rows;
}

QString worksheetHtml(const std::vector<MissedTarget> &missed, Ways &ways)
{
    return QStringLiteral("<html><body>\n") + worksheetPart(missed, ways) + QStringLiteral("</body></html>\n");
}

QString classReportHtml(const ClassFigures &figures, const QDate &today, Ways &ways)
{
    QString html = QStringLiteral("<html><body>\n<h1>%1</h1>\n").arg(QCoreApplication::translate("numbolo::ClassReport", "Η τάξη στο Numbolo").toHtmlEscaped());
    html += htmlParagraph(QCoreApplication::translate("numbolo::ClassReport", "Αναφορά της %1.").arg(today.toString(QStringLiteral("dd/MM/yyyy"))));
    if (figures.pupils.empty())
        return html + htmlParagraph(QCoreApplication::translate("numbolo::ClassReport", "Η βάση του σχολείου δεν έχει ακόμη παιχνίδι των τάξεών σας.")) + QStringLiteral("</body></html>\n");
    std::vector<QStringList> pupils;
    for (const PupilRow &row : figures.pupils)
        pupils.push_back(pupilCells(row));
    html += htmlHeading(QCoreApplication::translate("numbolo::ClassReport", "Οι μαθητές")) + htmlTable(pupilHeaders(), pupils);
    std::vector<QStringList> groups;
    for (const ClassGroup &group : figures.groups)
        groups.push_back({groupName(group), solvedText({group.played, group.solved, {}}),
                          shareText({group.played, group.solved, {}})});
    html += htmlHeading(QCoreApplication::translate("numbolo::ClassReport", "Ανά πράξη και ανά εύρος"))
        + htmlTable({QCoreApplication::translate("numbolo::ClassReport", "Πράξεις ή εύρος"), QCoreApplication::translate("numbolo::ClassReport", "Λυμένες"), QCoreApplication::translate("numbolo::ClassReport", "Ποσοστό")}, groups);
    return html + worksheetPart(figures.missed, ways) + QStringLiteral("</body></html>\n");
}

} // namespace numbolo
