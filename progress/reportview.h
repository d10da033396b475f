#pragma once
// The parts of the progress window that show the report: the targets of a chosen exercise, the
// figures of each skill or target range over time (a chart and a table of the same figures),
// and the practice calendar. Each part is made from values; none reads the history itself.

#include "progress/report.h"

#include <QWidget>

class QLabel;
class QTableWidget;

namespace numbolo {

// The targets of one exercise: a line on its keys and its "=" presses, and a table of its eight
// targets (hit after how many seconds, by which value; or missed, with one way to make it).
class TargetsView : public QWidget {
    Q_OBJECT
public:
    explicit TargetsView(QWidget *parent = nullptr);
    void showDetail(const ExerciseDetail &detail);
    void showError(const QString &error);
    void clear();

    QLabel *about;
    QTableWidget *table;
};

// What the column "Ένας τρόπος" says of a target: nothing where it was hit, else its way, or
// that none was found.
QString wayText(const TargetLine &target);

// "Στόχοι που δεν βρέθηκαν" and "=" presses written out for a parent: the line above the table.
QString exerciseLine(const ExerciseDetail &detail);

// A chart of the share solved by each group in the latest months with play, and a table of
// every group's figures, whole and month by month, under it. `groupHeader` names the groups'
// column ("Πράξεις", "Εύρος"); `empty` is said instead where there are no groups; `note`, where
// given, says which games the median times count.
QWidget *makeGroupSection(const QString &objectName, const QString &title, const QString &groupHeader,
                          const std::vector<GroupFigures> &groups, const QString &empty, QWidget *parent,
                          const QString &note = {});

// The current run of days and a table of the months with play, newest first, with their days.
QWidget *makeCalendarSection(const std::vector<QDate> &daysPlayed, const QDate &today, QWidget *parent);

// "Συνεχόμενες ημέρες παιχνιδιού έως σήμερα: 3." and the days played in all.
QString runText(const std::vector<QDate> &daysPlayed, const QDate &today);

// The rows of the groups' table: group, period, solved of played, share, median time; each
// group's whole figures, then its months from `from` on, newest first.
std::vector<QStringList> groupRows(const std::vector<GroupFigures> &groups, const QDate &from = {});
// The rows of the calendar's table, newest month first: month, days played, the days; the days
// from `from` on.
std::vector<QStringList> calendarRows(const std::vector<QDate> &daysPlayed, const QDate &from = {});

} // namespace numbolo
