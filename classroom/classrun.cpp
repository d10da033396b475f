#include "classroom/classrun.h"

#include "classroom/classfigures.h"
#include "classroom/classreport.h"
#include "classroom/classwindow.h"
#include "classroom/pupilhistory.h"
#include "classstore/schooldatabase.h"
#include "progress/progress.h"
#include "progress/reportdocument.h"
#include "progress/targetways.h"
#include "store/sqlhistorysource.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QTemporaryDir>

namespace numbolo {

namespace {

bool readClass(SchoolDatabase &school, ClassFigures *figures, QString *error)
{
    QString why;
    if (!school.open(&why)) {
        *error = QCoreApplication::translate("Numbolo", "Η βάση της τάξης δεν απαντά: %1").arg(why.trimmed());
        return false;
    }
    if (!readClassFigures(school.database(), QDate::currentDate(), figures, &why)) {
        *error = QCoreApplication::translate("Numbolo", "Η βάση της τάξης δεν διαβάστηκε: %1").arg(why);
        return false;
    }
    return true;
}

// A pupil's report as the progress window shows a child's: over a copy of the pupil's rows in a
// temporary folder, which goes with the window.
struct PupilReport : QObject {
    QTemporaryDir folder;
    SqlHistorySource history{folder.filePath(QStringLiteral("history.sqlite"))};
};

void openReport(SchoolDatabase &school, const PupilRow &pupil, QWidget *over)
{
    auto report = std::make_unique<PupilReport>();
    QString why;
    if (!report->folder.isValid()
        || !copyPupilHistory(school.database(), pupil.className, pupil.pupil, pupil.profile,
                             report->folder.filePath(QStringLiteral("history.sqlite")), &why)) {
        QMessageBox::warning(over, QCoreApplication::translate("numbolo::ClassWindow", "Η τάξη"),
                             QCoreApplication::translate("numbolo::ClassWindow", "Η αναφορά του μαθητή δεν διαβάστηκε: %1")
                                 .arg(why.isEmpty() ? report->folder.errorString() : why));
        return;
    }
    auto *window = new ProgressWindow(report->history);
    report.release()->setParent(window);
    window->setAttribute(Qt::WA_DeleteOnClose);
    const QString who = pupil.profile.isEmpty() ? pupil.pupil : QStringLiteral("%1 (%2)").arg(pupil.pupil, pupil.profile);
    window->setWindowTitle(QCoreApplication::translate("numbolo::ClassWindow", "Πρόοδος: %1").arg(who));
    // What a screen reader says as the window opens: whose report it is, without the colon.
    window->setAccessibleName(QCoreApplication::translate("numbolo::ClassWindow", "Πρόοδος του μαθητή %1").arg(who));
    window->show();
}

} // namespace

bool writeClassPdf(const QString &database, const QString &file, QString *error)
{
    SchoolDatabase school(database);
    ClassFigures figures;
    if (!readClass(school, &figures, error))
        return false;
    school.close();
    Ways ways;
    return writeReportPdf(classReportHtml(figures, QDate::currentDate(), ways), file, error);
}

int showClassWindow(const QString &database, QString *error)
{
    SchoolDatabase school(database);
    ClassFigures figures;
    if (!readClass(school, &figures, error))
        return 1;
    ClassWindow window(
        std::move(figures), [&](const PupilRow &pupil) { openReport(school, pupil, &window); },
        [&](const QString &html) {
            QPrinter printer;
            QPrintDialog dialog(&printer, &window);
            if (dialog.exec() == QDialog::Accepted)
                printReport(html, &printer);
        });
    window.show();
    const int status = QApplication::exec();
    return status;
}

} // namespace numbolo
